// SDL's key and mouse events as the main window's input: the table between
// SDL's keys and the virtual-key numbers of the key file, and the modifiers
// that come with each event.

#include "platform/SdlInputEvents.h"

#include <gtest/gtest.h>

#include <SDL_events.h>

#include <string>
#include <vector>

#include "base/WindowEventHandler.h"
#include "platform/SdlKeyTable.h"
#include "support/FakeLog.h"

namespace {

TEST(SdlKeyTable, EveryKeyHasTheNumberOfItsSymbolOrItsPlace) {
  struct Case {
    const char* what;
    SDL_Keycode key;
    SDL_Scancode place;
    uint16_t modifiers;
    int32_t virtualKey;
  };
  const Case cases[] = {
      {"letter", SDLK_a, SDL_SCANCODE_A, KMOD_NONE, 'A'},
      {"German Z where the US Y is", SDLK_z, SDL_SCANCODE_Y, KMOD_NONE, 'Z'},
      {"Cyrillic letter", 0x439, SDL_SCANCODE_Q, KMOD_NONE, 'Q'},
      {"digit", SDLK_9, SDL_SCANCODE_9, KMOD_NONE, '9'},
      {"French digit row", 0xE9, SDL_SCANCODE_2, KMOD_NONE, '2'},
      {"French digit row", SDLK_AMPERSAND, SDL_SCANCODE_1, KMOD_NONE, '1'},
      {"Up", SDLK_UP, SDL_SCANCODE_UP, KMOD_NONE, 38},
      {"Enter", SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_NONE, 13},
      {"keypad Enter", SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, KMOD_NONE, 13},
      {"right Shift", SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, KMOD_RSHIFT, 16},
      {"left Ctrl", SDLK_LCTRL, SDL_SCANCODE_LCTRL, KMOD_LCTRL, 17},
      {"AltGr", SDLK_MODE, SDL_SCANCODE_MODE, KMOD_MODE, 18},
      {"Caps Lock remapped to Escape", SDLK_ESCAPE, SDL_SCANCODE_CAPSLOCK, KMOD_NONE, 27},
      {"Space", SDLK_SPACE, SDL_SCANCODE_SPACE, KMOD_NONE, 32},
      {"F5", SDLK_F5, SDL_SCANCODE_F5, KMOD_NONE, 116},
      {"F24", SDLK_F24, SDL_SCANCODE_F24, KMOD_NONE, 135},
      {"XF86AudioMute", SDLK_MUTE, SDL_SCANCODE_MUTE, KMOD_NONE, 173},
      {"audio mute", SDLK_AUDIOMUTE, SDL_SCANCODE_AUDIOMUTE, KMOD_NONE, 173},
      {"volume down", SDLK_VOLUMEDOWN, SDL_SCANCODE_VOLUMEDOWN, KMOD_NONE, 174},
      {"next", SDLK_AUDIONEXT, SDL_SCANCODE_AUDIONEXT, KMOD_NONE, 176},
      {"play", SDLK_AUDIOPLAY, SDL_SCANCODE_AUDIOPLAY, KMOD_NONE, 179},
      // Punctuation goes by the US key in its place.
      {"semicolon", SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON, KMOD_NONE, 186},
      {"German ö", 0xF6, SDL_SCANCODE_SEMICOLON, KMOD_NONE, 186},
      {"German ß", 0xDF, SDL_SCANCODE_MINUS, KMOD_NONE, 189},
      {"German minus where the US slash is", SDLK_MINUS, SDL_SCANCODE_SLASH, KMOD_NONE, 191},
      {"Nordic §", 0xA7, SDL_SCANCODE_GRAVE, KMOD_NONE, 192},
      {"German ü", 0xFC, SDL_SCANCODE_LEFTBRACKET, KMOD_NONE, 219},
      {"ISO hash", SDLK_HASH, SDL_SCANCODE_NONUSHASH, KMOD_NONE, 220},
      {"German plus", SDLK_PLUS, SDL_SCANCODE_RIGHTBRACKET, KMOD_NONE, 221},
      {"German ä", 0xE4, SDL_SCANCODE_APOSTROPHE, KMOD_NONE, 222},
      {"ISO less-than", SDLK_LESS, SDL_SCANCODE_NONUSBACKSLASH, KMOD_NONE, 226},
      // The keypad: digits with Num Lock, the keys printed beneath without.
      {"keypad 8 with Num Lock", SDLK_KP_8, SDL_SCANCODE_KP_8, KMOD_NUM, 104},
      {"keypad 0 with Num Lock", SDLK_KP_0, SDL_SCANCODE_KP_0, KMOD_NUM, 96},
      {"keypad point with Num Lock", SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, KMOD_NUM, 110},
      {"keypad 8", SDLK_KP_8, SDL_SCANCODE_KP_8, KMOD_NONE, 38},
      {"keypad 2", SDLK_KP_2, SDL_SCANCODE_KP_2, KMOD_NONE, 40},
      {"keypad 4", SDLK_KP_4, SDL_SCANCODE_KP_4, KMOD_NONE, 37},
      {"keypad 6", SDLK_KP_6, SDL_SCANCODE_KP_6, KMOD_SHIFT, 39},
      {"keypad 7", SDLK_KP_7, SDL_SCANCODE_KP_7, KMOD_NONE, 36},
      {"keypad 1", SDLK_KP_1, SDL_SCANCODE_KP_1, KMOD_NONE, 35},
      {"keypad 9", SDLK_KP_9, SDL_SCANCODE_KP_9, KMOD_NONE, 33},
      {"keypad 3", SDLK_KP_3, SDL_SCANCODE_KP_3, KMOD_NONE, 34},
      {"keypad 0", SDLK_KP_0, SDL_SCANCODE_KP_0, KMOD_NONE, 45},
      {"keypad point", SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, KMOD_NONE, 46},
      {"keypad 5", SDLK_KP_5, SDL_SCANCODE_KP_5, KMOD_NONE, 12},
      {"keypad plus", SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS, KMOD_NONE, 107},
      {"keypad equals", SDLK_KP_EQUALS, SDL_SCANCODE_KP_EQUALS, KMOD_NUM, 146},
      // Keys that have no number.
      {"eject", SDLK_EJECT, SDL_SCANCODE_EJECT, KMOD_NONE, 0},
      {"currency unit", SDLK_CURRENCYUNIT, SDL_SCANCODE_CURRENCYUNIT, KMOD_NONE, 0},
      {"unknown", SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, KMOD_NONE, 0},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(VirtualKeyFromSdl(row.key, row.place, row.modifiers), row.virtualKey);
  }
}

TEST(SdlKeyTable, ModifierMask) {
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

// Writes down what reaches the main window.
class RecordingHandler final : public WindowEventHandler {
 public:
  void OnKeyDown(int32_t key, int32_t mask) override { Add("down", key, mask); }
  void OnKeyUp(int32_t key, int32_t mask) override { Add("up", key, mask); }
  void OnMouseDown(int32_t button, int32_t mask, double x, double y) override {
    Add("press", button, mask, x, y);
  }
  void OnMouseMove(int32_t button, int32_t mask, double x, double y) override {
    Add("move", button, mask, x, y);
  }
  void OnMouseUp(int32_t button, int32_t mask, double x, double y) override {
    Add("release", button, mask, x, y);
  }
  void OnDoubleClick(int32_t button, int32_t mask, double x, double y) override {
    Add("double", button, mask, x, y);
  }
  void OnMouseLeave() override { calls.push_back("leave"); }
  void OnCloseRequested() override { calls.push_back("close"); }
  void OnExposed() override { calls.push_back("exposed"); }
  void OnResized() override { calls.push_back("resized"); }
  void OnIdle() override {}

  std::vector<std::string> calls;

 private:
  void Add(const char* what, int32_t number, int32_t mask) {
    calls.push_back(std::string(what) + " " + std::to_string(number) + " " + std::to_string(mask));
  }
  void Add(const char* what, int32_t button, int32_t mask, double x, double y) {
    Add(what, button, mask);
    calls.back() +=
        " " + std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y));
  }
};

