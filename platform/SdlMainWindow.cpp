#include "platform/SdlMainWindow.h"

#include <SDL.h>

#include <epoxy/gl.h>

#include "base/Log.h"
#include "platform/X11ErrorLog.h"

// X11 last: its macros would clash with names above.
#include <SDL_syswm.h>
#include <epoxy/glx.h>

namespace {

// The window's own OpenGL context through GLX, made on a window that SDL
// created without OpenGL: SDL would load the OpenGL driver as it creates the
// window, which costs a software-drawn start longer than all the rest, while
// the window's first frame needs none of it. The context's configuration is
// one of the window's own visual, so GLX can draw into the window SDL made.
GLXContext CreateGlxContext(Display* display, Window window) {
  if (!epoxy_has_glx(display)) {
    WriteLog("OpenGL is not available on this display (no GLX)");
    return nullptr;
  }
  XWindowAttributes attributes;
  if (XGetWindowAttributes(display, window, &attributes) == 0) return nullptr;
  const VisualID visual = XVisualIDFromVisual(attributes.visual);
  const int wanted[] = {GLX_X_RENDERABLE,
                        True,
                        GLX_DRAWABLE_TYPE,
                        GLX_WINDOW_BIT,
                        GLX_RENDER_TYPE,
                        GLX_RGBA_BIT,
                        GLX_DOUBLEBUFFER,
                        True,
                        None};
  int count = 0;
  GLXFBConfig* configs =
      glXChooseFBConfig(display, XScreenNumberOfScreen(attributes.screen), wanted, &count);
  GLXFBConfig chosen = nullptr;
  for (int i = 0; i < count && !chosen; ++i) {
    int id = 0;
    glXGetFBConfigAttrib(display, configs[i], GLX_VISUAL_ID, &id);
    if (static_cast<VisualID>(id) == visual) chosen = configs[i];
  }
  if (configs) XFree(configs);
  if (!chosen) {
    WriteLog("OpenGL cannot draw into the window: no GLX configuration has its visual");
    return nullptr;
  }
  if (!epoxy_has_glx_extension(display, XScreenNumberOfScreen(attributes.screen),
                               "GLX_ARB_create_context_profile")) {
    WriteLog("OpenGL 3.3 core contexts are not available (GLX_ARB_create_context_profile)");
    return nullptr;
  }
  const int version[] = {GLX_CONTEXT_MAJOR_VERSION_ARB,
                         3,
                         GLX_CONTEXT_MINOR_VERSION_ARB,
                         3,
                         GLX_CONTEXT_PROFILE_MASK_ARB,
                         GLX_CONTEXT_CORE_PROFILE_BIT_ARB,
                         None};
  // A refused context is an X error: logged, not fatal (see X11ErrorLog).
  GLXContext context = glXCreateContextAttribsARB(display, chosen, nullptr, True, version);
  XSync(display, False);
  if (!context) WriteLog("the OpenGL 3.3 context could not be made");
  return context;
}

// Presenting never waits for the display's refresh: the loop must stay free
// for input while the screen is updated.
void SwapWithoutWaiting(Display* display, Window window) {
  const int screen = DefaultScreen(display);
  if (epoxy_has_glx_extension(display, screen, "GLX_EXT_swap_control")) {
    glXSwapIntervalEXT(display, window, 0);
  } else if (epoxy_has_glx_extension(display, screen, "GLX_MESA_swap_control")) {
    glXSwapIntervalMESA(0);
  }
}

}  // namespace

std::unique_ptr<SdlMainWindow> SdlMainWindow::Create(const std::string& title, int32_t clientWidth,
                                                     int32_t clientHeight) {
  SDL_SetHint(SDL_HINT_APP_NAME, "Tavizo");
  // A click that brings the window to the front also acts, as on a remote-driven TV.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    WriteLog(std::string("SDL_Init failed: ") + SDL_GetError());
    return nullptr;
  }
  LogX11ErrorsInsteadOfEnding();
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  // No high-DPI drawable: pointer positions and the picture area must be the
  // same pixels, since the hit map is read at the pointer's position.
  // On X11 the OpenGL context comes later, through GLX (MakeGlContext);
  // elsewhere SDL makes it with the window, as only it can there.
  const bool x11 = std::string(SDL_GetCurrentVideoDriver()) == "x11";
  SDL_Window* window = SDL_CreateWindow(
      title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, clientWidth, clientHeight,
      (x11 ? 0 : SDL_WINDOW_OPENGL) | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
  if (!window) {
    WriteLog(std::string("SDL_CreateWindow failed: ") + SDL_GetError());
    SDL_Quit();
    return nullptr;
  }
  std::unique_ptr<SdlMainWindow> made(new SdlMainWindow(window));
  if (x11) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) {
      made->mXDisplay = info.info.x11.display;
      made->mXWindow = info.info.x11.window;
    }
    return made;
  }
  made->mSdlGlContext = SDL_GL_CreateContext(window);
  if (!made->mSdlGlContext) {
    WriteLog(std::string("SDL_GL_CreateContext failed: ") + SDL_GetError());
    return nullptr;
  }
  SDL_GL_SetSwapInterval(0);
  return made;
}

