#pragma once

// Where a media engine draws its video frames: an OpenGL framebuffer that the
// presenter shows by colour key inside the video window. Implemented over the
// program's presenter in platform/. Every call is made on the UI thread.

#include <functional>

#include "base/MainWindow.h"

class VideoTarget {
 public:
  virtual ~VideoTarget() = default;

  // Makes the OpenGL context that frames are drawn with current.
  virtual void MakeCurrent() = 0;
  // The address of an OpenGL function of that context, for an engine's own
  // renderer; null when there is no such function.
  virtual void* GlProcAddress(const char* name) = 0;

  // The framebuffer the next frame goes into and its size in pixels; flipY
  // says whether its first row is the bottom of the picture (the window's
  // own framebuffer) rather than the top. False when there is nowhere to show
  // a frame.
  virtual bool Framebuffer(int& framebuffer, int& width, int& height, bool& flipY) = 0;
  // A new frame was drawn into the framebuffer: the screen shows it next.
  virtual void FrameDrawn() = 0;

  // Where the picture shows, in pixels of the picture area: the video window,
  // and the picture's own rectangle (not relative to the window).
  virtual void Place(const PixelRect& window, const PixelRect& picture) = 0;
  // No picture any more: the video area turns black.
  virtual void Clear() = 0;
  // How to draw the current frame again when the target moves the picture
  // between the window and its video layer; empty: nothing to draw again.
  virtual void SetRedraw(std::function<void()> redraw) = 0;
};
