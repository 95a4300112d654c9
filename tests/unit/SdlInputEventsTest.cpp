// SDL's key and mouse events as the main window's input: the table between
// SDL's keys and the virtual-key numbers of the key file, and the modifiers
// that come with each event.

#include "platform/SdlInputEvents.h"

#include <gtest/gtest.h>

#include <SDL_events.h>

#include <string>
#include <vector>

#include "app/WindowEventHandler.h"
#include "platform/SdlKeyTable.h"
#include "support/FakeLog.h"

namespace {

TEST(SdlKeyTable, KnownKeys) {
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
    EXPECT_EQ(VirtualKeyFromSdl(row.sdlKey, 0, KMOD_NUM), row.virtualKey);
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
  void OnCloseRequested() override { calls.push_back("close"); }
  void OnExposed() override { calls.push_back("exposed"); }
  void OnResized() override { calls.push_back("resized"); }

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