SdlMainWindow::~SdlMainWindow() {
  auto* display = static_cast<Display*>(mXDisplay);
  if (mGlxContext) {
    glXMakeCurrent(display, None, nullptr);
    glXDestroyContext(display, static_cast<GLXContext>(mGlxContext));
  }
  if (mSdlGlContext) SDL_GL_DeleteContext(static_cast<SDL_GLContext>(mSdlGlContext));
  if (mWindow) SDL_DestroyWindow(mWindow);
  SDL_Quit();
}

bool SdlMainWindow::MakeGlContext() {
  if (HasGlContext()) return true;
  if (!mXDisplay || mGlTried) return false;
  mGlTried = true;
  auto* display = static_cast<Display*>(mXDisplay);
  GLXContext context = CreateGlxContext(display, mXWindow);
  if (!context) return false;
  if (!glXMakeCurrent(display, mXWindow, context)) {
    WriteLog("the OpenGL context cannot draw into the window");
    glXDestroyContext(display, context);
    return false;
  }
  mGlxContext = context;
  SwapWithoutWaiting(display, mXWindow);
  return true;
}

void SdlMainWindow::SwapGlBuffers() {
  if (mGlxContext) {
    glXSwapBuffers(static_cast<Display*>(mXDisplay), mXWindow);
  } else if (mSdlGlContext) {
    SDL_GL_SwapWindow(mWindow);
  }
}

void* SdlMainWindow::GlProcAddress(const char* name) const {
  if (mGlxContext) {
    return reinterpret_cast<void*>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
  }
  return SDL_GL_GetProcAddress(name);
}

uint32_t SdlMainWindow::WindowId() const {
  return SDL_GetWindowID(mWindow);
}

void SdlMainWindow::MakeContextCurrent() {
  if (mGlxContext) {
    auto* display = static_cast<Display*>(mXDisplay);
    const auto context = static_cast<GLXContext>(mGlxContext);
    if (glXGetCurrentContext() != context) glXMakeCurrent(display, mXWindow, context);
  } else if (mSdlGlContext) {
    SDL_GL_MakeCurrent(mWindow, static_cast<SDL_GLContext>(mSdlGlContext));
  }
}

PixelRect SdlMainWindow::Geometry() const {
  PixelRect rect;
  SDL_GetWindowPosition(mWindow, &rect.left, &rect.top);
  SDL_GetWindowSize(mWindow, &rect.width, &rect.height);
  return rect;
}

void SdlMainWindow::SetGeometry(const PixelRect& geometry) {
  SDL_SetWindowSize(mWindow, geometry.width, geometry.height);
  SDL_SetWindowPosition(mWindow, geometry.left, geometry.top);
}

void SdlMainWindow::SetPosition(int32_t left, int32_t top) {
  SDL_SetWindowPosition(mWindow, left, top);
}

void SdlMainWindow::SetSize(int32_t width, int32_t height) {
  SDL_SetWindowSize(mWindow, width, height);
}

int32_t SdlMainWindow::ClientWidth() const {
  int width = 0;
  SDL_GL_GetDrawableSize(mWindow, &width, nullptr);
  return width;
}

int32_t SdlMainWindow::ClientHeight() const {
  int height = 0;
  SDL_GL_GetDrawableSize(mWindow, nullptr, &height);
  return height;
}

void SdlMainWindow::Show() {
  SDL_ShowWindow(mWindow);
}
void SdlMainWindow::Hide() {
  SDL_HideWindow(mWindow);
}
void SdlMainWindow::Minimize() {
  SDL_MinimizeWindow(mWindow);
}
void SdlMainWindow::Raise() {
  if (SDL_GetWindowFlags(mWindow) & SDL_WINDOW_MINIMIZED) SDL_RestoreWindow(mWindow);
  SDL_RaiseWindow(mWindow);
}
void SdlMainWindow::SetTitle(const std::string& title) {
  SDL_SetWindowTitle(mWindow, title.c_str());
}
void SdlMainWindow::SetAlwaysOnTop(bool onTop) {
  SDL_SetWindowAlwaysOnTop(mWindow, onTop ? SDL_TRUE : SDL_FALSE);
}

std::vector<PixelRect> SdlMainWindow::Monitors() const {
  std::vector<PixelRect> monitors;
  const int count = SDL_GetNumVideoDisplays();
  for (int i = 0; i < count; ++i) {
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(i, &bounds) == 0) {
      monitors.push_back(PixelRect{bounds.x, bounds.y, bounds.w, bounds.h});
    }
  }
  return monitors;
}
