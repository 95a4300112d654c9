// Real keys and mouse on the real program under Xvfb, with the default skin:
// the start window shows four tiles in a row (Videos & Music, Options, Quit,
// Shut down), the first one focused.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/PlaybackDriver.h"
#include "support/ProgramUnderTest.h"
#include "support/TempFolder.h"

// X11 last: its macros would clash with the test framework's names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// The tiles of the default skin's start window, in percent of the window.
struct PercentRect {
  double left, top, width, height;
};
constexpr PercentRect kLibraryTile{5.75, 33, 20.25, 36};
constexpr PercentRect kOptionsTile{28.5, 33, 20.25, 36};
constexpr PercentRect kQuitTile{51.25, 33, 20.25, 36};
constexpr PercentRect kStatusLine{1.75, 90, 92, 7.5};
constexpr PercentRect kResizeHandle{94.5, 92.5, 3.75, 5};

// The pixels of a screen rectangle, row by row.
std::vector<uint32_t> GrabScreen(const ScreenRect& rect) {
  std::vector<uint32_t> pixels;
  std::unique_ptr<Display, int (*)(Display*)> display(XOpenDisplay(nullptr), XCloseDisplay);
  if (!display) return pixels;
  XImage* image = XGetImage(display.get(), DefaultRootWindow(display.get()), rect.x, rect.y,
                            static_cast<unsigned>(rect.width), static_cast<unsigned>(rect.height),
                            AllPlanes, ZPixmap);
  if (!image) return pixels;
  for (int y = 0; y < rect.height; ++y) {
    for (int x = 0; x < rect.width; ++x) {
      pixels.push_back(static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFFu);
    }
  }
  XDestroyImage(image);
  return pixels;
}

int CountDifferent(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  if (a.size() != b.size()) return -1;
  int different = 0;
  for (size_t i = 0; i < a.size(); ++i) different += a[i] != b[i] ? 1 : 0;
  return different;
}

// Waits until at least a hundredth of the rectangle's pixels differ from
// before; the number of differing pixels then (or at the timeout).
int WaitForChange(const ScreenRect& rect, const std::vector<uint32_t>& before, int timeoutMs) {
  int different = 0;
  for (int waited = 0; waited <= timeoutMs; waited += 50) {
    different = CountDifferent(GrabScreen(rect), before);
    if (different * 100 >= rect.width * rect.height) break;
    SleepMs(50);
  }
  return different;
}

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
    for (const ProgramUnderTest::WindowInfo& info : program->Windows()) {
      if (info.id == window) area = ScreenRect{info.x, info.y, info.width, info.height};
    }
    ASSERT_GT(area.width, 0);
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

  // A rectangle of the skin in screen pixels, a few pixels inside its edges.
  ScreenRect On(const PercentRect& rect) const {
    const int x = area.x + static_cast<int>(area.width * rect.left / 100) + 4;
    const int y = area.y + static_cast<int>(area.height * rect.top / 100) + 4;
    return ScreenRect{x, y, static_cast<int>(area.width * rect.width / 100) - 8,
                      static_cast<int>(area.height * rect.height / 100) - 8};
  }

  static void Xdotool(const std::string& arguments) {
    RunCommand("xdotool " + arguments + " 2>&1");
  }

  void Keys(const std::string& keys) {
    Xdotool("windowfocus --sync " + std::to_string(window) + " key --delay 80 " + keys);
  }

  void ClickAt(int x, int y, const std::string& modifier = "") {
    std::string command = "mousemove --sync " + std::to_string(x) + " " + std::to_string(y);
    if (!modifier.empty()) command += " keydown " + modifier;
    command += " click 1";
    if (!modifier.empty()) command += " keyup " + modifier;
    Xdotool(command);
  }

  // Closes the program the way the desktop does; it writes its files then.
  void Close() {
    EXPECT_TRUE(program->RequestClose());
    EXPECT_EQ(program->WaitForExit(10000), 0);
  }

  TempFolder folder;
  std::unique_ptr<ProgramUnderTest> program;
  unsigned long window = 0;
  ScreenRect area{};
};

