#pragma once

// One element of a skin: a rectangle of a skin window with its neighbour
// links, percent geometry and, per state, a picture and a text.

#include <array>
#include <cstdint>
#include <string>

// The drawing states of an element; also the key parts of the skin file.
enum ElementState : int32_t { Idle = 0, Selected = 1, Pressed = 2, Disabled = 3 };
inline constexpr int kStateCount = 4;
inline constexpr const char* kStateNames[kStateCount] = {"Idle", "Selected", "Pressed", "Disabled"};

struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  // The colour as one number: red + 256 x green + 65536 x blue.
  uint32_t ToRgbNumber() const { return r + 256u * g + 65536u * b; }
  static Rgb FromRgbNumber(uint32_t number) {
    return Rgb{static_cast<uint8_t>(number & 0xFF), static_cast<uint8_t>((number >> 8) & 0xFF),
               static_cast<uint8_t>((number >> 16) & 0xFF)};
  }
  bool operator==(const Rgb&) const = default;
};

// The indices of an element's move entries.
enum MoveEntry : int { kMoveNorth = 0, kMoveEast = 1, kMoveSouth = 2, kMoveWest = 3, kMovePressed = 4 };

struct SkinElement {
  int32_t Index = 0;  // Its number 1..count; in element 0 the count.
  std::string Name;
  std::string Window;
  std::string FullName;  // Window + "." + Name
  Rgb BackColor;
  std::array<std::string, 5> Moves;  // north, east, south, west, pressed
  double PosX = 0;                   // percent of the drawing area; -1 centres
  double PosY = 0;
  double SizeW = 0;
  double SizeH = 0;

  // Per state (indexed by ElementState).
  std::array<int32_t, kStateCount> PicIndex{};  // below 1: no picture, a colour box
  std::array<double, kStateCount> PicX{};       // percent of the element width; -1 centres
  std::array<double, kStateCount> PicY{};       // percent of the drawn picture height; -1 centres
  std::array<double, kStateCount> PicW{};       // percent of the element; -1 keeps the aspect
  std::array<double, kStateCount> PicH{};
  std::array<std::string, kStateCount> Text;
  std::array<std::string, kStateCount> FontName;
  std::array<int32_t, kStateCount> TextLines{};
  std::array<Rgb, kStateCount> TextColor{};
  std::array<double, kStateCount> TextX{};  // percent of the element; -1 centres
  std::array<double, kStateCount> TextY{};
  std::array<double, kStateCount> TextW{};
  std::array<double, kStateCount> TextH{};

  std::string InfoText;  // help text shown in the status line on focus
  int32_t State = Idle;
};
