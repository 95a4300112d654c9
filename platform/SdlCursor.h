#pragma once

#include "input/CursorControl.h"

// The pointer over SDL, with a display count kept here (SDL has only shown or
// hidden): visible while the count is 0 or more.
class SdlCursor final : public CursorControl {
 public:
  int32_t ShowCursor(bool show) override;
  void SetCapture(bool capture) override;

 private:
  int32_t mCount = 0;
};
