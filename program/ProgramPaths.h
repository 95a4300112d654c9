#pragma once

// Where Tavizo keeps its files. One rule decides: an executable with a skins/
// folder beside it (the build folder, a copy on a stick) is portable and keeps
// everything beside itself; any other is installed and follows the XDG base
// directory rules. The functions here only compute paths from the values they
// are given; reading the environment and the file system is the caller's.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class ProgramMode { Portable, Installed };

struct ProgramPaths {
  ProgramMode mode = ProgramMode::Portable;
  // Tavizo.ini and Tavizo.keys; empty when no folder could be named.
  std::string configFolder;
  // False when the settings folder does not exist and could not be created:
  // the program then runs with its defaults and saves nothing.
  bool configFolderReady = true;
  // Searched in this order for <skin>.tvs.
  std::vector<std::string> skinFolders;
  // What the play list shows on the first start.
  std::string playlistFolder;
};

// The environment values the XDG folders come from, as found (empty: unset).
struct XdgEnvironment {
  std::string home;
  std::string configHome;  // XDG_CONFIG_HOME
  std::string dataHome;    // XDG_DATA_HOME
  std::string dataDirs;    // XDG_DATA_DIRS
};

// The XDG base folders, without trailing "/". A relative value is ignored, as
// the XDG rules say, and noted in problems (one log line each).
struct XdgFolders {
  std::string home;
  std::string configHome;             // empty when neither it nor home is usable
  std::string dataHome;               // the same
  std::vector<std::string> dataDirs;  // in order of preference
  std::vector<std::string> problems;
};

XdgFolders ResolveXdgFolders(const XdgEnvironment& environment);

// The user's videos folder from the text of user-dirs.dirs (XDG_VIDEOS_DIR,
// "$HOME/..." or an absolute path; the last valid line wins). Nothing when the
// text names none; a line that cannot be read is noted in problems and skipped.
struct UserVideosFolder {
  std::optional<std::string> folder;
  std::vector<std::string> problems;
};
UserVideosFolder ParseUserVideosFolder(std::string_view userDirsText, const std::string& home);

// Everything beside the executable; the play list starts there too.
ProgramPaths PortableProgramPaths(const std::string& executableFolder);

// Settings in <config home>/tavizo; skins in <data home>/tavizo/skins, then in
// each data folder's tavizo/skins, then in the data folder of the prefix the
// executable was installed into (dataFromExecutable, relative to its folder).
ProgramPaths InstalledProgramPaths(const std::string& executableFolder,
                                   const std::string& dataFromExecutable, const XdgFolders& folders,
                                   const std::string& playlistFolder);

// The start-up log line: the mode and the folders.
std::string DescribeProgramPaths(const ProgramPaths& paths);

// The skin file of that name in the first skin folder that has it; when none
// has it, where it would be in the first folder (so a "not found" names it).
std::string FindSkinFile(const ProgramPaths& paths, const std::string& skinName);
