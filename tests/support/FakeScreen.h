#pragma once

// A screen that draws nothing and records every request, in order, as one
// line each: "RedrawElement wndMain.cmdPlay", "ClearElement wndInfo.waitPrepare",
// "RepaintWindow", "ShowRemotePanel 38", "HideRemotePanel", "RedrawRemotePanel",
// "PaintPictureArea". A hook lets a test look at the state while an element
// is drawn.

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
    if (mOnRedrawElement) mOnRedrawElement(fullName);
  }

  void ShowRemotePanel(int32_t key) override {
    mCalls.push_back("ShowRemotePanel " + std::to_string(key));
  }
  void HideRemotePanel() override { mCalls.push_back("HideRemotePanel"); }

  void RedrawRemotePanel() override { mCalls.push_back("RedrawRemotePanel"); }
  void PaintPictureArea() override { mCalls.push_back("PaintPictureArea"); }

  // How often exactly this line was recorded.
  int Count(std::string_view call) const {
    return static_cast<int>(std::count(mCalls.begin(), mCalls.end(), call));
  }
  bool Has(std::string_view call) const { return Count(call) > 0; }
  void Clear() { mCalls.clear(); }

  std::vector<std::string> mCalls;
  std::function<void(std::string_view fullName)> mOnRedrawElement;
};
