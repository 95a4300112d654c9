#pragma once

// The main window on the desktop: windowed and full-screen mode on the
// monitor that holds the window, minimising and always-on-top. The four
// geometry settings always keep the windowed geometry, so a program closed in
// full screen returns to where it was.

#include <cstdint>
#include <functional>

#include "base/MainWindow.h"

struct Settings;

class Desktop {
 public:
  // repaintWindow fits the drawing surface to the new client area and repaints.
  Desktop(MainWindow& window, Settings& settings, std::function<void()> repaintWindow);

  // Windowed mode with the saved geometry, moved onto the primary monitor
  // when it lies outside every monitor.
  void ShowWindowed();
  // Full-screen mode on the window's monitor; the windowed geometry is saved first.
  void ShowFullScreen();
  void ToggleFullScreen();
  void MinimizeWindow();

  // Fills gMonitorRect with the monitor that holds the larger part of the
  // window, or the nearest one when it lies on none.
  void FindWindowMonitor();
  const MonitorRect& gMonitorRect() const { return mMonitorRect; }

  void SetAlwaysOnTop(bool onTop);

  // The monitor of a window rectangle as FindWindowMonitor chooses it; the
  // window's own rectangle when there are no monitors.
  static MonitorRect MonitorOf(const PixelRect& window, const std::vector<PixelRect>& monitors);

  // The windowed place where the window can be reached: the rectangle itself
  // when any monitor shows part of it; otherwise (say a monitor was removed)
  // centred on the primary monitor and no larger than it.
  static PixelRect OnAMonitor(const PixelRect& window, const std::vector<PixelRect>& monitors);

 private:
  MainWindow& mWindow;
  Settings& mSettings;
  std::function<void()> mRepaintWindow;
  MonitorRect mMonitorRect;
};
