// The program on the desktop: the screen-saver hold, the fatal start with an
// unknown skin, and quitting by a bound key.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "support/PlaybackDriver.h"
#include "support/ProgramUnderTest.h"
#include "support/ScreenImage.h"
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

// The program's windows on screen from bottom to top, and the one that is no
// splash: the fatal message once it shows.
ProgramUnderTest::WindowInfo WaitForMessageBox(ProgramUnderTest& program,
                                               std::vector<ProgramUnderTest::WindowInfo>& stack) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    stack = program.Windows();
    for (const ProgramUnderTest::WindowInfo& window : stack) {
      if (window.width != 250 || window.height != 250) return window;
    }
    SleepMs(100);
  }
  return {};
}

bool IsButtonFrame(uint32_t pixel) {
  return Blue(pixel) > 180 && Red(pixel) < 60 && Green(pixel) > 80 && Green(pixel) < 160;
}

// Black text, its smoothed edges included, on the light grounds of the box.
bool IsText(uint32_t pixel) {
  return Red(pixel) < 100 && Green(pixel) < 100 && Blue(pixel) < 100;
}

template <typename Predicate>
int PixelCount(const ScreenImage& image, const ScreenRect& part, Predicate matches) {
  return static_cast<int>(image.Share(part, matches) * part.width * part.height + 0.5);
}

// The bounds of the pixels of the picture that match.
template <typename Predicate>
ScreenRect BoundsOf(const ScreenImage& image, Predicate matches) {
  const ScreenRect& all = image.Rect();
  int left = all.x + all.width, top = all.y + all.height, right = all.x - 1, bottom = all.y - 1;
  for (int y = all.y; y < all.y + all.height; ++y) {
    for (int x = all.x; x < all.x + all.width; ++x) {
      if (!matches(image.Pixel(x, y))) continue;
      left = std::min(left, x);
      top = std::min(top, y);
      right = std::max(right, x);
      bottom = std::max(bottom, y);
    }
  }
  return right < left ? ScreenRect{} : ScreenRect{left, top, right - left + 1, bottom - top + 1};
}

// The fatal message is the program's own window, drawn with its own fonts:
// scripts/test.sh runs this with no zenity on PATH and an X server that has
// only its built-in fonts, where no borrowed message box can show.
TEST(DesktopSessionTest, AnUnknownSkinEndsStartUpWithTheFatalMessageAndStillSavesSettings) {
  const char* const dismissals[] = {"key Return", "key Escape", "key space", "click on OK"};
  for (const std::string dismissal : dismissals) {
    SCOPED_TRACE(dismissal);
    TempFolder folder;
    ProgramUnderTest program(folder.Path());
    folder.Write("Tavizo.ini", "\"gSkinFilename\",\"nosuch\"\r\n\"gOSDTime\",2000\r\n");
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.WaitForLog("skin " + folder.Path() + "/skins/nosuch.tvs not found", 10000))
        << program.Log();

    // The message over the splash, both centred on the (only) monitor.
    std::vector<ProgramUnderTest::WindowInfo> stack;
    const ProgramUnderTest::WindowInfo box = WaitForMessageBox(program, stack);
    ASSERT_NE(box.id, 0u) << program.Log();
    ASSERT_EQ(stack.size(), 2u);
    EXPECT_EQ(stack.front().width, 250);  // the splash, below the message
    EXPECT_EQ(stack.back().id, box.id);
    EXPECT_EQ(box.title, "Tavizo");
    EXPECT_EQ(box.netWmName, "Tavizo");
    EXPECT_TRUE(box.width >= 250 && box.width <= 500 && box.height >= 90 && box.height <= 200)
        << box.width << "x" << box.height;
    EXPECT_LE(std::abs(box.x + box.width / 2 - 960), 1);
    EXPECT_LE(std::abs(box.y + box.height / 2 - 540), 1);

    // On screen: the red icon at the left, dark text right of it, the OK
    // button in its frame below.
    SleepMs(200);
    const ScreenImage shown = ScreenImage::Capture({box.x, box.y, box.width, box.height});
    const ScreenRect icon = BoundsOf(shown, IsReddish);
    EXPECT_TRUE(icon.width >= 28 && icon.width <= 34 && icon.height >= 28 && icon.height <= 34)
        << icon.width << "x" << icon.height;
    EXPECT_LT(icon.x - box.x, box.width / 4);
    const ScreenRect button = BoundsOf(shown, IsButtonFrame);
    ASSERT_GT(button.width, 40);
    const ScreenRect text = {icon.x + icon.width, box.y, box.x + box.width - icon.x - icon.width,
                             button.y - box.y};
    // Two lines of some 15 letters each leave a few hundred dark pixels, "OK" a few dozen.
    EXPECT_GT(PixelCount(shown, text, IsText), 200);
    EXPECT_GT(PixelCount(shown, button.Inset(3), IsText), 20);

    if (dismissal == "click on OK") {
      RunCommand("xdotool mousemove " + std::to_string(button.x + button.width / 2) + " " +
                 std::to_string(button.y + button.height / 2) + " click 1 2>/dev/null");
    } else {
      // The message has the keyboard as soon as it shows.
      RunCommand("xdotool " + dismissal + " 2>/dev/null");
    }
    EXPECT_EQ(program.WaitForExit(10000), 0) << program.Log();
    const std::string settings = folder.Read("Tavizo.ini");
    EXPECT_NE(settings.find("\"gSkinFilename\",\"nosuch\""), std::string::npos) << settings;
    EXPECT_NE(settings.find("\"gOSDTime\",2000"), std::string::npos);
    EXPECT_NE(settings.find("\"gForceVideoForeground\",0"), std::string::npos);
  }
}

// The caption of a film with letters beyond ASCII, also where no locale is
// set: desktops that read WM_NAME and those that read _NET_WM_NAME both get it
// right.
TEST(DesktopSessionTest, TheCaptionShowsANonAsciiTitleAlsoInTheCLocale) {
  const std::string name = "Grüße aus Köln – 東京.ogg";
  const char* previous = std::getenv("LC_ALL");
  const std::string saved = previous ? previous : "";
  setenv("LC_ALL", "C", 1);
  PlaybackDriver driver({{"song.ogg", name}});
  const bool started = driver.Start();
  previous ? setenv("LC_ALL", saved.c_str(), 1) : unsetenv("LC_ALL");
  ASSERT_TRUE(started) << driver.Program().Log();

  ASSERT_TRUE(driver.PlayFile(1)) << driver.Program().Log();
  EXPECT_TRUE(driver.WaitForCaption("Tavizo: " + name, 8000)) << driver.Caption();
  for (const ProgramUnderTest::WindowInfo& window : driver.Program().Windows()) {
    if (window.id == driver.Program().Window()) {
      EXPECT_EQ(window.netWmName, "Tavizo: " + name);
    }
  }
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
