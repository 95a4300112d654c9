#include "render/TextRenderer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/BackBuffer.h"
#include "skin/SkinElement.h"
#include "support/FakeFontEngine.h"

namespace {

constexpr uint32_t kGrey = 0x808080;

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

TEST(TextRendererTest, TextBoxSizeLineHeightAndFont) {
  // The area is 200 x 100; characters are half the font size wide.
  const struct {
    const char* name;
    double textW, textH;
    int32_t lines;
    const char* text;
    const char* shown;
    int32_t fontSize;
  } cases[] = {
      {"explicit box", 50, 20, 1, "ABCDEFGHIJKL", "ABCDEFG...", 20},
      {"two lines of ten pixels", 50, 20, 2, "AB", "AB", 10},
      {"width -1 is as wide as high", -1, 40, 2, "ABCDE", "A...", 20},
      {"height -1 is as high as wide", 20, -1, 2, "ABCDE", "A...", 20},
      {"no height is 100 pixels", 50, 0, 5, "AB", "AB", 20},
      {"both -1 is 100 x 100 pixels", -1, -1, 5, "ABCDEFGHIJKL", "ABCDEFG...", 20},
  };
  for (const auto& c : cases) {
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
  // The box's left is a share of the area's width, its top of its height.
  Scene scene;
  scene.renderer.Element_DrawText(scene.area, TextElement(), "AB");
  ASSERT_EQ(scene.TextDraws().size(), 1u);
  EXPECT_EQ(scene.TextDraws()[0].x, 20);
  EXPECT_EQ(scene.TextDraws()[0].y, 20);
}

}  // namespace
