#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/MainWindow.h"
#include "render/Presenter.h"

class GlPresenter;
class SdlMainWindow;

// Presents the main window's picture: with X images until the OpenGL
// presenter is made, with it from then on. Loading the OpenGL driver and
// compiling shaders cost a software-drawn start more than everything else
// together, and the start window needs neither, so its first frame goes to
// the screen as an image and OpenGL is made once it is there (Gl). Should
// OpenGL never work, the window keeps showing images and plays no video.
//
// Where the video picture lies is kept until there is an OpenGL presenter to
// take it. The presenter must be destroyed while the window still exists.
class WindowPresenter final : public Presenter {
 public:
  explicit WindowPresenter(SdlMainWindow& window);
  ~WindowPresenter() override;
  WindowPresenter(const WindowPresenter&) = delete;
  WindowPresenter& operator=(const WindowPresenter&) = delete;

  // The OpenGL presenter, made with the window's context at the first call
  // and handed the picture shown so far; null when OpenGL cannot be set up
  // (tried once, logged).
  GlPresenter* Gl();
  // The OpenGL presenter when it has been made, else null; makes nothing.
  GlPresenter* GlIfMade() const { return mGl.get(); }
  // As GlPresenter::RendererName; "none" while images are shown.
  std::string RendererName() const;

  void SetSize(int32_t width, int32_t height) override;
  void UploadRect(const uint32_t* pixels, int32_t stridePixels, int32_t x, int32_t y, int32_t width,
                  int32_t height) override;
  void Invalidate() override;
  bool PresentIfChanged() override;

  // As the OpenGL presenter's own, kept until it is made.
  void PlaceVideo(const PixelRect& window, const PixelRect& destination);
  void SetVideoRedraw(std::function<void()> redraw);

 private:
  SdlMainWindow& mWindow;
  std::unique_ptr<GlPresenter> mGl;
  bool mGlTried = false;
  // Until there is an OpenGL presenter the picture is drawn straight into
  // the window's surface: its size, and whether the screen lacks it.
  int32_t mWidth = 0;
  int32_t mHeight = 0;
  bool mChanged = true;
  PixelRect mVideoWindow;
  PixelRect mVideoDestination;
  std::function<void()> mVideoRedraw;
};
