#include "platform/PangoFontEngine.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "base/Text.h"
#include "render/BackBuffer.h"
#include "render/TextRenderer.h"

namespace {

class PangoFontEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine = PangoFontEngine::Create();
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

  std::unique_ptr<PangoFontEngine> engine;
};

TEST_F(PangoFontEngineTest, FittedTextIsAsHighAsTheLineAllows) {
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

// Names in the scripts people name their files in: every character has a
// glyph from some font of the machine, and right-to-left scripts run from the
// right. The line without its first character (right to left) or its last
// (left to right) draws exactly as the left part of the whole line, which
// holds only when the first character stands at the right, or the last at
// the right.
TEST_F(PangoFontEngineTest, EveryScriptIsDrawnInItsOwnDirectionWithNoUnknownGlyph) {
  const struct {
    const char* script;
    const char* text;
    bool rightToLeft;
    const char* drawnAs;  // the same line in UTF-8, for a text that is not
  } cases[] = {
      {"Latin with accents", "Crème brûlée à la façon", false, nullptr},
      {"Latin-1 bytes",
       "Cr\xE8me br\xFBl\xE9"
       "e",
       false, "Crème brûlée"},
      {"Cyrillic", "Привет, мир", false, nullptr},
      {"Arabic", "دار السلام", true, nullptr},
      {"Hebrew", "שלום עולם", true, nullptr},
      {"Chinese", "你好世界", false, nullptr},
      {"Korean", "안녕하세요 세계", false, nullptr},
      {"emoji", "Film 🎬", false, nullptr},
  };
  engine->SetFace("Liberation Sans");
  engine->SetSize(24);
  const Rgb white{255, 255, 255};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    EXPECT_EQ(engine->UnknownGlyphs(c.text), 0);
    BackBuffer whole;
    ASSERT_TRUE(whole.Resize(400, 50));
    engine->DrawText(whole, 10, 10, c.text, white, ColorGlyphs::Solid);
    const std::string_view text = c.text;
    const std::string_view rest =
        c.rightToLeft ? DropFirstCodePoint(text) : DropLastCodePoint(text);
    BackBuffer part;
    ASSERT_TRUE(part.Resize(400, 50));
    engine->DrawText(part, 10, 10, rest, white, ColorGlyphs::Solid);
    // The character left out stands right of the rest.
    const int32_t restRight = 10 + engine->TextWidth(rest);
    EXPECT_GT(InkBounds(whole)[2], restRight + 2);
    for (int32_t y = 0; y < 50; ++y) {
      for (int32_t x = 0; x < restRight - 3; ++x) {
        ASSERT_EQ(whole.PixelAt(x, y), part.PixelAt(x, y)) << x << "," << y;
      }
    }
    if (c.drawnAs) {
      EXPECT_EQ(engine->TextWidth(c.text), engine->TextWidth(c.drawnAs));
      BackBuffer utf8;
      ASSERT_TRUE(utf8.Resize(400, 50));
      engine->DrawText(utf8, 10, 10, c.drawnAs, white, ColorGlyphs::Solid);
      EXPECT_EQ(InkBounds(whole), InkBounds(utf8));
    }
  }

  // Emoji keep their own colours in the text and are solid shapes in an
  // outline.
  for (const ColorGlyphs colorGlyphs : {ColorGlyphs::Own, ColorGlyphs::Solid}) {
    BackBuffer area;
    ASSERT_TRUE(area.Resize(100, 50));
    engine->DrawText(area, 10, 10, "🎬🌈", Rgb{0, 0, 255}, colorGlyphs);
    int otherColors = 0;
    for (int32_t y = 0; y < area.Height(); ++y) {
      for (int32_t x = 0; x < area.Width(); ++x) {
        if ((area.PixelAt(x, y) & 0xFFFF00u) != 0) ++otherColors;
      }
    }
    EXPECT_EQ(otherColors > 100, colorGlyphs == ColorGlyphs::Own) << otherColors;
    EXPECT_TRUE(colorGlyphs == ColorGlyphs::Own || otherColors == 0) << otherColors;
  }
}

}  // namespace
