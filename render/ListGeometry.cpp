#include "render/ListGeometry.h"

#include <algorithm>

#include "base/Conversions.h"
#include "skin/SkinElement.h"

VisibleListRows VisibleRowsOf(const SkinElement& list, const BrowseState& browse) {
  VisibleListRows rows;
  // A stored 0 or less reads as one line.
  rows.lines = std::clamp(list.TextLines[Idle], 1, kMostListLines);
  const double cursor = RoundHalfEven(browse.mBrowseCursor);
  rows.first = RoundToInt32(cursor - (rows.lines - 1) / 2.0);
  rows.last = RoundToInt32(cursor + (rows.lines - 1) / 2.0);
  rows.count = UsableRowCount(browse.mBrowseList);
  return rows;
}
