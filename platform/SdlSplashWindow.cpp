#include "platform/SdlSplashWindow.h"

#include <SDL.h>

#include "base/Log.h"
#include "platform/SdlWindowSurface.h"

SdlSplashWindow::~SdlSplashWindow() {
  Close();
}

bool SdlSplashWindow::Open(int32_t width, int32_t height) {
  if (mWindow) return true;
  // Centred on the primary display, whatever monitor the main window will use.
  mWindow = SDL_CreateWindow("Tavizo", SDL_WINDOWPOS_CENTERED_DISPLAY(0),
                             SDL_WINDOWPOS_CENTERED_DISPLAY(0), width, height,
                             SDL_WINDOW_BORDERLESS | SDL_WINDOW_SKIP_TASKBAR);
  if (!mWindow) {
    WriteLog(std::string("splash window could not be opened: ") + SDL_GetError());
    return false;
  }
  SDL_SetWindowAlwaysOnTop(mWindow, SDL_FALSE);
  SDL_RaiseWindow(mWindow);
  return true;
}

void SdlSplashWindow::Present(const BackBuffer& picture) {
  if (!PresentOnWindowSurface(mWindow, picture)) return;
  // Let the window system map and draw it now: start-up runs before the loop.
  SDL_PumpEvents();
  SDL_UpdateWindowSurface(mWindow);
}

void SdlSplashWindow::Close() {
  if (!mWindow) return;
  SDL_DestroyWindow(mWindow);
  mWindow = nullptr;
}
