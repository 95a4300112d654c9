#pragma once

// Xlib and its XTest extension loaded at run time, for the benchmark programs,
// which are not linked with the X libraries. It offers only what they need:
// read screen pixels and window names, and press keys the way a user does, so
// that a key's moment is known to the microsecond rather than to the start-up
// of an xdotool process.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dlfcn.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class LoadedXlib {
 public:
  // Null when a library or the display cannot be had.
  static std::unique_ptr<LoadedXlib> Open() {
    std::unique_ptr<LoadedXlib> xlib(new LoadedXlib());
    if (!xlib->Load()) return nullptr;
    return xlib;
  }

  ~LoadedXlib() {
    if (mDisplay) mCloseDisplay(mDisplay);
    if (mXtst) dlclose(mXtst);
    if (mX11) dlclose(mX11);
  }
  LoadedXlib(const LoadedXlib&) = delete;
  LoadedXlib& operator=(const LoadedXlib&) = delete;

  // The colours 0xRRGGBB of a screen rectangle, row by row; false when it
  // cannot be read (for example when it lies partly off the screen).
  bool ReadPixels(int x, int y, int width, int height, std::vector<uint32_t>& pixels) {
    XImage* image =
        mGetImage(mDisplay, DefaultRootWindow(mDisplay), x, y, static_cast<unsigned>(width),
                  static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!image) return false;
    pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    size_t index = 0;
    for (int row = 0; row < height; ++row) {
      for (int column = 0; column < width; ++column) {
        pixels[index++] = static_cast<uint32_t>(XGetPixel(image, column, row)) & 0xFFFFFFu;
      }
    }
    XDestroyImage(image);
    return true;
  }

  // The window's name (WM_NAME), empty when it has none or is gone.
  std::string WindowName(unsigned long window) {
    char* name = nullptr;
    std::string result;
    if (mFetchName(mDisplay, window, &name) && name) {
      result = name;
      mFree(name);
    }
    return result;
  }

  // Presses and releases a key given by its key-symbol name ("Return",
  // "Down", "f") and hands both events to the server at once.
  bool PressKey(const char* keySymbolName) {
    const KeySym symbol = mStringToKeysym(keySymbolName);
    if (symbol == NoSymbol) return false;
    const unsigned int code = mKeysymToKeycode(mDisplay, symbol);
    if (code == 0) return false;
    mFakeKeyEvent(mDisplay, code, True, 0);
    mFakeKeyEvent(mDisplay, code, False, 0);
    mFlush(mDisplay);
    return true;
  }

 private:
  LoadedXlib() = default;

  template <typename Function>
  bool Find(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
  }

  bool Load() {
    mX11 = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
    mXtst = dlopen("libXtst.so.6", RTLD_NOW | RTLD_LOCAL);
    if (!mX11 || !mXtst) return false;
    Display* (*openDisplay)(const char*) = nullptr;
    if (!Find(mX11, "XOpenDisplay", openDisplay) || !Find(mX11, "XCloseDisplay", mCloseDisplay) ||
        !Find(mX11, "XGetImage", mGetImage) || !Find(mX11, "XFetchName", mFetchName) ||
        !Find(mX11, "XFree", mFree) || !Find(mX11, "XStringToKeysym", mStringToKeysym) ||
        !Find(mX11, "XKeysymToKeycode", mKeysymToKeycode) || !Find(mX11, "XFlush", mFlush) ||
        !Find(mXtst, "XTestFakeKeyEvent", mFakeKeyEvent)) {
      return false;
    }
    mDisplay = openDisplay(nullptr);
    return mDisplay != nullptr;
  }

  void* mX11 = nullptr;
  void* mXtst = nullptr;
  Display* mDisplay = nullptr;
  int (*mCloseDisplay)(Display*) = nullptr;
  XImage* (*mGetImage)(Display*, Drawable, int, int, unsigned, unsigned, unsigned long,
                       int) = nullptr;
  Status (*mFetchName)(Display*, Window, char**) = nullptr;
  int (*mFree)(void*) = nullptr;
  KeySym (*mStringToKeysym)(const char*) = nullptr;
  KeyCode (*mKeysymToKeycode)(Display*, KeySym) = nullptr;
  int (*mFlush)(Display*) = nullptr;
  int (*mFakeKeyEvent)(Display*, unsigned int, Bool, unsigned long) = nullptr;
};
