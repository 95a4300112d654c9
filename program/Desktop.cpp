#include "program/Desktop.h"

#include <algorithm>
#include <limits>

#include "store/Settings.h"

namespace {

// The pixels that two rectangles have in common.
int64_t SharedArea(const PixelRect& a, const PixelRect& b) {
  const int64_t width = std::min<int64_t>(int64_t{a.left} + a.width, int64_t{b.left} + b.width) -
                        std::max<int64_t>(a.left, b.left);
  const int64_t height = std::min<int64_t>(int64_t{a.top} + a.height, int64_t{b.top} + b.height) -
                         std::max<int64_t>(a.top, b.top);
  return width > 0 && height > 0 ? width * height : 0;
}

}  // namespace

Desktop::Desktop(MainWindow& window, Settings& settings, std::function<void()> repaintWindow)
    : mWindow(window), mSettings(settings), mRepaintWindow(std::move(repaintWindow)) {}

void Desktop::ShowWindowed() {
  mSettings.gIsFormFullScreen = 0;
  mWindow.Hide();
  const PixelRect windowed =
      OnAMonitor(PixelRect{mSettings.gFormLastLeft, mSettings.gFormLastTop,
                           mSettings.gFormLastWidth, mSettings.gFormLastHeight},
                 mWindow.Monitors());
  mSettings.gFormLastLeft = windowed.left;
  mSettings.gFormLastTop = windowed.top;
  mSettings.gFormLastWidth = windowed.width;
  mSettings.gFormLastHeight = windowed.height;
  mWindow.SetGeometry(windowed);
  if (mRepaintWindow) mRepaintWindow();
  mWindow.Show();
}

void Desktop::ShowFullScreen() {
  mSettings.gIsFormFullScreen = 1;
  mWindow.Hide();
  const PixelRect windowed = mWindow.Geometry();
  mSettings.gFormLastLeft = windowed.left;
  mSettings.gFormLastTop = windowed.top;
  mSettings.gFormLastWidth = windowed.width;
  mSettings.gFormLastHeight = windowed.height;
  FindWindowMonitor();
  mWindow.SetGeometry(PixelRect{mMonitorRect.left, mMonitorRect.top,
                                mMonitorRect.right - mMonitorRect.left,
                                mMonitorRect.bottom - mMonitorRect.top});
  if (mRepaintWindow) mRepaintWindow();
  mWindow.Show();
}

void Desktop::ToggleFullScreen() {
  if (mSettings.gIsFormFullScreen != 0) {
    ShowWindowed();
  } else {
    ShowFullScreen();
  }
}

void Desktop::MinimizeWindow() {
  mWindow.Minimize();
}

void Desktop::FindWindowMonitor() {
  mMonitorRect = MonitorOf(mWindow.Geometry(), mWindow.Monitors());
}

void Desktop::SetAlwaysOnTop(bool onTop) {
  mWindow.SetAlwaysOnTop(onTop);
}

MonitorRect Desktop::MonitorOf(const PixelRect& window, const std::vector<PixelRect>& monitors) {
  auto toMonitorRect = [](const PixelRect& r) {
    return MonitorRect{r.left, r.top, r.left + r.width, r.top + r.height};
  };
  if (monitors.empty()) return toMonitorRect(window);

  // The monitor with the largest share of the window.
  int64_t bestArea = 0;
  const PixelRect* best = nullptr;
  for (const PixelRect& monitor : monitors) {
    const int64_t area = SharedArea(window, monitor);
    if (area > bestArea) {
      bestArea = area;
      best = &monitor;
    }
  }
  if (best) return toMonitorRect(*best);

  // None holds any of it: the nearest, by the distance between the rectangles.
  int64_t bestDistance = std::numeric_limits<int64_t>::max();
  for (const PixelRect& monitor : monitors) {
    const int64_t dx = std::max<int64_t>({0, monitor.left - (int64_t{window.left} + window.width),
                                          int64_t{window.left} - (monitor.left + monitor.width)});
    const int64_t dy = std::max<int64_t>({0, monitor.top - (int64_t{window.top} + window.height),
                                          int64_t{window.top} - (monitor.top + monitor.height)});
    const int64_t distance = dx * dx + dy * dy;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = &monitor;
    }
  }
  return toMonitorRect(*best);
}

PixelRect Desktop::OnAMonitor(const PixelRect& window, const std::vector<PixelRect>& monitors) {
  if (monitors.empty()) return window;
  for (const PixelRect& monitor : monitors) {
    if (SharedArea(window, monitor) > 0) return window;
  }
  const PixelRect& primary = monitors.front();
  const int32_t width = std::min(window.width, primary.width);
  const int32_t height = std::min(window.height, primary.height);
  return PixelRect{primary.left + (primary.width - width) / 2,
                   primary.top + (primary.height - height) / 2, width, height};
}
