#pragma once

// Keeps the screen saver and the monitor's power saving away while the
// program runs. Implemented over SDL in platform/; tests use a fake.

class ScreenSaverHold {
 public:
  virtual ~ScreenSaverHold() = default;
  // Takes the hold; false when the system would not give it.
  virtual bool Hold() = 0;
  virtual void Release() = 0;
};
