#pragma once

// The screen as the subsystems built before the renderer see it: the renderer
// needs the media session's display, which needs a screen, so they are given
// this one, which forwards to the renderer. Nothing draws before the main
// window has been built whole.

#include <cassert>

#include "render/Screen.h"

class ForwardingScreen final : public Screen {
 public:
  // target may still be under construction (so it comes as a pointer); it is
  // used from the first drawing on.
  explicit ForwardingScreen(Screen* target) : mTarget(target) { assert(target); }

  void RepaintWindow() override { mTarget->RepaintWindow(); }
  void RedrawElement(std::string_view fullName, bool clearOnly = false) override {
    mTarget->RedrawElement(fullName, clearOnly);
  }
  void ShowRemotePanel(int32_t key) override { mTarget->ShowRemotePanel(key); }
  void HideRemotePanel() override { mTarget->HideRemotePanel(); }
  void RedrawRemotePanel() override { mTarget->RedrawRemotePanel(); }
  void PaintPictureArea() override { mTarget->PaintPictureArea(); }

 private:
  Screen* mTarget;
};
