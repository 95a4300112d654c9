#include "render/TextRenderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "base/Text.h"
#include "render/BackBuffer.h"
#include "render/ListGeometry.h"
#include "skin/SkinElement.h"
#include "support/FakeFontEngine.h"

namespace {

constexpr uint32_t kGrey = 0x808080;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kWhite = 0xFFFFFF;

// A 200 x 100 area cleared to grey, so black outlines and boxes show.
struct Scene {
  Scene() {
    area.Resize(200, 100);
    area.FillRect(0, 0, 200, 100, kGrey);
  }
  std::vector<FakeFontEngine::Draw> TextDraws() const {
    std::vector<FakeFontEngine::Draw> result;
    // Every fifth draw is the text itself; the four before it are its outline.
    for (size_t i = 4; i < fonts.draws.size(); i += 5) result.push_back(fonts.draws[i]);
    return result;
  }
  bool AllPixelsAre(uint32_t pixel) const {
    for (int32_t y = 0; y < area.Height(); ++y) {
      for (int32_t x = 0; x < area.Width(); ++x) {
        if (area.PixelAt(x, y) != pixel) return false;
      }
    }
    return true;
  }

  BackBuffer area;
  FakeFontEngine fonts;
  TextRenderer renderer{fonts};
};

// An element over the whole area whose text box starts at (20, 20) and is
// 100 x 20 pixels: one line of 20 pixels, so the fake font is 20 pixels high
// with 10-pixel characters.
SkinElement TextElement() {
  SkinElement element;
  element.Name = "picText";
  element.Window = "wndMain";
  element.FullName = "wndMain.picText";
  element.PosX = 0;
  element.PosY = 0;
  element.SizeW = 100;
  element.SizeH = 100;
  for (int st = 0; st < kStateCount; ++st) {
    element.TextX[st] = 10;
    element.TextY[st] = 20;
    element.TextW[st] = 50;
    element.TextH[st] = 20;
    element.TextLines[st] = 1;
    element.TextColor[st] = Rgb{255, 255, 255};
  }
  return element;
}

uint32_t PixelOf(Rgb color) {
  return (uint32_t{color.r} << 16) | (uint32_t{color.g} << 8) | uint32_t{color.b};
}

TEST(TextRendererTest, ColourPrefixesSetTheTextColourAndFillTheLineBox) {
  struct Case {
    const char* line;
    const char* shownText;
    Rgb textColor;
    std::optional<uint32_t> boxPixel;  // nothing: no box, the area stays grey
  };
  const Case cases[] = {
      {"Ab", "Ab", Rgb{255, 255, 255}, std::nullopt},
      {"{;}Ab", "Ab", Rgb{0, 0, 0}, std::nullopt},
      {"{255;65280}Ab", "Ab", Rgb{255, 0, 0}, kGreen},
      {"{65535;}Ab", "Ab", Rgb{255, 255, 0}, std::nullopt},
      {"{Ab", "Ab", Rgb{0, 0, 0}, kWhite},
      {"{;16711680;99}Ab", "Ab", Rgb{0, 0, 0}, 0x0000FF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    Scene scene;
    scene.renderer.Element_DrawText(scene.area, TextElement(), c.line);
    const auto texts = scene.TextDraws();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, c.shownText);
    EXPECT_EQ(texts[0].color, c.textColor);
    // The box spans the text box's width (x 20 to 120 inclusive) and one line
    // (y 20 to 39), away from the glyphs at its left end.
    const uint32_t box = c.boxPixel.value_or(kGrey);
    EXPECT_EQ(scene.area.PixelAt(100, 25), box);
    EXPECT_EQ(scene.area.PixelAt(120, 20), box);
    EXPECT_EQ(scene.area.PixelAt(120, 39), box);
    EXPECT_EQ(scene.area.PixelAt(121, 25), kGrey);
    EXPECT_EQ(scene.area.PixelAt(100, 40), kGrey);
    EXPECT_EQ(scene.area.PixelAt(100, 19), kGrey);
    // The text is drawn over the box.
    EXPECT_EQ(scene.area.PixelAt(24, 30), PixelOf(c.textColor));
  }
}

TEST(TextRendererTest, EmptyTextsDrawNothing) {
  struct Case {
    const char* name;
    const char* text;
    const char* ownText;
  };
  const Case cases[] = {
      {"empty text", "", "own"},
      {"own text empty", "XselfX", ""},
      {"own text empty, other case", "xSELFx", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Scene scene;
    SkinElement element = TextElement();
    element.Text[Idle] = c.ownText;
    scene.renderer.Element_DrawText(scene.area, element, c.text);
    EXPECT_TRUE(scene.fonts.draws.empty());
    EXPECT_TRUE(scene.AllPixelsAre(kGrey));
  }
}

TEST(TextRendererTest, OwnTextAndStyleComeFromTheCurrentState) {
  Scene scene;
  SkinElement element = TextElement();
  element.Text[Idle] = "Idle";
  element.Text[Selected] = "Sel";
  element.TextColor[Selected] = Rgb{1, 2, 3};
  element.TextY[Selected] = 50;
  element.State = Selected;
  scene.renderer.Element_DrawText(scene.area, element, "xselfX");
  auto texts = scene.TextDraws();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "Sel");
  EXPECT_EQ(texts[0].color, (Rgb{1, 2, 3}));
  EXPECT_EQ(texts[0].y, 50);

  // A state outside the four known ones reads as Idle rather than past the end.
  scene.fonts.draws.clear();
  element.State = 7;
  scene.renderer.Element_DrawText(scene.area, element, "XselfX");
  texts = scene.TextDraws();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "Idle");
}

