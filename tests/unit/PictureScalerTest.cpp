#include "render/PictureScaler.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/SdlPictureLoader.h"
#include "render/BackBuffer.h"

namespace {

constexpr uint32_t kBackground = 0x00FF00;  // green

// A picture as the loader delivers it: a blue square inside a two-pixel
// magenta border, the magenta already transparent.
std::shared_ptr<SkinPicture> FramedBlueSquare() {
  auto picture = std::make_shared<SkinPicture>();
  picture->width = 8;
  picture->height = 8;
  picture->pixels.assign(64, 0);
  for (int y = 2; y < 6; ++y) {
    for (int x = 2; x < 6; ++x) picture->pixels[y * 8 + x] = 0xFF0000FFu;
  }
  return picture;
}

// Every pixel of the rectangle that shows any red: with magenta transparent
// and premultiplied blending, no scaled edge may turn pinkish over green.
int PinkishPixels(const BackBuffer& buffer) {
  int pinkish = 0;
  for (int y = 0; y < buffer.Height(); ++y) {
    for (int x = 0; x < buffer.Width(); ++x) {
      if (((buffer.PixelAt(x, y) >> 16) & 0xFF) > 8) ++pinkish;
    }
  }
  return pinkish;
}

TEST(ScalerTest, ScaledUpMagentaBorderLeavesNoPinkFringe) {
  BackBuffer buffer;
  ASSERT_TRUE(buffer.Resize(100, 80));
  buffer.FillRect(0, 0, 100, 80, kBackground);
  const std::shared_ptr<const SkinPicture> picture = FramedBlueSquare();
  ASSERT_TRUE(PictureScaler().DrawPicture(buffer, picture, 10, 10, 77, 61));
  EXPECT_EQ(PinkishPixels(buffer), 0);
  EXPECT_EQ(buffer.PixelAt(48, 40), 0x0000FFu);    // the centre is blue
  EXPECT_EQ(buffer.PixelAt(11, 11), kBackground);  // the border lets the background through
  EXPECT_EQ(buffer.PixelAt(48, 60), kBackground);  // the square ends three quarters down
  // Towards the edge of the blue square the blue blends into green, not pink.
  bool blended = false;
  for (int x = 10; x < 48; ++x) {
    const uint32_t pixel = buffer.PixelAt(x, 40);
    if (pixel != kBackground && pixel != 0x0000FFu) blended = true;
  }
  EXPECT_TRUE(blended) << "bilinear filtering smooths the edge";
}

}  // namespace
