#include "platform/GlPresenter.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <string>

#include "base/Log.h"
#include "platform/SdlMainWindow.h"

namespace {

// One triangle that covers the whole viewport, made from the vertex number,
// so no vertex buffer is needed.
constexpr const char* kVertexShader = R"(#version 330 core
void main() {
  vec2 corner = vec2(float((gl_VertexID << 1) & 2), float(gl_VertexID & 2));
  gl_Position = vec4(corner * 2.0 - 1.0, 0.0, 1.0);
}
)";

// Each window pixel shows the UI pixel under it, except key-coloured pixels:
// inside the video window and the destination rectangle they show the video
// layer, anywhere else black. The key colour itself never shows, so a video
// area with nothing open (or nothing placed yet) is black. Rectangles are
// left, top, right, bottom (exclusive) in picture pixels, rows counted from
// the top.
constexpr const char* kFragmentShader = R"(#version 330 core
uniform sampler2D uUi;
uniform sampler2D uVideo;
uniform vec2 uViewportSize;
uniform ivec2 uPictureSize;
uniform ivec4 uVideoWindow;
uniform ivec4 uVideoDestination;
out vec4 oColor;

bool Inside(ivec2 p, ivec4 rect) {
  return all(greaterThanEqual(p, rect.xy)) && all(lessThan(p, rect.zw));
}

void main() {
  vec2 fromTop = vec2(gl_FragCoord.x, uViewportSize.y - gl_FragCoord.y);
  ivec2 p = ivec2(floor(fromTop * vec2(uPictureSize) / uViewportSize));
  p = clamp(p, ivec2(0), uPictureSize - 1);
  vec3 ui = texelFetch(uUi, p, 0).rgb;
  if (ivec3(round(ui * 255.0)) == ivec3(16, 0, 16)) {
    if (!Inside(p, uVideoWindow) || !Inside(p, uVideoDestination)) {
      oColor = vec4(0.0, 0.0, 0.0, 1.0);
      return;
    }
    vec2 size = vec2(uVideoDestination.zw - uVideoDestination.xy);
    vec2 uv = (vec2(p - uVideoDestination.xy) + 0.5) / size;
    oColor = vec4(texture(uVideo, uv).rgb, 1.0);
    return;
  }
  oColor = vec4(ui, 1.0);
}
)";

void DeleteTexture(uint32_t name) {
  const GLuint texture = name;
  glDeleteTextures(1, &texture);
}
void DeleteFramebuffer(uint32_t name) {
  const GLuint framebuffer = name;
  glDeleteFramebuffers(1, &framebuffer);
}
void DeleteVertexArray(uint32_t name) {
  const GLuint vertexArray = name;
  glDeleteVertexArrays(1, &vertexArray);
}
void DeleteProgram(uint32_t name) {
  glDeleteProgram(name);
}
void DeleteShader(uint32_t name) {
  glDeleteShader(name);
}

std::string ShaderLog(GLuint shader) {
  GLint length = 0;
  glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
  std::string log(static_cast<size_t>(std::max(length, 1)), '\0');
  glGetShaderInfoLog(shader, length, nullptr, log.data());
  return log.c_str();
}

std::string ProgramLog(GLuint program) {
  GLint length = 0;
  glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
  std::string log(static_cast<size_t>(std::max(length, 1)), '\0');
  glGetProgramInfoLog(program, length, nullptr, log.data());
  return log.c_str();
}

bool IsEmpty(const PixelRect& rect) {
  return rect.width <= 0 || rect.height <= 0;
}

}  // namespace

GlPresenter::GlObject& GlPresenter::GlObject::operator=(GlObject&& other) noexcept {
  if (this == &other) return *this;
  Reset();
  mName = other.mName;
  mDeleter = other.mDeleter;
  other.mName = 0;
  return *this;
}

void GlPresenter::GlObject::Reset() {
  if (mName != 0 && mDeleter) mDeleter(mName);
  mName = 0;
}

std::unique_ptr<GlPresenter> GlPresenter::Create(SdlMainWindow& window) {
  window.MakeContextCurrent();
  std::unique_ptr<GlPresenter> presenter(new GlPresenter(window));
  if (!presenter->BuildProgram()) return nullptr;
  GLuint vertexArray = 0;
  glGenVertexArrays(1, &vertexArray);
  presenter->mVertexArray = GlObject(vertexArray, DeleteVertexArray);
  presenter->mBlackTexture = MakeTexture(1, 1, false);
  if (!presenter->mVertexArray || !presenter->mBlackTexture) {
    WriteLog("GlPresenter: the vertex array or texture could not be made");
    return nullptr;
  }
  ClearTexture(presenter->mBlackTexture.Get());
  // Speed depends first of all on whether a GPU or the processor draws.
  WriteLog("OpenGL renderer: " + presenter->RendererName());
  return presenter;
}

