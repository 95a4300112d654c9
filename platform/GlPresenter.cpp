#include "platform/GlPresenter.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <initializer_list>
#include <string>

#include "base/Log.h"
#include "platform/SdlMainWindow.h"

// X11 last: its macros would clash with names above.
#include <SDL_syswm.h>
#include <epoxy/glx.h>

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
// the top. Made three times: with the video layer; without it for
// rectangles away from the video, which software drawing shades several
// times faster; and with OVER_VIDEO for the UI over a picture rendered
// straight into the window, where key-coloured pixels leave it as it is.
constexpr const char* kFragmentVersion = "#version 330 core\n";
constexpr const char* kFragmentShader = R"(
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
  if (ivec3(round(ui * 255.0)) != ivec3(16, 0, 16)) {
    oColor = vec4(ui, 1.0);
    return;
  }
#if WITH_VIDEO
  if (Inside(p, uVideoWindow) && Inside(p, uVideoDestination)) {
    vec2 size = vec2(uVideoDestination.zw - uVideoDestination.xy);
    vec2 uv = (vec2(p - uVideoDestination.xy) + 0.5) / size;
    oColor = vec4(texture(uVideo, uv).rgb, 1.0);
    return;
  }
#endif
#if OVER_VIDEO
  discard;
#else
  oColor = vec4(0.0, 0.0, 0.0, 1.0);
#endif
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

int32_t Right(const PixelRect& rect) {
  return rect.left + rect.width;
}
int32_t Bottom(const PixelRect& rect) {
  return rect.top + rect.height;
}

PixelRect Intersection(const PixelRect& a, const PixelRect& b) {
  const int32_t left = std::max(a.left, b.left);
  const int32_t top = std::max(a.top, b.top);
  const int32_t right = std::min(Right(a), Right(b));
  const int32_t bottom = std::min(Bottom(a), Bottom(b));
  if (left >= right || top >= bottom) return {};
  return {left, top, right - left, bottom - top};
}

PixelRect Union(const PixelRect& a, const PixelRect& b) {
  const int32_t left = std::min(a.left, b.left);
  const int32_t top = std::min(a.top, b.top);
  return {left, top, std::max(Right(a), Right(b)) - left, std::max(Bottom(a), Bottom(b)) - top};
}

// Rectangles that overlap or touch: drawn as one, no pixel is drawn twice.
bool Meet(const PixelRect& a, const PixelRect& b) {
  return a.left <= Right(b) && b.left <= Right(a) && a.top <= Bottom(b) && b.top <= Bottom(a);
}

// More changed rectangles than this are drawn as the one around them all.
constexpr size_t kMostDamageRects = 4;
// The same for the rectangles of UI over the video.
constexpr size_t kMostCoveringRects = 16;

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
  if (!window.MakeGlContext()) return nullptr;
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
  presenter->FindRectCopy();
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

// Copying rectangles of the back buffer needs GLX drawing into an X window.
void GlPresenter::FindRectCopy() {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(mWindow.Handle(), &info) || info.subsystem != SDL_SYSWM_X11) return;
  Display* display = info.info.x11.display;
  if (!epoxy_has_glx(display) || glXGetCurrentContext() == nullptr) return;
  if (!epoxy_has_glx_extension(display, DefaultScreen(display), "GLX_MESA_copy_sub_buffer")) {
    return;
  }
  mXDisplay = display;
  mXWindow = info.info.x11.window;
}

GlPresenter::~GlPresenter() {
  // The members delete their GL objects after this, in the window's context.
  mWindow.MakeContextCurrent();
}

bool GlPresenter::BuildProgram() {
  return BuildProgram("#define WITH_VIDEO 1\n#define OVER_VIDEO 0\n", mVideoProgram) &&
         BuildProgram("#define WITH_VIDEO 0\n#define OVER_VIDEO 0\n", mUiProgram) &&
         BuildProgram("#define WITH_VIDEO 0\n#define OVER_VIDEO 1\n", mOverVideoProgram);
}

