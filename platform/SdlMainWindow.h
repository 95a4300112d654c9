#pragma once

#include <memory>
#include <string>

#include "base/MainWindow.h"

struct SDL_Window;

// The main window over SDL: borderless, with an OpenGL context, created
// hidden. Creating it initialises SDL's video; destroying it shuts SDL down.
class SdlMainWindow final : public MainWindow {
 public:
  // Nothing (and a log line) when SDL or OpenGL cannot be set up.
  static std::unique_ptr<SdlMainWindow> Create(const std::string& title, int32_t clientWidth,
                                               int32_t clientHeight);
  ~SdlMainWindow() override;
  SdlMainWindow(const SdlMainWindow&) = delete;
  SdlMainWindow& operator=(const SdlMainWindow&) = delete;

  SDL_Window* Handle() const { return mWindow; }
  void* GlContext() const { return mGlContext; }
  uint32_t WindowId() const;
  void MakeContextCurrent();

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
  SdlMainWindow(SDL_Window* window, void* glContext) : mWindow(window), mGlContext(glContext) {}

  SDL_Window* mWindow = nullptr;
  void* mGlContext = nullptr;
};
