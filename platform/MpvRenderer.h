#pragma once

#include <cstdint>
#include <functional>
#include <memory>

struct MpvLibrary;
class VideoTarget;
struct mpv_handle;
struct mpv_render_context;

// libmpv's OpenGL renderer for one engine: it draws each new video frame into
// the video target. Every call is made on the UI thread; only the update
// callback is called by libmpv's threads. The renderer must be freed before
// the libmpv handle it was made for, and while the target's OpenGL context
// still exists.
class MpvRenderer {
 public:
  // Nothing (and a log line) when libmpv's OpenGL renderer cannot be made.
  static std::unique_ptr<MpvRenderer> Create(const MpvLibrary& mpv, mpv_handle& handle,
                                             VideoTarget& target);
  ~MpvRenderer();
  MpvRenderer(const MpvRenderer&) = delete;
  MpvRenderer& operator=(const MpvRenderer&) = delete;

  // Called from libmpv's threads whenever a new frame may be ready; nothing
  // stops it. Waits for a call in progress to return.
  void SetUpdateCallback(void (*callback)(void*), void* context);

  // True when libmpv has a new frame to draw. Never blocks.
  bool HasNewFrame();
  // Draws libmpv's current frame into the target; with Shown::No (or when the
  // target has nowhere to show it) the frame is dropped but still counts as
  // shown, so that playback keeps its pace.
  enum class Shown { No, Yes };
  void Render(Shown shown);
  // Frames drawn into the target since the last ResetFrameCount.
  int64_t FramesRendered() const { return mFramesRendered; }
  void ResetFrameCount() { mFramesRendered = 0; }

  // How to draw the current frame again (with Render) when the presenter
  // moves the picture between the window and its video layer.
  void SetRedraw(std::function<void()> redraw);

 private:
  struct RenderContextDeleter {
    const MpvLibrary* mpv;
    void operator()(mpv_render_context* context) const;
  };

  MpvRenderer(const MpvLibrary& mpv, VideoTarget& target) : mMpv(mpv), mTarget(target) {}

  const MpvLibrary& mMpv;
  VideoTarget& mTarget;
  std::unique_ptr<mpv_render_context, RenderContextDeleter> mContext;
  int64_t mFramesRendered = 0;
};
