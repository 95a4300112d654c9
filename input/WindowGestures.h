#pragma once

// Moving and resizing the main window by dragging the skin's move and resize
// handles. The window follows the pointer; a resize keeps the shape 4:3 and
// never goes below 640 pixels wide. Neither starts while the window fills its
// monitor. Each gesture holds the mouse capture from its begin to its end, and
// the saved window geometry (gFormLast*) follows as it goes.
//
// Every operation takes the button, modifier mask and window-relative pointer
// position of the mouse event; only the left button (1) begins, drives or
// ends a gesture.

#include <cstdint>

class CursorControl;
class MainWindow;
class Screen;
struct FocusState;
struct Settings;

class WindowGestures {
 public:
  // The narrowest window a resize makes.
  static constexpr int32_t kMinimumWidth = 640;

  // focus.mIsFormMoving and focus.mIsFormResizing are the gestures' states;
  // the first is shared with the keyboard's window-move mode.
  WindowGestures(MainWindow& window, Settings& settings, FocusState& focus, CursorControl& cursor,
                 Screen& screen);

  // Starts a move; nothing when one runs already or the window is full screen.
  void BeginFormMove(int32_t button, int32_t modifierMask, double x, double y);
  // Places the window so that the pointer stays where it pressed the handle.
  void DoFormMove(int32_t button, int32_t modifierMask, double x, double y);
  // Ends a mouse move, or the keyboard's window-move mode.
  void EndFormMove(int32_t button, int32_t modifierMask, double x, double y);

  // Starts a resize; nothing when one runs already or the window is full screen.
  void BeginFormResize(int32_t button, int32_t modifierMask, double x, double y);
  // Grows or shrinks the window by the pointer's larger movement since the
  // last step, keeping 4:3 and the minimum width, and repaints it.
  void DoFormResize(int32_t button, int32_t modifierMask, double x, double y);
  void EndFormResize(int32_t button, int32_t modifierMask, double x, double y);

 private:
  MainWindow& mWindow;
  Settings& mSettings;
  FocusState& mFocus;
  CursorControl& mCursor;
  Screen& mScreen;
  int32_t mPressX = 0;  // pointer at the start of the gesture, window pixels
  int32_t mPressY = 0;
};
