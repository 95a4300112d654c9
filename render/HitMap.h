#pragma once

// Which element is where: one byte per pixel of the picture area holding the
// number of the element drawn last at that pixel (0: none). A pointer
// position becomes an element by reading one byte. Elements numbered above
// 255 are drawn but never entered, so they cannot be hit.

#include <cstdint>
#include <vector>

class HitMap {
 public:
  static constexpr int32_t kMaxElementNumber = 255;

  // A new map of width x height, every byte 0. A size of 0 or less on either
  // axis gives an empty map.
  void HitMap_init(int32_t width, int32_t height);

  // The element number at (x, y); 0 outside the map.
  int32_t HitMap_Read(int32_t x, int32_t y) const;

  // Sets every byte of the rectangle (x, y, width, height) inside the map to
  // the element number. Numbers outside 0..255 are not written.
  void HitMap_Fill(int32_t element, int32_t x, int32_t y, int32_t width, int32_t height);

  int32_t Width() const { return mWidth; }
  int32_t Height() const { return mHeight; }
  const uint8_t* Bytes() const { return mBytes.data(); }

 private:
  std::vector<uint8_t> mBytes;
  int32_t mWidth = 0;
  int32_t mHeight = 0;
};