TEST(TextRendererTest, EachLineGetsAFourCornerBlackOutlineThenItsColour) {
  Scene scene;
  scene.renderer.Element_DrawText(scene.area, TextElement(), "Ab");
  ASSERT_EQ(scene.fonts.draws.size(), 5u);
  const int32_t offsets[4][2] = {{-2, -2}, {-2, 2}, {2, -2}, {2, 2}};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(scene.fonts.draws[i].x, 20 + offsets[i][0]);
    EXPECT_EQ(scene.fonts.draws[i].y, 20 + offsets[i][1]);
    EXPECT_EQ(scene.fonts.draws[i].color, (Rgb{0, 0, 0}));
    EXPECT_EQ(scene.fonts.draws[i].colorGlyphs, ColorGlyphs::Solid);  // emoji outlined in black
    EXPECT_EQ(scene.fonts.draws[i].text, "Ab");
  }
  EXPECT_EQ(scene.fonts.draws[4].colorGlyphs, ColorGlyphs::Own);
  EXPECT_EQ(scene.fonts.draws[4].x, 20);
  EXPECT_EQ(scene.fonts.draws[4].y, 20);
  EXPECT_EQ(scene.fonts.draws[4].size, 20);
  // Only the outline reaches above and left of the text; the text covers it.
  EXPECT_EQ(scene.area.PixelAt(18, 18), kBlack);
  EXPECT_EQ(scene.area.PixelAt(17, 18), kGrey);
  EXPECT_EQ(scene.area.PixelAt(20, 20), kWhite);
  EXPECT_EQ(scene.area.PixelAt(39, 41), kBlack);
}

