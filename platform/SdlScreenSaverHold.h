#pragma once

#include "base/ScreenSaverHold.h"

// SDL holds the screen saver and monitor power-down off through the desktop's
// D-Bus inhibit, else the X screen-saver extension.
class SdlScreenSaverHold final : public ScreenSaverHold {
 public:
  bool Hold() override;
  void Release() override;
};
