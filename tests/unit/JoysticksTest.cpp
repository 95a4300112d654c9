#include "input/Joysticks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/TimerTable.h"
#include "render/FocusState.h"
#include "store/Settings.h"
#include "store/clsHashFile.h"
#include "support/FakeClock.h"
#include "support/FakeLog.h"

namespace {

constexpr uint64_t kWrap = uint64_t{1} << 32;

// Devices that the test plugs in, changes and pulls out by hand.
class FakeJoystickSource final : public JoystickSource {
 public:
  struct Device {
    JoystickId id;
    std::string name;
    JoystickState state;
  };

  void Start(JoystickListener& listener) override {
    mListener = &listener;
    ++starts;
    for (const Device& device : attached)
      listener.JoystickAdded(device.id, device.name, device.state);
  }
  void Stop() override {
    mListener = nullptr;
    ++stops;
  }
  void Poll() override {}

  void Plug(JoystickId id, const std::string& name, const JoystickState& state = JoystickState()) {
    ASSERT_NE(mListener, nullptr);
    mListener->JoystickAdded(id, name, state);
  }
  void Set(JoystickId id, const JoystickState& state) {
    ASSERT_NE(mListener, nullptr);
    mListener->JoystickChanged(id, state);
  }
  void Pull(JoystickId id) {
    ASSERT_NE(mListener, nullptr);
    mListener->JoystickRemoved(id);
  }

  std::vector<Device> attached;
  int starts = 0;
  int stops = 0;

 private:
  JoystickListener* mListener = nullptr;
};

JoystickState Idle() {
  JoystickState state;
  state.axisPresent[0] = state.axisPresent[1] = true;
  state.buttonCount = 8;
  state.hatCount = 1;
  return state;
}

JoystickState Button(int32_t number) {
  JoystickState state = Idle();
  state.buttons[number - 1] = 1;
  return state;
}

JoystickState HatAt(int32_t hundredths) {
  JoystickState state = Idle();
  state.hats[0] = hundredths;
  return state;
}

JoystickState XLow() {
  JoystickState state = Idle();
  state.axes[0] = 0;
  return state;
}

class JoysticksTest : public ::testing::Test {
 protected:
  JoysticksTest() : timers(clock), joysticks(clock, settings, keyMap, focus, Actions()) {
    settings.gActionFirstRepeat = 500;
    settings.gActionNextRepeat = 50;
    focus.mFocusElement = "wndMain.cmdPlay";
    keyMap.SetValue("Pad;0;0;1;1;0;0", "*.cmdPlay");
    keyMap.SetValue("Pad;1;-1;0;0;0;0", "!.elemMoveW");
    keyMap.SetValue("Pad;1;-1;3;1;0;0", "*.cmdStop");
    keyMap.SetValue("Other;0;0;1;1;0;0", "*.cmdVolUp");
    keyMap.SetValue("Pad;0;0;2;1;0;0", "!.ELEMconfigINPUT");
  }

  JoystickActions Actions() {
    JoystickActions actions;
    actions.isConfiguring = [this] { return configuring; };
    actions.bindInput = [this](const std::string& code) {
      calls.push_back("bind " + code);
      configuring = false;
    };
    actions.configureElement = [this](const std::string& element) {
      calls.push_back("configure " + element);
    };
    actions.doAction = [this](const std::string& source, const std::string& action) {
      calls.push_back(source + " " + action);
      if (onAction) onAction(action);
    };
    return actions;
  }

  void Start() { joysticks.StartJoysticks(&source, timers[TimerId::DXJoystickPoll]); }

  // One poll tick; the calls it made.
  std::vector<std::string> Tick() {
    calls.clear();
    joysticks.Tick();
    return calls;
  }

