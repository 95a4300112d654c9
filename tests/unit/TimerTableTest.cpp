#include "base/TimerTable.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/FakeClock.h"

namespace {

class TimerTableTest : public ::testing::Test {
 protected:
  TimerTableTest() : timers(clock) {
    timers.SetTickHandler([this](TimerId id) {
      ticks.push_back(id);
      if (onTick) onTick(id);
    });
  }

  FakeClock clock;
  TimerTable timers;
  std::vector<TimerId> ticks;
  std::function<void(TimerId)> onTick;
};

TEST_F(TimerTableTest, StartsWithTheDesignIntervalsAndOnlyTheJoystickPollRunning) {
  struct Case {
    TimerId id;
    int32_t interval;
    bool enabled;
  };
  const Case cases[] = {
      {TimerId::DXJoystickPoll, 50, true}, {TimerId::MouseOver, 10, false},
      {TimerId::ShowRemote, 100, false},   {TimerId::Element, 100, false},
      {TimerId::InfoUpdate, 100, false},   {TimerId::VideoScroll, 500, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(TimerName(c.id));
    EXPECT_EQ(timers[c.id].Interval(), c.interval);
    EXPECT_EQ(timers[c.id].Enabled(), c.enabled);
  }
  EXPECT_EQ(timers.MsUntilNextDue(), 50);
}

TEST_F(TimerTableTest, TicksWhenDueAndCountsAgainFromTheTick) {
  timers[TimerId::DXJoystickPoll].Disable();
  timers[TimerId::InfoUpdate].Enable();
  clock.Advance(99);
  timers.RunDue();
  EXPECT_TRUE(ticks.empty());
  clock.Advance(1);
  timers.RunDue();
  ASSERT_EQ(ticks.size(), 1u);
  EXPECT_EQ(timers.MsUntilNextDue(), 100);
  timers[TimerId::InfoUpdate].Disable();
  EXPECT_EQ(timers.MsUntilNextDue(), -1);
}

TEST_F(TimerTableTest, ATickReadsItsIntervalAfreshAndMayRearmItself) {
  timers[TimerId::DXJoystickPoll].Disable();
  UiTimer& element = timers[TimerId::Element];
  element.SetInterval(500);
  element.Enable();
  // Like the mouse repeat: the first tick comes after 500 ms, later ones every 50 ms.
  onTick = [&](TimerId) { element.SetInterval(50); };
  clock.Advance(500);
  timers.RunDue();
  EXPECT_EQ(ticks.size(), 1u);
  EXPECT_EQ(timers.MsUntilNextDue(), 50);
  clock.Advance(50);
  timers.RunDue();
  EXPECT_EQ(ticks.size(), 2u);

  // A tick that disables its own timer stays disabled.
  onTick = [&](TimerId) { element.Disable(); };
  clock.Advance(50);
  timers.RunDue();
  EXPECT_FALSE(element.Enabled());
  clock.Advance(1000);
  timers.RunDue();
  EXPECT_EQ(ticks.size(), 3u);
}

TEST_F(TimerTableTest, ChangingTheIntervalOfARunningTimerCountsFromNow) {
  UiTimer& poll = timers[TimerId::DXJoystickPoll];
  clock.Advance(40);
  poll.SetInterval(200);
  clock.Advance(199);
  timers.RunDue();
  EXPECT_TRUE(ticks.empty());
  clock.Advance(1);
  timers.RunDue();
  EXPECT_EQ(ticks.size(), 1u);
}

TEST_F(TimerTableTest, ATickThatRunsTheDueTimersAgainDoesNotRunItselfTwice) {
  // A pump of pending events inside a tick runs the due timers once more.
  timers[TimerId::InfoUpdate].Enable();
  onTick = [&](TimerId id) {
    if (id == TimerId::InfoUpdate) timers.RunDue();
  };
  clock.Advance(100);
  timers.RunDue();
  int infoTicks = 0;
  for (TimerId id : ticks) infoTicks += id == TimerId::InfoUpdate ? 1 : 0;
  EXPECT_EQ(infoTicks, 1);
}

}  // namespace
