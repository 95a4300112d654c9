#include "program/Desktop.h"

#include <gtest/gtest.h>

#include "program/MprisPlayer.h"
#include "program/ProgramPaths.h"
#include "store/Settings.h"
#include "support/FakeMainWindow.h"
#include "support/TempFolder.h"

namespace {

// Two monitors side by side; the second one is larger.
const std::vector<PixelRect> kTwoMonitors = {PixelRect{0, 0, 1920, 1080},
                                             PixelRect{1920, 0, 2560, 1440}};

TEST(DesktopTest, ASavedPlaceOutsideEveryMonitorOpensOnThePrimaryOne) {
  FakeMainWindow window;
  window.monitors = kTwoMonitors;
  Settings settings;
  Desktop desktop(window, settings, [] {});
  const struct {
    const char* what;
    PixelRect saved;
    PixelRect shown;
  } cases[] = {
      {"on the second monitor", {2300, 200, 1024, 768}, {2300, 200, 1024, 768}},
      {"mostly off the first, partly on it", {-700, -500, 800, 600}, {-700, -500, 800, 600}},
      {"where a removed monitor was", {6000, 4000, 800, 600}, {560, 240, 800, 600}},
      {"just left of everything", {-800, 0, 800, 600}, {560, 240, 800, 600}},
      {"larger than the primary, below everything", {0, 2000, 3000, 1200}, {0, 0, 1920, 1080}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    settings.gFormLastLeft = c.saved.left;
    settings.gFormLastTop = c.saved.top;
    settings.gFormLastWidth = c.saved.width;
    settings.gFormLastHeight = c.saved.height;
    desktop.ShowWindowed();
    EXPECT_EQ(window.geometry, c.shown);
    // The reachable place is what the settings keep.
    EXPECT_EQ((PixelRect{settings.gFormLastLeft, settings.gFormLastTop, settings.gFormLastWidth,
                         settings.gFormLastHeight}),
              c.shown);
  }
}

// Where an installed program keeps its settings, finds its skins and starts
// its play list: relative XDG values and malformed user-dirs lines are skipped
// with a problem noted each, and the rest still counts.
TEST(ProgramPathsTest, RelativeXdgValuesAndMalformedUserDirsLinesAreSkipped) {
  const std::string homeSkins = "/home/ana/.local/share/tavizo/skins ";
  const struct {
    XdgEnvironment environment;
    const char* userDirs;
    const char* configFolder;
    std::string skinFolders;  // before /usr/share/tavizo/skins, the prefix's own
    const char* videos;       // "": none
    size_t problems;
  } cases[] = {
      {{"/home/ana", "", "", ""},
       "# the desktop's\nXDG_VIDEOS_DIR=\"$HOME/Videos\"\n",
       "/home/ana/.config/tavizo",
       homeSkins + "/usr/local/share/tavizo/skins ",
       "/home/ana/Videos",
       0},
      {{"/home/ana/", "/cfg/", "/data", "/a/::/b"},
       " XDG_VIDEOS_DIR = \"$HOME/My \\\"F\\\"\" # q\n",
       "/cfg/tavizo",
       "/data/tavizo/skins /a/tavizo/skins /b/tavizo/skins ",
       "/home/ana/My \"F\"",
       0},
      {{"/home/ana", "cfg", "./data", "rel:/b"},
       "XDG_VIDEOS_DIR=\"Videos\"\n",
       "/home/ana/.config/tavizo",
       homeSkins + "/b/tavizo/skins ",
       "",
       4},
      {{"ana", "/cfg", "", "/b"},
       "XDG_VIDEOS_DIR=$HOME/V\nXDG_VIDEOS_DIR=\"$HOME/V\nXDG_VIDEOS_DIR=\"$HOMEWORK/V\"\n",
       "/cfg/tavizo",
       "/b/tavizo/skins ",
       "",
       4},
      {{"/home/ana", "", "", ""},
       "\x01\xff garbage\nXDG_VIDEOS_DIR=\"/one\" rm\nXDG_VIDEOS_DIR=\"/two\"",
       "/home/ana/.config/tavizo",
       homeSkins + "/usr/local/share/tavizo/skins ",
       "/two",
       2},
      {{"", "", "", "/b"}, "XDG_VIDEOS_DIR=\"$HOME/V\"\n", "", "/b/tavizo/skins ", "", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.userDirs);
    const XdgFolders folders = ResolveXdgFolders(c.environment);
    const UserVideosFolder videos = ParseUserVideosFolder(c.userDirs, folders.home);
    const ProgramPaths paths = InstalledProgramPaths("/usr/bin", "../share", folders, "");
    std::string skins;
    for (const std::string& folder : paths.skinFolders)
      skins += (skins.empty() ? "" : " ") + folder;
    EXPECT_EQ(paths.configFolder, c.configFolder);
    EXPECT_EQ(skins, c.skinFolders + "/usr/share/tavizo/skins");
    EXPECT_EQ(videos.folder.value_or(""), c.videos);
    EXPECT_EQ(folders.problems.size() + videos.problems.size(), c.problems);
  }
}

// The desktop's media controls move the film only when they name it and a
// place inside it.
TEST(MprisPlayerTest, SetPositionIgnoresAnotherTrackAndPlacesOutsideTheFilm) {
  PlayerSnapshot state;
  state.isOpen = state.isRunning = true;
  state.path = "/media/a.mp4";
  state.position = 10;
  state.duration = 60;
  const std::string track = MprisPlayer::TrackIdOf(state.path);
  const struct {
    std::string trackId;
    int64_t positionUs;
    double seekedTo;  // -1: no move
  } cases[] = {{track, 42500000, 42.5},
               {MprisPlayer::TrackIdOf("/other.mp4"), 1000000, -1},
               {track, -1, -1},
               {track, 61000000, -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.positionUs);
    double seekedTo = -1;
    std::string actions;  // none may run
    MprisPlayer player({[&] { return state; }, [&](const std::string& a) { actions += a; },
                        [&](double seconds) { seekedTo = seconds; }, [] {}, [] { return 0ull; }});
    player.SetPosition(c.trackId, c.positionUs);
    EXPECT_EQ(seekedTo, c.seekedTo);
    EXPECT_EQ(actions, "");
  }
}

}  // namespace
