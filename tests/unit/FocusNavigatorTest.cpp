// Focus navigation: neighbour moves with the reversal rule, "*"-entries, the
// list cursor with acceleration, window-move mode, full-screen video and the
// pressed entry.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/FakeLog.h"
#include "support/FakeNavigation.h"

namespace {

// Buttons A, B, C, D whose entries are deliberately not symmetric, a play
// list, the status line and an element of another window.
std::unique_ptr<FakeNavigation> MakeNavigation() {
  auto nav = std::make_unique<FakeNavigation>();
  nav->Add("wndMain.cmdA", "*.cmdVolUp;wndMain.cmdB;wndMain.lstPlaylist;;*.cmdPlay", "help A");
  nav->Add("wndMain.cmdB", "wndOther.cmdX;wndMain.cmdD;;wndMain.cmdC;!.elemMoveW", "");
  nav->Add("wndMain.cmdC", ";wndMain.cmdA;;;!.elemMovePressed", "help C");
  nav->Add("wndMain.cmdD", "*.cmdVolUp;;;wndMain.cmdC;!.elemMoveN", "help D");
  nav->Add("wndMain.lstPlaylist", "wndMain.cmdA;wndMain.cmdB;;wndMain.cmdC;*.lstPlaylist");
  nav->Add("wndMain.picStatus");
  nav->Add("wndOther.cmdX", ";;;;", "help X");
  nav->Focus("wndMain.cmdA");
  return nav;
}

// Runs each action on behalf of the focused element, as inputs do.
void Press(FakeNavigation& nav, const std::vector<std::string>& actions) {
  for (const std::string& action : actions) {
    nav.dispatcher.DoAction(nav.focus.mFocusElement, action);
  }
}

TEST(FocusNavigator, MovesFollowEntriesAndGoStraightBack) {
  struct Case {
    const char* name;
    std::vector<std::string> actions;
    const char* focus;
  };
  const Case cases[] = {
      {"east", {"!.elemMoveE"}, "wndMain.cmdB"},
      // B's west entry names C, but west right after east returns to A.
      {"east then west", {"!.elemMoveE", "!.elemMoveW"}, "wndMain.cmdA"},
      {"east twice then west", {"!.elemMoveE", "!.elemMoveE", "!.elemMoveW"}, "wndMain.cmdB"},
      {"names in any case", {"!.ELEMMOVEE", "!.elemmovew"}, "wndMain.cmdA"},
      // A step that moves nowhere, and a window switch, set the direction to
      // none, so west follows B's entry again.
      {"no move between", {"!.elemMoveE", "!.elemMoveUp", "!.elemMoveW"}, "wndMain.cmdC"},
      {"window switch between",
       {"!.elemMoveE", "wndOther.cmdX", "wndMain.cmdB", "!.elemMoveW"},
       "wndMain.cmdC"},
      // The focus may go to another window's element; the window stays.
      {"into another window", {"!.elemMoveE", "!.elemMoveN"}, "wndOther.cmdX"},
      {"empty entry", {"!.elemMoveW"}, "wndMain.cmdA"},
      {"unknown name", {"!.elemMoveUp"}, "wndMain.cmdA"},
      {"pressed entry that moves",
       {"!.elemMoveE", "!.elemMoveE", "!.elemMovePressed"},
       "wndMain.cmdD"},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    auto nav = MakeNavigation();
    Press(*nav, row.actions);
    EXPECT_EQ(nav->focus.mFocusElement, row.focus);
    EXPECT_EQ(nav->focus.mCurrentWindow, "wndMain");
    EXPECT_EQ(nav->SelectedElements(), std::vector<std::string>{row.focus});
  }
}

TEST(FocusNavigator, AMoveRedrawsBothElementsAndShowsTheNewHelpText) {
  auto nav = MakeNavigation();
  nav->texts.mStatusText = "old text";

  EXPECT_EQ(nav->dispatcher.DoAction("wndMain.cmdA", "!.elemMoveE"), "wndMain.cmdB");

  EXPECT_EQ(nav->screen.mCalls,
            (std::vector<std::string>{"RedrawElement wndMain.cmdB", "RedrawElement wndMain.cmdA",
                                      "RedrawElement wndMain.picStatus"}));
  EXPECT_EQ(nav->StateOf("wndMain.cmdA"), Idle);
  EXPECT_EQ(nav->focus.mPrevFocusElement, "wndMain.cmdA");
  EXPECT_EQ(nav->focus.mLastMoveDirection, kDirectionEast);
  // B has no help text: the status line is emptied all the same.
  EXPECT_EQ(nav->texts.mStatusText, "");
}

TEST(FocusNavigator, EntriesThatGiveNoElementKeepTheFocusAndDrawNothing) {
  struct Case {
    const char* name;
    const char* focus;
    const char* action;
    std::vector<std::string> commands;
  };
  const Case cases[] = {
      {"empty west entry", "wndMain.cmdA", "!.elemMoveW", {}},
      {"north entry *.cmdVolUp", "wndMain.cmdA", "!.elemMoveN", {"cmdVolUp"}},
      {"pressed entry *.cmdPlay", "wndMain.cmdA", "!.elemMovePressed", {"cmdPlay"}},
      // Three levels: pressed entry, its north move, the north entry's command.
      {"pressed move onto a command", "wndMain.cmdD", "!.elemMovePressed", {"cmdVolUp"}},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    auto nav = MakeNavigation();
    nav->Focus(row.focus);
    nav->texts.mStatusText = "kept";

    EXPECT_EQ(nav->dispatcher.DoAction(row.focus, row.action), "");

    EXPECT_EQ(nav->commands, row.commands);
    EXPECT_EQ(nav->focus.mFocusElement, row.focus);
    EXPECT_TRUE(nav->screen.mCalls.empty());
    EXPECT_EQ(nav->texts.mStatusText, "kept");
  }
}

TEST(FocusNavigator, OwnPressedEntryEndsAtTheNestingBound) {
  auto nav = MakeNavigation();
  nav->Focus("wndMain.cmdC");
  FakeLog log;

  EXPECT_EQ(nav->dispatcher.DoAction("wndMain.cmdC", "!.elemMovePressed"), "");

  ASSERT_EQ(log.Messages().size(), 1u);
  EXPECT_NE(log.Messages()[0].find("nested"), std::string::npos);
  EXPECT_EQ(nav->focus.mFocusElement, "wndMain.cmdC");
  EXPECT_EQ(nav->SelectedElements(), std::vector<std::string>{"wndMain.cmdC"});
}

TEST(FocusNavigator, PressedEntryThatGoesStraightBackLeavesOneElementSelected) {
  // B's pressed entry is "!.elemMoveW": right after moving east onto B it
  // returns to A, and the pressed step must follow it there.
  auto nav = MakeNavigation();
  Press(*nav, {"!.elemMoveE"});

  EXPECT_EQ(nav->dispatcher.DoAction("wndMain.cmdB", "!.elemMovePressed"), "wndMain.cmdA");

  EXPECT_EQ(nav->focus.mFocusElement, "wndMain.cmdA");
  EXPECT_EQ(nav->SelectedElements(), std::vector<std::string>{"wndMain.cmdA"});
}

TEST(FocusNavigator, ListCursorMovesFasterAsTheAccelerationGrows) {
  struct Case {
    double acceleration;
    double rows;
  };
  // Whole rows come from rounding halves to even: H(0.5) = 0, H(1.5) = 2.
  const Case cases[] = {{0, 1}, {0.2, 1}, {0.5, 1}, {0.6, 2}, {1.5, 3}, {2.5, 3}};
  for (const Case& row : cases) {
    SCOPED_TRACE(::testing::Message() << "acceleration " << row.acceleration);
    auto nav = MakeNavigation();
    nav->Focus("wndMain.lstPlaylist");
    nav->focus.mKeyAcceleration = row.acceleration;

    Press(*nav, {"!.elemMoveN", "!.elemMoveS"});

    EXPECT_EQ(nav->cursorMoves, (std::vector<double>{-row.rows, row.rows}));
    EXPECT_EQ(nav->focus.mFocusElement, "wndMain.lstPlaylist");
  }
  // East and west leave the list along its entries.
  auto nav = MakeNavigation();
  nav->Focus("wndMain.lstPlaylist");
  Press(*nav, {"!.elemMoveE"});
  EXPECT_TRUE(nav->cursorMoves.empty());
  EXPECT_EQ(nav->focus.mFocusElement, "wndMain.cmdB");
}

TEST(FocusNavigator, FullScreenVideoHandsDirectionsToTheRemotePanel) {
  auto nav = MakeNavigation();
  nav->Focus("wndMain.lstPlaylist");
  nav->overlay.mIsVideoFullscreen = true;
  nav->focus.mIsFormMoving = true;

  Press(*nav, {"!.elemMoveN", "!.elemMoveE", "!.elemMoveS", "!.elemMoveW"});

  EXPECT_EQ(nav->screen.mCalls,
            (std::vector<std::string>{"ShowRemotePanel 38", "ShowRemotePanel 39",
                                      "ShowRemotePanel 40", "ShowRemotePanel 37"}));
  EXPECT_TRUE(nav->cursorMoves.empty());
  EXPECT_EQ(nav->window.left, 100);
  EXPECT_EQ(nav->focus.mFocusElement, "wndMain.lstPlaylist");

  // The pressed action leaves full-screen video instead of running the entry.
  Press(*nav, {"!.elemMovePressed"});
  EXPECT_FALSE(nav->overlay.mIsVideoFullscreen);
  EXPECT_EQ(nav->commands, std::vector<std::string>{"cmdFullsize"});
  EXPECT_EQ(nav->focus.mFocusElement, "wndMain.lstPlaylist");
}

TEST(FocusNavigator, WindowMoveModeStepsAFiftiethOfTheMonitor) {
  struct Case {
    const char* name;
    std::vector<std::string> actions;
    int32_t left;
    int32_t top;
  };
  // The window starts at (100, 100) on a 1920 x 1080 monitor: 38.4 and 21.6
  // pixels per step, the fraction kept from step to step.
  const Case cases[] = {
      {"east", {"!.elemMoveE"}, 138, 100},
      {"west", {"!.elemMoveW"}, 62, 100},
      {"north", {"!.elemMoveN"}, 100, 78},
      {"south", {"!.elemMoveS"}, 100, 122},
      {"five east", std::vector<std::string>(5, "!.elemMoveE"), 292, 100},
      {"east then west", {"!.elemMoveE", "!.elemMoveW"}, 100, 100},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    auto nav = MakeNavigation();
    nav->focus.mIsFormMoving = true;
    nav->settings.gFormLastLeft = 100;
    nav->settings.gFormLastTop = 100;

    Press(*nav, row.actions);

    EXPECT_EQ(nav->window.left, row.left);
    EXPECT_EQ(nav->window.top, row.top);
    EXPECT_EQ(nav->settings.gFormLastLeft, row.left);
    EXPECT_EQ(nav->settings.gFormLastTop, row.top);
    EXPECT_EQ(nav->focus.mFocusElement, "wndMain.cmdA");
  }
}

TEST(FocusNavigator, WindowMovedByOtherMeansStepsFromWhereItIs) {
  auto nav = MakeNavigation();
  nav->focus.mIsFormMoving = true;
  nav->monitor = MonitorRect{1920, 0, 3840, 1200};
  Press(*nav, {"!.elemMoveE"});
  EXPECT_EQ(nav->window.left, 138);

  nav->window.left = 500;  // dragged with the mouse
  Press(*nav, {"!.elemMoveE", "!.elemMoveS"});
  EXPECT_EQ(nav->window.left, 538);
  EXPECT_EQ(nav->window.top, 124);
}

TEST(FocusNavigator, DirectionsDoNothingWhileTheWindowIsResized) {
  auto nav = MakeNavigation();
  nav->focus.mIsFormResizing = true;
  Press(*nav, {"!.elemMoveN", "!.elemMoveE", "!.elemMoveS", "!.elemMoveW"});
  EXPECT_TRUE(nav->commands.empty());
  EXPECT_EQ(nav->focus.mFocusElement, "wndMain.cmdA");
  EXPECT_EQ(nav->SelectedElements(), std::vector<std::string>{"wndMain.cmdA"});
}

}  // namespace