TEST(TextRendererTest, LinesFollowEachOtherAndRunPastTheLineCount) {
  struct Case {
    const char* text;
    std::vector<std::pair<std::string, int32_t>> lines;  // text and top
  };
  const Case cases[] = {
      {"a\r\nb\r\nc", {{"a", 20}, {"b", 40}, {"c", 60}}},
      // The area is 100 high: "e" still shows its outline at 98, "f" shows nothing.
      {"a\r\nb\r\nc\r\nd\r\ne\r\nf", {{"a", 20}, {"b", 40}, {"c", 60}, {"d", 80}, {"e", 100}}},
      {"a\r\n", {{"a", 20}}},
      {"\r\nb", {{"b", 40}}},
      {"a\nb", {{"a\nb", 20}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Scene scene;
    scene.renderer.Element_DrawText(scene.area, TextElement(), c.text);
    const auto texts = scene.TextDraws();
    ASSERT_EQ(texts.size(), c.lines.size());
    for (size_t i = 0; i < texts.size(); ++i) {
      EXPECT_EQ(texts[i].text, c.lines[i].first);
      EXPECT_EQ(texts[i].y, c.lines[i].second);
    }
  }
}

TEST(TextRendererTest, TextBoxSizeLineHeightAndFont) {
  struct Case {
    const char* name;
    double textW, textH;
    int32_t lines;
    const char* text;
    const char* shown;
    int32_t fontSize;
  };
  // The area is 200 x 100; characters are half the font size wide.
  const Case cases[] = {
      {"explicit box", 50, 20, 1, "ABCDEFGHIJKL", "ABCDEFG...", 20},
      {"two lines of ten pixels", 50, 20, 2, "AB", "AB", 10},
      {"no line count reads as one line", 50, 20, 0, "AB", "AB", 20},
      {"width -1 is as wide as high", -1, 40, 2, "ABCDE", "A...", 20},
      {"height -1 is as high as wide", 20, -1, 2, "ABCDE", "A...", 20},
      {"no height is 100 pixels", 50, 0, 5, "AB", "AB", 20},
      {"no width is 100 pixels", 0, 20, 1, "ABCDEFGHIJKL", "ABCDEFG...", 20},
      {"both -1 is 100 x 100 pixels", -1, -1, 5, "ABCDEFGHIJKL", "ABCDEFG...", 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Scene scene;
    SkinElement element = TextElement();
    element.TextW[Idle] = c.textW;
    element.TextH[Idle] = c.textH;
    element.TextLines[Idle] = c.lines;
    scene.renderer.Element_DrawText(scene.area, element, c.text);
    const auto texts = scene.TextDraws();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, c.shown);
    EXPECT_EQ(texts[0].size, c.fontSize);
  }
}

TEST(TextRendererTest, FaceChangesOnlyWhenTheStateNamesOne) {
  Scene scene;
  SkinElement element = TextElement();
  element.FontName[Idle] = "Tahoma";
  scene.renderer.Element_DrawText(scene.area, element, "A");
  EXPECT_EQ(scene.fonts.Face(), "Tahoma");
  element.FontName[Idle] = "";
  scene.renderer.Element_DrawText(scene.area, element, "A");
  EXPECT_EQ(scene.fonts.Face(), "Tahoma");
  EXPECT_EQ(scene.fonts.draws.back().face, "Tahoma");
}

TEST(TextRendererTest, CentredTextIsCentredLineByLine) {
  Scene scene;
  SkinElement element = TextElement();
  element.TextX[Idle] = -1;  // box 100 wide at x 50
  element.TextH[Idle] = 10;  // 10-pixel lines, 5-pixel characters
  scene.renderer.Element_DrawText(scene.area, element, "A\r\nABC\r\nABCDEFGHIJKLMNOPQRSTUVWXYZ");
  const auto texts = scene.TextDraws();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].x, 98);                         // 50 + (100 - 5) / 2 = 97.5, to the even 98
  EXPECT_EQ(texts[1].x, 92);                         // 50 + (100 - 15) / 2 = 92.5, to the even 92
  EXPECT_EQ(texts[2].text, "ABCDEFGHIJKLMNOPQ...");  // cut to the box, then centred
  EXPECT_EQ(texts[2].x, 50);
}

