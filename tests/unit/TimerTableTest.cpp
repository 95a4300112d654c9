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

}  // namespace
