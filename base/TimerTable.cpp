#include "base/TimerTable.h"

#include "base/Clock.h"

const char* TimerName(TimerId id) {
  switch (id) {
    case TimerId::DXJoystickPoll: return "timDXJoystickPoll";
    case TimerId::MouseOver: return "timMouseOver";
    case TimerId::ShowRemote: return "timShowRemote";
    case TimerId::Element: return "timElement";
    case TimerId::InfoUpdate: return "timInfoUpdate";
    case TimerId::VideoScroll: return "timVideoScroll";
  }
  return "timUnknown";
}

void UiTimer::SetInterval(int32_t milliseconds) {
  mInterval = milliseconds;
  if (mEnabled && mClock) mDue = mClock->NowMs() + static_cast<uint64_t>(mInterval > 0 ? mInterval : 0);
}

void UiTimer::SetEnabled(bool enabled) {
  if (enabled == mEnabled) return;
  mEnabled = enabled;
  if (mEnabled && mClock) mDue = mClock->NowMs() + static_cast<uint64_t>(mInterval > 0 ? mInterval : 0);
}

TimerTable::TimerTable(const Clock& clock) : mClock(clock) {
  struct Design {
    TimerId id;
    int32_t interval;
    bool enabled;
  };
  // Design intervals and enabled states of the main window's timers.
  constexpr Design kDesign[] = {
      {TimerId::DXJoystickPoll, 50, true}, {TimerId::MouseOver, 10, false},
      {TimerId::ShowRemote, 100, false},   {TimerId::Element, 100, false},
      {TimerId::InfoUpdate, 100, false},   {TimerId::VideoScroll, 500, false},
  };
  for (const Design& design : kDesign) {
    UiTimer& timer = (*this)[design.id];
    timer.mClock = &mClock;
    timer.mInterval = design.interval;
    timer.SetEnabled(design.enabled);
  }
}

void TimerTable::RunDue() {
  for (int i = 0; i < kTimerCount; ++i) {
    UiTimer& timer = mTimers[static_cast<size_t>(i)];
    if (!timer.mEnabled || timer.mInterval <= 0) continue;
    const uint64_t now = mClock.NowMs();
    if (now < timer.mDue) continue;
    timer.mDue = now + static_cast<uint64_t>(timer.mInterval);
    if (mHandler) mHandler(static_cast<TimerId>(i));
  }
}

int64_t TimerTable::MsUntilNextDue() const {
  const uint64_t now = mClock.NowMs();
  int64_t soonest = -1;
  for (const UiTimer& timer : mTimers) {
    if (!timer.mEnabled || timer.mInterval <= 0) continue;
    const int64_t wait = timer.mDue > now ? static_cast<int64_t>(timer.mDue - now) : 0;
    if (soonest < 0 || wait < soonest) soonest = wait;
  }
  return soonest;
}

uint64_t TimerTable::NowMs() const {
  return mClock.NowMs();
}
