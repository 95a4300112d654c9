// The mouse on the skin: clicks through the hit map, the right button and
// Alt + click, the remote panel over full-screen video, the play list's rows,
// paging and thumb, help texts under the pointer, and the pointer hiding
// itself while a medium plays.

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
#include "skin/SkinModel.h"
#include "store/Settings.h"
#include "support/FakeClock.h"
#include "support/FakeCursor.h"
#include "support/FakeLog.h"
#include "support/FakeMainWindow.h"
#include "support/FakeScreen.h"

namespace {

constexpr int32_t kLeft = 1;
constexpr int32_t kRight = 2;
constexpr int32_t kShift = 1;
constexpr int32_t kCtrl = 2;
constexpr int32_t kAlt = 4;

// An 800 x 600 window at (100, 100) showing wndMain:
//   cmdPlay 0..99 x 0..49, cmdStop 100..199, picLogo 200..299 (no action),
//   picStatus 300..399, cmdVolControl 400..449 x 0..99,
//   lstPlaylist 0..719 x 100..399 with its thumb at 700..710 x 150..180,
//   cmdFormMove 0..399 x 550..599, cmdFormResize 760..799 x 560..599.
// The list has 91 rows "Row 1".. with the cursor on 50, 11 visible rows of
// 20 pixels from y = 100.
class PointerRig {
 public:
  PointerRig() {
    Add("wndMain.cmdPlay", "*.cmdPlay", "Play", {0, 0, 100, 50});
    Add("wndMain.cmdStop", "*.cmdStop", "Stop", {100, 0, 100, 50});
    Add("wndMain.picLogo", "", "", {200, 0, 100, 50});
    Add("wndMain.picStatus", "", "", {300, 0, 100, 50});
    Add("wndMain.cmdVolControl", "*.cmdMute", "Volume", {400, 0, 50, 100});
    SkinElement& list =
        skin.Element(Add("wndMain.lstPlaylist", "*.lstPlaylist", "Files", {0, 100, 720, 300}));
    // 50% of 600: a 300-pixel track.
    list.SizeH = 50;
    list.PicH[Pressed] = 100;
    list.TextLines = {11, 11, 11, 11};
    Add("wndMain.cmdFormMove", "*.cmdFormMove", "Drag to move", {0, 550, 400, 50});
    Add("wndMain.cmdFormResize", "*.cmdFormHide", "Drag to resize", {760, 560, 40, 40});
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
    SkinElement element;
    element.Index = static_cast<int32_t>(skin.SkinElements.size());
    element.FullName = fullName;
    element.Window = GetField(fullName, 1, ".");
    element.Name = fullName.substr(element.Window.size() + 1);
    element.Moves[kMovePressed] = pressed;
    element.InfoText = info;
    skin.SkinElements.push_back(element);
    skin.SkinElements[0].Index = element.Index;
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

  int32_t StateOf(const std::string& fullName) { return skin.ElementNamed(fullName).State; }

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
  bool volumeRepeating = false;

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
    hooks.ConfigInput = [this](const std::string& element, const std::string& input) {
      calls.push_back("ConfigInput " + element + " " + input);
    };
    hooks.MoveCursor = [this](double delta) {
      calls.push_back("MoveCursor " + FormatDecimal(delta));
      const double last = EntryCount(browse.mBrowseList);
      browse.mBrowseCursor = std::clamp(browse.mBrowseCursor + delta, 1.0, std::max(last, 1.0));
    };
    hooks.ActivateEntry = [this](int32_t row) {
      calls.push_back("ActivateEntry " + std::to_string(row));
    };
    hooks.PressVolumeControl = [this](const std::string& element, int32_t x, int32_t y) {
      calls.push_back("PressVolumeControl " + element + " " + std::to_string(x) + " " +
                      std::to_string(y));
      volumeRepeating = true;
    };
    hooks.VolumeRepeatTick = [this] {
      if (volumeRepeating) calls.push_back("VolumeRepeatTick");
    };
    hooks.EndVolumeRepeat = [this] {
      const bool was = volumeRepeating;
      volumeRepeating = false;
      return was;
    };
    hooks.cmdFullsize = [this] {
      calls.push_back("cmdFullsize");
      overlay.mIsVideoFullscreen = !overlay.mIsVideoFullscreen;
    };
    return hooks;
  }
};

using Calls = std::vector<std::string>;

TEST(PointerInput, ALeftClickFocusesTheElementAndRunsWhatItsNameCallsFor) {
  struct Case {
    const char* what;
    double x, y;
    const char* element;
    Calls calls;
    bool captured;
  };
  const Case cases[] = {
      {"a button runs its pressed entry",
       150.4,
       10,
       "wndMain.cmdStop",
       {"DoAction wndMain.cmdStop *.cmdStop"},
       false},
      {"the volume element presses at the rounded point",
       410.5,
       60.5,
       "wndMain.cmdVolControl",
       {"PressVolumeControl wndMain.cmdVolControl 410 60"},
       true},
      {"a list row is activated", 100, 110, "wndMain.lstPlaylist", {"ActivateEntry 45"}, false},
      {"the move handle starts a move", 50, 560, "wndMain.cmdFormMove", {}, true},
      {"the resize handle starts a resize", 780, 580, "wndMain.cmdFormResize", {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PointerRig rig;
    rig.texts.mStatusText = "as before";

    rig.input.MouseDown(kLeft, 0, c.x, c.y);

    EXPECT_EQ(rig.Calls(), c.calls);
    EXPECT_EQ(rig.focus.mFocusElement, c.element);
    EXPECT_EQ(rig.focus.mPrevFocusElement, "wndMain.cmdPlay");
    EXPECT_EQ(rig.StateOf(c.element), Selected);
    EXPECT_EQ(rig.StateOf("wndMain.cmdPlay"), Idle);
    EXPECT_TRUE(rig.screen.Has(std::string("RedrawElement ") + c.element));
    EXPECT_TRUE(rig.screen.Has("RedrawElement wndMain.cmdPlay"));
    EXPECT_EQ(rig.texts.mStatusText, "as before");
    EXPECT_EQ(rig.cursor.captured, c.captured);
  }
}

TEST(PointerInput, ClickingTheFocusedElementKeepsItSelected) {
  PointerRig rig;
  rig.focus.mLastMoveDirection = kDirectionEast;

  rig.input.MouseDown(kLeft, 0, 10, 10);

  EXPECT_EQ(rig.Calls(), Calls{"DoAction wndMain.cmdPlay *.cmdPlay"});
  EXPECT_EQ(rig.StateOf("wndMain.cmdPlay"), Selected);
  EXPECT_EQ(rig.focus.mLastMoveDirection, kDirectionNone);
}

TEST(PointerInput, ClicksOnNothingOrOnAnElementWithoutPressedEntryDoNothing) {
  const std::pair<double, double> points[] = {{250, 10}, {750, 450}, {-5, -5}};
  for (const auto& [x, y] : points) {
    SCOPED_TRACE(::testing::Message() << x << ", " << y);
    PointerRig rig;
    rig.input.MouseDown(kLeft, 0, x, y);
    rig.input.MouseDown(kLeft, kAlt, x, y);
    EXPECT_TRUE(rig.Calls().empty());
    EXPECT_EQ(rig.focus.mFocusElement, "wndMain.cmdPlay");
    EXPECT_EQ(rig.StateOf("wndMain.picLogo"), Idle);
    EXPECT_TRUE(rig.screen.mCalls.empty());
  }
}

TEST(PointerInput, OnlyAPlainRightClickTogglesFullScreenVideo) {
  struct Case {
    int32_t button;
    int32_t mask;
    Calls calls;
  };
  const Case cases[] = {
      {kRight, 0, {"cmdFullsize"}}, {kRight, kShift, {}}, {kRight, kCtrl, {}},
      {kRight, kAlt, {}},           {kLeft, kShift, {}},  {kLeft, kCtrl, {}},
      {kLeft, kAlt | kShift, {}},   {3, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "button " << c.button << " mask " << c.mask);
    PointerRig rig;
    rig.input.MouseDown(c.button, c.mask, 150, 10);
    EXPECT_EQ(rig.Calls(), c.calls);
    EXPECT_EQ(rig.focus.mFocusElement, "wndMain.cmdPlay");
  }
}

TEST(PointerInput, AltClickConfiguresTheClickedElementWithoutMovingTheFocus) {
  PointerRig rig;
  rig.input.MouseDown(kLeft, kAlt, 150, 10);

  EXPECT_EQ(rig.Calls(), Calls{"ConfigInput wndMain.cmdStop xXSelfXx"});
  EXPECT_EQ(rig.focus.mFocusElement, "wndMain.cmdPlay");
  EXPECT_EQ(rig.StateOf("wndMain.cmdStop"), Idle);
  EXPECT_EQ(rig.StateOf("wndMain.cmdPlay"), Selected);
}

TEST(PointerInput, ClickingFullScreenVideoShowsTheRemotePanelThenHidesIt) {
  PointerRig rig;
  rig.hits.clear();
  rig.Add("wndVidMain.cmdPlay", "*.cmdPlay", "", {0, 0, 0, 0});
  rig.Add("wndVidMain.picVideoWindow", "", "", {0, 0, 800, 600});
  rig.Add("wndRemote.cmdStop", "*.cmdStop", "", {300, 500, 50, 50});
  rig.Focus("wndVidMain.cmdPlay");
  rig.overlay.mIsVideoFullscreen = true;
  UiTimer& remoteTimer = rig.timers[TimerId::ShowRemote];
  rig.screen.mOnShowRemotePanel = [&](int32_t) { remoteTimer.Enable(); };
  rig.screen.mOnHideRemotePanel = [&] { remoteTimer.Disable(); };

  rig.input.MouseDown(kLeft, 0, 100, 100);
  rig.input.MouseDown(kLeft, 0, 100, 100);

  EXPECT_EQ(rig.screen.mCalls, Calls({"ShowRemotePanel -1", "HideRemotePanel"}));
  EXPECT_TRUE(rig.Calls().empty());
  EXPECT_EQ(rig.focus.mFocusElement, "wndVidMain.cmdPlay");

  // A button of the panel takes the panel's focus; the window's stays.
  rig.overlay.mRemoteFocus = "wndRemote.cmdStartButton";
  rig.input.MouseDown(kLeft, 0, 310, 510);
  EXPECT_EQ(rig.Calls(), Calls{"DoAction wndRemote.cmdStop *.cmdStop"});
  EXPECT_EQ(rig.overlay.mRemoteFocus, "wndRemote.cmdStop");
  EXPECT_EQ(rig.overlay.mRemotePrevFocus, "wndRemote.cmdStartButton");
  EXPECT_EQ(rig.focus.mFocusElement, "wndVidMain.cmdPlay");
  EXPECT_EQ(rig.StateOf("wndRemote.cmdStop"), Selected);
}

TEST(PointerInput, HoldingTheTrackPagesNineRowsThenRepeatsUntilReleased) {
  struct Case {
    const char* what;
    double y;
    const char* step;
    int32_t releasedButton;
  };
  const Case cases[] = {
      {"below the thumb", 300, "9", kLeft},
      {"above the thumb", 120, "-9", kLeft},
      {"any release ends it", 300, "9", kRight},
  };
  for (const Case& c : cases) {
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

TEST(PointerInput, TheVolumeElementRepeatsWhileHeldAndItsReleaseGivesTheMouseBack) {
  PointerRig rig;
  rig.input.MouseDown(kLeft, 0, 420, 20);
  rig.input.ElementTick();
  rig.input.ElementTick();
  rig.input.MouseUp(kLeft, 0, 420, 20);
  rig.input.ElementTick();

  EXPECT_EQ(rig.Calls(), Calls({"PressVolumeControl wndMain.cmdVolControl 420 20",
                                "VolumeRepeatTick", "VolumeRepeatTick"}));
  EXPECT_EQ(rig.cursor.captures, 1);
  EXPECT_EQ(rig.cursor.releases, 1);
  EXPECT_FALSE(rig.cursor.captured);
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
  EXPECT_EQ(rig.Calls(),
            Calls({"MoveCursor 9", "MoveCursor 9", "MoveCursor -27", "MoveCursor 99"}));

  rig.input.MouseUp(kLeft, 0, 705, 430);
  EXPECT_FALSE(rig.input.IsThumbDragging());
  EXPECT_FALSE(rig.cursor.captured);
  EXPECT_TRUE(rig.screen.Has("RepaintWindow"));
  rig.input.MouseMove(kLeft, 0, 705, 160);
  EXPECT_EQ(rig.Calls().size(), 4u);
}

TEST(PointerInput, AThumbThatFillsItsTrackScrollsNothing) {
  struct Case {
    const char* what;
    int32_t rows;
    int32_t thumbTop;
    int32_t thumbBottom;
    double sizeH;
  };
  const Case cases[] = {
      {"one row, the thumb as tall as the track", 1, 100, 400, 50},
      {"no rows at all", 0, 100, 400, 50},
      {"many rows on a track no taller than the thumb", 91, 100, 400, 50},
      {"less than a pixel of travel", 91, 100, 400, 50.05},
  };
  for (const Case& c : cases) {
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
  struct Case {
    double cursor;
    double x, y;
    int32_t rows;
    Calls calls;
    int32_t lines = 11;
  };
  // 11 rows of 20 pixels from y = 100; the cursor row is the sixth. Ten lines
  // show rows 46 to 54 around row 50, as the list draws them.
  const Case cases[] = {
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
  for (const Case& c : cases) {
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

TEST(PointerInput, HoveringShowsHelpTextsAndListRowsInTheStatusLine) {
  PointerRig rig;
  rig.texts.mStatusText = "Start";

  rig.input.MouseMove(0, 0, 150, 10);
  EXPECT_EQ(rig.texts.mStatusText, "Stop");
  EXPECT_EQ(rig.screen.mCalls, Calls{"RedrawElement wndMain.picStatus"});

  // The same element again changes nothing, even after the text changed.
  rig.texts.mStatusText = "Playing";
  rig.input.MouseMove(0, 0, 160, 20);
  EXPECT_EQ(rig.texts.mStatusText, "Playing");

  // An element without a help text leaves the line as it is.
  rig.input.MouseMove(0, 0, 250, 10);
  EXPECT_EQ(rig.texts.mStatusText, "Playing");
  EXPECT_EQ(rig.input.HoverElement(), rig.skin.FindElement("wndMain.picLogo"));

  // Over the rows the line names the row under the pointer.
  rig.input.MouseMove(0, 0, 100, 130);
  EXPECT_EQ(rig.texts.mStatusText, "Row 46");
  rig.input.MouseMove(0, 0, 700, 150);
  EXPECT_EQ(rig.texts.mStatusText, "Row 47");
  // The scroll bar is no row.
  rig.input.MouseMove(0, 0, 705, 170);
  EXPECT_EQ(rig.texts.mStatusText, "Row 47");
  EXPECT_EQ(rig.screen.Count("RedrawElement wndMain.picStatus"), 3);

  // Back on an element that was hovered before the list: the list did not
  // count as a change of element.
  rig.input.MouseMove(0, 0, 250, 10);
  EXPECT_EQ(rig.texts.mStatusText, "Row 47");
  rig.input.MouseMove(0, 0, 50, 10);
  EXPECT_EQ(rig.texts.mStatusText, "Play");
}

TEST(PointerInput, WhileItsFolderIsBrowsedTheRowsAreNamedFromThePlayingList) {
  PointerRig rig;
  rig.settings.gPlaylistName = "/Media/Films/";
  EntryList asItWas = rig.browse.mBrowseList;
  asItWas[46].text = "Row 46 as it was";
  asItWas.resize(47);
  asItWas[0].text = "46";
  rig.browse.mPlaying.Take("/media/films/", asItWas, 1);

  rig.input.MouseMove(0, 0, 100, 130);
  EXPECT_EQ(rig.texts.mStatusText, "Row 46 as it was");
  // A row the playing list no longer holds comes from the browse list.
  rig.input.MouseMove(0, 0, 100, 150);
  EXPECT_EQ(rig.texts.mStatusText, "Row 47");

  rig.browse.mPlaying.Take("/media/", asItWas, 1);
  rig.input.MouseMove(0, 0, 100, 130);
  EXPECT_EQ(rig.texts.mStatusText, "Row 46");
}

TEST(PointerInput, AListNotDrawnYetHasNoRowUnderThePointer) {
  PointerRig rig;
  rig.geometry.mRowHeight = 0;
  rig.input.MouseDown(kLeft, 0, 100, 130);
  rig.input.MouseMove(0, 0, 100, 150);
  EXPECT_TRUE(rig.Calls().empty());
  EXPECT_EQ(rig.texts.mStatusText, "");
}

TEST(PointerInput, ThePointerHidesAfterRestingOverThreeSecondsOnlyWhilePlaying) {
  for (bool playing : {true, false}) {
    SCOPED_TRACE(playing ? "playing" : "not playing");
    PointerRig rig;
    rig.playing = playing;
    rig.timers[TimerId::MouseOver].SetInterval(100);
    rig.input.MouseMove(0, 0, 300, 200);

    rig.Run(3000);
    EXPECT_TRUE(rig.cursor.Visible()) << "still for three seconds";
    rig.Run(500);
    EXPECT_EQ(rig.cursor.Visible(), !playing);
    EXPECT_EQ(rig.pointer.mIsMouseHidden, playing);

    // A movement shows it again at the next check.
    rig.input.MouseMove(0, 0, 301, 200);
    rig.Run(100);
    EXPECT_TRUE(rig.cursor.Visible());
    rig.Run(3000);
    EXPECT_TRUE(rig.cursor.Visible());
    rig.Run(500);
    EXPECT_EQ(rig.cursor.Visible(), !playing);

    // Outside the window the pointer is never hidden: dragged out while the
    // mouse is captured, or gone from the window.
    rig.input.MouseMove(kLeft, 0, 850, 200);
    rig.Run(5000);
    EXPECT_TRUE(rig.cursor.Visible());
    rig.input.MouseMove(0, 0, 300, 200);
    rig.input.MouseLeave();
    rig.Run(5000);
    EXPECT_TRUE(rig.cursor.Visible());
  }
}

// The check runs only while it can hide or show the pointer, so an idle
// program sleeps; the checks it skipped count when it starts again.
TEST(PointerInput, ThePointerIsWatchedOnlyWhilePlayingOrHidden) {
  PointerRig rig;
  const UiTimer& check = rig.timers[TimerId::MouseOver];
  rig.timers[TimerId::MouseOver].SetInterval(100);
  rig.input.MouseMove(0, 0, 300, 200);
  rig.Run(5000);
  EXPECT_FALSE(check.Enabled()) << "nothing plays";

  // Resting since before playback started, it hides at the first check.
  rig.playing = true;
  rig.Run(150);
  EXPECT_TRUE(check.Enabled());
  EXPECT_FALSE(rig.cursor.Visible());

  // Paused, the hidden pointer is still watched, and comes back when moved.
  rig.playing = false;
  rig.Run(1000);
  EXPECT_TRUE(check.Enabled());
  rig.input.MouseMove(0, 0, 320, 200);
  rig.Run(100);
  EXPECT_TRUE(rig.cursor.Visible());
  EXPECT_FALSE(check.Enabled());

  // Moved a second before playback starts, it hides a little over three
  // seconds after the move.
  rig.Run(5000);
  rig.input.MouseMove(0, 0, 330, 200);
  rig.Run(1000);
  rig.playing = true;
  rig.Run(2000);
  EXPECT_TRUE(rig.cursor.Visible());
  rig.Run(500);
  EXPECT_FALSE(rig.cursor.Visible());

  // A forced hide is the overlay's to undo: with nothing playing, no check.
  rig.playing = false;
  rig.pointer.ShowMouse(true);
  rig.pointer.HideMouse(true);
  rig.Run(100);
  EXPECT_FALSE(check.Enabled());
}

TEST(PointerInput, APressShowsAHiddenPointerAlsoOncePlaybackStopped) {
  for (bool stillPlaying : {true, false}) {
    SCOPED_TRACE(stillPlaying ? "playing" : "paused");
    PointerRig rig;
    rig.playing = true;
    ASSERT_TRUE(rig.pointer.HideMouse(false));
    rig.playing = stillPlaying;
    rig.input.MouseDown(kLeft, 0, 250, 10);
    EXPECT_TRUE(rig.cursor.Visible());
  }
}

TEST(PointerInput, ADoubleClickActsAsAPlainPressWhereItHappened) {
  PointerRig rig;
  rig.input.DoubleClick(kLeft, 0, 150, 10);
  rig.input.DoubleClick(kLeft, kAlt, 150, 10);
  EXPECT_EQ(rig.Calls(),
            Calls({"DoAction wndMain.cmdStop *.cmdStop", "DoAction wndMain.cmdStop *.cmdStop"}));
  EXPECT_EQ(rig.focus.mFocusElement, "wndMain.cmdStop");

  // The second right press of a double click toggles back.
  rig.calls.clear();
  rig.input.DoubleClick(kRight, 0, 150, 10);
  EXPECT_EQ(rig.Calls(), Calls{"cmdFullsize"});
}

TEST(PointerInput, AReleaseEndsTheFirstRunningGestureInItsOrder) {
  PointerRig rig;
  rig.input.MouseDown(kLeft, 0, 50, 560);  // move
  ASSERT_TRUE(rig.focus.mIsFormMoving);
  rig.input.BeginFormResize(kLeft, 0, 780, 580);
  ASSERT_TRUE(rig.focus.mIsFormResizing);

  rig.input.MouseUp(kRight, 0, 50, 560);
  EXPECT_TRUE(rig.focus.mIsFormMoving) << "only the left button ends a move";
  rig.input.MouseUp(kLeft, 0, 50, 560);
  EXPECT_FALSE(rig.focus.mIsFormMoving);
  EXPECT_TRUE(rig.focus.mIsFormResizing);
  rig.input.MouseUp(kLeft, 0, 50, 560);
  EXPECT_FALSE(rig.focus.mIsFormResizing);
  EXPECT_EQ(rig.cursor.captures, rig.cursor.releases);
}

TEST(PointerInput, DraggingTheMoveHandleMovesTheWindowWithThePointer) {
  PointerRig rig;
  rig.input.MouseDown(kLeft, 0, 50, 560);
  // The window follows, so the pointer stays at the same window position
  // except for the latest step.
  rig.input.MouseMove(kLeft, 0, 60, 555);
  EXPECT_EQ(rig.window.geometry, (PixelRect{110, 95, 800, 600}));
  rig.input.MouseMove(kLeft, 0, 45.5, 560);
  EXPECT_EQ(rig.window.geometry, (PixelRect{106, 95, 800, 600}));
  EXPECT_EQ(rig.settings.gFormLastLeft, 106);
  EXPECT_EQ(rig.settings.gFormLastTop, 95);
  // With Shift held the move pauses and the pointer is only hovering.
  rig.input.MouseMove(kLeft, kShift, 80, 560);
  EXPECT_EQ(rig.window.geometry.left, 106);
  rig.input.MouseUp(kLeft, 0, 50, 560);
  rig.input.MouseMove(kLeft, 0, 80, 560);
  EXPECT_EQ(rig.window.geometry.left, 106);
}

}  // namespace
