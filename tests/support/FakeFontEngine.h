#pragma once

// A font with fixed metrics for tests: every character is size / 2 pixels
// wide (at least 1) and the text is `size` pixels high. Drawing paints each
// character except blanks as a solid box one pixel narrower than its advance,
// so tests can find text by its colour; every draw is also recorded.

#include <string>
#include <vector>

#include "render/FontEngine.h"

class FakeFontEngine final : public FontEngine {
 public:
  struct Draw {
    int32_t x;
    int32_t y;
    std::string text;
    Rgb color;
    ColorGlyphs colorGlyphs;
    std::string face;
    int32_t size;
  };

  void SetFace(const std::string& faceName) override { mFace = faceName; }
  void SetSize(int32_t size) override { mSize = size < 1 ? 1 : size; }
  int32_t Size() const override { return mSize; }
  int32_t TextHeight(std::string_view text) override;
  int32_t TextWidth(std::string_view text) override;
  void DrawText(BackBuffer& target, int32_t x, int32_t y, std::string_view text, Rgb color,
                ColorGlyphs colorGlyphs) override;

  int32_t Advance() const { return mSize / 2 < 1 ? 1 : mSize / 2; }
  const std::string& Face() const { return mFace; }

  std::vector<Draw> draws;

 private:
  std::string mFace = "Default";
  int32_t mSize = 10;
};
