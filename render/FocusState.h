#pragma once

// Which element has the input focus and which skin window is shown. Exactly
// one element has the focus; it is drawn Selected. The focus fields change
// only through FocusOwner; the window-move and resize flags and the key
// acceleration belong to the inputs that set them.

#include <cstdint>
#include <string>

// Direction codes of focus moves; the reverse of a direction is its negation.
inline constexpr int32_t kDirectionNone = 0;
inline constexpr int32_t kDirectionNorth = -1;
inline constexpr int32_t kDirectionSouth = 1;
inline constexpr int32_t kDirectionEast = 2;
inline constexpr int32_t kDirectionWest = -2;

struct FocusState {
  std::string mCurrentWindow;     // the skin window on screen, e.g. "wndMain"
  std::string mFocusElement;      // full name of the focused element
  std::string mPrevFocusElement;  // full name of the element focused before
  int32_t mLastMoveDirection = kDirectionNone;
  bool mIsFormMoving = false;    // window-move mode (keys or mouse drag)
  bool mIsFormResizing = false;  // a mouse resize is in progress
  double mKeyAcceleration = 0;   // list-scroll acceleration of held inputs
};
