#include "program/ProgramPaths.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/TempFolder.h"

namespace {

std::string Joined(const std::vector<std::string>& folders) {
  std::string joined;
  for (const std::string& folder : folders) joined += (joined.empty() ? "" : " ") + folder;
  return joined;
}

TEST(ProgramPathsTest, AnInstalledProgramTakesItsFoldersFromTheXdgVariables) {
  struct Case {
    const char* name;
    XdgEnvironment environment;
    const char* executableFolder;
    const char* configFolder;
    const char* skinFolders;
    size_t problems;
  };
  const Case cases[] = {
      {"defaults under home",
       {"/home/ana", "", "", ""},
       "/opt/tv/bin",
       "/home/ana/.config/tavizo",
       "/home/ana/.local/share/tavizo/skins /usr/local/share/tavizo/skins "
       "/usr/share/tavizo/skins /opt/tv/share/tavizo/skins",
       0},
      {"absolute values, trailing slashes and empty entries",
       {"/home/ana/", "/cfg/", "/data", "/a/::/b"},
       "/opt/tv/bin",
       "/cfg/tavizo",
       "/data/tavizo/skins /a/tavizo/skins /b/tavizo/skins /opt/tv/share/tavizo/skins",
       0},
      {"relative values are ignored",
       {"/home/ana", "cfg", "./data", "rel:/b"},
       "/opt/tv/bin",
       "/home/ana/.config/tavizo",
       "/home/ana/.local/share/tavizo/skins /b/tavizo/skins /opt/tv/share/tavizo/skins",
       3},
      {"no usable data folder: the defaults; the prefix's own is not repeated",
       {"/home/ana", "", "", "share:more"},
       "/usr/bin",
       "/home/ana/.config/tavizo",
       "/home/ana/.local/share/tavizo/skins /usr/local/share/tavizo/skins "
       "/usr/share/tavizo/skins",
       2},
      {"no home: no settings folder unless XDG_CONFIG_HOME names one",
       {"", "", "", "/b"},
       "/usr/bin",
       "",
       "/b/tavizo/skins /usr/share/tavizo/skins",
       0},
      {"a relative home is no home",
       {"ana", "/cfg", "", "/b"},
       "/usr/bin",
       "/cfg/tavizo",
       "/b/tavizo/skins /usr/share/tavizo/skins",
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const XdgFolders folders = ResolveXdgFolders(c.environment);
    const ProgramPaths paths =
        InstalledProgramPaths(c.executableFolder, "../share", folders, "/home/ana/Videos");
    EXPECT_EQ(paths.mode, ProgramMode::Installed);
    EXPECT_EQ(paths.configFolder, c.configFolder);
    EXPECT_EQ(Joined(paths.skinFolders), c.skinFolders);
    EXPECT_EQ(folders.problems.size(), c.problems) << Joined(folders.problems);
  }
}

TEST(ProgramPathsTest, TheVideosFolderIsReadFromUserDirsAndBadLinesAreSkipped) {
  struct Case {
    const char* text;
    std::optional<std::string> folder;
    size_t problems;
  };
  const Case cases[] = {
      {"# written by the desktop\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
       "XDG_VIDEOS_DIR=\"$HOME/Videos\"\n",
       "/home/ana/Videos", 0},
      {"XDG_VIDEOS_DIR=\"/srv/films/\"\r\nXDG_MUSIC_DIR=\"$HOME/Music\"\r\n", "/srv/films", 0},
      {"  XDG_VIDEOS_DIR = \"$HOME/My \\\"Films\\\"\"  # quoted\n", "/home/ana/My \"Films\"", 0},
      {"XDG_VIDEOS_DIR=\"$HOME/\"\n", "/home/ana", 0},
      {"XDG_VIDEOS_DIR=\"$HOME/Vidéos\"", "/home/ana/Vidéos", 0},
      {"", std::nullopt, 0},
      {"XDG_MUSIC_DIR=\"Music\"\n", std::nullopt, 0},
      {"XDG_VIDEOS_DIR=\"Videos\"\n", std::nullopt, 1},
      {"XDG_VIDEOS_DIR=$HOME/Videos\n", std::nullopt, 1},
      {"XDG_VIDEOS_DIR=\"$HOME/Videos\n", std::nullopt, 1},
      {"XDG_VIDEOS_DIR=\"$HOME/Videos\" rm -rf\n", std::nullopt, 1},
      {"XDG_VIDEOS_DIR=\"$HOMEWORK/Videos\"\n", std::nullopt, 1},
      {"\x01\xff\xfe garbage\nXDG_VIDEOS_DIR=\"$HOME/Films\"\n", "/home/ana/Films", 1},
      {"XDG_VIDEOS_DIR=\"/one\"\nXDG_VIDEOS_DIR=\"/two\"\nXDG_VIDEOS_DIR=\"three\"\n", "/two", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const UserVideosFolder videos = ParseUserVideosFolder(c.text, "/home/ana");
    EXPECT_EQ(videos.folder, c.folder);
    EXPECT_EQ(videos.problems.size(), c.problems) << Joined(videos.problems);
  }
  // Without a home, "$HOME/..." names nothing.
  EXPECT_EQ(ParseUserVideosFolder("XDG_VIDEOS_DIR=\"$HOME/Videos\"\n", "").folder, std::nullopt);
}

TEST(ProgramPathsTest, TheSkinComesFromTheFirstFolderThatHasIt) {
  TempFolder folder;
  folder.Write("data/tavizo/skins/night.tvs", "");
  folder.Write("prefix/tavizo/skins/night.tvs", "");
  folder.Write("prefix/tavizo/skins/default.tvs", "");
  ProgramPaths paths;
  paths.skinFolders = {folder.File("home/tavizo/skins"), folder.File("data/tavizo/skins"),
                       folder.File("prefix/tavizo/skins")};
  EXPECT_EQ(FindSkinFile(paths, "night"), folder.File("data/tavizo/skins/night.tvs"));
  EXPECT_EQ(FindSkinFile(paths, "default"), folder.File("prefix/tavizo/skins/default.tvs"));
  // Found nowhere: named where the user's own skins go, for the "not found" line.
  EXPECT_EQ(FindSkinFile(paths, "gone"), folder.File("home/tavizo/skins/gone.tvs"));
}

}  // namespace
