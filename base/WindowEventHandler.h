#pragma once

// What the UI loop hands to the main window. Keys arrive as the key-binding
// file's virtual-key numbers with the modifier mask (Shift 1, Ctrl 2, Alt 4);
// mouse buttons as 1 left and 2 right, positions in client pixels.

#include <cstdint>

class WindowEventHandler {
 public:
  virtual ~WindowEventHandler() = default;

  virtual void OnKeyDown(int32_t virtualKey, int32_t modifierMask) = 0;
  virtual void OnKeyUp(int32_t virtualKey, int32_t modifierMask) = 0;

  // For moves, button is 1 while the left button is held, else 0.
  virtual void OnMouseDown(int32_t button, int32_t modifierMask, double x, double y) = 0;
  virtual void OnMouseMove(int32_t button, int32_t modifierMask, double x, double y) = 0;
  virtual void OnMouseUp(int32_t button, int32_t modifierMask, double x, double y) = 0;
  virtual void OnDoubleClick(int32_t button, int32_t modifierMask, double x, double y) = 0;
  // The pointer left the window; the next mouse event says where it is again.
  virtual void OnMouseLeave() = 0;

  // The system asks the window to close (close button, session end).
  virtual void OnCloseRequested() = 0;
  // The window was uncovered: present the back buffer unchanged.
  virtual void OnExposed() = 0;
  // The client area changed size.
  virtual void OnResized() = 0;
  // Every pending event and due timer has run and the loop is about to sleep
  // until the next event or due timer: the window enables the timers that
  // have work to do and disables those that have none.
  virtual void OnIdle() = 0;
};
