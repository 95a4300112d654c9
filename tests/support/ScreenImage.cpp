#include "support/ScreenImage.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cassert>
#include <memory>

namespace {

ScreenImage Read(Display* display, Window window, const ScreenRect& rect) {
  if (!display || rect.width <= 0 || rect.height <= 0) return {};
  XImage* read = XGetImage(display, window, rect.x, rect.y, static_cast<unsigned>(rect.width),
                           static_cast<unsigned>(rect.height), AllPlanes, ZPixmap);
  if (!read) return {};
  std::vector<uint32_t> pixels;
  pixels.reserve(static_cast<size_t>(rect.width) * static_cast<size_t>(rect.height));
  for (int y = 0; y < rect.height; ++y) {
    for (int x = 0; x < rect.width; ++x) {
      pixels.push_back(static_cast<uint32_t>(XGetPixel(read, x, y)) & 0xFFFFFFu);
    }
  }
  XDestroyImage(read);
  return ScreenImage(rect, std::move(pixels));
}

}  // namespace

ScreenImage ScreenImage::Capture(const ScreenRect& rect) {
  std::unique_ptr<Display, int (*)(Display*)> display(XOpenDisplay(nullptr), XCloseDisplay);
  if (!display) return {};
  return Read(display.get(), DefaultRootWindow(display.get()), rect);
}

ScreenImage ScreenImage::Capture(SDL_Window* window, const ScreenRect& rect) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return {};
  XSync(info.info.x11.display, False);
  return Read(info.info.x11.display, info.info.x11.window, rect);
}

int ScreenImage::Differences(const ScreenImage& other) const {
  if (other.mPixels.size() != mPixels.size()) return static_cast<int>(mPixels.size());
  int different = 0;
  for (size_t i = 0; i < mPixels.size(); ++i) different += mPixels[i] != other.mPixels[i] ? 1 : 0;
  return different;
}

uint32_t ScreenImage::Pixel(int x, int y) const {
  assert(x >= mRect.x && y >= mRect.y && x < mRect.x + mRect.width && y < mRect.y + mRect.height);
  return mPixels[static_cast<size_t>(y - mRect.y) * static_cast<size_t>(mRect.width) +
                 static_cast<size_t>(x - mRect.x)];
}
