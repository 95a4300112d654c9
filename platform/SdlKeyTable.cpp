#include "platform/SdlKeyTable.h"

#include <SDL_keyboard.h>

namespace {

constexpr int32_t kModifierShift = 1;
constexpr int32_t kModifierCtrl = 2;
constexpr int32_t kModifierAlt = 4;

struct NamedKey {
  SDL_Keycode key;
  int32_t virtualKey;
};

// Keys that print no character go by their symbol, so a key the user has
// remapped (Caps Lock made Escape) is the key it now says it is.
constexpr NamedKey kNamedKeys[] = {
    {SDLK_CANCEL, 3},
    {SDLK_BACKSPACE, 8},
    {SDLK_TAB, 9},
    {SDLK_CLEAR, 12},
    {SDLK_RETURN, 13},
    {SDLK_RETURN2, 13},
    {SDLK_KP_ENTER, 13},
    {SDLK_LSHIFT, 16},
    {SDLK_RSHIFT, 16},
    {SDLK_LCTRL, 17},
    {SDLK_RCTRL, 17},
    {SDLK_LALT, 18},
    {SDLK_RALT, 18},
    {SDLK_MODE, 18},  // AltGr, which the key file knows as Alt
    {SDLK_PAUSE, 19},
    {SDLK_CAPSLOCK, 20},
    {SDLK_ESCAPE, 27},
    {SDLK_SPACE, 32},
    {SDLK_PAGEUP, 33},
    {SDLK_PAGEDOWN, 34},
    {SDLK_END, 35},
    {SDLK_HOME, 36},
    {SDLK_LEFT, 37},
    {SDLK_UP, 38},
    {SDLK_RIGHT, 39},
    {SDLK_DOWN, 40},
    {SDLK_SELECT, 41},
    {SDLK_EXECUTE, 43},
    {SDLK_PRINTSCREEN, 44},
    {SDLK_SYSREQ, 44},
    {SDLK_INSERT, 45},
    {SDLK_DELETE, 46},
    {SDLK_HELP, 47},
    {SDLK_LGUI, 91},
    {SDLK_RGUI, 92},
    {SDLK_APPLICATION, 93},
    {SDLK_MENU, 93},
    {SDLK_SLEEP, 95},
    {SDLK_KP_MULTIPLY, 106},
    {SDLK_KP_PLUS, 107},
    {SDLK_SEPARATOR, 108},
    {SDLK_KP_COMMA, 108},
    {SDLK_KP_MINUS, 109},
    {SDLK_KP_DIVIDE, 111},
    {SDLK_F1, 112},
    {SDLK_F2, 113},
    {SDLK_F3, 114},
    {SDLK_F4, 115},
    {SDLK_F5, 116},
    {SDLK_F6, 117},
    {SDLK_F7, 118},
    {SDLK_F8, 119},
    {SDLK_F9, 120},
    {SDLK_F10, 121},
    {SDLK_F11, 122},
    {SDLK_F12, 123},
    {SDLK_F13, 124},
    {SDLK_F14, 125},
    {SDLK_F15, 126},
    {SDLK_F16, 127},
    {SDLK_F17, 128},
    {SDLK_F18, 129},
    {SDLK_F19, 130},
    {SDLK_F20, 131},
    {SDLK_F21, 132},
    {SDLK_F22, 133},
    {SDLK_F23, 134},
    {SDLK_F24, 135},
    {SDLK_NUMLOCKCLEAR, 144},
    {SDLK_SCROLLLOCK, 145},
    {SDLK_KP_EQUALS, 146},
    {SDLK_AC_BACK, 166},
    {SDLK_AC_FORWARD, 167},
    {SDLK_AC_REFRESH, 168},
    {SDLK_AC_STOP, 169},
    {SDLK_STOP, 169},
    {SDLK_AC_SEARCH, 170},
    {SDLK_AC_BOOKMARKS, 171},
    {SDLK_AC_HOME, 172},
    // A keyboard's mute key arrives as SDLK_MUTE on X11, as SDLK_AUDIOMUTE elsewhere.
    {SDLK_AUDIOMUTE, 173},
    {SDLK_MUTE, 173},
    {SDLK_VOLUMEDOWN, 174},
    {SDLK_VOLUMEUP, 175},
    {SDLK_AUDIONEXT, 176},
    {SDLK_AUDIOPREV, 177},
    {SDLK_AUDIOSTOP, 178},
    {SDLK_AUDIOPLAY, 179},
    {SDLK_MAIL, 180},
    {SDLK_MEDIASELECT, 181},
    {SDLK_COMPUTER, 182},
    {SDLK_CALCULATOR, 183},
    // Two numbers of the range that has no standard keys.
    {SDLK_AUDIOREWIND, 227},
    {SDLK_AUDIOFASTFORWARD, 228},
    {SDLK_CRSEL, 247},
    {SDLK_EXSEL, 248},
};

struct KeyPlace {
  SDL_Scancode scancode;
  int32_t virtualKey;
};

// The punctuation keys go by where they sit: each takes the number of the US
// layout's key in its place, whatever it prints (ö of a German keyboard is
// 186 like the US semicolon, the Nordic § left of 1 is 192 like the back
// quote), so a key file keeps working when the layout changes.
constexpr KeyPlace kPunctuationPlaces[] = {
    {SDL_SCANCODE_SEMICOLON, 186},      {SDL_SCANCODE_EQUALS, 187},
    {SDL_SCANCODE_COMMA, 188},          {SDL_SCANCODE_MINUS, 189},
    {SDL_SCANCODE_PERIOD, 190},         {SDL_SCANCODE_SLASH, 191},
    {SDL_SCANCODE_GRAVE, 192},          {SDL_SCANCODE_LEFTBRACKET, 219},
    {SDL_SCANCODE_BACKSLASH, 220},      {SDL_SCANCODE_NONUSHASH, 220},
    {SDL_SCANCODE_RIGHTBRACKET, 221},   {SDL_SCANCODE_APOSTROPHE, 222},
    {SDL_SCANCODE_NONUSBACKSLASH, 226},
};

struct KeypadKey {
  SDL_Scancode scancode;
  int32_t withNumLock;
  int32_t withoutNumLock;
};

// The keypad's digits and decimal point are digits while Num Lock is on and
// the navigation keys printed beneath them while it is off.
constexpr KeypadKey kKeypad[] = {
    {SDL_SCANCODE_KP_0, 96, 45},  {SDL_SCANCODE_KP_1, 97, 35},       {SDL_SCANCODE_KP_2, 98, 40},
    {SDL_SCANCODE_KP_3, 99, 34},  {SDL_SCANCODE_KP_4, 100, 37},      {SDL_SCANCODE_KP_5, 101, 12},
    {SDL_SCANCODE_KP_6, 102, 39}, {SDL_SCANCODE_KP_7, 103, 36},      {SDL_SCANCODE_KP_8, 104, 38},
    {SDL_SCANCODE_KP_9, 105, 33}, {SDL_SCANCODE_KP_PERIOD, 110, 46},
};

int32_t KeypadKeyOf(int32_t scancode, uint16_t modifiers) {
  for (const KeypadKey& key : kKeypad) {
    if (key.scancode != scancode) continue;
    return (modifiers & KMOD_NUM) ? key.withNumLock : key.withoutNumLock;
  }
  return 0;
}

int32_t NamedKeyOf(int32_t keycode) {
  for (const NamedKey& key : kNamedKeys) {
    if (key.key == keycode) return key.virtualKey;
  }
  return 0;
}

// Letters and digits of a layout that prints other characters on them
// (Cyrillic letters, the symbols of the French digit row) go by their place.
int32_t PlaceOf(int32_t scancode) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
    return scancode - SDL_SCANCODE_A + 'A';
  }
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
    return scancode - SDL_SCANCODE_1 + '1';
  }
  if (scancode == SDL_SCANCODE_0) return '0';
  for (const KeyPlace& place : kPunctuationPlaces) {
    if (place.scancode == scancode) return place.virtualKey;
  }
  return 0;
}

}  // namespace

int32_t VirtualKeyFromSdl(int32_t keycode, int32_t scancode, uint16_t modifiers) {
  if (const int32_t keypad = KeypadKeyOf(scancode, modifiers)) return keypad;
  // Letters and digits follow the layout, as a key file written on a French
  // keyboard expects its A where the A is printed.
  if (keycode >= SDLK_a && keycode <= SDLK_z) return keycode - SDLK_a + 'A';
  if (keycode >= SDLK_0 && keycode <= SDLK_9) return keycode;
  if (const int32_t named = NamedKeyOf(keycode)) return named;
  return PlaceOf(scancode);
}

int32_t ModifierMaskFromSdl(uint16_t modifiers) {
  int32_t mask = 0;
  if (modifiers & KMOD_SHIFT) mask |= kModifierShift;
  if (modifiers & KMOD_CTRL) mask |= kModifierCtrl;
  if (modifiers & KMOD_ALT) mask |= kModifierAlt;
  return mask;
}
