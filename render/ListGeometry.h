#pragma once

// Where the play list's rows lie. Which rows the list shows is computed here
// once, for drawing and for the pointer alike; where they and the scroll thumb
// were drawn, in pixels of the picture area, is written when the list is
// drawn and read by pointer handling.

#include <cstdint>

#include "render/BrowseState.h"

struct SkinElement;

// The rows the list shows: `lines` of them centred on the cursor row, from
// first to last. Rows outside 1..count are drawn as empty lines.
struct VisibleListRows {
  int32_t lines = 1;  // the element's text lines, 1..kMostListLines
  int32_t first = 1;  // the row on the top line
  int32_t last = 1;   // the row on the bottom line
  int32_t count = 0;  // the rows the list holds
};

// No list shows more lines than this: a damaged skin asking for millions must
// not make every redraw build millions of rows.
inline constexpr int32_t kMostListLines = 1000;

// The rows the list element shows of the browse list around its cursor.
VisibleListRows VisibleRowsOf(const SkinElement& list, const BrowseState& browse);

struct ListGeometry {
  // The scroll thumb: left, top, right, bottom. Its left and right edges also
  // bound the scroll-bar strip.
  int32_t mListThumbRect[4] = {0, 0, 0, 0};
  double mListTop = 0;    // top of the first visible row
  double mRowHeight = 0;  // height of one row
};
