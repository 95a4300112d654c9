#pragma once

// Services the main window needs that do nothing where no desktop is wanted:
// no event loop, no screen saver, no splash; an error message only goes to
// standard error. Header-only, for the benchmark programs too.

#include <cstdio>
#include <string>

#include "base/ErrorMessageBox.h"
#include "base/EventPump.h"
#include "base/ScreenSaverHold.h"
#include "base/SplashWindow.h"

class NoPump final : public EventPump {
 public:
  void PumpPendingEvents() override {}
  void RequestQuit() override {}
};

class NoMessageBox final : public ErrorMessageBox {
 public:
  void ShowError(const std::string&, const std::string& text) override {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
};

class NoScreenSaver final : public ScreenSaverHold {
 public:
  bool Hold() override { return true; }
  void Release() override {}
};

class NoSplash final : public SplashWindow {
 public:
  bool Open(int32_t, int32_t) override { return true; }
  void Present(const BackBuffer&) override {}
  void Close() override {}
};
