#include "render/TextRenderer.h"

#include <algorithm>
#include <vector>

#include "base/Conversions.h"
#include "base/Text.h"
#include "render/BackBuffer.h"
#include "render/ElementBox.h"
#include "render/FontEngine.h"
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
  ClampSpan(box.x, box.width);
  ClampSpan(box.y, box.height);
  return box;
}

// Entry k is the number of bytes of the text's first k code points.
std::vector<size_t> CodePointPrefixes(std::string_view text) {
  std::vector<size_t> prefixes{0};
  for (size_t position = 0; position < text.size();) {
    NextCodePoint(text, position);
    prefixes.push_back(position);
  }
  return prefixes;
}

// Measuring starts with this many characters: texts of a skin are shorter,
// so they are measured once, and a long line costs what its shown part does.
constexpr size_t kFirstProbe = 64;

// The largest k in 0..count for which fits(k) holds, where fits holds for
// every k below one for which it holds. Tries 64, 128, ... first and then
// halves, so the cost follows the answer rather than the count.
template <typename Fits>
size_t LargestThatFits(size_t count, const Fits& fits) {
  size_t low = 0;
  size_t probe = std::min(count, kFirstProbe);
  while (probe > low && fits(probe)) {
    low = probe;
    probe = std::min(count, probe * 2);
  }
  if (probe == low) return low;
  size_t high = probe - 1;  // fits(probe) failed
  while (low < high) {
    const size_t middle = low + (high - low + 1) / 2;
    if (fits(middle)) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  return low;
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

  const ElementBox elementBox = ElementBox::Of(element, area.Width(), area.Height());
  const double ex = elementBox.x;
  const double ey = elementBox.y;

  const TextBox box = TextBoxOf(element, st, elementBox.w, elementBox.h);
  const int32_t lines = std::max(element.TextLines[st], 1);
  const double lineHeight = box.height / lines;

  if (!element.FontName[st].empty()) mFonts.SetFace(element.FontName[st]);
  FitFontSize(lineHeight, "X");
  const int32_t textHeight = mFonts.TextHeight("X");

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

    const double top = RoundHalfEven(RoundHalfEven(y) + ey);
    y += lineHeight;
    // Only a line that reaches the area, outline included, is measured and
    // drawn: a long text runs far past its box.
    if (top - kOutlineOffset >= area.Height() || top + textHeight + kOutlineOffset <= 0) continue;
    DrawLine(area, line, ex + RoundHalfEven(box.x), box.width, centred, static_cast<int32_t>(top),
             foreground);
  }
}

void TextRenderer::DrawLine(BackBuffer& area, std::string_view line, double boxLeft,
                            double boxWidth, bool centred, int32_t top, Rgb color) {
  const int32_t areaWidth = area.Width();
  std::string shown;
  VisibleRun run;
  if (!centred && boxLeft + boxWidth > areaWidth + kOutlineOffset) {
    // The box runs on past the area: the line is cut at the area's edge, and
    // cut to the box only when its "..." could come into sight.
    run = VisiblePart(line, RoundToInt32(boxLeft), areaWidth);
    if (run.text.empty()) return;
    const size_t end = static_cast<size_t>(run.text.data() - line.data()) + run.text.size();
    if (end == line.size() ||
        mFonts.TextWidth(std::string(line.substr(0, end)) + std::string(kEllipsis)) <= boxWidth) {
      DrawOutlined(area, run.left, top, run.text, color);
      return;
    }
  }
  shown = EllipsizeText(boxWidth, line);
  if (shown.empty()) return;
  double x = boxLeft;
  if (centred) x += (boxWidth - mFonts.TextWidth(shown)) / 2;
  const int32_t left = RoundToInt32(x);
  // Cut to its box, a line whose box lies inside the area is drawn whole.
  if (boxLeft >= 0 && boxLeft + boxWidth <= areaWidth) {
    DrawOutlined(area, left, top, shown, color);
    return;
  }
  run = VisiblePart(shown, left, areaWidth);
  if (!run.text.empty()) DrawOutlined(area, run.left, top, run.text, color);
}

void TextRenderer::DrawOutlined(BackBuffer& area, int32_t left, int32_t top, std::string_view text,
                                Rgb color) {
  for (const int32_t dx : {-kOutlineOffset, kOutlineOffset}) {
    for (const int32_t dy : {-kOutlineOffset, kOutlineOffset}) {
      mFonts.DrawText(area, left + dx, top + dy, text, kOutlineColor, ColorGlyphs::Solid);
    }
  }
  mFonts.DrawText(area, left, top, text, color, ColorGlyphs::Own);
}

TextRenderer::VisibleRun TextRenderer::VisiblePart(std::string_view line, int32_t left,
                                                   int32_t areaWidth) {
  if (left - kOutlineOffset >= areaWidth) return {};
  const std::vector<size_t> prefixes = CodePointPrefixes(line);
  const size_t count = prefixes.size() - 1;
  const auto widthOf = [&](size_t codePoints) {
    return int64_t{mFonts.TextWidth(line.substr(0, prefixes[codePoints]))};
  };
  // On the right, every character that starts inside the area, and one more.
  const int64_t room = int64_t{areaWidth} + kOutlineOffset - left;
  const size_t starting = LargestThatFits(count, [&](size_t k) { return widthOf(k) < room; });
  const size_t last = std::min(count, starting + 2);
  // On the left, no character that ends before the area, except one.
  const int64_t hidden = -int64_t{left} - kOutlineOffset;
  size_t first = 0;
  if (hidden > 0) {
    const size_t ending = LargestThatFits(last, [&](size_t k) { return widthOf(k) <= hidden; });
    if (ending == last) return {};  // all of it ends before the area
    first = ending > 0 ? ending - 1 : 0;
  }
  return VisibleRun{line.substr(prefixes[first], prefixes[last] - prefixes[first]),
                    static_cast<int32_t>(left + widthOf(first))};
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
  if (text.empty()) return mFonts.TextWidth(text) <= width ? std::string() : std::string(kEllipsis);
  const std::vector<size_t> prefixes = CodePointPrefixes(text);
  const size_t count = prefixes.size() - 1;
  const auto prefix = [&](size_t codePoints) { return text.substr(0, prefixes[codePoints]); };
  const size_t fitting =
      LargestThatFits(count, [&](size_t k) { return mFonts.TextWidth(prefix(k)) <= width; });
  if (fitting == count) return std::string(text);
  const auto withEllipsis = [&](size_t codePoints) {
    return std::string(prefix(codePoints)) + std::string(kEllipsis);
  };
  return withEllipsis(LargestThatFits(
      fitting, [&](size_t k) { return mFonts.TextWidth(withEllipsis(k)) <= width; }));
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
  mFonts.DrawText(box, RoundToInt32(centre - textWidth / 2), RoundToInt32(top), text, Rgb{0, 0, 0},
                  ColorGlyphs::Own);
}
