#include "media/CurrentWindow.h"

#include "render/FocusState.h"
#include "render/Screen.h"

std::string CurrentElementName(const FocusState& focus, std::string_view name) {
  std::string fullName = focus.mCurrentWindow;
  fullName += '.';
  fullName += name;
  return fullName;
}

void RedrawCurrentElement(Screen& screen, const FocusState& focus, std::string_view name) {
  screen.RedrawElement(CurrentElementName(focus, name), false);
}
