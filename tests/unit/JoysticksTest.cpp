#include "input/Joysticks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/TimerTable.h"
#include "input/JoystickCode.h"
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
    for (const Device& device : attached)
      listener.JoystickAdded(device.id, device.name, device.state);
  }
  void Stop() override { mListener = nullptr; }
  void Poll() override {}

  void Set(JoystickId id, const JoystickState& state) {
    ASSERT_NE(mListener, nullptr);
    mListener->JoystickChanged(id, state);
  }
  std::vector<Device> attached;

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

class JoysticksTest : public ::testing::Test {
 protected:
  JoysticksTest() : timers(clock), joysticks(clock, settings, keyMap, focus, Actions()) {
    settings.gActionFirstRepeat = 500;
    settings.gActionNextRepeat = 50;
    focus.mFocusElement = "wndMain.cmdPlay";
    keyMap.SetValue("Pad;0;0;1;1;0;0", "*.cmdPlay");
  }

  JoystickActions Actions() {
    JoystickActions actions;
    actions.isConfiguring = [] { return false; };
    actions.bindInput = [](const std::string&) {};
    actions.configureElement = [](const std::string&) {};
    actions.doAction = [this](const std::string& source, const std::string& action) {
      calls.push_back(source + " " + action);
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
  std::vector<std::string> calls;
  Joysticks joysticks;
};

using Calls = std::vector<std::string>;

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

TEST(JoystickCodeTest, AxesAreDeflectedOnlyBeyondAQuarterFromEitherEnd) {
  const struct {
    int32_t axis;  // 0 X, 1 Y
    int32_t value;
    std::string code;
  } cases[] = {
      {0, 2499, "Pad;1;-1;0;0;0;0"},
      {0, 2500, ""},
      {0, 5000, ""},
      {0, 7500, ""},
      {0, 7501, "Pad;1;1;0;0;0;0"},
      {1, 2499, "Pad;2;-1;0;0;0;0"},
      {1, 2500, ""},
      {1, 7500, ""},
      {1, 7501, "Pad;2;1;0;0;0;0"},
      {0, 0, "Pad;1;-1;0;0;0;0"},
      {1, 10000, "Pad;2;1;0;0;0;0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("axis " + std::to_string(c.axis + 1) + " at " + std::to_string(c.value));
    JoystickState state = Idle();
    state.axes[c.axis] = c.value;
    EXPECT_EQ(JoystickCode("Pad", state), c.code);
  }
}

}  // namespace
