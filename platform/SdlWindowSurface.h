#pragma once

// Shows a back buffer in a plain SDL window through the window's own surface:
// no OpenGL, so the small windows (splash, fatal message) work wherever SDL
// can open a window at all.

struct SDL_Surface;
struct SDL_Window;
class BackBuffer;

// The window's own surface, in the window system's images; null when it has
// none. Valid until the window's size changes.
SDL_Surface* WindowSurface(SDL_Window* window);

// Copies the picture to the window's top-left corner and updates the window.
// False when the window has no surface.
bool PresentOnWindowSurface(SDL_Window* window, const BackBuffer& picture);
