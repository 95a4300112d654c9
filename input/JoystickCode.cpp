#include "input/JoystickCode.h"

#include <algorithm>

namespace {

constexpr int32_t kAxisLow = 2500;
constexpr int32_t kAxisHigh = 7500;
constexpr int32_t kHatCentredAlt = 65535;
constexpr int32_t kFullCircle = 36000;

std::string Part(int32_t number, int32_t value) {
  return std::to_string(number) + ";" + std::to_string(value);
}

std::string AxisPart(const JoystickState& state) {
  for (int32_t axis = 0; axis < JoystickState::kAxisCount; ++axis) {
    if (!state.axisPresent[axis]) continue;
    const int32_t value = state.axes[axis];
    if (value < kAxisLow) return Part(axis + 1, -1);
    if (value > kAxisHigh) return Part(axis + 1, 1);
  }
  return "0;0";
}

std::string ButtonPart(const JoystickState& state) {
  const int32_t count = std::clamp(state.buttonCount, 0, JoystickState::kButtonCount);
  for (int32_t button = 0; button < count; ++button) {
    if (state.buttons[button] != 0) return Part(button + 1, 1);
  }
  return "0;0";
}

std::string HatPart(const JoystickState& state) {
  const int32_t count = std::clamp(state.hatCount, 0, JoystickState::kHatCount);
  for (int32_t hat = 0; hat < count; ++hat) {
    const int32_t value = state.hats[hat];
    if (value == JoystickState::kHatCentred || value == kHatCentredAlt) continue;
    return Part(hat + 1, HatDirection(value));
  }
  return "0;0";
}

}  // namespace

int32_t HatDirection(int32_t value) {
  if (value < 0 || value >= kFullCircle) return value;
  if (value <= 4499 || value > 31499) return 1;
  if (value <= 13499) return 2;
  if (value <= 22499) return 4;
  return 8;
}

std::string JoystickCode(std::string_view name, const JoystickState& state) {
  const std::string parts = AxisPart(state) + ";" + ButtonPart(state) + ";" + HatPart(state);
  if (parts == kJoystickIdleParts) return std::string();
  return std::string(name) + ";" + parts;
}
