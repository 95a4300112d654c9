#pragma once

// The screen as the subsystems built before the renderer see it: it forwards
// to the renderer once the main window has made it. Until then nothing is drawn.

#include "render/Screen.h"

class ForwardingScreen final : public Screen {
 public:
  void SetTarget(Screen* target) { mTarget = target; }

  void RepaintWindow() override {
    if (mTarget) mTarget->RepaintWindow();
  }
  void RedrawElement(std::string_view fullName, bool clearOnly = false) override {
    if (mTarget) mTarget->RedrawElement(fullName, clearOnly);
  }
  void ShowRemotePanel(int32_t key) override {
    if (mTarget) mTarget->ShowRemotePanel(key);
  }
  void HideRemotePanel() override {
    if (mTarget) mTarget->HideRemotePanel();
  }
  void RedrawRemotePanel() override {
    if (mTarget) mTarget->RedrawRemotePanel();
  }
  void PaintPictureArea() override {
    if (mTarget) mTarget->PaintPictureArea();
  }

 private:
  Screen* mTarget = nullptr;
};