std::string GlPresenter::RendererName() const {
  mWindow.MakeContextCurrent();
  const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  std::string name = renderer ? renderer : "unknown";
  if (version) name += std::string(", OpenGL ") + version;
  return name;
}

GlPresenter::~GlPresenter() {
  // The members delete their GL objects after this, in the window's context.
  mWindow.MakeContextCurrent();
}

bool GlPresenter::BuildProgram() {
  auto compile = [](GLenum kind, const char* source, const char* name) -> GlObject {
    GlObject shader(glCreateShader(kind), DeleteShader);
    glShaderSource(shader.Get(), 1, &source, nullptr);
    glCompileShader(shader.Get());
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader.Get(), GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
      WriteLog(std::string("GlPresenter: the ") + name +
               " shader does not compile: " + ShaderLog(shader.Get()));
      return {};
    }
    return shader;
  };
  const GlObject vertex = compile(GL_VERTEX_SHADER, kVertexShader, "vertex");
  const GlObject fragment = compile(GL_FRAGMENT_SHADER, kFragmentShader, "fragment");
  if (!vertex || !fragment) return false;

  GlObject program(glCreateProgram(), DeleteProgram);
  glAttachShader(program.Get(), vertex.Get());
  glAttachShader(program.Get(), fragment.Get());
  glLinkProgram(program.Get());
  GLint linked = GL_FALSE;
  glGetProgramiv(program.Get(), GL_LINK_STATUS, &linked);
  if (linked != GL_TRUE) {
    WriteLog("GlPresenter: the shader program does not link: " + ProgramLog(program.Get()));
    return false;
  }
  glDetachShader(program.Get(), vertex.Get());
  glDetachShader(program.Get(), fragment.Get());

  glUseProgram(program.Get());
  glUniform1i(glGetUniformLocation(program.Get(), "uUi"), 0);
  glUniform1i(glGetUniformLocation(program.Get(), "uVideo"), 1);
  mViewportSizeLocation = glGetUniformLocation(program.Get(), "uViewportSize");
  mPictureSizeLocation = glGetUniformLocation(program.Get(), "uPictureSize");
  mVideoWindowLocation = glGetUniformLocation(program.Get(), "uVideoWindow");
  mVideoDestinationLocation = glGetUniformLocation(program.Get(), "uVideoDestination");
  glUseProgram(0);
  mProgram = std::move(program);
  return true;
}

GlPresenter::GlObject GlPresenter::MakeTexture(int32_t width, int32_t height, bool smooth) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  if (texture == 0) return {};
  GlObject result(texture, DeleteTexture);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, texture);
  const GLint filter = smooth ? GL_LINEAR : GL_NEAREST;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
  // Only errors of the upload below count.
  for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
  }
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
  if (glGetError() != GL_NO_ERROR) {
    WriteLog("GlPresenter: no texture of " + std::to_string(width) + " x " +
             std::to_string(height));
    return {};
  }
  return result;
}

