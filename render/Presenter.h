#pragma once

// Puts the composed picture on the screen. The renderer draws into its back
// buffer and hands changed rectangles over; the UI loop presents once per
// batch of events and only when something changed. Implemented with OpenGL in
// platform/; tests use a fake that keeps a copy of the uploaded pixels.

#include <cstdint>

class Presenter {
 public:
  virtual ~Presenter() = default;

  // Makes the UI picture width x height pixels (the picture area).
  virtual void SetSize(int32_t width, int32_t height) = 0;

  // Copies the rectangle (x, y, width, height) of an x8r8g8b8 image whose rows
  // are stridePixels apart into the UI picture and marks the screen changed.
  // Parts of the rectangle outside the picture are ignored.
  virtual void UploadRect(const uint32_t* pixels, int32_t stridePixels, int32_t x, int32_t y,
                          int32_t width, int32_t height) = 0;

  // Marks the screen to be presented again with unchanged contents.
  virtual void Invalidate() = 0;

  // Presents the picture when something changed since the last present;
  // returns whether it presented. Never blocks waiting for the display.
  virtual bool PresentIfChanged() = 0;
};
