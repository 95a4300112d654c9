#include "render/ListPainter.h"

#include <algorithm>
#include <optional>

#include "base/Conversions.h"
#include "render/BrowseState.h"
#include "render/ListGeometry.h"

namespace {

constexpr const char* kLineBreak = "\r\n";

// No list shows more lines than this: a damaged skin asking for millions
// must not make every redraw build millions of rows.
constexpr int32_t kMostListLines = 1000;

// The number of text lines the list shows (a stored 0 or less reads as 1).
int32_t ListLines(const SkinElement& list) {
  return std::clamp(list.TextLines[Idle], 1, kMostListLines);
}

// The rows that the list really holds: the header's count, but never more
// than the list has entries.
int32_t RowCount(const BrowseState& browse) {
  const int32_t stated = EntryCount(browse.mBrowseList);
  const int32_t held = static_cast<int32_t>(browse.mBrowseList.size()) - 1;
  return std::clamp(stated, 0, std::max(held, 0));
}

// A row's text on one line: a line break inside a file name would split the
// row and move every row below it.
std::string OneLine(const std::string& text) {
  std::string line = text;
  std::replace(line.begin(), line.end(), '\r', ' ');
  std::replace(line.begin(), line.end(), '\n', ' ');
  return line;
}

std::string ColorNumber(Rgb color) {
  return std::to_string(color.ToRgbNumber());
}

}  // namespace

std::string BuildListText(const SkinElement& list, const BrowseState& browse,
                          const ListRowFacts& facts) {
  const int32_t lines = ListLines(list);
  const int32_t count = RowCount(browse);
  const double cursor = RoundHalfEven(browse.mBrowseCursor);
  const double playing = RoundHalfEven(browse.mPlayingIndex);
  const int32_t first = RoundToInt32(cursor - (lines - 1) / 2.0);
  const int32_t last = RoundToInt32(cursor + (lines - 1) / 2.0);

  std::string text;
  for (int64_t row = first; row <= last; ++row) {
    if (row < 1 || row > count) {
      text += kLineBreak;
      continue;
    }
    const bool isPlayingRow = row == playing && facts.isRunning && facts.browsesPlayingFolder;
    Rgb foreground = list.TextColor[Selected];
    std::optional<Rgb> background;
    if (row == cursor) {
      background = list.BackColor;
      if (facts.isFocused) {
        foreground = list.TextColor[Pressed];
      } else if (isPlayingRow) {
        foreground = list.TextColor[Disabled];
      }
    } else if (isPlayingRow) {
      background = list.TextColor[Disabled];
    }
    text += "{" + ColorNumber(foreground) + ";" + (background ? ColorNumber(*background) : "") +
            "}" + OneLine(browse.mBrowseList[static_cast<size_t>(row)].text) + kLineBreak;
  }
  return text;
}

bool DrawScrollBar(BackBuffer& target, const SkinElement& list, const ElementBox& box,
                   const BrowseState& browse, ListGeometry& geometry) {
  const double trackLeft = box.w * list.PicX[Pressed] / 100;
  const double trackTop = box.h * list.PicY[Pressed] / 100;
  const double trackWidth = box.w * list.PicW[Pressed] / 100;
  const double trackHeight = box.h * list.PicH[Pressed] / 100;
  const int32_t lines = ListLines(list);
  const int32_t count = RowCount(browse);

  double thumbTop = trackTop;
  double thumbHeight = trackHeight;
  if (count > 1) {
    const double total = count + lines - 1;
    thumbHeight = trackHeight * lines / total;
    thumbTop = trackTop + (trackHeight - thumbHeight) / (count - 1) * (browse.mBrowseCursor - 1);
  }
  const auto rect = RoundRect(box.x + trackLeft, box.y + thumbTop, box.x + trackLeft + trackWidth,
                              box.y + thumbTop + thumbHeight);
  std::copy(rect.begin(), rect.end(), geometry.mListThumbRect);
  return FillEdges(target, rect[0], rect[1], rect[2], rect[3], list.TextColor[Selected]);
}
