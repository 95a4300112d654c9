// The program on the desktop: the screen-saver hold, the fatal start with an
// unknown skin, quitting by a bound key, and the desktop's media controls
// driving it over a session bus of the test's own.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
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

// A session bus of the test's own: the program and playerctl find it through
// DBUS_SESSION_BUS_ADDRESS while it lives.
class PrivateSessionBus {
 public:
  PrivateSessionBus() {
    const std::string socket = mFolder.File("bus");
    const std::string address = "unix:path=" + socket;
    mPid = fork();
    if (mPid == 0) {
      const int null = open("/dev/null", O_WRONLY);
      dup2(null, STDOUT_FILENO);
      dup2(null, STDERR_FILENO);
      execlp("dbus-daemon", "dbus-daemon", "--session", "--nofork",
             ("--address=" + address).c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    for (int waited = 0; waited < 5000 && !std::filesystem::exists(socket); waited += 20)
      SleepMs(20);
    if (std::filesystem::exists(socket)) setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
  }
  ~PrivateSessionBus() {
    Stop();
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
  }
  bool Running() const { return mPid > 0 && std::getenv("DBUS_SESSION_BUS_ADDRESS"); }
  void Stop() {
    if (mPid <= 0) return;
    kill(mPid, SIGTERM);
    waitpid(mPid, nullptr, 0);
    mPid = -1;
  }

 private:
  TempFolder mFolder;
  pid_t mPid = -1;
};

std::string Playerctl(const std::string& arguments) {
  std::string output = RunCommand("playerctl -p tavizo " + arguments + " 2>/dev/null");
  while (!output.empty() && (output.back() == '\n' || output.back() == ' ')) output.pop_back();
  return output;
}

bool WaitUntil(const std::function<bool()>& holds, int timeoutMs) {
  for (int waited = 0; waited <= timeoutMs; waited += 50) {
    if (holds()) return true;
    SleepMs(50);
  }
  return false;
}

bool WaitForPlayerctl(const std::string& arguments, const std::string& answer) {
  return WaitUntil([&] { return Playerctl(arguments) == answer; }, 8000);
}

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
    // button in its frame below. The window maps before it is drawn, which on
    // a busy machine can be a good while later.
    ScreenImage shown = ScreenImage::Capture({box.x, box.y, box.width, box.height});
    ScreenRect icon = BoundsOf(shown, IsReddish);
    for (int attempt = 0; attempt < 50 && icon.width == 0; ++attempt) {
      SleepMs(100);
      shown = ScreenImage::Capture({box.x, box.y, box.width, box.height});
      icon = BoundsOf(shown, IsReddish);
    }
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
    // No request to a window already gone, which only the log shows now.
    EXPECT_EQ(program.Log().find("the X server refused"), std::string::npos) << program.Log();
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

TEST(DesktopSessionTest, PlayerctlDrivesTheRunningProgramAndItOutlivesTheBus) {
  PrivateSessionBus bus;
  ASSERT_TRUE(bus.Running()) << "dbus-daemon is needed";
  PlaybackDriver driver({{"film-16x9.mp4", "1 wide.mp4"}, {"film-4x3.mp4", "2 red over blue.mp4"}},
                        "\"gPlayMode\",0\r\n\"gMediaVolume\",-2500\r\n");
  ASSERT_TRUE(driver.Start()) << driver.Program().Log();
  ProgramUnderTest& program = driver.Program();
  ASSERT_TRUE(program.WaitForLog("on the session bus as org.mpris.MediaPlayer2.tavizo", 5000))
      << program.Log();
  ASSERT_TRUE(WaitForPlayerctl("status", "Stopped")) << Playerctl("status");
  // playerctl quotes object paths.
  EXPECT_EQ(Playerctl("metadata mpris:trackid"), "'/org/mpris/MediaPlayer2/TrackList/NoTrack'");
  // Whoever listens hears every change of the status.
  const std::string follow = program.Folder() + "/follow.txt";
  const pid_t follower = std::stoi(
      RunCommand("playerctl -p tavizo --follow status >'" + follow + "' 2>/dev/null & echo $!"));

  // Play with nothing open starts from the list, as the play key does.
  Playerctl("play");
  EXPECT_TRUE(driver.WaitForCaption("Tavizo: 1 wide.mp4", 8000)) << driver.Caption();
  EXPECT_TRUE(WaitForPlayerctl("metadata xesam:title", "1 wide.mp4"));
  const std::string length = Playerctl("metadata mpris:length");
  EXPECT_NEAR(std::atof(length.c_str()), 2000000, 100000) << length;
  const std::string metadata = Playerctl("metadata");
  EXPECT_NE(metadata.find("xesam:url"), std::string::npos) << metadata;
  EXPECT_NE(metadata.find("file://" + driver.MediaFolder() + "1%20wide.mp4"), std::string::npos)
      << metadata;

  Playerctl("play-pause");
  EXPECT_TRUE(WaitForPlayerctl("status", "Paused")) << Playerctl("status");
  EXPECT_TRUE(program.WaitForLog("mpris.PlayPause", 2000));

  Playerctl("position 1");
  EXPECT_TRUE(
      WaitUntil([] { return std::fabs(std::atof(Playerctl("position").c_str()) - 1) < 0.1; }, 5000))
      << Playerctl("position");

  // The volume keys' steps, with their log lines, to the step nearest the level.
  Playerctl("volume 0.5");
  EXPECT_TRUE(program.WaitForLog("cmdVolDown - new volume: -5100", 5000)) << program.Log();
  EXPECT_NEAR(std::atof(Playerctl("volume").c_str()), 0.49, 0.001) << Playerctl("volume");

  Playerctl("next");
  EXPECT_TRUE(driver.WaitForCaption("Tavizo: 2 red over blue.mp4", 8000)) << driver.Caption();
  EXPECT_TRUE(WaitForPlayerctl("metadata xesam:title", "2 red over blue.mp4"));
  Playerctl("previous");
  EXPECT_TRUE(driver.WaitForCaption("Tavizo: 1 wide.mp4", 8000)) << driver.Caption();
  EXPECT_TRUE(WaitForPlayerctl("status", "Playing")) << Playerctl("status");

  kill(follower, SIGTERM);
  waitpid(follower, nullptr, WNOHANG);
  std::ifstream followed(follow);
  const std::string statuses((std::istreambuf_iterator<char>(followed)),
                             std::istreambuf_iterator<char>());
  EXPECT_NE(statuses.find("Playing\nPaused\n"), std::string::npos) << statuses;

  // The bus goes away: one log line, and keys still work.
  bus.Stop();
  EXPECT_TRUE(program.WaitForLog("the session bus went away", 5000)) << program.Log();
  EXPECT_TRUE(driver.PressKey("Down", 40)) << program.Log();
  ASSERT_TRUE(program.RequestClose());
  EXPECT_EQ(program.WaitForExit(10000), 0) << program.Log();
}

TEST(DesktopSessionTest, WithoutASessionBusTheProgramSaysSoOnceAndRuns) {
  TempFolder folder;
  setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + folder.File("no-bus")).c_str(), 1);
  ProgramUnderTest program(folder.File("program"));
  ASSERT_TRUE(program.Start());
  unsetenv("DBUS_SESSION_BUS_ADDRESS");
  ASSERT_NE(program.WaitForWindow(10000), 0u) << program.Log();
  ASSERT_TRUE(program.WaitForLog("no session bus", 5000)) << program.Log();
  SleepMs(300);
  const std::string log = program.Log();
  EXPECT_EQ(log.find("session bus"), log.rfind("session bus")) << log;
  ASSERT_TRUE(program.RequestClose());
  EXPECT_EQ(program.WaitForExit(10000), 0) << log;
}

}  // namespace
