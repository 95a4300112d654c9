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
  const struct {
    const char* what;
    SDL_Keycode key;
    SDL_Scancode place;
    uint16_t modifiers;
    int32_t virtualKey;
  } cases[] = {
      {"letter", SDLK_a, SDL_SCANCODE_A, KMOD_NONE, 'A'},
      {"German Z where the US Y is", SDLK_z, SDL_SCANCODE_Y, KMOD_NONE, 'Z'},
      {"Cyrillic letter", 0x439, SDL_SCANCODE_Q, KMOD_NONE, 'Q'},
      {"French digit row", 0xE9, SDL_SCANCODE_2, KMOD_NONE, '2'},
      {"Up", SDLK_UP, SDL_SCANCODE_UP, KMOD_NONE, 38},
      {"keypad Enter", SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, KMOD_NONE, 13},
      {"Caps Lock remapped to Escape", SDLK_ESCAPE, SDL_SCANCODE_CAPSLOCK, KMOD_NONE, 27},
      {"XF86AudioMute", SDLK_MUTE, SDL_SCANCODE_MUTE, KMOD_NONE, 173},
      // Punctuation goes by the US key in its place.
      {"German ö", 0xF6, SDL_SCANCODE_SEMICOLON, KMOD_NONE, 186},
      {"German minus where the US slash is", SDLK_MINUS, SDL_SCANCODE_SLASH, KMOD_NONE, 191},
      // The keypad: digits with Num Lock, the keys printed beneath without.
      {"keypad 8 with Num Lock", SDLK_KP_8, SDL_SCANCODE_KP_8, KMOD_NUM, 104},
      {"keypad 8", SDLK_KP_8, SDL_SCANCODE_KP_8, KMOD_NONE, 38},
      {"keypad 6", SDLK_KP_6, SDL_SCANCODE_KP_6, KMOD_SHIFT, 39},
      // Keys that have no number.
      {"eject", SDLK_EJECT, SDL_SCANCODE_EJECT, KMOD_NONE, 0},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(VirtualKeyFromSdl(row.key, row.place, row.modifiers), row.virtualKey);
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
