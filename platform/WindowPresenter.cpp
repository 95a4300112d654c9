#include "platform/WindowPresenter.h"

#include <algorithm>
#include <cstring>

#include "base/Log.h"
#include "platform/GlPresenter.h"
#include "platform/SdlMainWindow.h"
#include "platform/SdlWindowSurface.h"
#include "render/BackBuffer.h"

WindowPresenter::WindowPresenter(SdlMainWindow& window)
    : mWindow(window), mPicture(std::make_unique<BackBuffer>()) {}

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
  if (mPicture->IsValid()) {
    mGl->SetSize(mPicture->Width(), mPicture->Height());
    mGl->UploadRect(mPicture->Pixels(), mPicture->StridePixels(), 0, 0, mPicture->Width(),
                    mPicture->Height());
  }
  mPicture.reset();
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
  if (mPicture->Width() == width && mPicture->Height() == height) return;
  if (width <= 0 || height <= 0) {
    mPicture = std::make_unique<BackBuffer>();
  } else {
    mPicture->Resize(width, height);
  }
  mChanged = true;
}

void WindowPresenter::UploadRect(const uint32_t* pixels, int32_t stridePixels, int32_t x, int32_t y,
                                 int32_t width, int32_t height) {
  if (mGl) {
    mGl->UploadRect(pixels, stridePixels, x, y, width, height);
    return;
  }
  if (!mPicture->IsValid() || !pixels) return;
  const int32_t left = std::max(x, 0);
  const int32_t top = std::max(y, 0);
  const int32_t right = std::min(x + width, mPicture->Width());
  const int32_t bottom = std::min(y + height, mPicture->Height());
  for (int32_t row = top; row < bottom; ++row) {
    const size_t from = static_cast<size_t>(row) * static_cast<size_t>(stridePixels);
    const size_t to = static_cast<size_t>(row) * static_cast<size_t>(mPicture->StridePixels());
    std::memcpy(mPicture->Pixels() + to + left, pixels + from + left,
                static_cast<size_t>(std::max(right - left, 0)) * sizeof(uint32_t));
  }
  mChanged = true;
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
    if (!mChanged || !mPicture->IsValid()) return false;
    if (PresentOnWindowSurface(mWindow.Handle(), *mPicture)) {
      mChanged = false;
      return true;
    }
    // Where the window takes no images, OpenGL draws the first frame too.
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
