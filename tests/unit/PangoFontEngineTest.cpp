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

TEST_F(PangoFontEngineTest, FaceNamesResolveToFontFilesAndUnknownFacesFallBack) {
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

TEST_F(PangoFontEngineTest, MeasuresGrowWithTheSize) {
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

TEST_F(PangoFontEngineTest, DrawsAntiAliasedTextInItsColourInsideItsLine) {
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
    engine->DrawText(area, 10, 20, c.text, c.color, ColorGlyphs::Own);

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
    // Glyphs are not cut at their line box: a hinted stem may reach a pixel
    // past it.
    const auto ink = InkBounds(area);
    EXPECT_GE(ink[0], 10 - 1);
    EXPECT_GE(ink[1], 20 - 1);
    EXPECT_LE(ink[2], 10 + engine->TextWidth(c.text) + 1);
    EXPECT_LE(ink[3], 20 + engine->TextHeight(c.text) + 1);
  }
}

TEST_F(PangoFontEngineTest, RepeatedDrawsGiveTheSameLineAndClipAtTheEdges) {
  engine->SetSize(20);
  BackBuffer first;
  BackBuffer second;
  ASSERT_TRUE(first.Resize(120, 40));
  ASSERT_TRUE(second.Resize(120, 40));
  engine->DrawText(first, 5, 5, "Ab", Rgb{255, 255, 255}, ColorGlyphs::Own);
  engine->DrawText(second, 0, 0, "Ab", Rgb{255, 255, 255}, ColorGlyphs::Own);
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
                     Rgb{255, 255, 255}, ColorGlyphs::Own);
  }
  EXPECT_NE(InkBounds(small)[0], small.Width());
  engine->DrawText(small, 0, 0, "", Rgb{255, 255, 255}, ColorGlyphs::Own);

  // A long line at the largest size is hundreds of thousands of pixels wide;
  // only the part inside the buffer is rendered and kept.
  const size_t before = engine->RenderedBytes();
  engine->SetSize(2048);
  std::string longLine;
  for (int i = 0; i < 40; ++i) longLine += "Wide line ";
  engine->DrawText(small, -3000, -500, longLine, Rgb{255, 255, 255}, ColorGlyphs::Own);
  EXPECT_GT(engine->TextWidth(longLine), 100000);
  EXPECT_LT(engine->RenderedBytes() - before, 4096 + 4 * longLine.size());
  EXPECT_EQ(InkBounds(small), (std::array<int32_t, 4>{0, 0, 16, 8}));
}

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
  struct Case {
    const char* script;
    const char* text;
    bool rightToLeft;
    const char* drawnAs;  // the same line in UTF-8, for a text that is not
  };
  const Case cases[] = {
      {"Latin with accents", "Crème brûlée à la façon", false, nullptr},
      {"Latin-1 bytes",
       "Cr\xE8me br\xFBl\xE9"
       "e",
       false, "Crème brûlée"},
      {"Greek", "Καλημέρα κόσμε", false, nullptr},
      {"Cyrillic", "Привет, мир", false, nullptr},
      {"Arabic", "دار السلام", true, nullptr},
      {"Hebrew", "שלום עולם", true, nullptr},
      {"Chinese", "你好世界", false, nullptr},
      {"Japanese", "こんにちは世界", false, nullptr},
      {"Korean", "안녕하세요 세계", false, nullptr},
      {"emoji", "Film 🎬", false, nullptr},
  };
  engine->SetFace("Liberation Sans");
  engine->SetSize(24);
  const Rgb white{255, 255, 255};
  for (const Case& c : cases) {
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
    if (colorGlyphs == ColorGlyphs::Own) {
      EXPECT_GT(otherColors, 100);
    } else {
      EXPECT_EQ(otherColors, 0);
    }
  }
}

}  // namespace
