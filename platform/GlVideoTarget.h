#pragma once

#include "media/VideoTarget.h"

class SdlMainWindow;
class WindowPresenter;

// The presenter's video layer as the target of a media engine's frames, drawn
// with the window's OpenGL context, which the first frame's drawing makes.
class GlVideoTarget final : public VideoTarget {
 public:
  GlVideoTarget(SdlMainWindow& window, WindowPresenter& presenter)
      : mWindow(window), mPresenter(presenter) {}

  void MakeCurrent() override;
  void* GlProcAddress(const char* name) override;
  bool Framebuffer(int& framebuffer, int& width, int& height, bool& flipY) override;
  void FrameDrawn() override;
  void Place(const PixelRect& window, const PixelRect& picture) override;
  void Clear() override;
  void SetRedraw(std::function<void()> redraw) override;

 private:
  SdlMainWindow& mWindow;
  WindowPresenter& mPresenter;
};
