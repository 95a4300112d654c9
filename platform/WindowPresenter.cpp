#include "platform/WindowPresenter.h"

#include <SDL.h>

#include <algorithm>
#include <vector>

#include "base/Log.h"
#include "platform/GlPresenter.h"
#include "platform/SdlMainWindow.h"
#include "platform/SdlWindowSurface.h"

namespace {

// Copies a rectangle of an x8r8g8b8 picture to the same place of the surface
// (clipped to it), converted to the surface's own format.
void CopyRect(const uint32_t* pixels, int32_t stridePixels, int32_t left, int32_t top,
              int32_t right, int32_t bottom, SDL_Surface& surface) {
  right = std::min(right, surface.w);
  bottom = std::min(bottom, surface.h);
  if (left >= right || top >= bottom) return;
  auto* target = static_cast<uint8_t*>(surface.pixels) + static_cast<size_t>(top) * surface.pitch +
                 static_cast<size_t>(left) * surface.format->BytesPerPixel;
  SDL_ConvertPixels(right - left, bottom - top, SDL_PIXELFORMAT_RGB888,
                    pixels + static_cast<size_t>(top) * stridePixels + left,
                    stridePixels * static_cast<int>(sizeof(uint32_t)), surface.format->format,
                    target, surface.pitch);
}

}  // namespace

WindowPresenter::WindowPresenter(SdlMainWindow& window) : mWindow(window) {}

WindowPresenter::~WindowPresenter() = default;

GlPresenter* WindowPresenter::Gl() {
  if (mGl || mGlTried) return mGl.get();
  mGlTried = true;
  mGl = GlPresenter::Create(mWindow);
  if (!mGl) {
    WriteLog("the window is shown without OpenGL: no video can be played");
    return nullptr;
  }
  mGl->SetVideoWindow(mVideoWindow);
  mGl->SetVideoDestination(mVideoDestination);
  mGl->SetVideoRedraw(std::move(mVideoRedraw));
  mGl->SetSize(mWidth, mHeight);
  // The picture so far is in the window's surface.
  SDL_Surface* surface = WindowSurface(mWindow.Handle());
  if (surface && mWidth > 0 && mHeight > 0) {
    std::vector<uint32_t> picture(static_cast<size_t>(mWidth) * static_cast<size_t>(mHeight));
    const int32_t width = std::min(mWidth, surface->w);
    const int32_t height = std::min(mHeight, surface->h);
    SDL_ConvertPixels(width, height, surface->format->format, surface->pixels, surface->pitch,
                      SDL_PIXELFORMAT_RGB888, picture.data(),
                      mWidth * static_cast<int>(sizeof(uint32_t)));
    mGl->UploadRect(picture.data(), mWidth, 0, 0, mWidth, mHeight);
  }
  return mGl.get();
}

std::string WindowPresenter::RendererName() const {
  return mGl ? mGl->RendererName() : "none";
}

void WindowPresenter::SetSize(int32_t width, int32_t height) {
  if (mGl) {
    mGl->SetSize(width, height);
    return;
  }
  mWidth = std::max(width, 0);
  mHeight = std::max(height, 0);
  if (mWidth == 0 || mHeight == 0) mWidth = mHeight = 0;
  mChanged = true;
}

void WindowPresenter::UploadRect(const uint32_t* pixels, int32_t stridePixels, int32_t x, int32_t y,
                                 int32_t width, int32_t height) {
  if (!mGl) {
    SDL_Surface* surface = WindowSurface(mWindow.Handle());
    if (surface && pixels) {
      CopyRect(pixels, stridePixels, std::max(x, 0), std::max(y, 0), std::min(x + width, mWidth),
               std::min(y + height, mHeight), *surface);
      mChanged = true;
      return;
    }
    // Where the window takes no images, OpenGL draws from the first frame.
    if (!Gl()) return;
  }
  mGl->UploadRect(pixels, stridePixels, x, y, width, height);
}

void WindowPresenter::Invalidate() {
  if (mGl) {
    mGl->Invalidate();
    return;
  }
  mChanged = true;
}

bool WindowPresenter::PresentIfChanged() {
  if (!mGl) {
    if (!mChanged || mWidth == 0 || mHeight == 0) return false;
    if (SDL_UpdateWindowSurface(mWindow.Handle()) == 0) {
      mChanged = false;
      return true;
    }
    if (!Gl()) return false;
  }
  return mGl->PresentIfChanged();
}

void WindowPresenter::PlaceVideo(const PixelRect& window, const PixelRect& destination) {
  mVideoWindow = window;
  mVideoDestination = destination;
  if (!mGl) return;
  mGl->SetVideoWindow(window);
  mGl->SetVideoDestination(destination);
}

void WindowPresenter::SetVideoRedraw(std::function<void()> redraw) {
  if (mGl) {
    mGl->SetVideoRedraw(std::move(redraw));
  } else {
    mVideoRedraw = std::move(redraw);
  }
}
