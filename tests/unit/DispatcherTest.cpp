// The action dispatcher: commands of the table, window switches and what is
// ignored, with their letter-case rules, and the bound on nesting.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/FakeLog.h"
#include "support/FakeNavigation.h"

namespace {

class DispatcherTest : public ::testing::Test {
 protected:
  DispatcherTest() {
    nav.Add("wndMain.cmdPlay", ";;;;*.cmdPlay", "Play");
    nav.Add("wndMain.lstPlaylist");
    nav.Add("wndInfo.configInput");
    nav.Add("wndRemote.cmdStartButton");
    nav.Add("wndOptionsMain.cmdOk");
    nav.Focus("wndMain.cmdPlay");
  }

  FakeNavigation nav;
};

struct ActionCase {
  const char* source;
  const char* action;
  std::vector<std::string> commands;  // commands expected to run
  const char* window;                 // current window afterwards
  const char* focus;                  // focus afterwards
};

TEST_F(DispatcherTest, CommandsSwitchesAndIgnoredActions) {
  const ActionCase cases[] = {
      {"wndMain.cmdPlay", "*.cmdPlay", {"cmdPlay"}, "wndMain", "wndMain.cmdPlay"},
      {"wndMain.cmdPlay", "*.CMDPLAY", {"cmdPlay"}, "wndMain", "wndMain.cmdPlay"},
      {"wndMain.cmdPlay", "*.lstPlaylist", {"lstPlaylist"}, "wndMain", "wndMain.cmdPlay"},
      // The full name of an element of the current window is no command.
      {"wndMain.cmdPlay", "wndMain.cmdPlay", {}, "wndMain", "wndMain.cmdPlay"},
      {"wndMain.cmdPlay", "WNDMAIN.cmdPlay", {}, "wndMain", "wndMain.cmdPlay"},
      {"wndMain.cmdPlay", "*.wndMain.cmdPlay", {}, "wndMain", "wndMain.cmdPlay"},
      {"wndMain.cmdPlay", "*.cmdUnknown", {}, "wndMain", "wndMain.cmdPlay"},
      {"wndMain.cmdPlay", "*.", {}, "wndMain", "wndMain.cmdPlay"},
      {"wndMain.cmdPlay", "cmdPlay", {}, "wndMain", "wndMain.cmdPlay"},
      {"wndMain.cmdPlay", "", {}, "wndMain", "wndMain.cmdPlay"},
      {"", "*.cmdPlay", {}, "wndMain", "wndMain.cmdPlay"},
      // The remote panel never becomes the current window.
      {"wndMain.cmdPlay", "wndRemote.cmdStartButton", {}, "wndMain", "wndMain.cmdPlay"},
      {"wndMain.cmdPlay", "WNDREMOTE.cmdStartButton", {}, "wndMain", "wndMain.cmdPlay"},
      // The window test ignores case, the element look-up does not.
      {"wndMain.cmdPlay", "wndinfo.configInput", {}, "wndMain", "wndMain.cmdPlay"},
      {"wndMain.cmdPlay", "wndInfo.configinput", {}, "wndMain", "wndMain.cmdPlay"},
      {"wndMain.cmdPlay", "wndOptionsMain.cmdMissing", {}, "wndMain", "wndMain.cmdPlay"},
      {"wndMain.cmdPlay", "wndInfo.configInput", {}, "wndInfo", "wndInfo.configInput"},
      {"wndMain.lstPlaylist", "wndOptionsMain.cmdOk", {}, "wndOptionsMain", "wndOptionsMain.cmdOk"},
  };
  for (const ActionCase& row : cases) {
    SCOPED_TRACE(std::string(row.source) + " -> " + row.action);
    nav.Focus("wndMain.cmdPlay");
    nav.focus.mLastMoveDirection = kDirectionEast;
    nav.commands.clear();
    nav.screen.Clear();

    EXPECT_EQ(nav.dispatcher.DoAction(row.source, row.action), "");

    EXPECT_EQ(nav.commands, row.commands);
    EXPECT_EQ(nav.focus.mCurrentWindow, row.window);
    EXPECT_EQ(nav.focus.mFocusElement, row.focus);
    const bool switched = std::string(row.window) != "wndMain";
    EXPECT_EQ(nav.screen.mCalls,
              switched ? std::vector<std::string>{"RepaintWindow"} : std::vector<std::string>{});
    if (switched) {
      EXPECT_EQ(nav.focus.mPrevFocusElement, row.source);
      EXPECT_EQ(nav.focus.mLastMoveDirection, kDirectionNone);
      EXPECT_EQ(nav.SelectedElements(), std::vector<std::string>{row.focus});
      nav.skin.ElementNamed(row.focus).State = Idle;
    } else {
      EXPECT_EQ(nav.focus.mLastMoveDirection, kDirectionEast);
    }
  }
}

TEST_F(DispatcherTest, SwitchOnBehalfOfTheFocusRemembersTheElementLeft) {
  // Inputs pass the focus field itself as the source, which the switch changes.
  nav.dispatcher.DoAction(nav.focus.mFocusElement, "wndInfo.configInput");
  EXPECT_EQ(nav.focus.mFocusElement, "wndInfo.configInput");
  EXPECT_EQ(nav.focus.mPrevFocusElement, "wndMain.cmdPlay");
}

TEST_F(DispatcherTest, EveryCommandNameReachesItsOwnOperation) {
  // The names skins and key files use; a misspelt entry in the table would
  // leave a command unreachable.
  const char* names[] = {
      "cmdFormMinMax",     "cmdFormHide",
      "cmdPlaylistBack",   "lstPlaylist",
      "cmdStop",           "cmdPause",
      "cmdPlay",           "cmdForward",
      "cmdRewind",         "cmdNext",
      "cmdPrevious",       "cmdARMode",
      "cmdPlayMode",       "cmdMute",
      "cmdVolUp",          "cmdVolDown",
      "cmdChangeOutputAR", "cmdChangeAlwaysOnTop",
      "cmdChangeOSDTime",  "cmdForceVideoForeground",
      "cmdQuitTavizo",     "cmdShutdownComputer",
      "cmdForceEnd",
  };
  for (const char* name : names) {
    SCOPED_TRACE(name);
    nav.commands.clear();
    nav.dispatcher.DoAction("wndMain.cmdPlay", std::string("*.") + name);
    EXPECT_EQ(nav.commands, std::vector<std::string>{name});
  }
  nav.commands.clear();
  nav.dispatcher.DoAction("wndMain.cmdPlay", "*.cmdFullsize");
  EXPECT_TRUE(nav.overlay.mIsVideoFullscreen);
  nav.dispatcher.DoAction("wndMain.cmdPlay", "*.cmdSetActionKey");
  EXPECT_EQ(nav.bindings.ConfigTarget(), "!.elemMovePressed");
  nav.dispatcher.DoAction("wndMain.cmdPlay", "*.cmdSetConfigInputKey");
  EXPECT_EQ(nav.bindings.ConfigTarget(), "!.elemConfigInput");
  nav.dispatcher.DoAction("wndMain.cmdPlay", "*.cmdSetCursorKeys");
  EXPECT_EQ(nav.bindings.ConfigTarget(), "!.elemMoveN");
}

TEST_F(DispatcherTest, FormMoveTogglesOnlyInWindowedMode) {
  struct Case {
    int32_t fullScreen;
    int presses;
    bool moving;
  };
  const Case cases[] = {{0, 1, true}, {0, 2, false}, {1, 1, false}, {1, 2, false}};
  for (const Case& row : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "full screen " << row.fullScreen << ", presses " << row.presses);
    nav.focus.mIsFormMoving = false;
    nav.settings.gIsFormFullScreen = row.fullScreen;
    for (int i = 0; i < row.presses; ++i)
      nav.dispatcher.DoAction("wndMain.cmdPlay", "*.cmdFormMove");
    EXPECT_EQ(nav.focus.mIsFormMoving, row.moving);
  }
}

