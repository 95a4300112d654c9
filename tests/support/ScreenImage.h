#pragma once

// A rectangle of the X screen or of one window read back in one request, so
// that a test looks at one moment of the picture rather than at pixels taken
// one by one while the video moves on. Every display test reads pixels this way.

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

struct SDL_Window;

// A rectangle in screen pixels.
struct ScreenRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  // The rectangle shrunk by the given pixels on every side, so that checks
  // stay clear of edges that rounding may move by a pixel.
  ScreenRect Inset(int pixels) const {
    return {x + pixels, y + pixels, width - 2 * pixels, height - 2 * pixels};
  }
  int CentreX() const { return x + width / 2; }
  int CentreY() const { return y + height / 2; }
  bool operator==(const ScreenRect&) const = default;
};

class ScreenImage {
 public:
  ScreenImage() = default;
  // Pixels as 0xRRGGBB, row by row.
  ScreenImage(const ScreenRect& rect, std::vector<uint32_t> pixels)
      : mRect(rect), mPixels(std::move(pixels)) {}

  // Reads the rectangle from the screen; empty when the display cannot be reached.
  static ScreenImage Capture(const ScreenRect& rect);
  // Reads the rectangle of a window of this process (in its own pixels) once
  // everything drawn into it has reached the X server.
  static ScreenImage Capture(SDL_Window* window, const ScreenRect& rect);

  bool Empty() const { return mPixels.empty(); }
  const ScreenRect& Rect() const { return mRect; }
  // The colour 0xRRGGBB at a screen position inside the rectangle.
  uint32_t Pixel(int x, int y) const;

  // The share (0..1) of the pixels of a part of the rectangle that match.
  template <typename Predicate>
  double Share(const ScreenRect& part, Predicate matches) const {
    int64_t count = 0;
    int64_t matching = 0;
    for (int y = part.y; y < part.y + part.height; ++y) {
      for (int x = part.x; x < part.x + part.width; ++x) {
        ++count;
        if (matches(Pixel(x, y))) ++matching;
      }
    }
    return count == 0 ? 0.0 : static_cast<double>(matching) / static_cast<double>(count);
  }

  // The smallest rectangle that holds every matching pixel; empty when none matches.
  template <typename Predicate>
  ScreenRect Bounds(Predicate matches) const {
    int left = mRect.x + mRect.width, top = mRect.y + mRect.height;
    int right = mRect.x - 1, bottom = mRect.y - 1;
    for (int y = mRect.y; y < mRect.y + mRect.height; ++y) {
      for (int x = mRect.x; x < mRect.x + mRect.width; ++x) {
        if (!matches(Pixel(x, y))) continue;
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
      }
    }
    return right < left ? ScreenRect{} : ScreenRect{left, top, right - left + 1, bottom - top + 1};
  }

  // How many pixels differ from another picture of the same rectangle.
  int Differences(const ScreenImage& other) const;

  bool operator==(const ScreenImage&) const = default;

 private:
  ScreenRect mRect;
  std::vector<uint32_t> mPixels;
};

// Colour tests for screen pixels (0xRRGGBB).
inline int Red(uint32_t pixel) {
  return static_cast<int>((pixel >> 16) & 0xFF);
}
inline int Green(uint32_t pixel) {
  return static_cast<int>((pixel >> 8) & 0xFF);
}
inline int Blue(uint32_t pixel) {
  return static_cast<int>(pixel & 0xFF);
}
// Black as the video layer leaves it around the picture (not the key colour 16,0,16).
inline bool IsBlack(uint32_t pixel) {
  return Red(pixel) <= 6 && Green(pixel) <= 6 && Blue(pixel) <= 6;
}
inline bool IsDark(uint32_t pixel) {
  return Red(pixel) < 40 && Green(pixel) < 40 && Blue(pixel) < 40;
}
inline bool IsReddish(uint32_t pixel) {
  return Red(pixel) > 180 && Green(pixel) < 80 && Blue(pixel) < 80;
}
inline bool IsBluish(uint32_t pixel) {
  return Blue(pixel) > 180 && Red(pixel) < 80 && Green(pixel) < 80;
}