TEST(TextRendererTest, ThePlayListRecordsWhereItsRowsLie) {
  struct Case {
    const char* name;
    bool expectGeometry;
  };
  const Case cases[] = {{"lstPlaylist", true}, {"LSTPLAYLIST", true}, {"lstPlaylist2", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Scene scene;
    SkinElement element = TextElement();
    element.Name = c.name;
    element.PosY = 10;  // element top 10, height 80
    element.SizeH = 80;
    element.TextY[Idle] = 25;  // text box top 20 into the element, 40 high
    element.TextH[Idle] = 50;
    element.TextLines[Idle] = 4;
    ListGeometry geometry;
    geometry.mListTop = -7;
    geometry.mRowHeight = -7;
    scene.renderer.Element_DrawText(scene.area, element, "{;}a\r\nb", &geometry);
    EXPECT_EQ(geometry.mListTop, c.expectGeometry ? 30 : -7);
    EXPECT_EQ(geometry.mRowHeight, c.expectGeometry ? 10 : -7);
    // Without a place for it the geometry is simply not recorded.
    scene.renderer.Element_DrawText(scene.area, element, "a", nullptr);
  }
}

// Text that is a quarter taller than its size, as real fonts are.
class TallFont final : public FontEngine {
 public:
  void SetFace(const std::string&) override {}
  void SetSize(int32_t size) override {
    mSize = size < 1 ? 1 : size;
    ++sets;
  }
  int32_t Size() const override { return mSize; }
  int32_t TextHeight(std::string_view) override { return mSize + mSize / 4; }
  int32_t TextWidth(std::string_view text) override {
    return static_cast<int32_t>(CodePointCount(text)) * mSize;
  }
  void DrawText(BackBuffer&, int32_t, int32_t, std::string_view, Rgb, ColorGlyphs) override {}
  int sets = 0;

 private:
  int32_t mSize = 10;
};

TEST(TextRendererTest, FitFontSizeFindsTheLargestSizeThatFits) {
  struct Case {
    double lineHeight;
    int32_t expected;
  };
  const Case cases[] = {
      {20, 16},                // 16 + 4 = 20 fits, 17 + 4 = 21 does not
      {21, 17},                // 17 + 4 = 21
      {20.9, 16},              // starts at 21, whose height 21 is over 20.9
      {2.5, 2},                // starts at 2 (half to even), which fits
      {1, 1},       {0.4, 1},  // never below 1
      {-3, 1},      {std::numeric_limits<double>::quiet_NaN(), 1},
      {1e12, 2048},  // huge boxes start from the largest size instead of counting down
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lineHeight);
    TallFont font;
    TextRenderer renderer(font);
    EXPECT_EQ(renderer.FitFontSize(c.lineHeight, "X"), c.expected);
    EXPECT_EQ(font.Size(), c.expected);
  }
}

TEST(TextRendererTest, EllipsizeTextCutsWholeCharacters) {
  struct Case {
    double width;
    const char* text;
    const char* expected;
  };
  // Every character, ASCII or not, is 5 pixels wide; "..." is 15.
  const std::string longText(1000, 'x');
  const std::string long300 = std::string(300, 'x') + "...";
  const char* kLong = longText.c_str();
  const char* kLong300 = long300.c_str();
  const Case cases[] = {
      {25, "Grüße", "Grüße"},  // fits exactly
      {24.9, "Grüße", "G..."},
      {29, "üüüüüü", "üü..."},
      {35, "ßßßßßßßß", "ßßßß..."},
      {14, "Grüße", "..."},  // not even the ellipsis fits: "..." alone
      {0, "€", "..."},
      {0, "", ""},
      {100, "", ""},
      {-1, "", "..."},
      // Long texts: 300 characters kept of 1000, and all 1000.
      {1515, kLong, kLong300},
      {5000, kLong, kLong},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text).substr(0, 20));
    SCOPED_TRACE(c.width);
    FakeFontEngine fonts;
    fonts.SetSize(10);
    TextRenderer renderer(fonts);
    const std::string result = renderer.EllipsizeText(c.width, c.text);
    EXPECT_EQ(result, c.expected);
    EXPECT_TRUE(IsValidUtf8(result));
  }
}

TEST(TextRendererTest, DrawCentredTextCentresOneBlackLine) {
  struct Case {
    double x, y, h;
    int32_t left, top, size;
  };
  // The box is 250 x 50; "Tavizo 1.0.0" is 12 characters of half the size.
  const Case cases[] = {
      {-1, 5, 40, 65, 2, 20},    // top 2.5 rounds to 2
      {-1, -1, 40, 65, 15, 20},  // vertically centred too
      {20, 0, 20, 20, 0, 10},    // centre at 50, 60 pixels wide
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    SCOPED_TRACE(c.y);
    BackBuffer box;
    box.Resize(250, 50);
    box.FillRect(0, 0, 250, 50, kGrey);
    FakeFontEngine fonts;
    TextRenderer renderer(fonts);
    renderer.DrawCentredText(box, "Tavizo 1.0.0", c.x, c.y, -1, c.h);
    ASSERT_EQ(fonts.draws.size(), 1u);
    EXPECT_EQ(fonts.draws[0].x, c.left);
    EXPECT_EQ(fonts.draws[0].y, c.top);
    EXPECT_EQ(fonts.draws[0].size, c.size);
    EXPECT_EQ(fonts.draws[0].color, (Rgb{0, 0, 0}));
    EXPECT_EQ(box.PixelAt(c.left + 1, c.top + 1), kBlack);
  }
}

}  // namespace
