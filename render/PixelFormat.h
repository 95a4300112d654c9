#pragma once

// Turns skin colours (r, g, b bytes) into the pixel values of an image with
// given red, green and blue bit masks, so that fills write the same colour on
// any pixel layout.

#include <cstdint>

#include "skin/SkinElement.h"

struct PixelMasks {
  uint32_t red = 0;
  uint32_t green = 0;
  uint32_t blue = 0;
};

// The layouts the renderer meets: the back buffer (x8r8g8b8) and 16-bit 5-6-5.
inline constexpr PixelMasks kMasksX8R8G8B8{0x00FF0000u, 0x0000FF00u, 0x000000FFu};
inline constexpr PixelMasks kMasksR5G6B5{0xF800u, 0x07E0u, 0x001Fu};

// The colour with which the video element is filled when it has no picture:
// wherever the interface shows it, the video shows through.
inline constexpr Rgb kVideoKeyColor{16, 0, 16};
// The colour that is transparent in every skin picture.
inline constexpr Rgb kKeyColor{255, 0, 255};

// shift: the number of zero bits below the mask's lowest set bit; width: the
// number of consecutive set bits from there. A mask of 0 gives shift 32 and
// width 0.
void MaskShiftAndWidth(uint32_t mask, int32_t& shift, int32_t& width);

// Arithmetic shift right by n for n in 0..31; any other n gives 0.
int32_t ShiftRight(int32_t value, int32_t n);

// 32-bit shift left by n for n in 0..31, bits moved past bit 31 being lost;
// any other n gives 0.
int32_t ShiftLeft(int32_t value, int32_t n);

// The pixel value of the colour: each component keeps its top `width` bits
// and moves to its mask's place. A component whose mask is 0 or wider than 8
// bits contributes nothing.
uint32_t ColorToPixel(const PixelMasks& masks, uint8_t r, uint8_t g, uint8_t b);
inline uint32_t ColorToPixel(const PixelMasks& masks, Rgb color) {
  return ColorToPixel(masks, color.r, color.g, color.b);
}
