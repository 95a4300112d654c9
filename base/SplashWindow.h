#pragma once

// The small window that shows the logo while the program starts. Implemented
// over SDL in platform/; tests use a fake.

#include <cstdint>

class BackBuffer;

class SplashWindow {
 public:
  virtual ~SplashWindow() = default;
  // Opens an ordinary (not topmost) window of the size, centred on the
  // primary display, in front of the other windows. False when it cannot.
  virtual bool Open(int32_t width, int32_t height) = 0;
  // Shows the picture in the window at once.
  virtual void Present(const BackBuffer& picture) = 0;
  virtual void Close() = 0;
};
