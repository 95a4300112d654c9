#include "platform/SdlCursor.h"

#include <SDL.h>

int32_t SdlCursor::ShowCursor(bool show) {
  mCount += show ? 1 : -1;
  SDL_ShowCursor(mCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
  return mCount;
}

void SdlCursor::SetCapture(bool capture) {
  SDL_CaptureMouse(capture ? SDL_TRUE : SDL_FALSE);
}
