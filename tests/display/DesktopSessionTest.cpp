// The program on the desktop: the screen-saver hold, the fatal start with an
// unknown skin, and quitting by a bound key.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/ProgramUnderTest.h"
#include "support/TempFolder.h"

// X11 last: its macros would clash with the test framework's names.
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace {

// The X screen saver's state: ScreenSaverOff, ScreenSaverOn or ScreenSaverDisabled.
int ScreenSaverState() {
  std::unique_ptr<Display, int (*)(Display*)> display(XOpenDisplay(nullptr), XCloseDisplay);
  if (!display) return -1;
  XScreenSaverInfo* info = XScreenSaverAllocInfo();
  XScreenSaverQueryInfo(display.get(), DefaultRootWindow(display.get()), info);
  const int state = info->state;
  XFree(info);
  return state;
}

TEST(DesktopSessionTest, TheScreenSaverIsHeldOffWhileTavizoRunsAndComesBackAfter) {
  ASSERT_EQ(std::system("xset s 2 0 2>/dev/null"), 0) << "xset is needed";
  TempFolder folder;
  ProgramUnderTest program(folder.Path());
  ASSERT_TRUE(program.Start());
  ASSERT_NE(program.WaitForWindow(10000), 0u) << program.Log();
  EXPECT_TRUE(program.WaitForLog("screen saver and monitor power saving are held off", 5000));
  SleepMs(3000);
  EXPECT_NE(ScreenSaverState(), ScreenSaverOn);
  ASSERT_TRUE(program.RequestClose());
  EXPECT_EQ(program.WaitForExit(10000), 0) << program.Log();
  SleepMs(3000);
  EXPECT_EQ(ScreenSaverState(), ScreenSaverOn);
  std::system("xset s reset 2>/dev/null; xset s off 2>/dev/null");
}

TEST(DesktopSessionTest, AnUnknownSkinEndsStartUpWithTheFatalMessageAndStillSavesSettings) {
  TempFolder folder;
  ProgramUnderTest program(folder.Path());
  folder.Write("Tavizo.ini", "\"gSkinFilename\",\"nosuch\"\r\n\"gOSDTime\",2000\r\n");
  ASSERT_TRUE(program.Start());
  ASSERT_TRUE(program.WaitForLog("skin " + folder.Path() + "/skins/nosuch.tvs not found", 10000))
      << program.Log();
  // The message box is up (its own window) and the splash still shows behind it.
  ProgramUnderTest::WindowInfo box;
  for (int attempt = 0; attempt < 100 && box.id == 0; ++attempt) {
    for (const ProgramUnderTest::WindowInfo& window : ProgramUnderTest::WindowsOf(0)) {
      // The message box names no process and may carry its title only as UTF-8.
      if (window.width != 250 || window.height != 250) box = window;
    }
    if (box.id == 0) SleepMs(100);
  }
  std::string seen;
  for (const ProgramUnderTest::WindowInfo& window : ProgramUnderTest::WindowsOf(0)) {
    seen += window.title + " " + std::to_string(window.width) + "x" +
            std::to_string(window.height) + "; ";
  }
  ASSERT_NE(box.id, 0u) << "no message box among: " << seen;
  bool splashShown = false;
  for (const ProgramUnderTest::WindowInfo& window : program.Windows()) {
    splashShown = splashShown || (window.width == 250 && window.height == 250);
  }
  EXPECT_TRUE(splashShown);
  TakeScreenshot(folder.File("fatal.png"));
  // Dismiss it with Enter, as a user would.
  RunCommand("xdotool mousemove " + std::to_string(box.x + box.width / 2) + " " +
             std::to_string(box.y + box.height / 2) + " key --window " + std::to_string(box.id) +
             " Return 2>/dev/null");
  const int status = program.WaitForExit(10000);
  if (status < 0) {
    // Some message boxes only take a click on their button.
    RunCommand("xdotool click 1");
  }
  EXPECT_EQ(status, 0) << program.Log();
  const std::string settings = folder.Read("Tavizo.ini");
  EXPECT_NE(settings.find("\"gSkinFilename\",\"nosuch\""), std::string::npos) << settings;
  EXPECT_NE(settings.find("\"gOSDTime\",2000"), std::string::npos);
  EXPECT_NE(settings.find("\"gForceVideoForeground\",0"), std::string::npos);
}

TEST(DesktopSessionTest, AKeyBoundToQuitEndsThroughTheSameShutdownAsClosing) {
  TempFolder folder;
  ProgramUnderTest program(folder.Path());
  folder.Write("Tavizo.keys", "\"key.81.0\",\"*.cmdQuitTavizo\"\r\n");
  folder.Write("Tavizo.ini", "\"gOSDTime\",4000\r\n");
  ASSERT_TRUE(program.Start());
  const unsigned long window = program.WaitForWindow(10000);
  ASSERT_NE(window, 0u) << program.Log();
  SleepMs(300);
  RunCommand("xdotool windowfocus --sync " + std::to_string(window) + " key q 2>/dev/null");
  EXPECT_EQ(program.WaitForExit(10000), 0) << program.Log();
  EXPECT_NE(program.Log().find("key.81.0"), std::string::npos);
  EXPECT_NE(folder.Read("Tavizo.ini").find("\"gOSDTime\",4000"), std::string::npos);
  EXPECT_NE(folder.Read("Tavizo.keys").find("\"key.38.0\",\"!.elemMoveN\""), std::string::npos);
}

}  // namespace
