#include "render/PixelFormat.h"

void MaskShiftAndWidth(uint32_t mask, int32_t& shift, int32_t& width) {
  shift = 0;
  width = 0;
  if (mask == 0) {
    shift = 32;
    return;
  }
  while ((mask & 1u) == 0) {
    mask >>= 1;
    ++shift;
  }
  while ((mask & 1u) != 0) {
    mask >>= 1;
    ++width;
  }
}

int32_t ShiftRight(int32_t value, int32_t n) {
  if (n < 0 || n > 31) return 0;
  return value >> n;
}

int32_t ShiftLeft(int32_t value, int32_t n) {
  if (n < 0 || n > 31) return 0;
  return static_cast<int32_t>(static_cast<uint32_t>(value) << n);
}

namespace {

uint32_t ComponentToPixel(uint32_t mask, uint8_t component) {
  int32_t shift = 0;
  int32_t width = 0;
  MaskShiftAndWidth(mask, shift, width);
  if (width == 0) return 0;
  return static_cast<uint32_t>(ShiftLeft(ShiftRight(component, 8 - width), shift));
}

}  // namespace

uint32_t ColorToPixel(const PixelMasks& masks, uint8_t r, uint8_t g, uint8_t b) {
  return ComponentToPixel(masks.red, r) | ComponentToPixel(masks.green, g) |
         ComponentToPixel(masks.blue, b);
}
