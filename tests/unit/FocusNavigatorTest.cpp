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
  const struct {
    const char* name;
    std::vector<std::string> actions;
    const char* focus;
  } cases[] = {
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
      // Element names are exact; commands move nothing.
      {"a name in other letter case", {"wndMain.CMDB"}, "wndMain.cmdA"},
      {"a command", {"*.CMDPLAY"}, "wndMain.cmdA"},
      {"pressed entry that moves",
       {"!.elemMoveE", "!.elemMoveE", "!.elemMovePressed"},
       "wndMain.cmdD"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    auto nav = MakeNavigation();
    Press(*nav, row.actions);
    EXPECT_EQ(nav->focus.mFocusElement, row.focus);
    EXPECT_EQ(nav->focus.mCurrentWindow, "wndMain");
    EXPECT_EQ(nav->SelectedElements(), std::vector<std::string>{row.focus});
  }
}

TEST(FocusNavigator, WindowMoveModeStepsAFiftiethOfTheMonitor) {
  // The window starts at (100, 100) on a 1920 x 1080 monitor: 38.4 and 21.6
  // pixels per step, the fraction kept from step to step.
  const struct {
    const char* name;
    std::vector<std::string> actions;
    int32_t left;
    int32_t top;
  } cases[] = {
      {"east", {"!.elemMoveE"}, 138, 100},
      {"north", {"!.elemMoveN"}, 100, 78},
      {"five east", std::vector<std::string>(5, "!.elemMoveE"), 292, 100},
      {"east then west", {"!.elemMoveE", "!.elemMoveW"}, 100, 100},
  };
  for (const auto& row : cases) {
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

}  // namespace