bool GlPresenter::BuildProgram(const char* defines, Program& made) {
  auto compile = [](GLenum kind, std::initializer_list<const char*> sources,
                    const char* name) -> GlObject {
    GlObject shader(glCreateShader(kind), DeleteShader);
    glShaderSource(shader.Get(), static_cast<GLsizei>(sources.size()), sources.begin(), nullptr);
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
  const GlObject vertex = compile(GL_VERTEX_SHADER, {kVertexShader}, "vertex");
  const GlObject fragment =
      compile(GL_FRAGMENT_SHADER, {kFragmentVersion, defines, kFragmentShader}, "fragment");
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
  made.viewportSize = glGetUniformLocation(program.Get(), "uViewportSize");
  made.pictureSize = glGetUniformLocation(program.Get(), "uPictureSize");
  made.videoWindow = glGetUniformLocation(program.Get(), "uVideoWindow");
  made.videoDestination = glGetUniformLocation(program.Get(), "uVideoDestination");
  glUseProgram(0);
  made.program = std::move(program);
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
  DamageAll();
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
  // Black until uploaded.
  mCoveringUi.assign(1, PixelRect{0, 0, width, height});
}

void GlPresenter::UploadRect(const uint32_t* pixels, int32_t stridePixels, int32_t x, int32_t y,
                             int32_t width, int32_t height) {
  if (!pixels || !mUiTexture) {
    DamageAll();
    return;
  }
  const int32_t left = std::max(x, 0);
  const int32_t top = std::max(y, 0);
  const int32_t right = std::min(x + width, mWidth);
  const int32_t bottom = std::min(y + height, mHeight);
  if (left >= right || top >= bottom) return;
  AddDamage({left, top, right - left, bottom - top});
  NoteCoveringUi(pixels, stridePixels, {left, top, right - left, bottom - top});
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

bool Contains(const PixelRect& outer, const PixelRect& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && Right(inner) <= Right(outer) &&
         Bottom(inner) <= Bottom(outer);
}

// Keeps the rectangle around the uploaded pixels that are not the key colour;
// what lay in the uploaded rectangle before is replaced.
void GlPresenter::NoteCoveringUi(const uint32_t* pixels, int32_t stridePixels,
                                 const PixelRect& rect) {
  std::erase_if(mCoveringUi, [&](const PixelRect& old) { return Contains(rect, old); });
  constexpr uint32_t kKey = 0x100010;
  const auto isKey = [](uint32_t pixel) { return (pixel & 0xFFFFFFu) == kKey; };
  int32_t left = Right(rect);
  int32_t right = rect.left;
  int32_t top = -1;
  int32_t bottom = -1;
  for (int32_t y = rect.top; y < Bottom(rect); ++y) {
    const uint32_t* row = pixels + static_cast<size_t>(y) * static_cast<size_t>(stridePixels);
    // Where the UI is drawn, the scan ends at the first pixel from each side.
    int32_t first = rect.left;
    while (first < Right(rect) && isKey(row[first])) ++first;
    if (first == Right(rect)) continue;
    int32_t last = Right(rect) - 1;
    while (isKey(row[last])) --last;
    left = std::min(left, first);
    right = std::max(right, last + 1);
    if (top < 0) top = y;
    bottom = y + 1;
  }
  if (top >= 0) mCoveringUi.push_back({left, top, right - left, bottom - top});
  if (mCoveringUi.size() <= kMostCoveringRects) return;
  PixelRect around = mCoveringUi.front();
  for (const PixelRect& each : mCoveringUi) around = Union(around, each);
  mCoveringUi.assign(1, around);
}

void GlPresenter::SetVideoWindow(const PixelRect& window) {
  if (window == mVideoWindow) return;
  AddDamage(VideoArea());
  mVideoWindow = window;
  AddDamage(VideoArea());
}

void GlPresenter::SetVideoDestination(const PixelRect& destination) {
  if (destination == mVideoDestination) return;
  AddDamage(VideoArea());
  mVideoDestination = destination;
  AddDamage(VideoArea());
}

bool GlPresenter::VideoGoesToWindow() const {
  const PixelRect picture{0, 0, mWidth, mHeight};
  // The first present at a size is composed: it sets the window up for it.
  return mVideoRedraw && mUiTexture && mVideoDestination == picture &&
         Contains(mVideoWindow, picture) && mWindow.ClientWidth() == mWidth &&
         mWindow.ClientHeight() == mHeight && mPresentedWidth == mWidth &&
         mPresentedHeight == mHeight;
}

bool GlPresenter::VideoTarget(int& framebuffer, int& width, int& height, bool& flipY) {
  if (IsEmpty(mVideoDestination)) return false;
  mWindow.MakeContextCurrent();
  if (VideoGoesToWindow()) {
    framebuffer = 0;
    width = mWidth;
    height = mHeight;
    flipY = true;
    mWindowHoldsVideo = true;
    mLayerIsStale = true;
    return true;
  }
  mLayerIsStale = false;
  flipY = false;
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
    AddDamage(VideoArea());
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
  AddDamage(VideoArea());
}

void GlPresenter::MarkVideoChanged() {
  if (mLayerIsStale) {
    mDirectVideoNew = true;
  } else {
    AddDamage(VideoArea());
  }
}

PixelRect GlPresenter::VideoArea() const {
  return Intersection(mVideoWindow, mVideoDestination);
}

void GlPresenter::AddDamage(const PixelRect& rect) {
  PixelRect added = Intersection(rect, {0, 0, mWidth, mHeight});
  if (mFullDamage || IsEmpty(added)) return;
  // Rectangles that meet the new one join it, again until none does.
  for (size_t i = 0; i < mDamage.size();) {
    if (Meet(mDamage[i], added)) {
      added = Union(mDamage[i], added);
      mDamage.erase(mDamage.begin() + static_cast<std::ptrdiff_t>(i));
      i = 0;
    } else {
      ++i;
    }
  }
  mDamage.push_back(added);
  if (mDamage.size() <= kMostDamageRects) return;
  PixelRect around = mDamage.front();
  for (const PixelRect& each : mDamage) around = Union(around, each);
  mDamage.assign(1, around);
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
  glBindVertexArray(mVertexArray.Get());
  for (const GLuint unit : {0u, 1u}) glBindSampler(unit, 0);
  glActiveTexture(GL_TEXTURE1);
  glBindTexture(GL_TEXTURE_2D, mVideoTexture ? mVideoTexture.Get() : mBlackTexture.Get());
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, mUiTexture.Get());
}

void GlPresenter::SetUniforms(int32_t viewportWidth, int32_t viewportHeight) {
  for (const Program* program : {&mVideoProgram, &mUiProgram, &mOverVideoProgram}) {
    glUseProgram(program->program.Get());
    glUniform2f(program->viewportSize, static_cast<float>(viewportWidth),
                static_cast<float>(viewportHeight));
    glUniform2i(program->pictureSize, mWidth, mHeight);
    const PixelRect& window = mVideoWindow;
    glUniform4i(program->videoWindow, window.left, window.top, Right(window), Bottom(window));
    // Without a video picture yet, the destination still bounds the black
    // layer; the stand-in texture is black everywhere.
    const PixelRect& destination = mVideoDestination;
    glUniform4i(program->videoDestination, destination.left, destination.top, Right(destination),
                Bottom(destination));
  }
}

// Shows the video picture rendered straight into the window, rendering it
// there first when the back buffer holds a composed frame. False when there
// is no picture to show: the frame is composed then.
bool GlPresenter::PresentDirectVideo() {
  // The picture covers everything drawn before: whatever else changed (the
  // UI, the window lost its pixels) needs it rendered again.
  if (!mWindowHoldsVideo || !mLayerIsStale || HasDamage()) {
    mWindowHoldsVideo = false;
    mVideoRedraw();
    if (!mWindowHoldsVideo) return false;
  }
  mFullDamage = false;
  mDamage.clear();
  if (!mDirectVideoNew) return false;
  mDirectVideoNew = false;
  mWindow.MakeContextCurrent();
  if (!mCoveringUi.empty()) {
    ResetState(mWidth, mHeight);
    SetUniforms(mWidth, mHeight);
    glUseProgram(mOverVideoProgram.program.Get());
    glEnable(GL_SCISSOR_TEST);
    for (const PixelRect& rect : mCoveringUi) {
      glScissor(rect.left, mHeight - Bottom(rect), rect.width, rect.height);
      glDrawArrays(GL_TRIANGLES, 0, 3);
    }
    glDisable(GL_SCISSOR_TEST);
  }
  mDamage.assign(1, PixelRect{0, 0, mWidth, mHeight});
  Show(mHeight);
  mDamage.clear();
  mPresentedWidth = mWidth;
  mPresentedHeight = mHeight;
  return true;
}

bool GlPresenter::PresentIfChanged() {
  if (!HasDamage() && !mDirectVideoNew) return false;
  if (VideoGoesToWindow()) {
    if (PresentDirectVideo()) return true;
    if (mWindowHoldsVideo) return false;
  }
  if (mWindowHoldsVideo) {
    // The window's back buffer holds the video, not the composed frame.
    mWindowHoldsVideo = false;
    DamageAll();
  }
  mDirectVideoNew = false;
  if (mLayerIsStale && mVideoRedraw) {
    mVideoRedraw();
    mLayerIsStale = false;
  }
  if (!HasDamage()) return false;
  mWindow.MakeContextCurrent();
  const int32_t viewportWidth = std::max(mWindow.ClientWidth(), 1);
  const int32_t viewportHeight = std::max(mWindow.ClientHeight(), 1);
  // A resized window's back buffer holds nothing of the last frame, and a
  // picture scaled to the window changes more pixels than its own.
  const bool whole = mFullDamage || !mXDisplay || viewportWidth != mPresentedWidth ||
                     viewportHeight != mPresentedHeight || viewportWidth != mWidth ||
                     viewportHeight != mHeight;
  if (whole) mDamage.assign(1, PixelRect{0, 0, viewportWidth, viewportHeight});
  // Software drawing finds a window's new size only at a swap, and copying
  // rectangles never swaps: swap once (showing the last frame again), so the
  // drawing below gets a back buffer of the new size. Not before the first
  // present: the back buffer has the window's size already, and holds
  // nothing yet that should replace the image the window shows.
  if (mXDisplay && mPresentedWidth > 0 &&
      (viewportWidth != mPresentedWidth || viewportHeight != mPresentedHeight)) {
    mWindow.SwapGlBuffers();
  }
  ResetState(viewportWidth, viewportHeight);
  if (mUiTexture) {
    SetUniforms(viewportWidth, viewportHeight);
    if (!whole) glEnable(GL_SCISSOR_TEST);
    for (const PixelRect& rect : mDamage) {
      // A whole present may scale the picture: its rectangle is the window's.
      const PixelRect drawn = whole ? PixelRect{0, 0, mWidth, mHeight} : rect;
      const bool showsVideo = !IsEmpty(Intersection(drawn, VideoArea()));
      glUseProgram(showsVideo ? mVideoProgram.program.Get() : mUiProgram.program.Get());
      glScissor(rect.left, viewportHeight - Bottom(rect), rect.width, rect.height);
      glDrawArrays(GL_TRIANGLES, 0, 3);
    }
    glDisable(GL_SCISSOR_TEST);
  } else {
    glClear(GL_COLOR_BUFFER_BIT);
  }
  Show(viewportHeight);
  mPresentedWidth = viewportWidth;
  mPresentedHeight = viewportHeight;
  mFullDamage = false;
  mDamage.clear();
  return true;
}

// Copies the drawn rectangles to the window where the platform can, so the
// back buffer keeps the whole frame; swaps otherwise.
void GlPresenter::Show(int32_t viewportHeight) {
  if (!mXDisplay) {
    mWindow.SwapGlBuffers();
    return;
  }
  auto* display = static_cast<Display*>(mXDisplay);
  for (const PixelRect& rect : mDamage) {
    glXCopySubBufferMESA(display, mXWindow, rect.left, viewportHeight - Bottom(rect), rect.width,
                         rect.height);
  }
}
