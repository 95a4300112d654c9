#pragma once

// Hiding and showing the mouse pointer. Automatic hiding acts only while a
// medium plays, and a pointer it hid comes back when it moves, also once
// playback has stopped; a forced hide (an information overlay) is undone only
// by a forced show.

class PointerVisibility {
 public:
  virtual ~PointerVisibility() = default;
  // True when this call hid the pointer.
  virtual bool HideMouse(bool forced) = 0;
  // True when this call showed the pointer.
  virtual bool ShowMouse(bool forced) = 0;
  // True while automatic hiding or showing can act: a medium plays, or the
  // pointer is hidden by automatic hiding.
  virtual bool NeedsWatching() const = 0;
};
