#pragma once

// The platform's mouse pointer. Implemented over SDL in platform/; tests use a fake.

#include <cstdint>

class CursorControl {
 public:
  virtual ~CursorControl() = default;

  // Shows (true) or hides (false) the pointer by one step of a display count:
  // the pointer is visible while the count is 0 or more. Returns the new count.
  virtual int32_t ShowCursor(bool show) = 0;

  // Keeps mouse events coming to the main window while a gesture runs, even
  // when the pointer leaves it, and lets them go again.
  virtual void SetCapture(bool capture) = 0;
};
