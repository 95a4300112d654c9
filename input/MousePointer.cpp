#include "input/MousePointer.h"

#include <string>

#include "base/Log.h"
#include "input/CursorControl.h"

namespace {

// A display count never moves further than this from 0 in one call; the loop
// cannot run away on a cursor that ignores the requests.
constexpr int kMaxSteps = 64;

}  // namespace

MousePointer::MousePointer(CursorControl& cursor, std::function<bool()> isPlaying)
    : mCursor(cursor), mIsPlaying(std::move(isPlaying)) {}

bool MousePointer::HideMouse(bool forced) {
  const bool playing = mIsPlaying && mIsPlaying();
  if (!forced && (!playing || mIsMouseHidden)) return false;
  int32_t count = mCursor.ShowCursor(false);
  for (int step = 0; count >= 0 && step < kMaxSteps; ++step) count = mCursor.ShowCursor(false);
  WriteLog("hidemouse: " + std::to_string(count));
  mIsMouseHidden = true;
  mIsMouseForceHidden = forced;
  return true;
}

bool MousePointer::ShowMouse(bool forced) {
  // A pointer hidden during playback must come back when the user reaches for
  // it after a pause or stop, or it stays invisible until playback runs again.
  if (!forced && !mIsMouseHidden) return false;
  if (mIsMouseForceHidden && !forced) return false;
  int32_t count = mCursor.ShowCursor(true);
  for (int step = 0; count < 0 && step < kMaxSteps; ++step) count = mCursor.ShowCursor(true);
  WriteLog("showmouse: " + std::to_string(count));
  mIsMouseHidden = false;
  mIsMouseForceHidden = false;
  return true;
}

bool MousePointer::NeedsWatching() const {
  const bool playing = mIsPlaying && mIsPlaying();
  return playing || (mIsMouseHidden && !mIsMouseForceHidden);
}
