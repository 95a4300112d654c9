#pragma once

// The back buffer: a CPU image of the picture area (pixman x8r8g8b8) into
// which every element is drawn before its rectangle is presented. Drawing
// writes only here and into the hit map, so it is testable without a display.

#include <cstdint>
#include <memory>

typedef union pixman_image pixman_image_t;

class BackBuffer {
 public:
  BackBuffer();
  ~BackBuffer();
  BackBuffer(const BackBuffer&) = delete;
  BackBuffer& operator=(const BackBuffer&) = delete;

  // A new image of width x height, cleared to black. False (and the old image
  // kept) when it cannot be made.
  bool Resize(int32_t width, int32_t height);

  int32_t Width() const { return mWidth; }
  int32_t Height() const { return mHeight; }
  bool IsValid() const { return mImage != nullptr; }

  pixman_image_t* Image() const { return mImage.get(); }
  const uint32_t* Pixels() const { return mPixels.get(); }
  uint32_t* Pixels() { return mPixels.get(); }
  int32_t StridePixels() const { return mWidth; }

  // Fills the rectangle (clipped to the image) with a pixel value 0x00RRGGBB.
  void FillRect(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t pixel);

  // The pixel value at (x, y) without its unused top byte; 0 outside.
  uint32_t PixelAt(int32_t x, int32_t y) const;

 private:
  struct ImageDeleter {
    void operator()(pixman_image_t* image) const;
  };
  std::unique_ptr<uint32_t[]> mPixels;
  std::unique_ptr<pixman_image_t, ImageDeleter> mImage;
  int32_t mWidth = 0;
  int32_t mHeight = 0;
};
