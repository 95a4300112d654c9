// The table between SDL keys and the virtual-key numbers of the key file.

#include <gtest/gtest.h>

#include <SDL_keycode.h>

#include <set>

#include "input/KeyTable.h"

namespace {

TEST(KeyTable, EveryVirtualKeyMapsBackToItself) {
  std::set<int32_t> sdlKeys;
  int known = 0;
  for (int32_t virtualKey = 1; virtualKey < 256; ++virtualKey) {
    const int32_t sdlKey = SdlKeyFromVirtualKey(virtualKey);
    if (sdlKey == 0) continue;
    SCOPED_TRACE(virtualKey);
    ++known;
    EXPECT_EQ(VirtualKeyFromSdlKey(sdlKey), virtualKey);
    EXPECT_TRUE(sdlKeys.insert(sdlKey).second) << "two virtual keys share an SDL key";
  }
  // Letters, digits, and the named keys of the table.
  EXPECT_GT(known, 26 + 10 + 100);
}

TEST(KeyTable, KnownKeys) {
  struct Case {
    int32_t sdlKey;
    int32_t virtualKey;
  };
  const Case cases[] = {
      {SDLK_a, 'A'},         {SDLK_z, 'Z'},         {SDLK_0, '0'},          {SDLK_9, '9'},
      {SDLK_UP, 38},         {SDLK_RIGHT, 39},      {SDLK_DOWN, 40},        {SDLK_LEFT, 37},
      {SDLK_RETURN, 13},     {SDLK_KP_ENTER, 13},   {SDLK_LSHIFT, 16},      {SDLK_RSHIFT, 16},
      {SDLK_LCTRL, 17},      {SDLK_RCTRL, 17},      {SDLK_LALT, 18},        {SDLK_RALT, 18},
      {SDLK_ESCAPE, 27},     {SDLK_SPACE, 32},      {SDLK_F1, 112},         {SDLK_F5, 116},
      {SDLK_F12, 123},       {SDLK_AUDIOMUTE, 173}, {SDLK_VOLUMEDOWN, 174}, {SDLK_VOLUMEUP, 175},
      {SDLK_AUDIONEXT, 176}, {SDLK_AUDIOPREV, 177}, {SDLK_AUDIOSTOP, 178},  {SDLK_AUDIOPLAY, 179},
      {SDLK_KP_0, 96},       {SDLK_KP_9, 105},      {SDLK_UNKNOWN, 0},      {SDLK_CURRENCYUNIT, 0},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.sdlKey);
    EXPECT_EQ(VirtualKeyFromSdlKey(row.sdlKey), row.virtualKey);
  }
}

TEST(KeyTable, ModifierMask) {
  struct Case {
    uint16_t sdl;
    int32_t mask;
  };
  const Case cases[] = {
      {KMOD_NONE, 0},
      {KMOD_LSHIFT, 1},
      {KMOD_RSHIFT, 1},
      {KMOD_LCTRL, 2},
      {KMOD_RCTRL, 2},
      {KMOD_LALT, 4},
      {KMOD_RALT, 4},
      {KMOD_LSHIFT | KMOD_RCTRL, 3},
      {KMOD_SHIFT | KMOD_CTRL | KMOD_ALT, 7},
      // Locks and the system key are no modifiers of an input code.
      {KMOD_NUM | KMOD_CAPS | KMOD_GUI, 0},
      {KMOD_NUM | KMOD_LALT, 4},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.sdl);
    EXPECT_EQ(ModifierMaskFromSdl(row.sdl), row.mask);
  }
}

}  // namespace
