// The mouse on the play list: paging while the track is held, the dragged
// thumb, and clicks on the rows.

#include "input/PointerInput.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/Conversions.h"
#include "base/TimerTable.h"
#include "input/MousePointer.h"
#include "render/BrowseState.h"
#include "render/FocusOwner.h"
#include "render/FocusState.h"
#include "render/ListGeometry.h"
#include "render/OverlayState.h"
#include "render/StatusLine.h"
#include "render/UiTexts.h"
#include "store/Settings.h"
#include "support/FakeClock.h"
#include "support/FakeCursor.h"
#include "support/FakeLog.h"
#include "support/FakeMainWindow.h"
#include "support/FakeScreen.h"
#include "support/SkinElements.h"

namespace {

constexpr int32_t kLeft = 1;
constexpr int32_t kRight = 2;

// An 800 x 600 window showing wndMain: cmdPlay 0..99 x 0..49 (focused) and
//   lstPlaylist 0..719 x 100..399 with its thumb at 700..710 x 150..180.
// The list has 91 rows "Row 1".. with the cursor on 50, 11 visible rows of
// 20 pixels from y = 100.
class PointerRig {
 public:
  PointerRig() {
    Add("wndMain.cmdPlay", "*.cmdPlay", "Play", {0, 0, 100, 50});
    SkinElement& list =
        skin.Element(Add("wndMain.lstPlaylist", "*.lstPlaylist", "Files", {0, 100, 720, 300}));
    // 50% of 600: a 300-pixel track.
    list.SizeH = 50;
    list.PicH[Pressed] = 100;
    list.TextLines = {11, 11, 11, 11};
    Focus("wndMain.cmdPlay");

    SetRows(91);
    browse.mBrowseCursor = 50;
    geometry.mListThumbRect[0] = 700;
    geometry.mListThumbRect[1] = 150;
    geometry.mListThumbRect[2] = 710;
    geometry.mListThumbRect[3] = 180;
    geometry.mListTop = 100;
    geometry.mRowHeight = 20;

    timers.SetTickHandler([this](TimerId id) {
      if (id == TimerId::Element) input.ElementTick();
      if (id == TimerId::MouseOver) input.MouseOverTick();
    });
  }

  // Appends an element lying on the rectangle (window pixels) of the hit map.
  int32_t Add(const std::string& fullName, const std::string& pressed, const std::string& info,
              PixelRect rect) {
    SkinElement& element = AppendElement(skin, fullName);
    element.Moves[kMovePressed] = pressed;
    element.InfoText = info;
    hits.emplace_back(rect, element.Index);
    return element.Index;
  }

  void Focus(const std::string& fullName) {
    focus.mFocusElement = fullName;
    focus.mPrevFocusElement = fullName;
    focus.mCurrentWindow = GetField(fullName, 1, ".");
    skin.ElementNamed(fullName).State = Selected;
  }

  void SetRows(int32_t count) {
    browse.mBrowseList.assign(1, ListEntry{std::to_string(count), kEntryBack, 0, {}});
    for (int32_t row = 1; row <= count; ++row) {
      browse.mBrowseList.push_back(ListEntry{"Row " + std::to_string(row), kEntryFile, 0, {}});
    }
  }

  // Lets the fake clock run, ticking the timers that fall due on the way and
  // setting timMouseOver between ticks, as the UI loop does.
  void Run(uint64_t milliseconds) {
    for (uint64_t passed = 0; passed < milliseconds; ++passed) {
      clock.Advance(1);
      timers.RunDue();
      input.RunMouseOverWhileNeeded();
    }
  }

  std::vector<std::string> Calls() const { return calls; }

  SkinModel skin;
  FocusState focus;
  OverlayState overlay;
  BrowseState browse;
  Settings settings;
  UiTexts texts;
  ListGeometry geometry;
  FakeMainWindow window;
  FakeCursor cursor;
  bool playing = false;
  MousePointer pointer{cursor, [this] { return playing; }};
  FakeClock clock;
  TimerTable timers{clock};
  FakeScreen screen;
  StatusLine status{texts, focus, screen};
  FocusOwner focusOwner{focus, skin, screen, status};
  FakeLog log;  // keeps the pointer's log lines out of the test output
  std::vector<std::pair<PixelRect, int32_t>> hits;
  std::vector<std::string> calls;  // the hooks, in the order they were called

