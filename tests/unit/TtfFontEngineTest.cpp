#include "platform/TtfFontEngine.h"

#include <gtest/gtest.h>

#include <string>

#include "library/TextRenderer.h"
#include "render/BackBuffer.h"

namespace {

class TtfFontEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine = TtfFontEngine::Create();
    ASSERT_NE(engine, nullptr);
    ASSERT_FALSE(engine->FontFile().empty()) << "the machine has no fonts";
  }

  // The smallest rectangle holding every pixel that is not black, as left,
  // top, right and bottom (exclusive); left > right when there is none.
  static std::array<int32_t, 4> InkBounds(const BackBuffer& area) {
    std::array<int32_t, 4> bounds{area.Width(), area.Height(), 0, 0};
    for (int32_t y = 0; y < area.Height(); ++y) {
      for (int32_t x = 0; x < area.Width(); ++x) {
        if (area.PixelAt(x, y) == 0) continue;
        bounds[0] = std::min(bounds[0], x);
        bounds[1] = std::min(bounds[1], y);
        bounds[2] = std::max(bounds[2], x + 1);
        bounds[3] = std::max(bounds[3], y + 1);
      }
    }
    return bounds;
  }

  std::unique_ptr<TtfFontEngine> engine;
};

TEST_F(TtfFontEngineTest, FaceNamesResolveToFontFilesAndUnknownFacesFallBack) {
  engine->SetFace("");
  const std::string sansSerif = engine->FontFile();
  engine->SetFace("Arial");
  EXPECT_NE(engine->FontFile().find("Liberation"), std::string::npos) << engine->FontFile();
  engine->SetFace("Tahoma");
  EXPECT_FALSE(engine->FontFile().empty());
  engine->SetFace("No Such Face: -12");
  EXPECT_EQ(engine->FontFile(), sansSerif);
  // Names are looked up ignoring letter case and keep working when repeated.
  engine->SetFace("ARIAL");
  EXPECT_NE(engine->FontFile().find("Liberation"), std::string::npos);
}

TEST_F(TtfFontEngineTest, MeasuresGrowWithTheSize) {
  engine->SetFace("Arial");
  int32_t lastHeight = 0;
  int32_t lastWidth = 0;
  for (const int32_t size : {6, 12, 24, 48}) {
    SCOPED_TRACE(size);
    engine->SetSize(size);
    EXPECT_EQ(engine->Size(), size);
    const int32_t height = engine->TextHeight("X");
    const int32_t width = engine->TextWidth("Tavizo");
    EXPECT_GT(height, lastHeight);
    EXPECT_GE(height, size);
    EXPECT_GT(width, lastWidth);
    EXPECT_GT(engine->TextWidth("Tavizo Tavizo"), width);
    lastHeight = height;
    lastWidth = width;
  }
  EXPECT_EQ(engine->TextWidth(""), 0);
  engine->SetSize(0);
  EXPECT_EQ(engine->Size(), 1);
}

TEST_F(TtfFontEngineTest, DrawsAntiAliasedTextInItsColourInsideItsLine) {
  struct Case {
    const char* text;
    Rgb color;
  };
  const Case cases[] = {
      {"Tavizo", Rgb{255, 0, 0}},
      {"Grüße €", Rgb{0, 0, 255}},
      {"Tavizo", Rgb{0, 255, 0}},  // the cached line again, in another colour
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    BackBuffer area;
    ASSERT_TRUE(area.Resize(300, 80));
    engine->SetFace("DejaVu Sans");
    engine->SetSize(30);
    engine->DrawText(area, 10, 20, c.text, c.color);

    const uint32_t full = (uint32_t{c.color.r} << 16) | (uint32_t{c.color.g} << 8) | c.color.b;
    int fullPixels = 0;
    int partialPixels = 0;
    for (int32_t y = 0; y < area.Height(); ++y) {
      for (int32_t x = 0; x < area.Width(); ++x) {
        const uint32_t pixel = area.PixelAt(x, y);
        if (pixel == 0) continue;
        // Over black, every pixel is a shade of the colour and nothing else.
        EXPECT_EQ(pixel & ~full, 0u) << x << "," << y;
        if (pixel == full) {
          ++fullPixels;
        } else {
          ++partialPixels;
        }
      }
    }
    EXPECT_GT(fullPixels, 50);
    EXPECT_GT(partialPixels, 10);  // anti-aliased edges
    const auto ink = InkBounds(area);
    EXPECT_GE(ink[0], 10);
    EXPECT_GE(ink[1], 20);
    EXPECT_LE(ink[2], 10 + engine->TextWidth(c.text) + 1);
    EXPECT_LE(ink[3], 20 + engine->TextHeight(c.text));
  }
}

TEST_F(TtfFontEngineTest, RepeatedDrawsGiveTheSameLineAndClipAtTheEdges) {
  engine->SetSize(20);
  BackBuffer first;
  BackBuffer second;
  ASSERT_TRUE(first.Resize(120, 40));
  ASSERT_TRUE(second.Resize(120, 40));
  engine->DrawText(first, 5, 5, "Ab", Rgb{255, 255, 255});
  engine->DrawText(second, 0, 0, "Ab", Rgb{255, 255, 255});
  for (int32_t y = 0; y < 30; ++y) {
    for (int32_t x = 0; x < 100; ++x) {
      ASSERT_EQ(first.PixelAt(x + 5, y + 5), second.PixelAt(x, y)) << x << "," << y;
    }
  }
  // Lines reaching past any edge are cut there, without touching memory
  // outside the buffer (the sanitiser build would catch that).
  BackBuffer small;
  ASSERT_TRUE(small.Resize(16, 8));
  for (const auto& position : {std::pair{-30, -10}, std::pair{10, 4}, std::pair{-5, 2}}) {
    engine->DrawText(small, position.first, position.second, "Wide line of text",
                     Rgb{255, 255, 255});
  }
  EXPECT_NE(InkBounds(small)[0], small.Width());
  engine->DrawText(small, 0, 0, "", Rgb{255, 255, 255});
}

TEST_F(TtfFontEngineTest, FittedTextIsAsHighAsTheLineAllows) {
  TextRenderer renderer(*engine);
  engine->SetFace("Arial");
  for (const double lineHeight : {10.0, 23.0, 64.0}) {
    SCOPED_TRACE(lineHeight);
    const int32_t size = renderer.FitFontSize(lineHeight, "X");
    EXPECT_LE(engine->TextHeight("X"), lineHeight);
    engine->SetSize(size + 1);
    EXPECT_GT(engine->TextHeight("X"), lineHeight);
  }
}

}  // namespace
