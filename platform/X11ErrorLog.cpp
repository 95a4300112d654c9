#include "platform/X11ErrorLog.h"

#include <SDL.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>

#include "base/Log.h"

namespace {

// A fault that repeats on every frame must not flood the log.
constexpr int kLinesPerSecond = 5;

// Any thread that talks to the server may get here.
std::mutex gMutex;
std::chrono::steady_clock::time_point gSecondStart;
int gLinesThisSecond = 0;
int gUnlogged = 0;

std::string RequestName(Display* display, unsigned char majorCode) {
  // Xlib names the core requests; those of extensions only by number.
  char name[128] = "";
  const std::string code = std::to_string(majorCode);
  XGetErrorDatabaseText(display, "XRequest", code.c_str(), "", name, sizeof name);
  return name[0] != '\0' ? code + " (" + name + ")" : code;
}

// Called by Xlib when the server refuses a request; returning goes on with the
// program. No X requests may be made from here.
int LogError(Display* display, XErrorEvent* error) {
  const std::lock_guard lock(gMutex);
  const auto now = std::chrono::steady_clock::now();
  if (now - gSecondStart >= std::chrono::seconds(1)) {
    gSecondStart = now;
    gLinesThisSecond = 0;
  }
  if (gLinesThisSecond >= kLinesPerSecond) {
    ++gUnlogged;
    return 0;
  }
  ++gLinesThisSecond;
  char text[256] = "";
  XGetErrorText(display, error->error_code, text, sizeof text);
  char resource[32];
  std::snprintf(resource, sizeof resource, "0x%lx", error->resourceid);
  std::string line = "the X server refused request " + RequestName(display, error->request_code) +
                     " on resource " + resource + ": " + text + "; Tavizo carries on";
  if (gUnlogged > 0) line += " (" + std::to_string(gUnlogged) + " more such errors not logged)";
  gUnlogged = 0;
  WriteLog(line);
  return 0;
}

}  // namespace

void LogX11ErrorsInsteadOfEnding() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr || std::string(driver) != "x11") return;
  XSetErrorHandler(LogError);
}