TEST_F(InputTest, RightArrowMovesTheFocusToTheNextTile) {
  const ScreenRect options = On(kOptionsTile);
  const std::vector<uint32_t> before = GrabScreen(options);
  TakeScreenshot(folder.File("before.png"));

  Keys("Right");

  EXPECT_GT(WaitForChange(options, before, 3000), options.width * options.height / 100);
  TakeScreenshot(folder.File("after.png"));
  EXPECT_TRUE(program->WaitForLog("key.39.0", 1000));
  // Back to the first tile: the second looks as it did, but for the
  // anti-aliased rounded corners, which a redraw blends over the tile's own
  // back colour rather than over the backdrop beneath it.
  Keys("Left");
  SleepMs(300);
  EXPECT_LT(CountDifferent(GrabScreen(options), before), options.width * options.height / 500);
}

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

TEST_F(InputTest, AClickOnTheOptionsTileShowsTheOptionsWindow) {
  const ScreenRect whole{area.x, area.y, area.width, area.height};
  const std::vector<uint32_t> before = GrabScreen(whole);
  const ScreenRect options = On(kOptionsTile);

  ClickAt(options.CentreX(), options.CentreY());

  // A different window: far more changes than one tile's focus.
  EXPECT_GT(WaitForChange(whole, before, 3000), area.width * area.height / 10);
  TakeScreenshot(folder.File("options.png"));
}

TEST_F(InputTest, AClickOnTheQuitTileEndsTheProgramAndWritesItsSettings) {
  const ScreenRect quit = On(kQuitTile);
  ClickAt(quit.CentreX(), quit.CentreY());
  EXPECT_EQ(program->WaitForExit(10000), 0);
  EXPECT_NE(folder.Read("Tavizo.ini").find("\"gSkinFilename\",\"default\""), std::string::npos);
}

TEST_F(InputTest, AltClickTeachesAKeyForTheClickedTileWithoutFocusingIt) {
  const ScreenRect options = On(kOptionsTile);
  const ScreenRect library = On(kLibraryTile);
  const std::vector<uint32_t> libraryBefore = GrabScreen(library);

  ClickAt(options.CentreX(), options.CentreY(), "alt");
  SleepMs(300);
  Keys("F6");
  ASSERT_TRUE(program->WaitForLog("key.117.0 now triggers wndOptionsMain.cmdChangeOutputAR", 3000));
  // The prompt has gone and the first tile still has the focus.
  SleepMs(300);
  EXPECT_EQ(CountDifferent(GrabScreen(library), libraryBefore), 0);
  Close();
  EXPECT_NE(folder.Read("Tavizo.keys").find("\"key.117.0\",\"wndOptionsMain.cmdChangeOutputAR\""),
            std::string::npos);
}

TEST_F(InputTest, ThePointerOverATileShowsItsHelpTextInTheStatusLine) {
  const ScreenRect status = On(kStatusLine);
  const std::vector<uint32_t> before = GrabScreen(status);
  const ScreenRect quit = On(kQuitTile);

  Xdotool("mousemove --sync " + std::to_string(quit.CentreX()) + " " +
          std::to_string(quit.CentreY()));

  // "Close Tavizo" is written where the line was empty.
  EXPECT_GT(WaitForChange(status, before, 3000), 0);
  TakeScreenshot(folder.File("hover.png"));
}

TEST_F(InputTest, DraggingTheResizeHandleGrowsTheWindowFourToThree) {
  const ScreenRect handle = On(kResizeHandle);
  const int startWidth = area.width;

  Xdotool("mousemove --sync " + std::to_string(handle.CentreX()) + " " +
          std::to_string(handle.CentreY()) + " mousedown 1");
  for (int step = 1; step <= 10; ++step) {
    Xdotool("mousemove --sync " + std::to_string(handle.CentreX() + 10 * step) + " " +
            std::to_string(handle.CentreY() + 2 * step));
    SleepMs(30);
  }
  Xdotool("mouseup 1");
  SleepMs(500);

  ProgramUnderTest::WindowInfo now;
  for (const ProgramUnderTest::WindowInfo& info : program->Windows()) {
    if (info.id == window) now = info;
  }
  EXPECT_GT(now.width, startWidth);
  EXPECT_NEAR(now.height, now.width * 3.0 / 4.0, 0.5);
  Close();
  const std::string settings = folder.Read("Tavizo.ini");
  EXPECT_NE(settings.find("\"gFormLastWidth\"," + std::to_string(now.width)), std::string::npos)
      << settings;
}

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