// Clears a texture to black through a framebuffer of its own.
void GlPresenter::ClearTexture(uint32_t texture) {
  GLuint framebuffer = 0;
  glGenFramebuffers(1, &framebuffer);
  const GlObject owner(framebuffer, DeleteFramebuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
  glDisable(GL_SCISSOR_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void GlPresenter::SetSize(int32_t width, int32_t height) {
  if (width == mWidth && height == mHeight && (mUiTexture || width <= 0 || height <= 0)) return;
  mChanged = true;
  mWindow.MakeContextCurrent();
  mUiTexture.Reset();
  mWidth = 0;
  mHeight = 0;
  if (width <= 0 || height <= 0) return;
  mUiTexture = MakeTexture(width, height, false);
  if (!mUiTexture) return;
  ClearTexture(mUiTexture.Get());
  mWidth = width;
  mHeight = height;
}

void GlPresenter::UploadRect(const uint32_t* pixels, int32_t stridePixels, int32_t x, int32_t y,
                             int32_t width, int32_t height) {
  mChanged = true;
  if (!pixels || !mUiTexture) return;
  const int32_t left = std::max(x, 0);
  const int32_t top = std::max(y, 0);
  const int32_t right = std::min(x + width, mWidth);
  const int32_t bottom = std::min(y + height, mHeight);
  if (left >= right || top >= bottom) return;
  mWindow.MakeContextCurrent();
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, mUiTexture.Get());
  // A video renderer may have left a pixel buffer or other unpacking bound.
  glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, stridePixels);
  // x8r8g8b8 is B, G, R, X in memory on little-endian machines.
  glTexSubImage2D(GL_TEXTURE_2D, 0, left, top, right - left, bottom - top, GL_BGRA,
                  GL_UNSIGNED_BYTE,
                  pixels + static_cast<size_t>(top) * static_cast<size_t>(stridePixels) + left);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

void GlPresenter::SetVideoWindow(const PixelRect& window) {
  if (window == mVideoWindow) return;
  mVideoWindow = window;
  mChanged = true;
}

void GlPresenter::SetVideoDestination(const PixelRect& destination) {
  if (destination == mVideoDestination) return;
  mVideoDestination = destination;
  mChanged = true;
}

bool GlPresenter::VideoTarget(int& framebuffer, int& width, int& height) {
  if (IsEmpty(mVideoDestination)) return false;
  mWindow.MakeContextCurrent();
  const int32_t wantedWidth = mVideoDestination.width;
  const int32_t wantedHeight = mVideoDestination.height;
  if (!mVideoFramebuffer || mVideoWidth != wantedWidth || mVideoHeight != wantedHeight) {
    mVideoFramebuffer.Reset();
    mVideoTexture.Reset();
    mVideoWidth = 0;
    mVideoHeight = 0;
    GlObject texture = MakeTexture(wantedWidth, wantedHeight, true);
    if (!texture) return false;
    GLuint name = 0;
    glGenFramebuffers(1, &name);
    GlObject target(name, DeleteFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, name);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture.Get(), 0);
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (status != GL_FRAMEBUFFER_COMPLETE) {
      WriteLog("GlPresenter: the video framebuffer is incomplete: " + std::to_string(status));
      return false;
    }
    ClearTexture(texture.Get());
    mVideoTexture = std::move(texture);
    mVideoFramebuffer = std::move(target);
    mVideoWidth = wantedWidth;
    mVideoHeight = wantedHeight;
    mChanged = true;
  }
  framebuffer = static_cast<int>(mVideoFramebuffer.Get());
  width = mVideoWidth;
  height = mVideoHeight;
  return true;
}

void GlPresenter::ClearVideo() {
  if (!mVideoTexture) return;
  mWindow.MakeContextCurrent();
  ClearTexture(mVideoTexture.Get());
  mChanged = true;
}

void GlPresenter::ResetState(int32_t viewportWidth, int32_t viewportHeight) {
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glViewport(0, 0, viewportWidth, viewportHeight);
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_STENCIL_TEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_FRAMEBUFFER_SRGB);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glUseProgram(mProgram.Get());
  glBindVertexArray(mVertexArray.Get());
  for (const GLuint unit : {0u, 1u}) glBindSampler(unit, 0);
  glActiveTexture(GL_TEXTURE1);
  glBindTexture(GL_TEXTURE_2D, mVideoTexture ? mVideoTexture.Get() : mBlackTexture.Get());
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, mUiTexture.Get());
}

bool GlPresenter::PresentIfChanged() {
  if (!mChanged) return false;
  mChanged = false;
  mWindow.MakeContextCurrent();
  const int32_t viewportWidth = std::max(mWindow.ClientWidth(), 1);
  const int32_t viewportHeight = std::max(mWindow.ClientHeight(), 1);
  ResetState(viewportWidth, viewportHeight);
  glClear(GL_COLOR_BUFFER_BIT);
  if (mUiTexture) {
    glUniform2f(mViewportSizeLocation, static_cast<float>(viewportWidth),
                static_cast<float>(viewportHeight));
    glUniform2i(mPictureSizeLocation, mWidth, mHeight);
    const PixelRect& window = mVideoWindow;
    glUniform4i(mVideoWindowLocation, window.left, window.top, window.left + window.width,
                window.top + window.height);
    // Without a video picture yet, the destination still bounds the black
    // layer; the stand-in texture is black everywhere.
    const PixelRect& destination = mVideoDestination;
    glUniform4i(mVideoDestinationLocation, destination.left, destination.top,
                destination.left + destination.width, destination.top + destination.height);
    glDrawArrays(GL_TRIANGLES, 0, 3);
  }
  SDL_GL_SwapWindow(mWindow.Handle());
  return true;
}
