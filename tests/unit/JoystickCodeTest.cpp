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
    JoystickState state = RestingPad();
    state.axes[c.axis] = c.value;
    EXPECT_EQ(JoystickCode("Pad", state), c.code);
  }
}

}  // namespace
