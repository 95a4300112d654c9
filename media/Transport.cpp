#include "media/Transport.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "base/Conversions.h"
#include "base/TimerTable.h"
#include "media/CurrentWindow.h"
#include "media/MediaEngine.h"
#include "media/MediaSessionState.h"
#include "store/Settings.h"

namespace {

constexpr int32_t kFirstScrollRate = 4;
constexpr int32_t kFastestScrollRate = 256;

bool SameWholeSecond(double a, double b) {
  return RoundHalfEven(a) == RoundHalfEven(b);
}

}  // namespace

Transport::Transport(MediaEngine& engine, MediaSessionState& state, const Settings& settings,
                     const FocusState& focus, Screen& screen, UiTimer& scrollTimer,
                     std::function<void()> startFromList, std::function<void()> leaving)
    : mEngine(engine),
      mState(state),
      mSettings(settings),
      mFocus(focus),
      mScreen(screen),
      mScrollTimer(scrollTimer),
      mStartFromList(std::move(startFromList)),
      mLeaving(std::move(leaving)) {}

void Transport::StopScrolling() {
  mState.mIsScrolling = false;
  mScrollTimer.Disable();
}

void Transport::cmdPlay() {
  if (!mEngine.IsOpen()) {
    if (mStartFromList) mStartFromList();
    return;
  }
  if (mState.mIsRunning) {
    mEngine.Pause();
    mState.mIsRunning = false;
    StopScrolling();
  } else {
    if (RoundHalfEven(mEngine.CurrentPosition()) < RoundHalfEven(mState.mStartPosition)) {
      mEngine.SetCurrentPosition(mState.mStartPosition);
    } else if (SameWholeSecond(mEngine.CurrentPosition(), mState.mDuration)) {
      // A medium sitting at its end starts again from the beginning.
      mEngine.SetCurrentPosition(mState.mStartPosition);
    }
    if (mState.mNeedsReopen) {
      if (mStartFromList) mStartFromList();
      return;
    }
    mEngine.Run();
    mState.mIsRunning = true;
    StopScrolling();
  }
  RedrawCurrentElement(mScreen, mFocus, "picVideoInfo");
  RedrawCurrentElement(mScreen, mFocus, "cmdPlay");
}

void Transport::PlayFromStart() {
  PlayFrom(mState.mStartPosition);
}

void Transport::cmdRestart() {
  if (!mEngine.IsOpen()) return;
  mState.mNeedsReopen = false;
  PlayFrom(0);
}

void Transport::PlayFrom(double seconds) {
  if (!mEngine.IsOpen()) return;
  mEngine.SetCurrentPosition(seconds);
  mEngine.Run();
  mState.mIsRunning = true;
  StopScrolling();
  RedrawCurrentElement(mScreen, mFocus, "picVideoInfo");
  RedrawCurrentElement(mScreen, mFocus, "cmdPlay");
}

void Transport::cmdPause() {
  if (!mEngine.IsOpen()) return;
  mEngine.Pause();
  mState.mIsRunning = false;
  StopScrolling();
  // A paused position no longer changes, so nothing else would redraw the
  // state; the information and the play button show "(Pause)" at once.
  RedrawCurrentElement(mScreen, mFocus, "picVideoInfo");
  RedrawCurrentElement(mScreen, mFocus, "cmdPlay");
}

void Transport::cmdStop() {
  if (mEngine.IsOpen()) {
    if (mLeaving) mLeaving();
    mEngine.Stop();
    mState.mIsRunning = false;
    mEngine.SetCurrentPosition(0);
    StopScrolling();
    mState.mNeedsReopen = true;
  }
  RedrawCurrentElement(mScreen, mFocus, "cmdPlay");
}

void Transport::cmdForceEnd() {
  if (!mEngine.IsOpen() || !mState.mIsRunning) return;
  // A medium shorter than a second goes to its start rather than before it.
  mEngine.SetCurrentPosition(std::max(0.0, mState.mDuration - 1));
}

void Transport::SeekTo(double seconds, SeekLanding landing) {
  if (!mEngine.IsOpen() || !std::isfinite(seconds)) return;
  seconds = std::clamp(seconds, 0.0, std::max(0.0, mState.mDuration));
  if (landing == SeekLanding::Exactly) {
    mEngine.JumpTo(seconds);
  } else {
    mEngine.SetCurrentPosition(seconds);
  }
  RedrawCurrentElement(mScreen, mFocus, "picVideoInfo");
}

void Transport::Scroll(int32_t direction) {
  if (mEngine.IsOpen()) {
    const int32_t rate = mState.mScrollRate;
    if (!mState.mIsScrolling) {
      mState.mIsScrolling = true;
      mState.mScrollRate = direction * kFirstScrollRate;
      mScrollTimer.SetInterval(mSettings.gActionNextRepeat);
      mScrollTimer.Enable();
      mEngine.Pause();
      mState.mIsRunning = false;
    } else if (rate * direction > 0 && rate * direction < kFastestScrollRate) {
      mState.mScrollRate = rate * 2;
    } else if (rate * direction < 0) {
      // Pressing against the running direction halves the speed; from the
      // slowest speed it returns to normal playback.
      mState.mScrollRate = RoundToInt32(rate / 2.0);
      if (mState.mScrollRate == -2 * direction) cmdPlay();
    }
  }
  RedrawCurrentElement(mScreen, mFocus, "cmdPlay");
}

void Transport::cmdForward() {
  Scroll(+1);
}

void Transport::cmdRewind() {
  Scroll(-1);
}

void Transport::ScrollTick() {
  if (!mEngine.IsOpen() || !mState.mIsScrolling) return;
  const int32_t interval = mScrollTimer.Interval();
  if (interval <= 0) return;
  const double position = mEngine.CurrentPosition();
  const double next = position + mState.mScrollRate / (1000.0 / interval);
  if (next < 0) {
    cmdPlay();
    return;
  }
  if (next > mEngine.Duration()) {
    cmdStop();
    return;
  }
  mEngine.SetCurrentPosition(next);
}
