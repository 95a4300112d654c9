#include "render/HitMap.h"

#include <algorithm>

void HitMap::HitMap_init(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) {
    width = 0;
    height = 0;
  }
  mWidth = width;
  mHeight = height;
  mBytes.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
}

int32_t HitMap::HitMap_Read(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= mWidth || y >= mHeight) return 0;
  return mBytes[static_cast<size_t>(y) * static_cast<size_t>(mWidth) + static_cast<size_t>(x)];
}

void HitMap::HitMap_Fill(int32_t element, int32_t x, int32_t y, int32_t width, int32_t height) {
  if (element < 0 || element > kMaxElementNumber) return;
  // 64-bit edges: a rectangle far outside the map must not overflow.
  const int64_t left = std::max<int64_t>(x, 0);
  const int64_t top = std::max<int64_t>(y, 0);
  const int64_t right = std::min<int64_t>(int64_t{x} + width, mWidth);
  const int64_t bottom = std::min<int64_t>(int64_t{y} + height, mHeight);
  if (left >= right || top >= bottom) return;
  const uint8_t value = static_cast<uint8_t>(element);
  for (int64_t row = top; row < bottom; ++row) {
    uint8_t* line = mBytes.data() + row * mWidth;
    std::fill(line + left, line + right, value);
  }
}
