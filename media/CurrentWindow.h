#pragma once

// Names of elements of the skin window on screen ("<window>.name").

#include <string>
#include <string_view>

class Screen;
struct FocusState;

// mCurrentWindow + "." + name.
std::string CurrentElementName(const FocusState& focus, std::string_view name);

// Redraws the element of the current window with that name.
void RedrawCurrentElement(Screen& screen, const FocusState& focus, std::string_view name);
