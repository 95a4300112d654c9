#pragma once

// The two texts that the title and status elements show. Many parts set the
// status line: the media session, the play modes, the list cursor, focus moves
// and the pointer's help texts.

#include <string>

struct UiTexts {
  std::string mMediaTitle = "nothing loaded";  // drawn by <window>.cmdFormMove
  std::string mStatusText;                     // drawn by <window>.picStatus
};
