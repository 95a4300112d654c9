#pragma once

// The information elements of the skin window wndInfo, shown over the
// interface while something is prepared ("waitPrepare", "scanContent",
// "configInput", "fsMediaInfo").

#include <string_view>

class InfoDisplay {
 public:
  virtual ~InfoDisplay() = default;

  // Draws "wndInfo." + name; with text other than "xselfx" (any case) that
  // text is shown once in place of the element's own. hideMouse hides the
  // pointer (forced) while the information is up.
  virtual void ShowInfo(std::string_view name, std::string_view text, bool hideMouse) = 0;

  // Takes the information away again and shows the pointer (forced).
  virtual void HideInfo(std::string_view name) = 0;
};
