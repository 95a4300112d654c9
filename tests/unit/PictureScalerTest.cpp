#include "render/PictureScaler.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/SdlPictureLoader.h"
#include "render/BackBuffer.h"

namespace {

constexpr uint32_t kBackground = 0x00FF00;  // green

uint8_t RedOf(uint32_t pixel) {
  return static_cast<uint8_t>(pixel >> 16);
}

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
      if (RedOf(buffer.PixelAt(x, y)) > 8) ++pinkish;
    }
  }
  return pinkish;
}

struct ScalerTest : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(buffer.Resize(100, 80));
    buffer.FillRect(0, 0, 100, 80, kBackground);
  }
  BackBuffer buffer;
  PictureScaler scaler;
};

TEST_F(ScalerTest, ScaledUpMagentaBorderLeavesNoPinkFringe) {
  const std::shared_ptr<const SkinPicture> picture = FramedBlueSquare();
  ASSERT_TRUE(scaler.DrawPicture(buffer, picture, 10, 10, 77, 61));
  EXPECT_EQ(PinkishPixels(buffer), 0);
  EXPECT_EQ(buffer.PixelAt(48, 40), 0x0000FFu);    // the centre is blue
  EXPECT_EQ(buffer.PixelAt(11, 11), kBackground);  // the border lets the background through
  // Towards the edge of the blue square the blue blends into green, not pink.
  bool blended = false;
  for (int x = 10; x < 48; ++x) {
    const uint32_t pixel = buffer.PixelAt(x, 40);
    if (pixel != kBackground && pixel != 0x0000FFu) blended = true;
  }
  EXPECT_TRUE(blended) << "bilinear filtering smooths the edge";
}

TEST_F(ScalerTest, LoadedPictureWithMagentaBorderScalesWithoutFringe) {
  SdlPictureLoader loader;
  std::shared_ptr<const SkinPicture> picture =
      loader.Load(std::string(TAVIZO_TESTS_DIR) + "/skins/render/frame.png");
  ASSERT_TRUE(picture);
  ASSERT_TRUE(scaler.DrawPicture(buffer, picture, 0, 0, 100, 80));
  EXPECT_EQ(PinkishPixels(buffer), 0);
  EXPECT_EQ(buffer.PixelAt(50, 40), 0x0000FFu);
  EXPECT_EQ(buffer.PixelAt(1, 1), kBackground);
}

TEST_F(ScalerTest, UnscaledPictureIsCopiedExactlyAndClipped) {
  auto picture = std::make_shared<SkinPicture>();
  picture->width = 4;
  picture->height = 1;
  picture->pixels = {0xFF010203u, 0xFF040506u, 0xFF070809u, 0xFF0A0B0Cu};
  // Two columns hang out on the left: column 0 of the buffer shows column 2.
  ASSERT_TRUE(scaler.DrawPicture(buffer, picture, -2, 5, 4, 1));
  EXPECT_EQ(buffer.PixelAt(0, 5), 0x070809u);
  EXPECT_EQ(buffer.PixelAt(1, 5), 0x0A0B0Cu);
  EXPECT_EQ(buffer.PixelAt(2, 5), kBackground);
  // A half-transparent premultiplied pixel lays half its colour over the background.
  picture->pixels = {0x80800000u, 0, 0, 0};
  ASSERT_TRUE(scaler.DrawPicture(buffer, picture, 0, 6, 4, 1));
  EXPECT_NEAR(RedOf(buffer.PixelAt(0, 6)), 128, 1);
  EXPECT_NEAR((buffer.PixelAt(0, 6) >> 8) & 0xFF, 127, 1);
  EXPECT_EQ(buffer.PixelAt(1, 6), kBackground);
}

TEST_F(ScalerTest, ScalesOncePerDrawnSizeUntilTheAreaChangesSize) {
  const std::shared_ptr<const SkinPicture> picture = FramedBlueSquare();
  scaler.SetAreaSize(100, 80);
  scaler.DrawPicture(buffer, picture, 0, 0, 20, 20);
  scaler.DrawPicture(buffer, picture, 30, 30, 20, 20);
  EXPECT_EQ(scaler.CachedCount(), 1u);
  scaler.DrawPicture(buffer, picture, 0, 0, 21, 20);
  EXPECT_EQ(scaler.CachedCount(), 2u);
  scaler.SetAreaSize(100, 80);
  EXPECT_EQ(scaler.CachedCount(), 2u);
  scaler.SetAreaSize(101, 80);
  EXPECT_EQ(scaler.CachedCount(), 0u);
  // A drawing from the cache equals a fresh one.
  BackBuffer fresh;
  ASSERT_TRUE(fresh.Resize(100, 80));
  PictureScaler other;
  other.DrawPicture(fresh, picture, 3, 4, 40, 30);
  scaler.DrawPicture(buffer, picture, 3, 4, 40, 30);
  scaler.DrawPicture(buffer, picture, 3, 4, 40, 30);
  EXPECT_EQ(buffer.PixelAt(23, 19), fresh.PixelAt(23, 19));
}

TEST_F(ScalerTest, NothingToDrawIsNoFailureButAMissingPictureIs) {
  const std::shared_ptr<const SkinPicture> picture = FramedBlueSquare();
  EXPECT_TRUE(scaler.DrawPicture(buffer, picture, 10, 10, 0, 10));
  EXPECT_TRUE(scaler.DrawPicture(buffer, picture, 500, 10, 10, 10));  // outside
  EXPECT_TRUE(scaler.DrawPicture(buffer, picture, -2000000000, 0, 2000000000, 10));
  EXPECT_EQ(scaler.CachedCount(), 0u);
  EXPECT_FALSE(scaler.DrawPicture(buffer, nullptr, 0, 0, 10, 10));
  auto empty = std::make_shared<SkinPicture>();
  EXPECT_FALSE(scaler.DrawPicture(buffer, empty, 0, 0, 10, 10));
  empty->width = 4;
  empty->height = 4;  // claims pixels it does not hold
  EXPECT_FALSE(scaler.DrawPicture(buffer, empty, 0, 0, 10, 10));
  BackBuffer invalid;
  EXPECT_FALSE(scaler.DrawPicture(invalid, picture, 0, 0, 10, 10));
  EXPECT_EQ(buffer.PixelAt(5, 5), kBackground);
}

TEST_F(ScalerTest, HugeDrawnSizesDrawOnlyTheirVisiblePart) {
  const std::shared_ptr<const SkinPicture> picture = FramedBlueSquare();
  // 40000 x 40000 would be 6 GB scaled; only the visible corner is worked out.
  ASSERT_TRUE(scaler.DrawPicture(buffer, picture, -15000, -15000, 40000, 40000));
  EXPECT_EQ(scaler.CachedCount(), 0u);
  EXPECT_EQ(buffer.PixelAt(50, 40), 0x0000FFu);
}

}  // namespace
