#pragma once

// A mouse pointer with a display count, and a mouse capture that records
// how often it was taken and given back.

#include <cstdint>

#include "input/CursorControl.h"

class FakeCursor final : public CursorControl {
 public:
  int32_t ShowCursor(bool show) override {
    count += show ? 1 : -1;
    return count;
  }
  void SetCapture(bool capture) override {
    captured = capture;
    ++(capture ? captures : releases);
  }

  bool Visible() const { return count >= 0; }

  int32_t count = 0;  // the pointer shows while this is 0 or more
  bool captured = false;
  int captures = 0;
  int releases = 0;
};
