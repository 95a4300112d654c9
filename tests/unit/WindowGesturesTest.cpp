// Moving and resizing the main window by its handles: 4:3 with a minimum
// width, the saved geometry following, the mouse capture held for the
// gesture, and both refused while the window fills its monitor.

#include "input/WindowGestures.h"

#include <gtest/gtest.h>

#include <vector>

#include "render/FocusState.h"
#include "store/Settings.h"
#include "support/FakeCursor.h"
#include "support/FakeMainWindow.h"
#include "support/FakeScreen.h"

namespace {

constexpr int32_t kLeft = 1;
constexpr int32_t kRight = 2;

struct GestureRig {
  FakeMainWindow window;
  Settings settings;
  FocusState focus;
  FakeCursor cursor;
  FakeScreen screen;
  WindowGestures gestures{window, settings, focus, cursor, screen};
};

TEST(WindowGestures, ResizingKeepsFourToThreeAndAtLeast640Wide) {
  struct Step {
    double x, y;
    int32_t width, height;
  };
  // The handle is pressed at (630, 470) of the window.
  const struct {
    const char* what;
    PixelRect start;
    std::vector<Step> steps;
  } cases[] = {
      {"two pixels wider: 481.5 rounds to 482", {0, 0, 640, 480}, {{632, 470, 642, 482}}},
      {"the larger movement counts: 502.5 rounds to 502", {0, 0, 640, 480}, {{635, 500, 670, 502}}},
      {"a left movement that is larger shrinks", {0, 0, 800, 600}, {{590, 480, 760, 570}}},
      {"never narrower than 640", {0, 0, 700, 525}, {{500, 470, 640, 480}}},
      {"each step counts from the last",
       {0, 0, 640, 480},
       {{650, 470, 660, 495}, {660, 470, 670, 502}, {660, 470, 670, 502}}},
      {"equal movements take the vertical one", {0, 0, 640, 480}, {{620, 480, 650, 488}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    GestureRig rig;
    rig.window.geometry = c.start;
    rig.gestures.BeginFormResize(kLeft, 0, 630, 470);
    EXPECT_TRUE(rig.focus.mIsFormResizing);
    EXPECT_TRUE(rig.cursor.captured);
    for (const Step& step : c.steps) {
      rig.gestures.DoFormResize(kLeft, 0, step.x, step.y);
      EXPECT_EQ(rig.window.geometry.width, step.width);
      EXPECT_EQ(rig.window.geometry.height, step.height);
      EXPECT_EQ(rig.settings.gFormLastWidth, step.width);
      EXPECT_EQ(rig.settings.gFormLastHeight, step.height);
    }
    rig.gestures.EndFormResize(kLeft, 0, 0, 0);
    EXPECT_FALSE(rig.focus.mIsFormResizing);
    EXPECT_FALSE(rig.cursor.captured);
    // Begin, each step and the end repaint.
    EXPECT_EQ(rig.screen.Count("RepaintWindow"), static_cast<int>(c.steps.size()) + 2);
  }
}

}  // namespace
