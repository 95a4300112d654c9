#pragma once

// A screen that draws nothing and records every request, in order, as one
// line each: "RedrawElement wndMain.cmdPlay", "ClearElement wndInfo.waitPrepare",
// "RepaintWindow", "ShowRemotePanel 38", "HideRemotePanel", "RedrawRemotePanel",
// "PaintPictureArea". Hooks let a test look at the skin while an element is
// drawn, or act when the panel is shown or hidden.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "render/Screen.h"

class FakeScreen final : public Screen {
 public:
  void RepaintWindow() override { mCalls.push_back("RepaintWindow"); }

  void RedrawElement(std::string_view fullName, bool clearOnly = false) override {
    mCalls.push_back(std::string(clearOnly ? "ClearElement " : "RedrawElement ") +
                     std::string(fullName));
    if (mOnRedrawElement) mOnRedrawElement(fullName, clearOnly);
  }

  void ShowRemotePanel(int32_t key) override {
    mCalls.push_back("ShowRemotePanel " + std::to_string(key));
    if (mOnShowRemotePanel) mOnShowRemotePanel(key);
  }

  void HideRemotePanel() override {
    mCalls.push_back("HideRemotePanel");
    if (mOnHideRemotePanel) mOnHideRemotePanel();
  }

  void RedrawRemotePanel() override { mCalls.push_back("RedrawRemotePanel"); }
  void PaintPictureArea() override { mCalls.push_back("PaintPictureArea"); }

  // How often exactly this line was recorded.
  int Count(std::string_view call) const {
    return static_cast<int>(std::count(mCalls.begin(), mCalls.end(), call));
  }
  bool Has(std::string_view call) const { return Count(call) > 0; }
  // The recorded lines that start with the prefix, in order.
  std::vector<std::string> Matching(std::string_view prefix) const {
    std::vector<std::string> found;
    for (const std::string& call : mCalls) {
      if (call.starts_with(prefix)) found.push_back(call);
    }
    return found;
  }
  void Clear() { mCalls.clear(); }

  std::vector<std::string> mCalls;
  std::function<void(std::string_view fullName, bool clearOnly)> mOnRedrawElement;
  std::function<void(int32_t key)> mOnShowRemotePanel;
  std::function<void()> mOnHideRemotePanel;
};
