// The program on the desktop: the fatal start with an unknown skin, the
// caption beyond ASCII, and the desktop's media controls driving it over a
// session bus of the test's own.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/PlaybackDriver.h"
#include "support/ProgramUnderTest.h"
#include "support/ScreenImage.h"
#include "support/TempFolder.h"

// X11 last: its macros would clash with the test framework's names.
#include <X11/Xlib.h>

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

// The fatal message is the program's own window, drawn with its own fonts:
// scripts/test.sh runs this with no zenity on PATH and an X server that has
// only its built-in fonts, where no borrowed message box can show.
TEST(DesktopSessionTest, AnUnknownSkinEndsStartUpWithTheFatalMessageAndStillSavesSettings) {
  for (const std::string dismissal : {"key Escape", "click on OK"}) {
    SCOPED_TRACE(dismissal);
    TempFolder folder;
    ProgramUnderTest program(folder.Path());
    folder.Write("Tavizo.ini", "\"gSkinFilename\",\"nosuch\"\r\n\"gOSDTime\",2000\r\n");
    ASSERT_TRUE(program.Start());
    ASSERT_TRUE(program.WaitForLog("skin " + folder.Path() + "/skins/nosuch.tvs not found", 10000))
        << program.Log();
    // The message over the splash (250 x 250), centred on the monitor.
    std::vector<ProgramUnderTest::WindowInfo> stack;
    for (int attempt = 0; attempt < 100 && stack.size() < 2; ++attempt, SleepMs(100)) {
      stack = program.Windows();
    }
    ASSERT_EQ(stack.size(), 2u) << program.Log();
    const ProgramUnderTest::WindowInfo box = stack.back();
    EXPECT_EQ(stack.front().width, 250);
    EXPECT_EQ(box.netWmName, "Tavizo");
    EXPECT_LE(std::abs(box.x + box.width / 2 - 960), 1);
    // On screen: the red icon, and the OK button's blue frame with its dark
    // text. The window maps before it is drawn, which on a busy machine can be
    // a good while later.
    ScreenImage shown = ScreenImage::Capture({box.x, box.y, box.width, box.height});
    for (int attempt = 0; attempt < 50 && shown.Bounds(IsReddish).width == 0; ++attempt) {
      SleepMs(100);
      shown = ScreenImage::Capture({box.x, box.y, box.width, box.height});
    }
    EXPECT_GT(shown.Bounds(IsReddish).width, 20);
    const ScreenRect button = shown.Bounds([](uint32_t pixel) {
      return Blue(pixel) > 180 && Red(pixel) < 60 && Green(pixel) > 80 && Green(pixel) < 160;
    });
    ASSERT_GT(button.width, 40);
    const auto isText = [](uint32_t p) { return Red(p) < 100 && Green(p) < 100 && Blue(p) < 100; };
    EXPECT_GT(shown.Share(button.Inset(3), isText), 0.01);
    EXPECT_GT(shown.Share({box.x, box.y, box.width, button.y - box.y}, isText), 0.01);

    RunCommand("xdotool " +
               (dismissal == "click on OK" ? "mousemove " + std::to_string(button.CentreX()) + " " +
                                                 std::to_string(button.CentreY()) + " click 1"
                                           : dismissal) +
               " 2>/dev/null");
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
    EXPECT_TRUE(window.id != driver.Program().Window() || window.netWmName == "Tavizo: " + name);
  }
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

  // Play with nothing open starts from the list, as the play key does.
  Playerctl("play");
  EXPECT_TRUE(driver.WaitForCaption("Tavizo: 1 wide.mp4", 8000)) << driver.Caption();
  EXPECT_TRUE(WaitForPlayerctl("metadata xesam:title", "1 wide.mp4"));
  const std::string length = Playerctl("metadata mpris:length");
  EXPECT_NEAR(std::atof(length.c_str()), 2000000, 100000) << length;

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

  // Loop and shuffle step the play mode round to the one asked for.
  for (const char* loop : {"Track", "Playlist", "None"}) {
    Playerctl(std::string("loop ") + loop);
    EXPECT_TRUE(WaitForPlayerctl("loop", loop)) << Playerctl("loop");
  }
  Playerctl("shuffle On");
  EXPECT_TRUE(WaitForPlayerctl("shuffle", "On")) << Playerctl("shuffle");

  // The bus goes away: one log line, and keys still work.
  bus.Stop();
  EXPECT_TRUE(program.WaitForLog("the session bus went away", 5000)) << program.Log();
  EXPECT_TRUE(driver.PressKey("Down", 40)) << program.Log();
  ASSERT_TRUE(program.RequestClose());
  EXPECT_EQ(program.WaitForExit(10000), 0) << program.Log();
}

}  // namespace
