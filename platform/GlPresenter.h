#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/MainWindow.h"
#include "render/Presenter.h"

class SdlMainWindow;

// Presents the UI picture with OpenGL: the picture is a texture updated by
// rectangle and drawn over the whole window, one buffer swap per present.
//
// Video is composed by colour key: inside the video window rectangle, every UI
// pixel of exactly the key colour (16, 0, 16) shows the video layer instead.
// The video layer is a framebuffer the size of the video destination
// rectangle into which the media adapter renders; outside the destination
// rectangle (and until anything was rendered) it is black. So the remote panel
// and the information elements drawn over a full-screen video stay visible.
// Key-coloured pixels outside the video window are black too: the key colour
// is never shown as itself, and a video area with nothing open is black.
//
// A present draws and shows only what changed since the last one where the
// platform can show part of a window (GLX_MESA_copy_sub_buffer): changed
// rectangles are drawn scissored into the back buffer, which then keeps the
// whole last frame, and only they are copied to the window. Elsewhere every
// present draws the whole window and swaps. While the video picture fills
// the whole window, the video renderer draws it straight into the window and
// the present draws only the UI that lies over it (see VideoTarget).
//
// All rectangles are in pixels of the picture, top-left origin. Every method
// makes the window's GL context current. The presenter must be destroyed while
// the window (and its context) still exists.
class GlPresenter final : public Presenter {
 public:
  // Makes the window's OpenGL context. Nothing (and a log line) when it, the
  // shaders or the textures cannot be made.
  static std::unique_ptr<GlPresenter> Create(SdlMainWindow& window);
  ~GlPresenter() override;
  GlPresenter(const GlPresenter&) = delete;
  GlPresenter& operator=(const GlPresenter&) = delete;

  // The OpenGL renderer drawing the window (GL_RENDERER, e.g. "llvmpipe
  // (LLVM 15.0.6, 256 bits)" for software drawing), as the log names it.
  std::string RendererName() const;

  // A new size makes a new, black UI picture: the caller uploads it again.
  void SetSize(int32_t width, int32_t height) override;
  void UploadRect(const uint32_t* pixels, int32_t stridePixels, int32_t x, int32_t y, int32_t width,
                  int32_t height) override;
  void Invalidate() override { DamageAll(); }
  // Draws the changed part of the picture (with the video layer) and shows
  // it; does nothing and returns false when nothing changed since the last
  // present. Resets the GL
  // state a video renderer may have left (framebuffer, viewport, scissor,
  // blending, program, vertex array, textures) before drawing.
  bool PresentIfChanged() override;

  // Where key-coloured UI pixels show the video layer. Empty: nowhere.
  void SetVideoWindow(const PixelRect& window);
  // Where the video picture lies; the video layer is black outside it.
  void SetVideoDestination(const PixelRect& destination);

  // Where to render the video picture. Composed: the video layer, an RGBA8
  // framebuffer of the destination rectangle's size whose first row is the
  // top of the picture (flipY false), made or resized here, black when new.
  // Straight into the window (framebuffer 0, the window's size, flipY true)
  // while the picture fills the whole window: full-screen video is then
  // drawn once, by the video renderer, and the present draws only the parts
  // of the UI that lie over it (none, without the information banner and
  // the remote panel) before it shows the frame. False when the destination
  // rectangle is empty. Call MarkVideoChanged after rendering.
  bool VideoTarget(int& framebuffer, int& width, int& height, bool& flipY);
  // A new video picture was rendered: present the video again.
  void MarkVideoChanged();
  // Renders the current video picture again into wherever VideoTarget now
  // points; does nothing without one. The present calls it when it switches
  // between drawing the video straight into the window and composing it.
  void SetVideoRedraw(std::function<void()> redraw) { mVideoRedraw = std::move(redraw); }
  // Makes the video layer black again (no medium open).
  void ClearVideo();

 private:
  // A GL object name with the function that deletes it.
  class GlObject {
   public:
    using Deleter = void (*)(uint32_t);
    GlObject() = default;
    GlObject(uint32_t name, Deleter deleter) : mName(name), mDeleter(deleter) {}
    ~GlObject() { Reset(); }
    GlObject(GlObject&& other) noexcept : mName(other.mName), mDeleter(other.mDeleter) {
      other.mName = 0;
    }
    GlObject& operator=(GlObject&& other) noexcept;
    GlObject(const GlObject&) = delete;
    GlObject& operator=(const GlObject&) = delete;
    uint32_t Get() const { return mName; }
    explicit operator bool() const { return mName != 0; }
    void Reset();

   private:
    uint32_t mName = 0;
    Deleter mDeleter = nullptr;
  };

  explicit GlPresenter(SdlMainWindow& window) : mWindow(window) {}

  // A shader program with its uniform locations.
  struct Program {
    GlObject program;
    int32_t viewportSize = -1;
    int32_t pictureSize = -1;
    int32_t videoWindow = -1;
    int32_t videoDestination = -1;
  };

  bool BuildProgram();
  static bool BuildProgram(const char* defines, Program& made);
  void SetUniforms(int32_t viewportWidth, int32_t viewportHeight);
  void ResetState(int32_t viewportWidth, int32_t viewportHeight);
  static GlObject MakeTexture(int32_t width, int32_t height, bool smooth);
  static void ClearTexture(uint32_t texture);
  void FindRectCopy();
  void AddDamage(const PixelRect& rect);
  void DamageAll() { mFullDamage = true; }
  bool HasDamage() const { return mFullDamage || !mDamage.empty(); }
  // Where key-coloured pixels show the video picture: what a new one changes.
  PixelRect VideoArea() const;
  void Show(int32_t viewportHeight);
  bool VideoGoesToWindow() const;
  bool PresentDirectVideo();
  void NoteCoveringUi(const uint32_t* pixels, int32_t stridePixels, const PixelRect& rect);

  SdlMainWindow& mWindow;
  // What the next present draws and shows: everything, or these rectangles
  // (a few, none overlapping another).
  bool mFullDamage = true;
  std::vector<PixelRect> mDamage;
  int32_t mPresentedWidth = 0;  // the window's size at the last present
  int32_t mPresentedHeight = 0;
  // For copying rectangles of the back buffer to the window; no display
  // where the platform cannot.
  void* mXDisplay = nullptr;
  unsigned long mXWindow = 0;

  // Rectangles of the UI picture with pixels other than the key colour, as
  // uploaded: what lies over a full-window video.
  std::vector<PixelRect> mCoveringUi;
  std::function<void()> mVideoRedraw;
  bool mWindowHoldsVideo = false;  // the back buffer holds a picture rendered straight into it
  bool mDirectVideoNew = false;    // ... that the window does not show yet
  bool mLayerIsStale = false;      // the video layer lacks the current picture

  Program mVideoProgram;      // composes the video layer behind the key colour
  Program mUiProgram;         // the same without the video layer: key colour is black
  Program mOverVideoProgram;  // the UI over a picture in the window: key colour keeps it
  GlObject mVertexArray;
  GlObject mUiTexture;
  int32_t mWidth = 0;
  int32_t mHeight = 0;

  GlObject mVideoFramebuffer;
  GlObject mVideoTexture;
  GlObject mBlackTexture;  // stands in for the video layer before there is one
  int32_t mVideoWidth = 0;
  int32_t mVideoHeight = 0;
  PixelRect mVideoWindow;
  PixelRect mVideoDestination;
};
