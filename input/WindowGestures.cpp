#include "input/WindowGestures.h"

#include <algorithm>
#include <cstdlib>

#include "base/Conversions.h"
#include "base/MainWindow.h"
#include "input/CursorControl.h"
#include "render/FocusState.h"
#include "render/Screen.h"
#include "store/Settings.h"

namespace {

constexpr int32_t kLeftButton = 1;

}  // namespace

WindowGestures::WindowGestures(MainWindow& window, Settings& settings, FocusState& focus,
                               CursorControl& cursor, Screen& screen)
    : mWindow(window), mSettings(settings), mFocus(focus), mCursor(cursor), mScreen(screen) {}

void WindowGestures::BeginFormMove(int32_t button, int32_t, double x, double y) {
  if (button != kLeftButton) return;
  if (mFocus.mIsFormMoving || mSettings.gIsFormFullScreen != 0) return;
  mFocus.mIsFormMoving = true;
  mPressX = RoundToInt32(x);
  mPressY = RoundToInt32(y);
  const PixelRect geometry = mWindow.Geometry();
  mSettings.gFormLastLeft = geometry.left;
  mSettings.gFormLastTop = geometry.top;
  mCursor.SetCapture(true);
}

void WindowGestures::DoFormMove(int32_t button, int32_t, double x, double y) {
  if (button != kLeftButton || !mFocus.mIsFormMoving) return;
  // The pointer's position is relative to the window, which follows it: the
  // press point therefore stays where it is.
  const int32_t dx = RoundToInt32(x - mPressX);
  const int32_t dy = RoundToInt32(y - mPressY);
  mWindow.SetPosition(mSettings.gFormLastLeft + dx, mSettings.gFormLastTop + dy);
  mSettings.gFormLastLeft += dx;
  mSettings.gFormLastTop += dy;
}

void WindowGestures::EndFormMove(int32_t button, int32_t, double, double) {
  if (button != kLeftButton || !mFocus.mIsFormMoving) return;
  mFocus.mIsFormMoving = false;
  mCursor.SetCapture(false);
}

void WindowGestures::BeginFormResize(int32_t button, int32_t, double x, double y) {
  if (button != kLeftButton) return;
  if (mFocus.mIsFormResizing || mSettings.gIsFormFullScreen != 0) return;
  mFocus.mIsFormResizing = true;
  mPressX = RoundToInt32(x);
  mPressY = RoundToInt32(y);
  const PixelRect geometry = mWindow.Geometry();
  mSettings.gFormLastWidth = geometry.width;
  mSettings.gFormLastHeight = geometry.height;
  mCursor.SetCapture(true);
  mScreen.RepaintWindow();
}

void WindowGestures::DoFormResize(int32_t button, int32_t, double x, double y) {
  if (button != kLeftButton || !mFocus.mIsFormResizing) return;
  const int32_t dx = RoundToInt32(x - mPressX);
  const int32_t dy = RoundToInt32(y - mPressY);
  const int32_t change = std::abs(dx) > std::abs(dy) ? dx : dy;
  const int32_t width = std::max(mSettings.gFormLastWidth + change, kMinimumWidth);
  const int32_t height = RoundToInt32(width / 4.0 * 3);
  mWindow.SetSize(width, height);
  mScreen.RepaintWindow();
  // The handle moved with the window's edge, and the pointer with it.
  mPressX += dx;
  mPressY += dy;
  mSettings.gFormLastWidth = width;
  mSettings.gFormLastHeight = height;
}

void WindowGestures::EndFormResize(int32_t button, int32_t, double, double) {
  if (button != kLeftButton || !mFocus.mIsFormResizing) return;
  mFocus.mIsFormResizing = false;
  mCursor.SetCapture(false);
  mScreen.RepaintWindow();
}
