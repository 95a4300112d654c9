#include "render/ListPainter.h"

#include <cassert>

#include <algorithm>
#include <optional>

#include "base/Conversions.h"
#include "render/BrowseState.h"
#include "render/ListGeometry.h"

namespace {

constexpr const char* kLineBreak = "\r\n";

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
  const VisibleListRows rows = VisibleRowsOf(list, browse);
  const double cursor = RoundHalfEven(browse.mBrowseCursor);
  const double playing = RoundHalfEven(browse.mPlaying.Index());

  std::string text;
  for (int64_t row = rows.first; row <= rows.last; ++row) {
    if (row < 1 || row > rows.count) {
      text += kLineBreak;
      continue;
    }
    assert(row < static_cast<int64_t>(browse.mBrowseList.size()));
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
  const VisibleListRows rows = VisibleRowsOf(list, browse);
  const int32_t lines = rows.lines;
  const int32_t count = rows.count;

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
