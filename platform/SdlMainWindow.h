#pragma once

#include <memory>
#include <string>

#include "base/MainWindow.h"

struct SDL_Window;

// The main window over SDL: borderless, created hidden. Creating it
// initialises SDL's video; destroying it shuts SDL down. Its OpenGL context
// is made when first asked for (on X11; elsewhere with the window), so the
// window can show its first frame before the OpenGL driver is loaded.
class SdlMainWindow final : public MainWindow {
 public:
  // Nothing (and a log line) when SDL (or, away from X11, OpenGL) cannot be
  // set up.
  static std::unique_ptr<SdlMainWindow> Create(const std::string& title, int32_t clientWidth,
                                               int32_t clientHeight);
  ~SdlMainWindow() override;
  SdlMainWindow(const SdlMainWindow&) = delete;
  SdlMainWindow& operator=(const SdlMainWindow&) = delete;

  SDL_Window* Handle() const { return mWindow; }
  uint32_t WindowId() const;

  // Makes the window's OpenGL 3.3 core context and makes it current; true
  // when there is one. After one failure (logged) it is not tried again.
  bool MakeGlContext();
  bool HasGlContext() const { return mGlxContext || mSdlGlContext; }
  // These do nothing without a context.
  void MakeContextCurrent();
  void SwapGlBuffers();
  // An OpenGL function of the window's context; null without one.
  void* GlProcAddress(const char* name) const;

  PixelRect Geometry() const override;
  void SetGeometry(const PixelRect& geometry) override;
  void SetPosition(int32_t left, int32_t top) override;
  void SetSize(int32_t width, int32_t height) override;
  int32_t ClientWidth() const override;
  int32_t ClientHeight() const override;
  void Show() override;
  void Hide() override;
  void Minimize() override;
  void Raise() override;
  void SetTitle(const std::string& title) override;
  void SetAlwaysOnTop(bool onTop) override;
  std::vector<PixelRect> Monitors() const override;

 private:
  explicit SdlMainWindow(SDL_Window* window) : mWindow(window) {}

  SDL_Window* mWindow = nullptr;
  void* mSdlGlContext = nullptr;  // away from X11
  // On X11: the display and window, and the GLX context made on them.
  void* mXDisplay = nullptr;
  unsigned long mXWindow = 0;
  void* mGlxContext = nullptr;
  bool mGlTried = false;
};
