// The action dispatcher: commands of the table, window switches and what is
// ignored, with their letter-case rules, and the bound on nesting; and the
// program's wiring of every command.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/ErrorMessageBox.h"
#include "base/EventPump.h"
#include "base/LoginManager.h"
#include "base/ScreenSaverHold.h"
#include "base/SplashWindow.h"
#include "base/TimerTable.h"
#include "platform/SdlPictureLoader.h"
#include "program/frmMain.h"
#include "support/FakeClock.h"
#include "support/FakeCursor.h"
#include "support/FakeFontEngine.h"
#include "support/FakeLog.h"
#include "support/FakeMainWindow.h"
#include "support/FakeMediaEngine.h"
#include "support/FakeNavigation.h"
#include "support/FakePresenter.h"
#include "support/TempFolder.h"

namespace {

class NoPump final : public EventPump {
 public:
  void PumpPendingEvents() override {}
  void RequestQuit() override {}
};

class NoMessageBox final : public ErrorMessageBox {
 public:
  void ShowError(const std::string&, const std::string&) override {}
};

class NoLoginManager final : public LoginManager {
 public:
  std::string ComputerName() override { return "test"; }
  int Connect() override { return -1; }
  int CanPowerOff(bool, std::string&) override { return -1; }
  int PowerOff(bool, bool) override { return -1; }
  int ScheduleShutdown(bool, uint32_t) override { return -1; }
};

class NoScreenSaver final : public ScreenSaverHold {
 public:
  bool Hold() override { return true; }
  void Release() override {}
};

class NoSplash final : public SplashWindow {
 public:
  bool Open(int32_t, int32_t) override { return true; }
  void Present(const BackBuffer&) override {}
  void Close() override {}
};

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

// The program's own wiring: every command of the table reaches an operation,
// and the wiring names no command the table lacks.
TEST(ProgramWiring, EveryCommandOfTheTableReachesAnOperation) {
  TempFolder media;
  FakeClock clock;
  TimerTable timers(clock);
  FakeMainWindow window;
  window.geometry = PixelRect{0, 0, 800, 600};
  window.monitors = {PixelRect{0, 0, 800, 600}};
  FakePresenter presenter;
  NoPump pump;
  NoMessageBox messageBox;
  NoLoginManager loginManager;
  NoScreenSaver screenSaver;
  NoSplash splash;
  FakeCursor cursor;
  FakeFontEngine fonts;
  SdlPictureLoader pictures;
  FakeMediaEngine engine;
  ProgramPaths paths;
  paths.configFolderReady = false;  // nothing is read or saved
  paths.skinFolders = {std::string(TAVIZO_SOURCE_DIR) + "/skins"};
  paths.playlistFolder = media.Path() + "/";
  FakeLog log;
  frmMain form(FrmMainServices{window, pump, messageBox, clock, timers, paths, presenter, fonts,
                               pictures, engine, cursor, screenSaver, loginManager, splash,
                               nullptr});
  ASSERT_TRUE(form.Load());

  for (std::string_view name : kCommandNames) {
    SCOPED_TRACE(std::string(name));
    form.Actions().DoAction(form.Focus().mFocusElement, "*." + std::string(name));
  }
  for (const std::string& message : log.Messages()) {
    EXPECT_EQ(message.find("no operation is wired"), std::string::npos) << message;
    EXPECT_EQ(message.find("is not a command"), std::string::npos) << message;
  }
  form.Unload();
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
  UiTexts texts;
  StatusLine status(texts, focus, screen);
  FocusOwner focusOwner(focus, skin, screen, status);
  Dispatcher dispatcher(skin, focus, focusOwner, settings, {});
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
  UiTexts texts;
  StatusLine status(texts, focus, screen);
  FocusOwner focusOwner(focus, skin, screen, status);
  int levels = 0;
  Dispatcher* self = nullptr;
  Dispatcher dispatcher(skin, focus, focusOwner, settings,
                        [&](const std::string& source, const std::string&) {
                          ++levels;
                          return self->DoAction(source, "!.elemMovePressed");
                        });
  self = &dispatcher;
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
