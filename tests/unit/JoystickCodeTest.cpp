#include "input/JoystickCode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A pad with X and Y, four buttons and one hat, all at rest.
JoystickState RestingPad() {
  JoystickState state;
  state.axisPresent[0] = true;
  state.axisPresent[1] = true;
  state.buttonCount = 4;
  state.hatCount = 1;
  return state;
}

TEST(JoystickCodeTest, AxesAreDeflectedOnlyBeyondAQuarterFromEitherEnd) {
  struct Case {
    int32_t axis;  // 0 X, 1 Y
    int32_t value;
    std::string code;
  };
  const Case cases[] = {
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
  for (const Case& c : cases) {
    SCOPED_TRACE("axis " + std::to_string(c.axis + 1) + " at " + std::to_string(c.value));
    JoystickState state = RestingPad();
    state.axes[c.axis] = c.value;
    EXPECT_EQ(JoystickCode("Pad", state), c.code);
  }
}

TEST(JoystickCodeTest, TheFirstOfSeveralActiveInputsOfAKindWins) {
  struct Case {
    const char* what;
    std::vector<std::pair<int32_t, int32_t>> axes;  // axis index, value
    std::vector<int32_t> buttons;                   // pressed, 0-based
    std::vector<std::pair<int32_t, int32_t>> hats;  // hat index, value
    std::string code;
  };
  const Case cases[] = {
      {"X low and Y high", {{0, 1000}, {1, 9000}}, {}, {}, "Pad;1;-1;0;0;0;0"},
      {"Y low and Z high", {{1, 100}, {2, 9900}}, {}, {}, "Pad;2;-1;0;0;0;0"},
      {"buttons 2 and 5", {}, {1, 4}, {}, "Pad;0;0;2;1;0;0"},
      {"button 32 only", {}, {31}, {}, "Pad;0;0;32;1;0;0"},
      {"hat 2 east, hat 3 south", {}, {}, {{1, 9000}, {2, 18000}}, "Pad;0;0;0;0;2;2"},
      {"hat 1 centred, hat 2 west", {}, {}, {{0, -1}, {1, 27000}}, "Pad;0;0;0;0;2;8"},
      {"X low and button 2", {{0, 0}}, {1}, {}, "Pad;1;-1;2;1;0;0"},
      {"all three", {{4, 10000}}, {2}, {{0, 0}}, "Pad;5;1;3;1;1;1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    JoystickState state;
    state.axisPresent.fill(true);
    state.buttonCount = JoystickState::kButtonCount;
    state.hatCount = JoystickState::kHatCount;
    for (const auto& [axis, value] : c.axes) state.axes[axis] = value;
    for (const int32_t button : c.buttons) state.buttons[button] = 0x80;
    for (const auto& [hat, value] : c.hats) state.hats[hat] = value;
    EXPECT_EQ(JoystickCode("Pad", state), c.code);
  }
}

TEST(JoystickCodeTest, OnlyTheInputsTheDeviceHasAreRead) {
  struct Case {
    const char* what;
    void (*change)(JoystickState&);
    std::string code;
  };
  const Case cases[] = {
      {"missing axis Z deflected", [](JoystickState& s) { s.axes[2] = 0; }, ""},
      {"Z missing, Y deflected",
       [](JoystickState& s) {
         s.axes[2] = 0;
         s.axes[1] = 9000;
       },
       "Pad;2;1;0;0;0;0"},
      {"button beyond the count", [](JoystickState& s) { s.buttons[4] = 1; }, ""},
      {"hat beyond the count", [](JoystickState& s) { s.hats[1] = 0; }, ""},
      {"button count over 32 is cut", [](JoystickState& s) { s.buttonCount = 1000; }, ""},
      {"negative counts read nothing",
       [](JoystickState& s) {
         s.buttonCount = -3;
         s.hatCount = -1;
         s.buttons[0] = 1;
         s.hats[0] = 0;
       },
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    JoystickState state = RestingPad();
    c.change(state);
    EXPECT_EQ(JoystickCode("Pad", state), c.code);
  }
}

TEST(JoystickCodeTest, HatValuesGiveTheQuarterTheyPointTo) {
  struct Case {
    int32_t value;
    std::string code;
  };
  const Case cases[] = {
      {-1, ""},
      {65535, ""},
      {0, "Pad;0;0;0;0;1;1"},
      {4499, "Pad;0;0;0;0;1;1"},
      {4500, "Pad;0;0;0;0;1;2"},  // north-east counts as east
      {9000, "Pad;0;0;0;0;1;2"},
      {13499, "Pad;0;0;0;0;1;2"},
      {13500, "Pad;0;0;0;0;1;4"},  // south-east counts as south
      {18000, "Pad;0;0;0;0;1;4"},
      {22499, "Pad;0;0;0;0;1;4"},
      {22500, "Pad;0;0;0;0;1;8"},  // south-west counts as west
      {27000, "Pad;0;0;0;0;1;8"},
      {31499, "Pad;0;0;0;0;1;8"},
      {31500, "Pad;0;0;0;0;1;1"},  // north-west counts as north
      {35999, "Pad;0;0;0;0;1;1"},
      {36000, "Pad;0;0;0;0;1;36000"},
      {40000, "Pad;0;0;0;0;1;40000"},
      {-2, "Pad;0;0;0;0;1;-2"},
      {-9000, "Pad;0;0;0;0;1;-9000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("hat value " + std::to_string(c.value));
    JoystickState state = RestingPad();
    state.hats[0] = c.value;
    EXPECT_EQ(JoystickCode("Pad", state), c.code);
  }
}

}  // namespace
