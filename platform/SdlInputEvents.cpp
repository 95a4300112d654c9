#include "platform/SdlInputEvents.h"

#include <SDL_events.h>
#include <SDL_keyboard.h>

#include <string>

#include "base/Log.h"
#include "base/WindowEventHandler.h"
#include "platform/SdlKeyTable.h"

namespace {

// 1 left, 2 right, 0 for a button the program does not use.
int32_t ButtonOf(const SDL_MouseButtonEvent& event) {
  if (event.button == SDL_BUTTON_LEFT) return 1;
  if (event.button == SDL_BUTTON_RIGHT) return 2;
  return 0;
}

int32_t VirtualKeyOf(const SDL_KeyboardEvent& event) {
  return VirtualKeyFromSdl(event.keysym.sym, event.keysym.scancode, event.keysym.mod);
}

void KeyDown(const SDL_KeyboardEvent& event, int32_t modifierMask, WindowEventHandler& handler) {
  const int32_t key = VirtualKeyOf(event);
  if (key != 0) {
    handler.OnKeyDown(key, modifierMask);
    return;
  }
  // Once per press, not for every repeat while it is held.
  if (event.repeat) return;
  WriteLog(std::string("key without a number: ") + SDL_GetKeyName(event.keysym.sym) +
           " (scan code " + std::to_string(event.keysym.scancode) + ")");
}

}  // namespace

bool SdlInputEvents::Dispatch(const SDL_Event& event, WindowEventHandler& handler) {
  switch (event.type) {
    case SDL_KEYDOWN:
      mModifierMask = ModifierMaskFromSdl(event.key.keysym.mod);
      KeyDown(event.key, mModifierMask, handler);
      return true;
    case SDL_KEYUP:
      mModifierMask = ModifierMaskFromSdl(event.key.keysym.mod);
      handler.OnKeyUp(VirtualKeyOf(event.key), mModifierMask);
      return true;
    case SDL_MOUSEBUTTONDOWN: {
      const int32_t button = ButtonOf(event.button);
      if (button == 0) return true;
      if (event.button.clicks == 2) {
        handler.OnDoubleClick(button, mModifierMask, event.button.x, event.button.y);
      } else {
        handler.OnMouseDown(button, mModifierMask, event.button.x, event.button.y);
      }
      return true;
    }
    case SDL_MOUSEBUTTONUP: {
      const int32_t button = ButtonOf(event.button);
      if (button != 0) handler.OnMouseUp(button, mModifierMask, event.button.x, event.button.y);
      return true;
    }
    case SDL_MOUSEMOTION: {
      const int32_t button = (event.motion.state & SDL_BUTTON_LMASK) ? 1 : 0;
      handler.OnMouseMove(button, mModifierMask, event.motion.x, event.motion.y);
      return true;
    }
    default:
      return false;
  }
}
