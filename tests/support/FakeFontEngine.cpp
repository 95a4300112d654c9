#include "support/FakeFontEngine.h"

#include "base/Text.h"
#include "render/BackBuffer.h"

int32_t FakeFontEngine::TextHeight(std::string_view) {
  return mSize;
}

int32_t FakeFontEngine::TextWidth(std::string_view text) {
  return static_cast<int32_t>(CodePointCount(text)) * Advance();
}

void FakeFontEngine::DrawText(BackBuffer& target, int32_t x, int32_t y, std::string_view text,
                              Rgb color, ColorGlyphs colorGlyphs) {
  draws.push_back(Draw{x, y, std::string(text), color, colorGlyphs, mFace, mSize});
  const uint32_t pixel = (uint32_t{color.r} << 16) | (uint32_t{color.g} << 8) | color.b;
  size_t position = 0;
  int32_t left = x;
  while (position < text.size()) {
    const char32_t c = NextCodePoint(text, position);
    if (c != ' ') target.FillRect(left, y, Advance() > 1 ? Advance() - 1 : 1, mSize, pixel);
    left += Advance();
  }
}
