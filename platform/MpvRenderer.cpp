#include "platform/MpvRenderer.h"

#include <SDL.h>
#include <mpv/client.h>
#include <mpv/render_gl.h>

#include <string>
#include <utility>

#include "base/Log.h"
#include "platform/GlPresenter.h"
#include "platform/SdlMainWindow.h"

namespace {

void* GetGlProcAddress(void*, const char* name) {
  return SDL_GL_GetProcAddress(name);
}

}  // namespace

void MpvRenderer::RenderContextDeleter::operator()(mpv_render_context* context) const {
  mpv_render_context_free(context);
}

std::unique_ptr<MpvRenderer> MpvRenderer::Create(mpv_handle& handle, SdlMainWindow& window,
                                                 GlPresenter& presenter) {
  std::unique_ptr<MpvRenderer> renderer(new MpvRenderer(window, presenter));
  window.MakeContextCurrent();
  mpv_opengl_init_params glParams{};
  glParams.get_proc_address = &GetGlProcAddress;
  int advancedControl = 0;
  mpv_render_param params[] = {
      {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_OPENGL)},
      {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glParams},
      {MPV_RENDER_PARAM_ADVANCED_CONTROL, &advancedControl},
      {MPV_RENDER_PARAM_INVALID, nullptr},
  };
  mpv_render_context* context = nullptr;
  const int error = mpv_render_context_create(&context, &handle, params);
  if (error < 0) {
    WriteLog(std::string("MpvEngine: the OpenGL renderer cannot be made: ") +
             mpv_error_string(error));
    return nullptr;
  }
  renderer->mContext.reset(context);
  return renderer;
}

MpvRenderer::~MpvRenderer() {
  SetUpdateCallback(nullptr, nullptr);
  mPresenter.SetVideoRedraw(nullptr);
  mWindow.MakeContextCurrent();
  mContext.reset();
}

void MpvRenderer::SetUpdateCallback(void (*callback)(void*), void* context) {
  mpv_render_context_set_update_callback(mContext.get(), callback, context);
}

void MpvRenderer::SetRedraw(std::function<void()> redraw) {
  mPresenter.SetVideoRedraw(std::move(redraw));
}

bool MpvRenderer::HasNewFrame() {
  return (mpv_render_context_update(mContext.get()) & MPV_RENDER_UPDATE_FRAME) != 0;
}

void MpvRenderer::Render(Shown shown) {
  mWindow.MakeContextCurrent();
  int blockForTargetTime = 0;
  int framebuffer = 0;
  int width = 0;
  int height = 0;
  bool flipY = false;
  if (shown == Shown::No || !mPresenter.VideoTarget(framebuffer, width, height, flipY)) {
    int skip = 1;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_SKIP_RENDERING, &skip},
        {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &blockForTargetTime},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context_render(mContext.get(), params);
    return;
  }
  mpv_opengl_fbo target{framebuffer, width, height, 0};
  int flip = flipY ? 1 : 0;
  mpv_render_param params[] = {
      {MPV_RENDER_PARAM_OPENGL_FBO, &target},
      {MPV_RENDER_PARAM_FLIP_Y, &flip},
      {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &blockForTargetTime},
      {MPV_RENDER_PARAM_INVALID, nullptr},
  };
  const int error = mpv_render_context_render(mContext.get(), params);
  if (error < 0) {
    WriteLog(std::string("MpvEngine: rendering the video failed: ") + mpv_error_string(error));
    return;
  }
  ++mFramesRendered;
  mPresenter.MarkVideoChanged();
}

void MpvRenderer::Place(const PixelRect& window, const PixelRect& destination) {
  mPresenter.SetVideoWindow(window);
  mPresenter.SetVideoDestination(destination);
}

void MpvRenderer::Clear() {
  Place({}, {});
  mPresenter.ClearVideo();
}