  PointerInput input{PointerServices{skin, focus, focusOwner, overlay, browse, settings, status,
                                     geometry, window, cursor, pointer, timers, screen},
                     MakeHooks()};

 private:
  PointerHooks MakeHooks() {
    PointerHooks hooks;
    hooks.HitMap_Read = [this](int32_t x, int32_t y) {
      for (auto hit = hits.rbegin(); hit != hits.rend(); ++hit) {
        const PixelRect& r = hit->first;
        if (x >= r.left && x < r.left + r.width && y >= r.top && y < r.top + r.height)
          return hit->second;
      }
      return 0;
    };
    hooks.DoAction = [this](const std::string& source, const std::string& action) {
      calls.push_back("DoAction " + source + " " + action);
    };
    hooks.MoveCursor = [this](double delta) {
      calls.push_back("MoveCursor " + FormatDecimal(delta));
      const double last = EntryCount(browse.mBrowseList);
      browse.mBrowseCursor = std::clamp(browse.mBrowseCursor + delta, 1.0, std::max(last, 1.0));
    };
    hooks.ActivateEntry = [this](int32_t row) {
      calls.push_back("ActivateEntry " + std::to_string(row));
    };
    return hooks;
  }
};

using Calls = std::vector<std::string>;

TEST(PointerInput, HoldingTheTrackPagesNineRowsThenRepeatsUntilReleased) {
  const struct {
    const char* what;
    double y;
    const char* step;
    int32_t releasedButton;
  } cases[] = {
      {"below the thumb", 300, "9", kLeft},
      {"above the thumb", 120, "-9", kLeft},
      {"any release ends it", 300, "9", kRight},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    PointerRig rig;
    const std::string move = std::string("MoveCursor ") + c.step;

    rig.input.MouseDown(kLeft, 0, 705, c.y);
    EXPECT_EQ(rig.Calls(), Calls{move});
    EXPECT_TRUE(rig.cursor.captured);
    EXPECT_TRUE(rig.timers[TimerId::Element].Enabled());

    rig.Run(499);
    EXPECT_EQ(rig.Calls().size(), 1u) << "the first repeat waits gActionFirstRepeat";
    rig.Run(1);
    EXPECT_EQ(rig.Calls().size(), 2u);
    rig.Run(49);
    EXPECT_EQ(rig.Calls().size(), 2u);
    rig.Run(1);
    EXPECT_EQ(rig.Calls(), Calls({move, move, move})) << "then every gActionNextRepeat";
    // The pointer may wander anywhere while the button is held.
    rig.input.MouseMove(kLeft, 0, 50, 590);
    rig.Run(100);
    EXPECT_EQ(rig.Calls().size(), 5u);

    rig.input.MouseUp(c.releasedButton, 0, 50, 590);
    EXPECT_FALSE(rig.cursor.captured);
    EXPECT_FALSE(rig.timers[TimerId::Element].Enabled());
    EXPECT_EQ(rig.input.ListRepeatStep(), 0);
    rig.input.ElementTick();
    EXPECT_EQ(rig.Calls().size(), 5u);
  }
}

TEST(PointerInput, TheDraggedThumbMovesTheCursorInProportionFromWhereItBegan) {
  PointerRig rig;
  // 300-pixel track, 30-pixel thumb: 270 pixels of travel for rows 1 to 91.
  rig.input.MouseDown(kLeft, 0, 705, 160);
  EXPECT_TRUE(rig.input.IsThumbDragging());
  EXPECT_TRUE(rig.cursor.captured);

  rig.input.MouseMove(kLeft, 0, 705, 187);
  EXPECT_DOUBLE_EQ(rig.browse.mBrowseCursor, 59);
  rig.input.MouseMove(kLeft, 0, 650, 214);  // the pointer may leave the thumb
  EXPECT_DOUBLE_EQ(rig.browse.mBrowseCursor, 68);
  rig.input.MouseMove(kLeft, 0, 705, 133);
  EXPECT_DOUBLE_EQ(rig.browse.mBrowseCursor, 41);
  rig.input.MouseMove(kLeft, 0, 705, 430);  // the whole travel: past the last row
  EXPECT_DOUBLE_EQ(rig.browse.mBrowseCursor, 91);

  rig.input.MouseUp(kLeft, 0, 705, 430);
  EXPECT_FALSE(rig.input.IsThumbDragging());
  EXPECT_FALSE(rig.cursor.captured);
  EXPECT_TRUE(rig.screen.Has("RepaintWindow"));
  rig.input.MouseMove(kLeft, 0, 705, 160);
  EXPECT_DOUBLE_EQ(rig.browse.mBrowseCursor, 91);
}

TEST(PointerInput, AThumbThatFillsItsTrackScrollsNothing) {
  const struct {
    const char* what;
    int32_t rows;
    int32_t thumbTop;
    int32_t thumbBottom;
    double sizeH;
  } cases[] = {
      {"one row, the thumb as tall as the track", 1, 100, 400, 50},
      {"no rows at all", 0, 100, 400, 50},
      {"many rows on a track no taller than the thumb", 91, 100, 400, 50},
      {"less than a pixel of travel", 91, 100, 400, 50.05},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    PointerRig rig;
    rig.SetRows(c.rows);
    rig.browse.mBrowseCursor = 1;
    rig.skin.ElementNamed("wndMain.lstPlaylist").SizeH = c.sizeH;
    rig.geometry.mListThumbRect[1] = c.thumbTop;
    rig.geometry.mListThumbRect[3] = c.thumbBottom;

    rig.input.MouseDown(kLeft, 0, 705, 200);
    ASSERT_TRUE(rig.input.IsThumbDragging());
    rig.input.MouseMove(kLeft, 0, 705, 260);
    rig.input.MouseMove(kLeft, 0, 705, 100);

    EXPECT_TRUE(rig.Calls().empty());
    EXPECT_EQ(rig.browse.mBrowseCursor, 1);
  }
}

TEST(PointerInput, AClickOnTheListActivatesTheRowUnderThePointer) {
  // 11 rows of 20 pixels from y = 100; the cursor row is the sixth. Ten lines
  // show rows 46 to 54 around row 50, as the list draws them.
  const struct {
    double cursor;
    double x, y;
    int32_t rows;
    Calls calls;
    int32_t lines = 11;
  } cases[] = {
      {50, 100, 110, 91, {"ActivateEntry 45"}},
      {50, 100, 209.9, 91, {"ActivateEntry 50"}},
      {50, 699, 310, 91, {"ActivateEntry 55"}},
      {3, 100, 170, 91, {"ActivateEntry 1"}},
      {3, 100, 150, 91, {}},   // above the first row
      {91, 100, 250, 91, {}},  // below the last row
      {2, 100, 230, 3, {"ActivateEntry 3"}},
      {2, 100, 250, 3, {}},
      {50, 100, 130, 91, {"ActivateEntry 47"}, 10},
      {50, 100, 270, 91, {"ActivateEntry 54"}, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "cursor " << c.cursor << " at " << c.x << ", " << c.y);
    PointerRig rig;
    rig.SetRows(c.rows);
    rig.browse.mBrowseCursor = c.cursor;
    rig.skin.ElementNamed("wndMain.lstPlaylist").TextLines[Idle] = c.lines;
    rig.input.MouseDown(kLeft, 0, c.x, c.y);
    EXPECT_EQ(rig.Calls(), c.calls);
    EXPECT_EQ(rig.focus.mFocusElement, "wndMain.lstPlaylist");
    EXPECT_FALSE(rig.cursor.captured);
  }
}

}  // namespace
