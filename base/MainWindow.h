#pragma once

// The main window as the application shell sees it: one borderless top-level
// window whose client area is the picture area. Implemented over SDL in
// platform/; tests use a fake.

#include <cstdint>
#include <string>
#include <vector>

struct PixelRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const PixelRect&) const = default;
};

// A monitor's rectangle: left, top, right, bottom in virtual-screen pixels.
struct MonitorRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  bool operator==(const MonitorRect&) const = default;
};

class MainWindow {
 public:
  virtual ~MainWindow() = default;

  // The window's position and size in screen pixels (the window has no frame,
  // so this is also its client area).
  virtual PixelRect Geometry() const = 0;
  virtual void SetGeometry(const PixelRect& geometry) = 0;
  virtual void SetPosition(int32_t left, int32_t top) = 0;
  virtual void SetSize(int32_t width, int32_t height) = 0;

  // Width and height of the client area in pixels.
  virtual int32_t ClientWidth() const = 0;
  virtual int32_t ClientHeight() const = 0;

  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void Minimize() = 0;
  // Brings the window back from minimised, in front of the others, with the
  // input focus.
  virtual void Raise() = 0;
  virtual void SetTitle(const std::string& title) = 0;
  virtual void SetAlwaysOnTop(bool onTop) = 0;

  // The full rectangles (not the work areas) of the monitors, in
  // virtual-screen pixels; the primary monitor first.
  virtual std::vector<PixelRect> Monitors() const = 0;
};
