#pragma once

#include "base/SplashWindow.h"

struct SDL_Window;

// The splash as a borderless SDL window drawn through its window surface.
class SdlSplashWindow final : public SplashWindow {
 public:
  ~SdlSplashWindow() override;
  bool Open(int32_t width, int32_t height) override;
  void Present(const BackBuffer& picture) override;
  void Close() override;

 private:
  SDL_Window* mWindow = nullptr;
};
