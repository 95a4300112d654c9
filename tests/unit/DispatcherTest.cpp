// The program's wiring of every command of the table, and the dispatcher's
// bound on nested actions.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/LoginManager.h"
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
#include "support/QuietServices.h"
#include "support/TempFolder.h"

namespace {

// A login manager that lets this user power off and notes what was asked.
class YesLoginManager final : public LoginManager {
 public:
  std::string ComputerName() override { return "test"; }
  int Connect() override { return 0; }
  int CanPowerOff(bool, std::string& answer) override {
    answer = "yes";
    return 0;
  }
  int PowerOff(bool reboot, bool) override {
    asked += reboot ? "reboot " : "power off ";
    return 0;
  }
  int ScheduleShutdown(bool, uint32_t) override {
    asked += "scheduled ";
    return 0;
  }
  std::string asked;
};

// The program's own wiring: every command of the table reaches an operation,
// and the wiring names no command the table lacks. The shutdown command among
// them powers the computer off once the program has closed.
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
  YesLoginManager loginManager;
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
  EXPECT_EQ(loginManager.asked, "");
  form.ShutDownComputerIfAsked();
  EXPECT_EQ(loginManager.asked, "power off ");
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
