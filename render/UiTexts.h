#pragma once

// The two texts that the title and status elements show. The status text is
// changed only through the StatusLine.

#include <string>

struct UiTexts {
  std::string mMediaTitle = "nothing loaded";  // drawn by <window>.cmdFormMove
  std::string mStatusText;                     // drawn by <window>.picStatus; see StatusLine
};
