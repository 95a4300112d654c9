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
  struct Case {
    const char* what;
    PixelRect start;
    std::vector<Step> steps;
  };
  // The handle is pressed at (630, 470) of the window.
  const Case cases[] = {
      {"two pixels wider: 481.5 rounds to 482", {0, 0, 640, 480}, {{632, 470, 642, 482}}},
      {"the larger movement counts: 502.5 rounds to 502", {0, 0, 640, 480}, {{635, 500, 670, 502}}},
      {"a left movement that is larger shrinks", {0, 0, 800, 600}, {{590, 480, 760, 570}}},
      {"never narrower than 640", {0, 0, 700, 525}, {{500, 470, 640, 480}}},
      {"each step counts from the last",
       {0, 0, 640, 480},
       {{650, 470, 660, 495}, {660, 470, 670, 502}, {660, 470, 670, 502}}},
      {"equal movements take the vertical one", {0, 0, 640, 480}, {{620, 480, 650, 488}}},
  };
  for (const Case& c : cases) {
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

TEST(WindowGestures, MoveAndResizeAreRefusedInFullScreenAndBeginOnlyOnTheLeftButton) {
  struct Case {
    const char* what;
    int32_t fullScreen;
    int32_t button;
  };
  const Case cases[] = {
      {"full screen", 1, kLeft},
      {"right button", 0, kRight},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GestureRig rig;
    rig.settings.gIsFormFullScreen = c.fullScreen;
    const PixelRect before = rig.window.geometry;

    rig.gestures.BeginFormMove(c.button, 0, 10, 10);
    rig.gestures.DoFormMove(kLeft, 0, 60, 60);
    rig.gestures.BeginFormResize(c.button, 0, 10, 10);
    rig.gestures.DoFormResize(kLeft, 0, 200, 200);

    EXPECT_FALSE(rig.focus.mIsFormMoving);
    EXPECT_FALSE(rig.focus.mIsFormResizing);
    EXPECT_EQ(rig.window.geometry, before);
    EXPECT_EQ(rig.cursor.captures, 0);
    EXPECT_TRUE(rig.screen.mCalls.empty());
  }
}

TEST(WindowGestures, TheWindowFollowsThePointerAndTheSavedPositionWithIt) {
  GestureRig rig;
  rig.window.geometry = PixelRect{300, 200, 800, 600};
  rig.settings.gFormLastLeft = 5;  // stale: the move starts from the window
  rig.gestures.BeginFormMove(kLeft, 0, 40.4, 12.6);
  EXPECT_TRUE(rig.cursor.captured);

  // The window moved under the pointer, so the next event sees the pointer
  // at the press point again plus the new movement.
  rig.gestures.DoFormMove(kLeft, 0, 140, 13);
  EXPECT_EQ(rig.window.geometry, (PixelRect{400, 200, 800, 600}));
  rig.gestures.DoFormMove(kLeft, 0, 30, -7);
  EXPECT_EQ(rig.window.geometry, (PixelRect{390, 180, 800, 600}));
  EXPECT_EQ(rig.settings.gFormLastLeft, 390);
  EXPECT_EQ(rig.settings.gFormLastTop, 180);

  // A second begin while moving changes nothing.
  rig.gestures.BeginFormMove(kLeft, 0, 0, 0);
  EXPECT_EQ(rig.cursor.captures, 1);
  rig.gestures.EndFormMove(kLeft, 0, 0, 0);
  EXPECT_FALSE(rig.focus.mIsFormMoving);
  EXPECT_FALSE(rig.cursor.captured);
  rig.gestures.DoFormMove(kLeft, 0, 500, 500);
  EXPECT_EQ(rig.window.geometry.left, 390);
}

TEST(WindowGestures, EndingAMoveAlsoEndsTheKeyboardMoveMode) {
  GestureRig rig;
  rig.focus.mIsFormMoving = true;  // set by the window-move action
  rig.gestures.EndFormMove(kLeft, 0, 0, 0);
  EXPECT_FALSE(rig.focus.mIsFormMoving);
}

}  // namespace
