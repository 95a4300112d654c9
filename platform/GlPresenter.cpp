#include "platform/GlPresenter.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include "platform/SdlMainWindow.h"

std::unique_ptr<GlPresenter> GlPresenter::Create(SdlMainWindow& window) {
  return std::unique_ptr<GlPresenter>(new GlPresenter(window));
}

GlPresenter::~GlPresenter() = default;

void GlPresenter::SetSize(int32_t, int32_t) { mChanged = true; }

void GlPresenter::UploadRect(const uint32_t*, int32_t, int32_t, int32_t, int32_t, int32_t) {
  mChanged = true;
}

bool GlPresenter::PresentIfChanged() {
  if (!mChanged) return false;
  mChanged = false;
  mWindow.MakeContextCurrent();
  glViewport(0, 0, mWindow.ClientWidth(), mWindow.ClientHeight());
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  SDL_GL_SwapWindow(mWindow.Handle());
  return true;
}
