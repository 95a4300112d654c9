#include "library/TextRenderer.h"

#include <algorithm>

#include "app/Conversions.h"
#include "app/Text.h"
#include "library/FontEngine.h"
#include "render/BackBuffer.h"
#include "render/ListGeometry.h"
#include "skin/SkinElement.h"
#include "skin/SkinModel.h"

namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kEllipsis = "...";
constexpr Rgb kOutlineColor{0, 0, 0};
// How far the four outline passes are moved from the text, in pixels.
constexpr int32_t kOutlineOffset = 2;
// No line of text is drawn taller than this: fitting starts here at the
// latest, so an absurdly large text box cannot make fitting count down from
// billions.
constexpr int32_t kLargestFontSize = 2048;

uint32_t PixelOf(Rgb color) {
  return (uint32_t{color.r} << 16) | (uint32_t{color.g} << 8) | uint32_t{color.b};
}

// The state whose text fields are used; an out-of-range state reads as Idle.
int StateIndex(const SkinElement& element) {
  return element.State >= 0 && element.State < kStateCount ? element.State : Idle;
}

struct TextBox {
  double x = 0;  // offsets from the element's top-left corner
  double y = 0;
  double width = 0;
  double height = 0;
};

// The text box of the element's current state, in pixels. A side given as -1
// takes as many pixels as the other side, as element sizes do, so a box of
// -1 x 10 % is square; both sides -1 name no size, like a box of 0 x 0.
TextBox TextBoxOf(const SkinElement& element, int st, double ew, double eh) {
  const double textW = element.TextW[st];
  const double textH = element.TextH[st];
  TextBox box;
  if (textW == -1 && textH == -1) {
    box.width = 0;
    box.height = 0;
  } else if (textH == -1) {
    box.width = ew / 100 * textW;
    box.height = box.width;
  } else if (textW != -1) {
    box.width = ew / 100 * textW;
    box.height = eh / 100 * textH;
  } else {
    box.height = eh / 100 * textH;
    box.width = box.height;
  }
  box.x = element.TextX[st] == -1 ? (ew - box.width) / 2 : ew / 100 * element.TextX[st];
  box.y = element.TextY[st] == -1 ? (eh - box.height) / 2 : eh / 100 * element.TextY[st];
  // A box without size still gets room for its text.
  if (box.height == 0) box.height = 100;
  if (box.width == 0) box.width = 100;
  return box;
}

// A line's colour prefix "{fg;bg}" taken apart.
struct LinePrefix {
  std::string_view text;  // the line without its prefix
  Rgb foreground;
  bool hasBackground = false;
  Rgb background;
};

// Splits "{fg;bg}text". A "{" without "}" reads as black text on white, and
// only the "{" is dropped.
LinePrefix ParsePrefix(std::string_view line) {
  LinePrefix result;
  std::string_view fields;
  const size_t close = line.find('}');
  if (close == std::string_view::npos) {
    fields = "0;16777215";
    result.text = line.substr(1);
  } else {
    fields = line.substr(1, close - 1);
    result.text = line.substr(close + 1);
  }
  const size_t separator = fields.find(';');
  const std::string_view foreground = fields.substr(0, separator);
  std::string_view background;
  if (separator != std::string_view::npos) {
    background = fields.substr(separator + 1);
    background = background.substr(0, background.find(';'));
  }
  result.foreground = Rgb::FromRgbNumber(static_cast<uint32_t>(ToLong(foreground)));
  if (!background.empty()) {
    result.hasBackground = true;
    result.background = Rgb::FromRgbNumber(static_cast<uint32_t>(ToLong(background)));
  }
  return result;
}

}  // namespace

