#include "platform/SdlMainWindow.h"

#include <SDL.h>

#include "base/Log.h"
#include "platform/X11ErrorLog.h"

std::unique_ptr<SdlMainWindow> SdlMainWindow::Create(const std::string& title, int32_t clientWidth,
                                                     int32_t clientHeight) {
  SDL_SetHint(SDL_HINT_APP_NAME, "Tavizo");
  // A click that brings the window to the front also acts, as on a remote-driven TV.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    WriteLog(std::string("SDL_Init failed: ") + SDL_GetError());
    return nullptr;
  }
  LogX11ErrorsInsteadOfEnding();
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  // No high-DPI drawable: pointer positions and the picture area must be the
  // same pixels, since the hit map is read at the pointer's position.
  SDL_Window* window =
      SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, clientWidth,
                       clientHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
  if (!window) {
    WriteLog(std::string("SDL_CreateWindow failed: ") + SDL_GetError());
    SDL_Quit();
    return nullptr;
  }
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (!context) {
    WriteLog(std::string("SDL_GL_CreateContext failed: ") + SDL_GetError());
    SDL_DestroyWindow(window);
    SDL_Quit();
    return nullptr;
  }
  // Presenting never waits for the display's refresh: the loop must stay free
  // for input while the screen is updated.
  SDL_GL_SetSwapInterval(0);
  return std::unique_ptr<SdlMainWindow>(new SdlMainWindow(window, context));
}

SdlMainWindow::~SdlMainWindow() {
  if (mGlContext) SDL_GL_DeleteContext(static_cast<SDL_GLContext>(mGlContext));
  if (mWindow) SDL_DestroyWindow(mWindow);
  SDL_Quit();
}

uint32_t SdlMainWindow::WindowId() const {
  return SDL_GetWindowID(mWindow);
}

void SdlMainWindow::MakeContextCurrent() {
  SDL_GL_MakeCurrent(mWindow, static_cast<SDL_GLContext>(mGlContext));
}

PixelRect SdlMainWindow::Geometry() const {
  PixelRect rect;
  SDL_GetWindowPosition(mWindow, &rect.left, &rect.top);
  SDL_GetWindowSize(mWindow, &rect.width, &rect.height);
  return rect;
}

void SdlMainWindow::SetGeometry(const PixelRect& geometry) {
  SDL_SetWindowSize(mWindow, geometry.width, geometry.height);
  SDL_SetWindowPosition(mWindow, geometry.left, geometry.top);
}

void SdlMainWindow::SetPosition(int32_t left, int32_t top) {
  SDL_SetWindowPosition(mWindow, left, top);
}

void SdlMainWindow::SetSize(int32_t width, int32_t height) {
  SDL_SetWindowSize(mWindow, width, height);
}

int32_t SdlMainWindow::ClientWidth() const {
  int width = 0;
  SDL_GL_GetDrawableSize(mWindow, &width, nullptr);
  return width;
}

int32_t SdlMainWindow::ClientHeight() const {
  int height = 0;
  SDL_GL_GetDrawableSize(mWindow, nullptr, &height);
  return height;
}

void SdlMainWindow::Show() {
  SDL_ShowWindow(mWindow);
}
void SdlMainWindow::Hide() {
  SDL_HideWindow(mWindow);
}
void SdlMainWindow::Minimize() {
  SDL_MinimizeWindow(mWindow);
}
void SdlMainWindow::Raise() {
  if (SDL_GetWindowFlags(mWindow) & SDL_WINDOW_MINIMIZED) SDL_RestoreWindow(mWindow);
  SDL_RaiseWindow(mWindow);
}
void SdlMainWindow::SetTitle(const std::string& title) {
  SDL_SetWindowTitle(mWindow, title.c_str());
}
void SdlMainWindow::SetAlwaysOnTop(bool onTop) {
  SDL_SetWindowAlwaysOnTop(mWindow, onTop ? SDL_TRUE : SDL_FALSE);
}

std::vector<PixelRect> SdlMainWindow::Monitors() const {
  std::vector<PixelRect> monitors;
  const int count = SDL_GetNumVideoDisplays();
  for (int i = 0; i < count; ++i) {
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(i, &bounds) == 0) {
      monitors.push_back(PixelRect{bounds.x, bounds.y, bounds.w, bounds.h});
    }
  }
  return monitors;
}
