#include "program/Desktop.h"

#include <gtest/gtest.h>

#include "store/Settings.h"
#include "support/FakeMainWindow.h"
#include "support/TempFolder.h"

namespace {

// Two monitors side by side; the second one is larger.
const std::vector<PixelRect> kTwoMonitors = {PixelRect{0, 0, 1920, 1080},
                                             PixelRect{1920, 0, 2560, 1440}};

class DesktopTest : public ::testing::Test {
 protected:
  DesktopTest() : desktop(window, settings, [this] { ++repaints; }) {
    window.monitors = kTwoMonitors;
  }

  FakeMainWindow window;
  Settings settings;
  int repaints = 0;
  Desktop desktop;
};

TEST_F(DesktopTest, FullScreenTwiceReturnsTheWindowedGeometryOnASecondMonitor) {
  window.geometry = PixelRect{2300, 200, 1024, 768};
  desktop.ToggleFullScreen();
  EXPECT_EQ(settings.gIsFormFullScreen, 1);
  EXPECT_EQ(window.geometry, (PixelRect{1920, 0, 2560, 1440}));
  EXPECT_EQ(desktop.gMonitorRect(), (MonitorRect{1920, 0, 4480, 1440}));
  desktop.ToggleFullScreen();
  EXPECT_EQ(settings.gIsFormFullScreen, 0);
  EXPECT_EQ(window.geometry, (PixelRect{2300, 200, 1024, 768}));
  EXPECT_TRUE(window.visible);
  EXPECT_EQ(repaints, 2);
}

TEST_F(DesktopTest, TheMonitorIsTheOneHoldingMostOfTheWindowElseTheNearest) {
  struct Case {
    const char* what;
    PixelRect window;
    MonitorRect monitor;
  };
  const Case cases[] = {
      {"inside the first", {100, 100, 800, 600}, {0, 0, 1920, 1080}},
      {"straddling, mostly on the first", {1500, 100, 800, 600}, {0, 0, 1920, 1080}},
      {"straddling, mostly on the second", {1700, 100, 800, 600}, {1920, 0, 4480, 1440}},
      {"below the first, outside both", {300, 1500, 800, 600}, {0, 0, 1920, 1080}},
      {"far below, nearer the taller second", {300, 3000, 800, 600}, {1920, 0, 4480, 1440}},
      {"far right, outside both", {9000, 100, 800, 600}, {1920, 0, 4480, 1440}},
      {"left of everything", {-2000, 500, 800, 600}, {0, 0, 1920, 1080}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Desktop::MonitorOf(c.window, kTwoMonitors), c.monitor);
  }
}

TEST_F(DesktopTest, ASavedPlaceOutsideEveryMonitorOpensOnThePrimaryOne) {
  struct Case {
    const char* what;
    PixelRect saved;
    PixelRect shown;
  };
  const Case cases[] = {
      {"on the second monitor", {2300, 200, 1024, 768}, {2300, 200, 1024, 768}},
      {"mostly off the first, partly on it", {-700, -500, 800, 600}, {-700, -500, 800, 600}},
      {"where a removed monitor was", {6000, 4000, 800, 600}, {560, 240, 800, 600}},
      {"just left of everything", {-800, 0, 800, 600}, {560, 240, 800, 600}},
      {"larger than the primary, below everything", {0, 2000, 3000, 1200}, {0, 0, 1920, 1080}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    settings.gFormLastLeft = c.saved.left;
    settings.gFormLastTop = c.saved.top;
    settings.gFormLastWidth = c.saved.width;
    settings.gFormLastHeight = c.saved.height;
    desktop.ShowWindowed();
    EXPECT_EQ(window.geometry, c.shown);
    // The reachable place is what the settings keep.
    EXPECT_EQ((PixelRect{settings.gFormLastLeft, settings.gFormLastTop, settings.gFormLastWidth,
                         settings.gFormLastHeight}),
              c.shown);
  }
}

TEST_F(DesktopTest, ClosingInFullScreenKeepsTheWindowedGeometryForTheNextStart) {
  TempFolder folder;
  window.geometry = PixelRect{2000, 300, 800, 600};
  desktop.ShowFullScreen();
  ASSERT_EQ(SaveSettings(settings, folder.File("Tavizo.ini")), 1);

  // The next start: the window begins at its initial place on the first monitor.
  FakeMainWindow nextWindow;
  nextWindow.monitors = kTwoMonitors;
  Settings next;
  LoadSettings(next, folder.File("Tavizo.ini"), "/opt", nextWindow.Geometry());
  EXPECT_EQ(next.gIsFormFullScreen, 1);
  EXPECT_EQ(next.gFormLastLeft, 2000);
  Desktop nextDesktop(nextWindow, next, [] {});
  // Start-up gives the window its saved windowed geometry first, then goes full screen there.
  nextWindow.SetGeometry(
      PixelRect{next.gFormLastLeft, next.gFormLastTop, next.gFormLastWidth, next.gFormLastHeight});
  nextDesktop.ShowFullScreen();
  EXPECT_EQ(nextWindow.geometry, (PixelRect{1920, 0, 2560, 1440}));
  EXPECT_EQ(next.gFormLastLeft, 2000);
}

}  // namespace
