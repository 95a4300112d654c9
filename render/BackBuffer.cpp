#include "render/BackBuffer.h"

#include <pixman.h>

#include <algorithm>
#include <new>

void BackBuffer::ImageDeleter::operator()(pixman_image_t* image) const {
  if (image) pixman_image_unref(image);
}

BackBuffer::BackBuffer() = default;
BackBuffer::~BackBuffer() = default;

bool BackBuffer::Resize(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return false;
  if (width == mWidth && height == mHeight && mImage) {
    std::fill_n(mPixels.get(), static_cast<size_t>(width) * static_cast<size_t>(height), 0u);
    return true;
  }
  std::unique_ptr<uint32_t[]> pixels(
      new (std::nothrow) uint32_t[static_cast<size_t>(width) * static_cast<size_t>(height)]());
  if (!pixels) return false;
  pixman_image_t* image = pixman_image_create_bits(PIXMAN_x8r8g8b8, width, height, pixels.get(),
                                                   width * static_cast<int>(sizeof(uint32_t)));
  if (!image) return false;
  mImage.reset(image);
  mPixels = std::move(pixels);
  mWidth = width;
  mHeight = height;
  return true;
}

void BackBuffer::FillRect(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t pixel) {
  if (!mImage) return;
  // 64-bit edges: a rectangle far outside the buffer must not overflow.
  const int64_t left = std::max<int64_t>(x, 0);
  const int64_t top = std::max<int64_t>(y, 0);
  const int64_t right = std::min<int64_t>(int64_t{x} + width, mWidth);
  const int64_t bottom = std::min<int64_t>(int64_t{y} + height, mHeight);
  if (left >= right || top >= bottom) return;
  const uint32_t value = pixel | 0xFF000000u;
  for (int64_t row = top; row < bottom; ++row) {
    uint32_t* line = mPixels.get() + static_cast<size_t>(row) * mWidth;
    std::fill(line + left, line + right, value);
  }
}

uint32_t BackBuffer::PixelAt(int32_t x, int32_t y) const {
  if (!mImage || x < 0 || y < 0 || x >= mWidth || y >= mHeight) return 0;
  return mPixels[static_cast<size_t>(y) * mWidth + x] & 0x00FFFFFFu;
}
