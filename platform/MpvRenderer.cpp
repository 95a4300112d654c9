#include "platform/MpvRenderer.h"

#include <mpv/render_gl.h>

#include <string>
#include <utility>

#include "base/Log.h"
#include "media/VideoTarget.h"
#include "platform/MpvLibrary.h"

namespace {

void* GetGlProcAddress(void* target, const char* name) {
  return static_cast<VideoTarget*>(target)->GlProcAddress(name);
}

}  // namespace

void MpvRenderer::RenderContextDeleter::operator()(mpv_render_context* context) const {
  mpv->mpv_render_context_free(context);
}

std::unique_ptr<MpvRenderer> MpvRenderer::Create(const MpvLibrary& mpv, mpv_handle& handle,
                                                 VideoTarget& target) {
  std::unique_ptr<MpvRenderer> renderer(new MpvRenderer(mpv, target));
  target.MakeCurrent();
  mpv_opengl_init_params glParams{};
  glParams.get_proc_address = &GetGlProcAddress;
  glParams.get_proc_address_ctx = &target;
  int advancedControl = 0;
  mpv_render_param params[] = {
      {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_OPENGL)},
      {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glParams},
      {MPV_RENDER_PARAM_ADVANCED_CONTROL, &advancedControl},
      {MPV_RENDER_PARAM_INVALID, nullptr},
  };
  mpv_render_context* context = nullptr;
  const int error = mpv.mpv_render_context_create(&context, &handle, params);
  if (error < 0) {
    WriteLog(std::string("MpvEngine: the OpenGL renderer cannot be made: ") +
             mpv.mpv_error_string(error));
    return nullptr;
  }
  renderer->mContext = {context, RenderContextDeleter{&mpv}};
  return renderer;
}

MpvRenderer::~MpvRenderer() {
  // A renderer whose context could not be made has nothing to take back.
  if (!mContext) return;
  SetUpdateCallback(nullptr, nullptr);
  mTarget.SetRedraw(nullptr);
  mTarget.MakeCurrent();
  mContext.reset();
}

void MpvRenderer::SetUpdateCallback(void (*callback)(void*), void* context) {
  mMpv.mpv_render_context_set_update_callback(mContext.get(), callback, context);
}

void MpvRenderer::SetRedraw(std::function<void()> redraw) {
  mTarget.SetRedraw(std::move(redraw));
}

bool MpvRenderer::HasNewFrame() {
  return (mMpv.mpv_render_context_update(mContext.get()) & MPV_RENDER_UPDATE_FRAME) != 0;
}

void MpvRenderer::Render(Shown shown) {
  mTarget.MakeCurrent();
  int blockForTargetTime = 0;
  int framebuffer = 0;
  int width = 0;
  int height = 0;
  bool flipY = false;
  if (shown == Shown::No || !mTarget.Framebuffer(framebuffer, width, height, flipY)) {
    int skip = 1;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_SKIP_RENDERING, &skip},
        {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &blockForTargetTime},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mMpv.mpv_render_context_render(mContext.get(), params);
    return;
  }
  mpv_opengl_fbo fbo{framebuffer, width, height, 0};
  int flip = flipY ? 1 : 0;
  mpv_render_param params[] = {
      {MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
      {MPV_RENDER_PARAM_FLIP_Y, &flip},
      {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &blockForTargetTime},
      {MPV_RENDER_PARAM_INVALID, nullptr},
  };
  const int error = mMpv.mpv_render_context_render(mContext.get(), params);
  if (error < 0) {
    WriteLog(std::string("MpvEngine: rendering the video failed: ") + mMpv.mpv_error_string(error));
    return;
  }
  ++mFramesRendered;
  mTarget.FrameDrawn();
}
