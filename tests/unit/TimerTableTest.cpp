#include "base/TimerTable.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "base/Clock.h"
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

// The program's own clock counts milliseconds (the bounds allow a busy machine).
TEST(SteadyClockTest, CountsMilliseconds) {
  SteadyClock clock;
  const uint64_t start = clock.NowMs();
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  const uint64_t passed = clock.NowMs() - start;
  EXPECT_GE(passed, 30u);
  EXPECT_LT(passed, 3000u);
}

}  // namespace
