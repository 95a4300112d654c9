#include "platform/ProgramFolder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include "base/Log.h"

// The data folder of the install prefix, relative to the folder of the
// executable ("../share" for bin/ and share/ under one prefix).
#ifndef TAVIZO_DATA_FROM_BIN
#define TAVIZO_DATA_FROM_BIN "../share"
#endif

namespace fs = std::filesystem;

namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

// The home folder from the user database, for a session that set no HOME.
std::string UserDatabaseHome() {
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found) return {};
  return found->pw_dir ? std::string(found->pw_dir) : std::string();
}

std::string ReadText(const std::string& file) {
  std::ifstream stream(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

bool IsFolder(const std::string& path) {
  std::error_code error;
  return !path.empty() && fs::is_directory(path, error);
}

// The first play-list folder: the user's videos folder when it names one that
// exists, else the home folder.
std::string FirstPlaylistFolder(const XdgFolders& folders) {
  if (folders.configHome.empty()) return folders.home;
  const std::string userDirs = folders.configHome + "/user-dirs.dirs";
  if (!IsFolder(folders.configHome) || !fs::exists(userDirs)) return folders.home;
  const UserVideosFolder videos = ParseUserVideosFolder(ReadText(userDirs), folders.home);
  for (const std::string& problem : videos.problems) WriteLog(problem);
  return videos.folder && IsFolder(*videos.folder) ? *videos.folder : folders.home;
}

bool CreateConfigFolder(const std::string& folder) {
  if (folder.empty()) {
    WriteLog(
        "there is no folder for the settings (neither XDG_CONFIG_HOME nor HOME names one); "
        "Tavizo runs with its defaults and cannot save them");
    return false;
  }
  std::error_code error;
  fs::create_directories(folder, error);
  if (!error && IsFolder(folder)) return true;
  WriteLog("cannot create the settings folder " + folder + ": " +
           (error ? error.message() : std::string("a file of that name is in the way")) +
           "; Tavizo runs with its defaults and cannot save them");
  return false;
}

}  // namespace

std::string ProgramFolder() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  if (error) return fs::current_path(error).string();
  std::string folder = executable.parent_path().string();
  return folder.empty() ? std::string("/") : folder;
}

ProgramPaths LocateProgramFiles(const std::string& executableFolder) {
  if (IsFolder(executableFolder + "/skins")) {
    const ProgramPaths paths = PortableProgramPaths(executableFolder);
    WriteLog(DescribeProgramPaths(paths));
    return paths;
  }
  XdgEnvironment environment{Variable("HOME"), Variable("XDG_CONFIG_HOME"),
                             Variable("XDG_DATA_HOME"), Variable("XDG_DATA_DIRS")};
  if (environment.home.empty()) environment.home = UserDatabaseHome();
  const XdgFolders folders = ResolveXdgFolders(environment);
  for (const std::string& problem : folders.problems) WriteLog(problem);

  ProgramPaths paths = InstalledProgramPaths(executableFolder, TAVIZO_DATA_FROM_BIN, folders,
                                             FirstPlaylistFolder(folders));
  paths.configFolderReady = CreateConfigFolder(paths.configFolder);
  WriteLog(DescribeProgramPaths(paths));
  return paths;
}

std::string CacheFolder() {
  const std::string cacheHome = Variable("XDG_CACHE_HOME");
  if (cacheHome.starts_with('/')) return cacheHome + "/tavizo";
  std::string home = Variable("HOME");
  if (home.empty()) home = UserDatabaseHome();
  return home.starts_with('/') ? home + "/.cache/tavizo" : std::string();
}
