#pragma once

// The one table between SDL's keys and the virtual-key numbers that the
// key-binding file uses, so a key file means the same on every machine and
// every keyboard layout (Up is 38, Enter 13, play/pause 179).

#include <cstdint>

// The virtual-key number of a key event: its symbol (SDL_Keycode), its scan
// code (SDL_Scancode) and the modifier state that came with it (SDL_Keymod,
// for Num Lock). 0 for a key that has no number.
int32_t VirtualKeyFromSdl(int32_t keycode, int32_t scancode, uint16_t modifiers);

// The modifier mask (Shift 1, Ctrl 2, Alt 4) of SDL's modifier state.
int32_t ModifierMaskFromSdl(uint16_t modifiers);
