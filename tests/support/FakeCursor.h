#pragma once

// A mouse pointer with a display count, a position the test sets, and a
// mouse capture that records how often it was taken and given back.

#include <cstdint>

#include "input/CursorControl.h"

class FakeCursor final : public CursorControl {
 public:
  int32_t ShowCursor(bool show) override {
    count += show ? 1 : -1;
    return count;
  }
  void CursorPosition(int32_t& x, int32_t& y) override {
    x = screenX;
    y = screenY;
  }
  void SetCapture(bool capture) override {
    captured = capture;
    ++(capture ? captures : releases);
  }

  bool Visible() const { return count >= 0; }

  int32_t count = 0;    // the pointer shows while this is 0 or more
  int32_t screenX = 0;  // the pointer's position in screen pixels
  int32_t screenY = 0;
  bool captured = false;
  int captures = 0;
  int releases = 0;
};