void TextRenderer::Element_DrawText(BackBuffer& area, const SkinElement& element,
                                    std::string_view text, ListGeometry* listGeometry) {
  const int st = StateIndex(element);
  std::string_view s = EqualsIgnoreCase(text, "XselfX") ? std::string_view(element.Text[st]) : text;
  if (s.empty()) return;

  double ex = element.PosX;
  double ey = element.PosY;
  double ew = element.SizeW;
  double eh = element.SizeH;
  PercentRectToPixels(area.Width(), area.Height(), ex, ey, ew, eh);

  const TextBox box = TextBoxOf(element, st, ew, eh);
  const int32_t lines = std::max(element.TextLines[st], 1);
  const double lineHeight = box.height / lines;

  if (!element.FontName[st].empty()) mFonts.SetFace(element.FontName[st]);
  FitFontSize(lineHeight, "X");

  if (listGeometry && EqualsIgnoreCase(element.Name, "lstPlaylist")) {
    listGeometry->mListTop = box.y + ey;
    listGeometry->mRowHeight = lineHeight;
  }

  const bool centred = element.TextX[st] == -1;
  double y = box.y;
  while (!s.empty()) {
    const size_t lineEnd = s.find(kLineBreak);
    std::string_view line = s.substr(0, lineEnd);
    s = lineEnd == std::string_view::npos ? std::string_view() : s.substr(lineEnd + 2);

    Rgb foreground = element.TextColor[st];
    if (!line.empty() && line.front() == '{') {
      const LinePrefix prefix = ParsePrefix(line);
      line = prefix.text;
      foreground = prefix.foreground;
      if (prefix.hasBackground) {
        // The box runs from its left edge to left + width inclusive, and one
        // line high.
        const int32_t x1 = RoundToInt32(box.x + ex);
        const int32_t y1 = RoundToInt32(y + ey);
        area.FillRect(x1, y1, RoundToInt32(box.width) + 1, RoundToInt32(lineHeight),
                      PixelOf(prefix.background));
      }
    }

    const int32_t top = RoundToInt32(RoundHalfEven(y) + ey);
    // A line starting below the area has nothing to show; skipping it spares
    // measuring and rendering long texts that run far past their box.
    const bool belowArea = top - kOutlineOffset >= area.Height();
    const std::string shown = belowArea ? std::string() : EllipsizeText(box.width, line);
    if (!shown.empty()) {
      double x = ex + RoundHalfEven(box.x);
      if (centred) x += (box.width - mFonts.TextWidth(shown)) / 2;
      const int32_t left = RoundToInt32(x);
      for (const int32_t dx : {-kOutlineOffset, kOutlineOffset}) {
        for (const int32_t dy : {-kOutlineOffset, kOutlineOffset}) {
          mFonts.DrawText(area, left + dx, top + dy, shown, kOutlineColor);
        }
      }
      mFonts.DrawText(area, left, top, shown, foreground);
    }
    y += lineHeight;
  }
}

int32_t TextRenderer::FitFontSize(double lineHeight, std::string_view sample) {
  int32_t size = std::clamp(RoundToInt32(lineHeight), 1, kLargestFontSize);
  mFonts.SetSize(size);
  // Heights grow with the size, so the first size from the top whose text
  // fits is the largest that fits.
  while (size > 1 && mFonts.TextHeight(sample) > lineHeight) {
    --size;
    mFonts.SetSize(size);
    if (mFonts.Size() != size) break;  // the font has no smaller size
  }
  return mFonts.Size();
}

std::string TextRenderer::EllipsizeText(double width, std::string_view text) {
  if (mFonts.TextWidth(text) <= width) return std::string(text);
  std::string_view kept = text;
  std::string candidate = std::string(kept) + std::string(kEllipsis);
  while (!kept.empty() && mFonts.TextWidth(candidate) > width) {
    kept = DropLastCodePoint(kept);
    candidate.assign(kept);
    candidate += kEllipsis;
  }
  return candidate;
}

// The line is as wide as its text, so the width percentage is not needed.
void TextRenderer::DrawCentredText(BackBuffer& box, std::string_view text, double x, double y,
                                   double /*w*/, double h) {
  if (text.empty()) return;
  const double width = box.Width();
  const double height = box.Height();
  const double lineHeight = height / 100 * h;
  const double centre = x == -1 ? width / 2 : width / 100 * x;
  const double top = y == -1 ? (height - lineHeight) / 2 : height / 100 * y;
  FitFontSize(lineHeight, text);
  const double textWidth = mFonts.TextWidth(text);
  mFonts.DrawText(box, RoundToInt32(centre - textWidth / 2), RoundToInt32(top), text, Rgb{0, 0, 0});
}
