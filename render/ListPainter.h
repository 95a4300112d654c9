#pragma once

// The play list element: the text of the rows around the cursor, each with a
// colour prefix for the cursor row and the playing row, and the scroll thumb.

#include <string>

#include "render/ElementBox.h"

class BackBuffer;
struct BrowseState;
struct ListGeometry;

struct ListRowFacts {
  bool isFocused = false;             // the list element has the focus
  bool isRunning = false;             // playback runs
  bool browsesPlayingFolder = false;  // the folder shown is the one playing
};

// The rows from cursor - (lines - 1) / 2 to cursor + (lines - 1) / 2, one per
// line ending in CRLF: an empty line for a row outside the list, otherwise
// "{fg;bg}" and the row's text. lines is the list's Idle text line count.
std::string BuildListText(const SkinElement& list, const BrowseState& browse,
                          const ListRowFacts& facts);

// Draws the scroll thumb inside the track given by the list's Pressed picture
// box, sized by the share of the rows that are visible and placed by the
// cursor, and records it in geometry.mListThumbRect. False when the back
// buffer is not valid.
bool DrawScrollBar(BackBuffer& target, const SkinElement& list, const ElementBox& box,
                   const BrowseState& browse, ListGeometry& geometry);
