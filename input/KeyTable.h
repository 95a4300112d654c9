#pragma once

// The one table between SDL's keys and the virtual-key numbers that
// the key-binding file uses, so a key file means the same on every machine
// (Up is 38, Enter 13, play/pause 179).

#include <cstdint>
#include <string_view>

inline constexpr int32_t kModifierShift = 1;
inline constexpr int32_t kModifierCtrl = 2;
inline constexpr int32_t kModifierAlt = 4;

// The virtual-key number of an SDL key code, or 0 for a key without one.
int32_t VirtualKeyFromSdlKey(int32_t sdlKeycode);

// The SDL key code of a virtual-key number, or 0 when the table has none.
int32_t SdlKeyFromVirtualKey(int32_t virtualKey);

// The modifier mask (Shift 1, Ctrl 2, Alt 4) of SDL's modifier state.
int32_t ModifierMaskFromSdl(uint16_t sdlModifiers);
