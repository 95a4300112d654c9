#pragma once

// A joystick's state condensed into one input code: the device name, then the
// deflected axis, the pressed button and the pushed hat switch, each as two
// numbers, all separated by ";" ("Pad;1;-1;2;1;0;0" is X low with button 2).
// The code is the empty text while nothing is deflected, pressed or pushed.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// What the program reads of a device at one moment.
struct JoystickState {
  static constexpr int32_t kAxisCount = 8;     // X, Y, Z, Rx, Ry, Rz, slider 0, slider 1
  static constexpr int32_t kButtonCount = 32;  // buttons beyond 32 are not read
  static constexpr int32_t kHatCount = 4;      // hats beyond 4 are not read
  static constexpr int32_t kAxisCentre = 5000;
  static constexpr int32_t kHatCentred = -1;

  std::array<bool, kAxisCount> axisPresent{};
  // 0..10000, 5000 at rest; only axes marked present are read.
  std::array<int32_t, kAxisCount> axes{kAxisCentre, kAxisCentre, kAxisCentre, kAxisCentre,
                                       kAxisCentre, kAxisCentre, kAxisCentre, kAxisCentre};
  int32_t buttonCount = 0;                      // how many of buttons are read
  std::array<uint8_t, kButtonCount> buttons{};  // non-zero: pressed
  int32_t hatCount = 0;                         // how many of hats are read
  // Hundredths of a degree clockwise from north; -1 or 65535: centred.
  std::array<int32_t, kHatCount> hats{kHatCentred, kHatCentred, kHatCentred, kHatCentred};
};

// The code a new device record starts with, before its state has been read.
inline constexpr std::string_view kJoystickIdleParts = "0;0;0;0;0;0";

// The code for the device's state: name + ";" + axis part + ";" + button part
// + ";" + hat part, or the empty text when all three parts are idle ("0;0").
// The first deflected axis (below 2500 or above 7500), the first pressed
// button and the first pushed hat win.
std::string JoystickCode(std::string_view name, const JoystickState& state);

// The direction a hat value stands for in a code: 1 north, 2 east, 4 south,
// 8 west, each covering the quarter circle around it; a value that is no
// angle (negative, or 36000 and above) is passed on as it is. Never called
// with a centred value.
int32_t HatDirection(int32_t hundredthsOfDegree);
