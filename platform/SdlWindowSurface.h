#pragma once

// Shows a back buffer in a plain SDL window through the window's own surface:
// no OpenGL, so the small windows (splash, fatal message) work wherever SDL
// can open a window at all.

struct SDL_Window;
class BackBuffer;

// Copies the picture to the window's top-left corner and updates the window.
// False when the window has no surface.
bool PresentOnWindowSurface(SDL_Window* window, const BackBuffer& picture);
