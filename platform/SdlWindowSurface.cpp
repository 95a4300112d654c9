#include "platform/SdlWindowSurface.h"

#include <SDL.h>

#include "render/BackBuffer.h"

SDL_Surface* WindowSurface(SDL_Window* window) {
  if (!window) return nullptr;
  // SDL would otherwise back the surface with an OpenGL renderer of its own
  // where it can: a second context, whose set-up costs the splash a tenth of
  // a second with software drawing. The window system's own images do here.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  return SDL_GetWindowSurface(window);
}

bool PresentOnWindowSurface(SDL_Window* window, const BackBuffer& picture) {
  if (!picture.IsValid()) return false;
  SDL_Surface* target = WindowSurface(window);
  if (!target) return false;
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<uint32_t*>(picture.Pixels()), picture.Width(), picture.Height(), 32,
      picture.StridePixels() * 4, SDL_PIXELFORMAT_RGB888);
  if (!source) return false;
  SDL_BlitSurface(source, nullptr, target, nullptr);
  SDL_FreeSurface(source);
  return SDL_UpdateWindowSurface(window) == 0;
}