SDL_Event Key(Uint32 type, SDL_Keycode key, SDL_Scancode place, uint16_t modifiers,
              bool repeat = false) {
  SDL_Event event{};
  event.type = type;
  event.key.keysym.sym = key;
  event.key.keysym.scancode = place;
  event.key.keysym.mod = modifiers;
  event.key.repeat = repeat ? 1 : 0;
  return event;
}

SDL_Event Button(Uint32 type, Uint8 button, Uint8 clicks = 1) {
  SDL_Event event{};
  event.type = type;
  event.button.button = button;
  event.button.clicks = clicks;
  event.button.x = 10;
  event.button.y = 20;
  return event;
}

SDL_Event Motion(Uint32 buttons) {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.state = buttons;
  event.motion.x = 30;
  event.motion.y = 40;
  return event;
}

// The events of a queue that the program reaches late, after the user has
// let go of every key: each still carries the modifiers held when it happened.
TEST(SdlInputEvents, EachEventCarriesTheModifiersHeldWhenItHappened) {
  FakeLog log;
  SDL_SetModState(KMOD_NONE);
  const SDL_Event queue[] = {
      Key(SDL_KEYDOWN, SDLK_LALT, SDL_SCANCODE_LALT, KMOD_LALT),
      Key(SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT | KMOD_NUM),
      Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT),
      Key(SDL_KEYUP, SDLK_LALT, SDL_SCANCODE_LALT, KMOD_NONE),
      Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT),
      Key(SDL_KEYDOWN, SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, KMOD_LSHIFT),
      Motion(SDL_BUTTON_LMASK),
      Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 2),
      Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE),
      Key(SDL_KEYDOWN, SDLK_EJECT, SDL_SCANCODE_EJECT, KMOD_LSHIFT),
      Key(SDL_KEYDOWN, SDLK_EJECT, SDL_SCANCODE_EJECT, KMOD_LSHIFT, true),
      Key(SDL_KEYUP, SDLK_EJECT, SDL_SCANCODE_EJECT, KMOD_LSHIFT),
  };
  SdlInputEvents input;
  RecordingHandler handler;
  for (const SDL_Event& event : queue) EXPECT_TRUE(input.Dispatch(event, handler));

  const std::vector<std::string> expected = {
      "down 18 4", "down 13 4",      "press 1 4 10,20",  "up 18 0", "release 1 0 10,20",
      "down 16 1", "move 1 1 30,40", "double 2 1 10,20", "up 0 1",
  };
  EXPECT_EQ(handler.calls, expected);
  EXPECT_EQ(log.Messages(),
            std::vector<std::string>{"key without a number: Eject (scan code 281)"});

  SDL_Event quit{};
  quit.type = SDL_QUIT;
  EXPECT_FALSE(input.Dispatch(quit, handler));
}

}  // namespace
