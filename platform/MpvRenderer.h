#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "base/MainWindow.h"

class GlPresenter;
class SdlMainWindow;
struct mpv_handle;
struct mpv_render_context;

// libmpv's OpenGL renderer for one engine: it draws each new video frame into
// the presenter's video layer and tells the presenter where the picture goes.
// Every call is made on the UI thread; only the update callback is called by
// libmpv's threads. The renderer must be freed before the libmpv handle it was
// made for, and while the window's GL context still exists.
class MpvRenderer {
 public:
  // Nothing (and a log line) when libmpv's OpenGL renderer cannot be made.
  static std::unique_ptr<MpvRenderer> Create(mpv_handle& handle, SdlMainWindow& window,
                                             GlPresenter& presenter);
  ~MpvRenderer();
  MpvRenderer(const MpvRenderer&) = delete;
  MpvRenderer& operator=(const MpvRenderer&) = delete;

  // Called from libmpv's threads whenever a new frame may be ready; nothing
  // stops it. Waits for a call in progress to return.
  void SetUpdateCallback(void (*callback)(void*), void* context);

  // True when libmpv has a new frame to draw. Never blocks.
  bool HasNewFrame();
  // Draws libmpv's current frame into the video layer; with Shown::No (or no
  // video layer to draw into) the frame is dropped but still counts as shown,
  // so that playback keeps its pace.
  enum class Shown { No, Yes };
  void Render(Shown shown);
  // Frames drawn into the video layer since the last ResetFrameCount.
  int64_t FramesRendered() const { return mFramesRendered; }
  void ResetFrameCount() { mFramesRendered = 0; }

  // How to draw the current frame again (with Render) when the presenter
  // moves the picture between the window and its video layer.
  void SetRedraw(std::function<void()> redraw);

  // Where the picture shows, in pixels of the picture area: the video window
  // and the picture's rectangle (not relative to the window).
  void Place(const PixelRect& window, const PixelRect& destination);
  // No picture any more: the video area turns black.
  void Clear();

 private:
  struct RenderContextDeleter {
    void operator()(mpv_render_context* context) const;
  };

  MpvRenderer(SdlMainWindow& window, GlPresenter& presenter)
      : mWindow(window), mPresenter(presenter) {}

  SdlMainWindow& mWindow;
  GlPresenter& mPresenter;
  std::unique_ptr<mpv_render_context, RenderContextDeleter> mContext;
  int64_t mFramesRendered = 0;
};
