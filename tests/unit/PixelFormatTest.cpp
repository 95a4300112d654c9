#include "render/PixelFormat.h"

#include <gtest/gtest.h>

namespace {

TEST(PixelFormat, ColorToPixelOnTheCommonLayouts) {
  constexpr PixelMasks kTenBits{0x3FF00000u, 0x000FFC00u, 0x000003FFu};
  const struct {
    const char* layout;
    PixelMasks masks;
    Rgb color;
    uint32_t pixel;
  } cases[] = {
      {"5-6-5 magenta", kMasksR5G6B5, {255, 0, 255}, 0xF81Fu},
      {"5-6-5 video key", kMasksR5G6B5, {16, 0, 16}, 0x1002u},
      {"5-6-5 white", kMasksR5G6B5, {255, 255, 255}, 0xFFFFu},
      {"5-6-5 green keeps six bits", kMasksR5G6B5, {0, 0xFC, 0}, 0x07E0u},
      {"8-8-8 magenta", kMasksX8R8G8B8, {255, 0, 255}, 0xFF00FFu},
      {"8-8-8 video key", kMasksX8R8G8B8, {16, 0, 16}, 0x100010u},
      {"8-8-8 mixed", kMasksX8R8G8B8, {0x12, 0x34, 0x56}, 0x123456u},
      // Masks wider than eight bits and missing masks contribute nothing.
      {"10-10-10", kTenBits, {255, 255, 255}, 0u},
      {"no blue mask", PixelMasks{0xFF0000u, 0xFF00u, 0}, {1, 2, 3}, 0x010200u},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.layout);
    EXPECT_EQ(ColorToPixel(c.masks, c.color), c.pixel);
  }
}

TEST(PixelFormat, MaskShiftAndWidth) {
  const struct {
    uint32_t mask;
    int32_t shift;
    int32_t width;
  } cases[] = {{0xF800u, 11, 5},   {0x07E0u, 5, 6},      {0x001Fu, 0, 5},
               {0xFF0000u, 16, 8}, {0x80000000u, 31, 1}, {0u, 32, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mask);
    int32_t shift = -1;
    int32_t width = -1;
    MaskShiftAndWidth(c.mask, shift, width);
    EXPECT_EQ(shift, c.shift);
    EXPECT_EQ(width, c.width);
  }
}

TEST(PixelFormat, ShiftsOutsideZeroToThirtyOneGiveZero) {
  EXPECT_EQ(ShiftRight(-8, 1), -4);  // arithmetic
  EXPECT_EQ(ShiftRight(255, -1), 0);
  EXPECT_EQ(ShiftRight(255, 32), 0);
  EXPECT_EQ(ShiftLeft(1, 31), static_cast<int32_t>(0x80000000u));
  EXPECT_EQ(ShiftLeft(static_cast<int32_t>(0x80000001u), 1), 2);  // the top bit is lost
  EXPECT_EQ(ShiftLeft(1, 32), 0);
  EXPECT_EQ(ShiftLeft(1, -3), 0);
}

}  // namespace
