#include "platform/SdlScreenSaverHold.h"

#include <SDL.h>

bool SdlScreenSaverHold::Hold() {
  SDL_DisableScreenSaver();
  return SDL_IsScreenSaverEnabled() == SDL_FALSE;
}

void SdlScreenSaverHold::Release() {
  SDL_EnableScreenSaver();
}
