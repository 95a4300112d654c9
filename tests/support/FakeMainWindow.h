#pragma once

// A main window on a desktop of fake monitors.

#include <string>
#include <vector>

#include "base/MainWindow.h"

class FakeMainWindow final : public MainWindow {
 public:
  PixelRect Geometry() const override { return geometry; }
  void SetGeometry(const PixelRect& rect) override { geometry = rect; }
  void SetPosition(int32_t left, int32_t top) override {
    geometry.left = left;
    geometry.top = top;
  }
  void SetSize(int32_t width, int32_t height) override {
    geometry.width = width;
    geometry.height = height;
  }
  int32_t ClientWidth() const override { return geometry.width; }
  int32_t ClientHeight() const override { return geometry.height; }
  void Show() override {}
  void Hide() override {}
  void Minimize() override {}
  void Raise() override {}
  void SetTitle(const std::string& text) override { title = text; }
  void SetAlwaysOnTop(bool) override {}
  std::vector<PixelRect> Monitors() const override { return monitors; }

  PixelRect geometry{100, 100, 800, 600};
  std::vector<PixelRect> monitors{PixelRect{0, 0, 1920, 1080}};
  std::string title = "Tavizo";
};