  FakeClock clock;
  FakeLog log;
  Settings settings;
  clsHashFile keyMap;
  FocusState focus;
  TimerTable timers;
  FakeJoystickSource source;
  bool configuring = false;
  std::vector<std::string> calls;
  std::function<void(const std::string&)> onAction;
  Joysticks joysticks;
};

using Calls = std::vector<std::string>;

TEST_F(JoysticksTest, ThePollRunsOnlyWhileADeviceIsAttached) {
  UiTimer& poll = timers[TimerId::DXJoystickPoll];
  for (const bool withSource : {true, false}) {
    SCOPED_TRACE(withSource ? "source without devices" : "no joystick support");
    log.Clear();
    poll.SetInterval(50);
    settings.gActionNextRepeat = 70;
    joysticks.StartJoysticks(withSource ? &source : nullptr, poll);
    EXPECT_EQ(log.Messages(), std::vector<std::string>{"no joystick attached"});
    EXPECT_EQ(poll.Interval(), 70);
    EXPECT_FALSE(poll.Enabled());
    EXPECT_EQ(timers.MsUntilNextDue(), -1) << "nothing wakes the program";
  }

  // Plugging in the first device starts the poll, a second one leaves its
  // timing alone, and pulling out the last one stops it.
  Start();
  source.Plug(1, "Pad");
  EXPECT_TRUE(poll.Enabled());
  clock.Advance(30);
  source.Plug(2, "Other");
  EXPECT_EQ(timers.MsUntilNextDue(), 40);
  source.Pull(1);
  EXPECT_TRUE(poll.Enabled());
  source.Pull(2);
  EXPECT_FALSE(poll.Enabled());

  source.attached = {{3, "Pad", Idle()}};
  Start();
  EXPECT_TRUE(poll.Enabled()) << "a device attached at start";
  joysticks.StopJoysticks();
  EXPECT_FALSE(poll.Enabled());
}

TEST_F(JoysticksTest, NothingHappensBeforeTheJoysticksStart) {
  source.attached.push_back({1, "Pad", Button(1)});
  EXPECT_EQ(Tick(), Calls{});
  EXPECT_EQ(source.starts, 0);
}

// A held button triggers at once, again at the poll nearest gActionFirstRepeat
// later, then at every poll (every gActionNextRepeat): a poll counts from half
// an interval before the repeat is due. The same wherever the 32-bit
// millisecond counter wraps.
TEST_F(JoysticksTest, AHeldInputRepeatsFirstSlowlyThenFastAcrossTheCounterWrap) {
  struct Step {
    uint64_t advance;
    bool triggers;
  };
  const Step steps[] = {
      {0, true},  {50, false}, {400, false}, {24, false}, {1, true},  // 475 ms on
      {50, true}, {50, true},  {51, true},   {24, false}, {1, true}, {10, false}, {40, true},
  };
  const uint64_t starts[] = {1000, kWrap - 260, kWrap - 1, kWrap - 501, 5 * kWrap - 30};
  for (const uint64_t start : starts) {
    SCOPED_TRACE("clock starts at " + std::to_string(start));
    clock.Set(start);
    source.attached = {{1, "Pad", Idle()}};
    Start();
    Tick();  // The fresh record's placeholder code is released.
    source.Set(1, Button(1));
    focus.mKeyAcceleration = 0.1;
    int triggers = 0;
    for (size_t i = 0; i < std::size(steps); ++i) {
      SCOPED_TRACE("step " + std::to_string(i));
      clock.Advance(steps[i].advance);
      const Calls expected = steps[i].triggers ? Calls{"wndMain.cmdPlay *.cmdPlay"} : Calls{};
      EXPECT_EQ(Tick(), expected);
      if (steps[i].triggers) ++triggers;
    }
    EXPECT_NEAR(focus.mKeyAcceleration, 0.1 + 0.1 * triggers, 1e-9);
  }
}

TEST_F(JoysticksTest, AChangedCodeIsANewInputAndRestartsTheRepeatTiming) {
  source.attached = {{1, "Pad", XLow()}};
  Start();
  EXPECT_EQ(Tick(), Calls{"wndMain.cmdPlay !.elemMoveW"});
  clock.Advance(100);
  JoystickState withButton = XLow();
  withButton.buttons[2] = 1;
  source.Set(1, withButton);
  EXPECT_EQ(Tick(), Calls{"wndMain.cmdPlay *.cmdStop"});
  // The new input waits the full first delay again.
  clock.Advance(450);
  EXPECT_EQ(Tick(), Calls{});
  clock.Advance(51);
  EXPECT_EQ(Tick(), Calls{"wndMain.cmdPlay *.cmdStop"});
  // Back to X alone is new again, although it was seen before.
  source.Set(1, XLow());
  EXPECT_EQ(Tick(), Calls{"wndMain.cmdPlay !.elemMoveW"});
}

TEST_F(JoysticksTest, AReleaseResetsTheAccelerationAndTheNextPressTriggersAtOnce) {
  source.attached = {{1, "Pad", Button(1)}};
  Start();
  focus.mKeyAcceleration = 0.1;
  Tick();
  clock.Advance(501);
  Tick();
  clock.Advance(51);
  Tick();
  EXPECT_NEAR(focus.mKeyAcceleration, 0.4, 1e-9);

  source.Set(1, Idle());
  clock.Advance(10);
  EXPECT_EQ(Tick(), Calls{});
  EXPECT_EQ(focus.mKeyAcceleration, 0.1);
  focus.mKeyAcceleration = 0.3;  // Raised by someone else: an idle device leaves it alone.
  clock.Advance(600);
  EXPECT_EQ(Tick(), Calls{});
  EXPECT_EQ(focus.mKeyAcceleration, 0.3);

  source.Set(1, Button(1));
  EXPECT_EQ(Tick(), Calls{"wndMain.cmdPlay *.cmdPlay"});
}

TEST_F(JoysticksTest, TriggersAreLoggedAndDispatchedOnlyWhenBound) {
  source.attached = {{1, "Pad", Button(4)}};
  Start();
  log.Clear();
  focus.mKeyAcceleration = 0.1;
  EXPECT_EQ(Tick(), Calls{});
  EXPECT_EQ(log.Messages(), std::vector<std::string>{"Pad;0;0;4;1;0;0"});
  EXPECT_NEAR(focus.mKeyAcceleration, 0.2, 1e-9);

  log.Clear();
  source.Set(1, Button(1));
  EXPECT_EQ(Tick(), Calls{"wndMain.cmdPlay *.cmdPlay"});
  EXPECT_EQ(log.Messages(), std::vector<std::string>{"Pad;0;0;1;1;0;0"});
}

TEST_F(JoysticksTest, TheConfigInputBindingConfiguresTheFocusedElementAndEndsTheTick) {
  source.attached = {{1, "Pad", Button(2)}, {2, "Other", Button(1)}};
  Start();
  log.Clear();
  EXPECT_EQ(Tick(), Calls{"configure wndMain.cmdPlay"});
  EXPECT_EQ(log.Messages(), std::vector<std::string>{"Pad;0;0;2;1;0;0"});
  // The second device waited for the next tick.
  EXPECT_EQ(Tick(), Calls{"wndMain.cmdPlay *.cmdVolUp"});
}

TEST_F(JoysticksTest, WhileConfiguringTheFirstTriggerIsBoundOnce) {
  // Hat 1 of Pad pushed north, and a button of a second device at the same time.
  source.attached = {{1, "Pad", HatAt(0)}, {2, "Other", Button(1)}};
  Start();
  configuring = true;
  log.Clear();
  EXPECT_EQ(Tick(), Calls{"bind Pad;0;0;0;0;1;1"});
  EXPECT_TRUE(log.Messages().empty());
  // The bound input is not taken for a new one at the next tick; the other
  // device's input, which waited, now goes its usual way.
  EXPECT_EQ(Tick(), Calls{"wndMain.cmdPlay *.cmdVolUp"});
  clock.Advance(100);
  EXPECT_EQ(Tick(), Calls{});

  // A sequence of bindings takes one input per push, not one per tick.
  configuring = true;
  source.Set(1, HatAt(9000));
  EXPECT_EQ(Tick(), Calls{"bind Pad;0;0;0;0;1;2"});
  configuring = true;
  clock.Advance(50);
  EXPECT_EQ(Tick(), Calls{});
}

TEST_F(JoysticksTest, DevicesComingAndGoingLeaveTheOthersAlone) {
  source.attached = {{1, "Pad", Button(1)}};
  Start();
  EXPECT_EQ(Tick(), Calls{"wndMain.cmdPlay *.cmdPlay"});

  clock.Advance(100);
  source.Plug(7, "Other", Button(1));
  EXPECT_EQ(Tick(), Calls{"wndMain.cmdPlay *.cmdVolUp"});
  ASSERT_EQ(joysticks.Records().size(), 2u);
  EXPECT_EQ(joysticks.Records()[1].name, "Other");

  // Pad keeps its own timing: its first repeat comes at the poll nearest to
  // 500 ms after its press.
  clock.Advance(370);
  EXPECT_EQ(Tick(), Calls{});
  clock.Advance(5);
  EXPECT_EQ(Tick(), Calls{"wndMain.cmdPlay *.cmdPlay"});

  // Pulling the held second device out counts as its release.
  focus.mKeyAcceleration = 0.9;
  source.Pull(7);
  EXPECT_EQ(focus.mKeyAcceleration, 0.1);
  ASSERT_EQ(joysticks.Records().size(), 1u);
  clock.Advance(51);
  EXPECT_EQ(Tick(), Calls{"wndMain.cmdPlay *.cmdPlay"});

  // Reports about devices that are not attached change nothing.
  source.Set(7, Button(3));
  source.Pull(7);
  EXPECT_EQ(joysticks.Records().size(), 1u);

  source.Pull(1);
  EXPECT_TRUE(joysticks.Records().empty());
  clock.Advance(600);
  EXPECT_EQ(Tick(), Calls{});

  // Plugged in again, the same pad starts afresh.
  source.Plug(8, "Pad", Button(1));
  EXPECT_EQ(Tick(), Calls{"wndMain.cmdPlay *.cmdPlay"});
}

TEST_F(JoysticksTest, AnActionThatPullsDevicesOutDoesNotUpsetTheTick) {
  keyMap.SetValue("Third;0;0;1;1;0;0", "*.cmdNext");
  source.attached = {{1, "Pad", Button(1)}, {2, "Other", Button(1)}, {3, "Third", Button(1)}};
  Start();
  onAction = [this](const std::string& action) {
    if (action != "*.cmdPlay") return;
    source.Pull(1);
    source.Pull(2);
    source.Plug(4, "Other", Button(1));
  };
  EXPECT_EQ(Tick(), (Calls{"wndMain.cmdPlay *.cmdPlay", "wndMain.cmdPlay *.cmdNext"}));
  onAction = nullptr;
  EXPECT_EQ(Tick(), Calls{"wndMain.cmdPlay *.cmdVolUp"});
}

TEST_F(JoysticksTest, StoppingEndsTheReportsAndTheTicks) {
  {
    Joysticks own(clock, settings, keyMap, focus, Actions());
    source.attached = {{1, "Pad", Button(1)}};
    own.StartJoysticks(&source, timers[TimerId::DXJoystickPoll]);
    EXPECT_EQ(source.starts, 1);
    own.StopJoysticks();
    EXPECT_EQ(source.stops, 1);
    EXPECT_TRUE(own.Records().empty());
    calls.clear();
    own.Tick();
    EXPECT_EQ(calls, Calls{});
    own.StartJoysticks(&source, timers[TimerId::DXJoystickPoll]);
  }
  // Going away stops the source it still used.
  EXPECT_EQ(source.stops, 2);
}

}  // namespace
