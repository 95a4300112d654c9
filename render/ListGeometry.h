#pragma once

// Where the play list's rows and scroll thumb lie, in pixels of the picture
// area. Written when the list is drawn, read by pointer handling.

#include <cstdint>

struct ListGeometry {
  // The scroll thumb: left, top, right, bottom. Its left and right edges also
  // bound the scroll-bar strip.
  int32_t mListThumbRect[4] = {0, 0, 0, 0};
  double mListTop = 0;    // top of the first visible row
  double mRowHeight = 0;  // height of one row
};
