#pragma once

#include <cstdint>

class WindowEventHandler;
union SDL_Event;

// SDL's key and mouse events as the main window's input: keys as the
// virtual-key numbers of the key-binding file, buttons as 1 left and 2 right,
// and each with the modifier mask that held when the user pressed it. A key
// event carries its own modifier state; a mouse event carries none and takes
// the state of the last key event before it in the queue. The keyboard's state
// at the time an event is handled is never used: under load the user may have
// let go of Alt by then.
class SdlInputEvents {
 public:
  // Hands a key or mouse event to the handler and returns true; false for
  // any other event. A key without a number is logged and not handed on.
  bool Dispatch(const SDL_Event& event, WindowEventHandler& handler);

 private:
  int32_t mModifierMask = 0;  // as of the last key event
};
