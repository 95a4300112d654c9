#pragma once

// An information display that draws nothing and records every request, in
// order: "ShowInfo configInput xselfx hide", "HideInfo configInput".

#include <string>
#include <string_view>
#include <vector>

#include "render/InfoDisplay.h"

class FakeInfoDisplay final : public InfoDisplay {
 public:
  void ShowInfo(std::string_view name, std::string_view text, bool hideMouse) override {
    mCalls.push_back("ShowInfo " + std::string(name) + " " + std::string(text) +
                     (hideMouse ? " hide" : " keep"));
  }
  void HideInfo(std::string_view name) override {
    mCalls.push_back("HideInfo " + std::string(name));
  }

  std::vector<std::string> mCalls;
};
