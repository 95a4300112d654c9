// Real keys and the mouse on the real program under Xvfb, with the default skin:
// the start window shows four tiles in a row (Videos & Music, Options, Quit,
// Shut down), the first one focused.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/PlaybackDriver.h"
#include "support/ProgramUnderTest.h"
#include "support/ScreenImage.h"
#include "support/TempFolder.h"

namespace {

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The pointer starts away from the window, so that moving it onto an
    // element is a movement. (Waiting for the movement would wait in vain when
    // it is there already.)
    Xdotool("mousemove 1919 1079");
    program = std::make_unique<ProgramUnderTest>(folder.Path());
    ASSERT_TRUE(program->Start());
    window = program->WaitForWindow(10000);
    ASSERT_NE(window, 0u) << program->Log();
    // The first repaint is on the screen once the start tile shows focused.
    SleepMs(500);
    Xdotool("windowfocus --sync " + std::to_string(window));
  }

  // A failed case leaves its screenshot in the working folder, since the
  // program's folder goes with the test.
  void TearDown() override {
    if (!HasFailure()) return;
    const std::string name = std::string("InputTest-") +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                             ".png";
    TakeScreenshot(name);
    std::printf("log:\n%s\nscreenshot: %s\n", program->Log().c_str(), name.c_str());
  }

  static void Xdotool(const std::string& arguments) {
    RunCommand("xdotool " + arguments + " 2>&1");
  }

  void Keys(const std::string& keys) {
    Xdotool("windowfocus --sync " + std::to_string(window) + " key --delay 80 " + keys);
  }

  // Closes the program the way the desktop does; it writes its files then.
  void Close() {
    EXPECT_TRUE(program->RequestClose());
    EXPECT_EQ(program->WaitForExit(10000), 0);
  }

  TempFolder folder;
  std::unique_ptr<ProgramUnderTest> program;
  unsigned long window = 0;
};

TEST_F(InputTest, AltEnterThenAKeyTeachesThatKeyTheFocusedElementsAction) {
  Keys("alt+Return");
  ASSERT_TRUE(program->WaitForLog("key.13.4", 3000));
  Keys("F5");
  ASSERT_TRUE(program->WaitForLog("key.116.0 now triggers wndVidMain.lstPlaylist", 3000));
  Close();
  EXPECT_NE(folder.Read("Tavizo.keys").find("\"key.116.0\",\"wndVidMain.lstPlaylist\""),
            std::string::npos);
}

TEST_F(InputTest, TheMuteKeyAndTheKeypadWithoutNumLockHaveTheirNumbers) {
  Keys("XF86AudioMute KP_Up KP_Equal");
  EXPECT_TRUE(program->WaitForLog("key.173.0", 3000));
  EXPECT_TRUE(program->WaitForLog("key.38.0", 1000));
  EXPECT_TRUE(program->WaitForLog("key.146.0", 1000));
}

// The cases below need the pointer wired into the main window.

// While a medium plays, the pointer resting over the window hides after three
// seconds, and a movement shows it again at once. The window follows the
// pointer by its motion events.
TEST(PointerWhilePlayingTest, ThePointerRestingOverThePlayerHidesAndAMoveShowsIt) {
  PlaybackDriver driver({{"song.ogg", "song.ogg"}}, "\"gPlayMode\",3\r\n");
  ASSERT_TRUE(driver.Start()) << driver.Program().Log();
  const ScreenRect client = driver.ClientRect();
  RunCommand("xdotool mousemove --sync 1919 1079 mousemove --sync " +
             std::to_string(client.CentreX()) + " " + std::to_string(client.CentreY()));
  const size_t playing = driver.LogMark();
  ASSERT_TRUE(driver.PlayFile(1)) << driver.Program().Log();
  // The open hides the pointer while it waits, and shows it again.
  ASSERT_TRUE(driver.WaitForLogSince(playing, "showmouse", 5000)) << driver.LogSince(playing);

  const size_t resting = driver.LogMark();
  EXPECT_TRUE(driver.WaitForLogSince(resting, "hidemouse", 6000)) << driver.LogSince(playing);
  const size_t moved = driver.LogMark();
  RunCommand("xdotool mousemove_relative --sync 5 5");
  EXPECT_TRUE(driver.WaitForLogSince(moved, "showmouse", 3000)) << driver.LogSince(playing);
}

}  // namespace