TEST(DispatcherWiring, CommandsOutsideTheTableAreRefusedAndUnwiredOnesLogged) {
  SkinModel skin;
  FocusState focus;
  focus.mCurrentWindow = "wndMain";
  Settings settings;
  FakeScreen screen;
  Dispatcher dispatcher(skin, focus, settings, screen);
  FakeLog log;

  bool ran = false;
  EXPECT_FALSE(dispatcher.RegisterCommand("cmdDance", [&] { ran = true; }));
  dispatcher.DoAction("wndMain.x", "*.cmdDance");
  EXPECT_FALSE(ran);
  ASSERT_EQ(log.Messages().size(), 1u);
  EXPECT_NE(log.Messages()[0].find("cmdDance"), std::string::npos);

  log.Clear();
  dispatcher.DoAction("wndMain.x", "*.cmdPlay");
  EXPECT_EQ(log.Messages(),
            std::vector<std::string>{"DoAction: no operation is wired to *.cmdPlay"});

  EXPECT_TRUE(dispatcher.RegisterCommand("CMDPLAY", [&] { ran = true; }));
  dispatcher.DoAction("wndMain.x", "*.cmdplay");
  EXPECT_TRUE(ran);
}

TEST(DispatcherNesting, CallsDeeperThanEightLevelsAreIgnoredWithOneLogLine) {
  SkinModel skin;
  FocusState focus;
  Settings settings;
  FakeScreen screen;
  Dispatcher dispatcher(skin, focus, settings, screen);
  int levels = 0;
  dispatcher.SetNavigationStep([&](const std::string& source, const std::string&) {
    ++levels;
    return dispatcher.DoAction(source, "!.elemMovePressed");
  });
  FakeLog log;

  EXPECT_EQ(dispatcher.DoAction("wndMain.cmdPlay", "!.elemMovePressed"), "");

  EXPECT_EQ(levels, Dispatcher::kMaxNesting);
  ASSERT_EQ(log.Messages().size(), 1u);
  EXPECT_NE(log.Messages()[0].find("!.elemMovePressed"), std::string::npos);

  // The bound counts open calls only: the next input starts at the top again.
  levels = 0;
  dispatcher.DoAction("wndMain.cmdPlay", "!.elemMovePressed");
  EXPECT_EQ(levels, Dispatcher::kMaxNesting);
}

}  // namespace
