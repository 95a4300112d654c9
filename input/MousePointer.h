#pragma once

// Hiding and showing the mouse pointer. Automatic hiding acts only while a
// medium plays; automatic showing brings back a pointer that automatic hiding
// took away, also after playback has paused or stopped. A forced hide (an
// information overlay) is undone only by a forced show, and program exit
// shows the pointer forced.

#include <functional>

#include "input/PointerVisibility.h"

class CursorControl;

class MousePointer final : public PointerVisibility {
 public:
  // isPlaying: a medium plays (the media session's mIsRunning).
  MousePointer(CursorControl& cursor, std::function<bool()> isPlaying);

  bool HideMouse(bool forced) override;
  bool ShowMouse(bool forced) override;
  bool NeedsWatching() const override;

  bool mIsMouseHidden = false;
  bool mIsMouseForceHidden = false;

 private:
  CursorControl& mCursor;
  std::function<bool()> mIsPlaying;
};
