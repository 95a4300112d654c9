#include "platform/GlVideoTarget.h"

#include <SDL.h>

#include <utility>

#include "platform/GlPresenter.h"
#include "platform/SdlMainWindow.h"

void GlVideoTarget::MakeCurrent() {
  mWindow.MakeContextCurrent();
}

void* GlVideoTarget::GlProcAddress(const char* name) {
  return SDL_GL_GetProcAddress(name);
}

bool GlVideoTarget::Framebuffer(int& framebuffer, int& width, int& height, bool& flipY) {
  return mPresenter.VideoTarget(framebuffer, width, height, flipY);
}

void GlVideoTarget::FrameDrawn() {
  mPresenter.MarkVideoChanged();
}

void GlVideoTarget::Place(const PixelRect& window, const PixelRect& picture) {
  mPresenter.SetVideoWindow(window);
  mPresenter.SetVideoDestination(picture);
}

void GlVideoTarget::Clear() {
  Place({}, {});
  mPresenter.ClearVideo();
}

void GlVideoTarget::SetRedraw(std::function<void()> redraw) {
  mPresenter.SetVideoRedraw(std::move(redraw));
}
