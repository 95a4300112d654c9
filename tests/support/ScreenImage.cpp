#include "support/ScreenImage.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cassert>
#include <memory>

ScreenImage ScreenImage::Capture(const ScreenRect& rect) {
  ScreenImage image;
  if (rect.width <= 0 || rect.height <= 0) return image;
  std::unique_ptr<Display, int (*)(Display*)> display(XOpenDisplay(nullptr), XCloseDisplay);
  if (!display) return image;
  XImage* read = XGetImage(display.get(), DefaultRootWindow(display.get()), rect.x, rect.y,
                           static_cast<unsigned>(rect.width), static_cast<unsigned>(rect.height),
                           AllPlanes, ZPixmap);
  if (!read) return image;
  image.mRect = rect;
  image.mPixels.resize(static_cast<size_t>(rect.width) * static_cast<size_t>(rect.height));
  for (int y = 0; y < rect.height; ++y) {
    for (int x = 0; x < rect.width; ++x) {
      image.mPixels[static_cast<size_t>(y) * static_cast<size_t>(rect.width) +
                    static_cast<size_t>(x)] =
          static_cast<uint32_t>(XGetPixel(read, x, y)) & 0xFFFFFFu;
    }
  }
  XDestroyImage(read);
  return image;
}

uint32_t ScreenImage::Pixel(int x, int y) const {
  assert(x >= mRect.x && y >= mRect.y && x < mRect.x + mRect.width && y < mRect.y + mRect.height);
  return mPixels[static_cast<size_t>(y - mRect.y) * static_cast<size_t>(mRect.width) +
                 static_cast<size_t>(x - mRect.x)];
}
