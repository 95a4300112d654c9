#include "platform/GlVideoTarget.h"

#include <utility>

#include "platform/GlPresenter.h"
#include "platform/SdlMainWindow.h"
#include "platform/WindowPresenter.h"

void GlVideoTarget::MakeCurrent() {
  if (mPresenter.Gl()) mWindow.MakeContextCurrent();
}

void* GlVideoTarget::GlProcAddress(const char* name) {
  return mPresenter.Gl() ? mWindow.GlProcAddress(name) : nullptr;
}

bool GlVideoTarget::Framebuffer(int& framebuffer, int& width, int& height, bool& flipY) {
  GlPresenter* gl = mPresenter.Gl();
  return gl && gl->VideoTarget(framebuffer, width, height, flipY);
}

void GlVideoTarget::FrameDrawn() {
  if (GlPresenter* gl = mPresenter.GlIfMade()) gl->MarkVideoChanged();
}

void GlVideoTarget::Place(const PixelRect& window, const PixelRect& picture) {
  mPresenter.PlaceVideo(window, picture);
}

void GlVideoTarget::Clear() {
  Place({}, {});
  if (GlPresenter* gl = mPresenter.GlIfMade()) gl->ClearVideo();
}

void GlVideoTarget::SetRedraw(std::function<void()> redraw) {
  mPresenter.SetVideoRedraw(std::move(redraw));
}
