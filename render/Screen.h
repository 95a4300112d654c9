#pragma once

// How every subsystem gets what it changed onto the screen. Each call draws
// into the back buffer and hands the changed rectangle to the presenter before
// it returns.

#include <cstdint>
#include <string_view>

class Screen {
 public:
  virtual ~Screen() = default;

  // Rebuilds the back buffer and hit map at the picture area's size and draws
  // every element of the current window, the video element last.
  virtual void RepaintWindow() = 0;

  // Redraws one element of any window (or clears it to its background colour
  // when clearOnly) and presents its rectangle. Unknown names change nothing;
  // in full-screen video mode only overlay elements and the video are drawn.
  virtual void RedrawElement(std::string_view fullName, bool clearOnly = false) = 0;

  // Shows the remote panel over the video, or passes a direction key to it
  // when it is already up for keys; key -1 shows it without a key.
  virtual void ShowRemotePanel(int32_t key) = 0;
  virtual void HideRemotePanel() = 0;
  virtual void RedrawRemotePanel() = 0;

  // Presents the whole back buffer unchanged (the window was uncovered).
  virtual void PaintPictureArea() = 0;
};
