#pragma once

// The six timers of the main window. They are a table served by the UI loop on
// the UI thread, never threads of their own: the loop sleeps until the next due
// timer or the next window event. Setting a timer's interval, or enabling it,
// re-arms it from now; each tick re-arms the timer from the interval it has at
// that moment, before its handler runs, so a handler may change the interval
// or disable its own timer and that choice stands.

#include <array>
#include <cassert>
#include <cstdint>
#include <functional>

class Clock;

enum class TimerId {
  DXJoystickPoll,  // timDXJoystickPoll
  MouseOver,       // timMouseOver
  ShowRemote,      // timShowRemote
  Element,         // timElement
  InfoUpdate,      // timInfoUpdate
  VideoScroll,     // timVideoScroll
};
inline constexpr int kTimerCount = 6;

// The name by which a timer appears in log lines ("timInfoUpdate").
const char* TimerName(TimerId id);

class UiTimer {
 public:
  int32_t Interval() const { return mInterval; }
  bool Enabled() const { return mEnabled; }

  // Changes the interval; a running timer counts again from now. An interval
  // of 0 or less keeps the timer from ticking.
  void SetInterval(int32_t milliseconds);
  void SetEnabled(bool enabled);
  void Enable() { SetEnabled(true); }
  void Disable() { SetEnabled(false); }

 private:
  friend class TimerTable;
  const Clock* mClock = nullptr;
  int32_t mInterval = 0;
  bool mEnabled = false;
  uint64_t mDue = 0;
};

class TimerTable {
 public:
  // Creates the timers with the intervals and enabled states that the main
  // window starts with: only timDXJoystickPoll runs from creation.
  explicit TimerTable(const Clock& clock);

  UiTimer& operator[](TimerId id) {
    assert(static_cast<size_t>(id) < mTimers.size());
    return mTimers[static_cast<size_t>(id)];
  }
  const UiTimer& operator[](TimerId id) const {
    assert(static_cast<size_t>(id) < mTimers.size());
    return mTimers[static_cast<size_t>(id)];
  }

  // The function that runs a timer's tick.
  void SetTickHandler(std::function<void(TimerId)> handler) { mHandler = std::move(handler); }

  // Runs the tick of every enabled timer that is due, each at most once.
  // Safe to call again from inside a tick (a pump of pending events).
  void RunDue();

  // Milliseconds until the next enabled timer is due (0 when one is due now),
  // or -1 when no timer is enabled.
  int64_t MsUntilNextDue() const;

  // The time on the clock the timers run by, in milliseconds.
  uint64_t NowMs() const;

 private:
  const Clock& mClock;
  std::array<UiTimer, kTimerCount> mTimers;
  std::function<void(TimerId)> mHandler;
};
