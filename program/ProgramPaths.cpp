#include "program/ProgramPaths.h"

#include <algorithm>
#include <filesystem>

#include "base/Conversions.h"

namespace {

constexpr const char* kDefaultDataDirs = "/usr/local/share:/usr/share";

// The folder written the one way it is compared and shown: no "." or ".."
// steps and no trailing "/" (except for "/" itself).
std::string NormalFolder(const std::string& folder) {
  std::string normal = std::filesystem::path(folder).lexically_normal().string();
  while (normal.size() > 1 && normal.ends_with('/')) normal.pop_back();
  return normal;
}

// An XDG variable's folder: its value when absolute, else the fallback under
// home. A relative value is not a folder the XDG rules let us use.
std::string BaseFolder(const char* name, const std::string& value, const std::string& home,
                       const char* underHome, std::vector<std::string>& problems) {
  if (value.starts_with('/')) return NormalFolder(value);
  if (!value.empty()) {
    problems.push_back(std::string(name) + " is not an absolute path ('" + value +
                       "'); ignored, as the XDG rules say");
  }
  return home.empty() ? std::string() : NormalFolder(home + underHome);
}

std::vector<std::string> DataDirs(const std::string& value, std::vector<std::string>& problems) {
  std::vector<std::string> dirs;
  size_t start = 0;
  while (start <= value.size()) {
    const size_t end = std::min(value.find(':', start), value.size());
    const std::string entry = value.substr(start, end - start);
    if (entry.starts_with('/')) {
      dirs.push_back(NormalFolder(entry));
    } else if (!entry.empty()) {
      problems.push_back("XDG_DATA_DIRS entry '" + entry +
                         "' is not an absolute path; ignored, as the XDG rules say");
    }
    start = end + 1;
  }
  return dirs;
}

void AddOnce(std::vector<std::string>& folders, const std::string& folder) {
  if (std::find(folders.begin(), folders.end(), folder) == folders.end()) {
    folders.push_back(folder);
  }
}

// The quoted value at the start of text, with its backslash escapes undone;
// nothing when the quotes are missing or something other than a comment follows.
std::optional<std::string> QuotedValue(std::string_view text) {
  if (!text.starts_with('"')) return std::nullopt;
  std::string value;
  size_t position = 1;
  for (; position < text.size() && text[position] != '"'; ++position) {
    if (text[position] == '\\' && position + 1 < text.size()) ++position;
    value += text[position];
  }
  if (position >= text.size()) return std::nullopt;
  const std::string rest = TrimText(text.substr(position + 1));
  if (!rest.empty() && !rest.starts_with('#')) return std::nullopt;
  return value;
}

}  // namespace

XdgFolders ResolveXdgFolders(const XdgEnvironment& environment) {
  XdgFolders folders;
  if (environment.home.starts_with('/')) {
    folders.home = NormalFolder(environment.home);
  } else if (!environment.home.empty()) {
    folders.problems.push_back("HOME is not an absolute path ('" + environment.home +
                               "'); ignored");
  }
  folders.configHome = BaseFolder("XDG_CONFIG_HOME", environment.configHome, folders.home,
                                  "/.config", folders.problems);
  folders.dataHome = BaseFolder("XDG_DATA_HOME", environment.dataHome, folders.home,
                                "/.local/share", folders.problems);
  folders.dataDirs = DataDirs(environment.dataDirs, folders.problems);
  if (folders.dataDirs.empty()) folders.dataDirs = DataDirs(kDefaultDataDirs, folders.problems);
  return folders;
}

UserVideosFolder ParseUserVideosFolder(std::string_view userDirsText, const std::string& home) {
  UserVideosFolder result;
  int lineNumber = 0;
  size_t start = 0;
  while (start < userDirsText.size()) {
    const size_t end = std::min(userDirsText.find('\n', start), userDirsText.size());
    std::string_view raw = userDirsText.substr(start, end - start);
    if (raw.ends_with('\r')) raw.remove_suffix(1);
    const std::string line = TrimText(raw);
    start = end + 1;
    ++lineNumber;
    if (line.empty() || line.starts_with('#')) continue;
    const std::string where = "user-dirs.dirs line " + std::to_string(lineNumber) + ": ";
    const size_t equals = line.find('=');
    if (equals == std::string::npos) {
      result.problems.push_back(where + "'" + line + "' is no NAME=\"folder\" line; skipped");
      continue;
    }
    if (TrimText(std::string_view(line).substr(0, equals)) != "XDG_VIDEOS_DIR") continue;
    const std::optional<std::string> value = QuotedValue(TrimText(line.substr(equals + 1)));
    if (!value) {
      result.problems.push_back(where + "the videos folder is not one quoted text; skipped");
      continue;
    }
    if (value->starts_with('/')) {
      result.folder = NormalFolder(*value);
    } else if ((*value == "$HOME" || value->starts_with("$HOME/")) && !home.empty()) {
      result.folder = NormalFolder(home + value->substr(5));
    } else {
      result.problems.push_back(where + "the videos folder '" + *value +
                                "' is neither $HOME/... nor an absolute path; skipped");
    }
  }
  return result;
}

ProgramPaths PortableProgramPaths(const std::string& executableFolder) {
  ProgramPaths paths;
  paths.mode = ProgramMode::Portable;
  paths.configFolder = executableFolder;
  paths.skinFolders = {executableFolder == "/" ? "/skins" : executableFolder + "/skins"};
  paths.playlistFolder = executableFolder;
  return paths;
}

ProgramPaths InstalledProgramPaths(const std::string& executableFolder,
                                   const std::string& dataFromExecutable, const XdgFolders& folders,
                                   const std::string& playlistFolder) {
  ProgramPaths paths;
  paths.mode = ProgramMode::Installed;
  if (!folders.configHome.empty()) paths.configFolder = folders.configHome + "/tavizo";
  if (!folders.dataHome.empty()) AddOnce(paths.skinFolders, folders.dataHome + "/tavizo/skins");
  for (const std::string& dir : folders.dataDirs) AddOnce(paths.skinFolders, dir + "/tavizo/skins");
  AddOnce(paths.skinFolders,
          NormalFolder(executableFolder + "/" + dataFromExecutable + "/tavizo/skins"));
  paths.playlistFolder = playlistFolder;
  return paths;
}

std::string DescribeProgramPaths(const ProgramPaths& paths) {
  if (paths.mode == ProgramMode::Portable) {
    return "Tavizo runs portable from " + paths.configFolder +
           ": settings, key bindings and skins beside the executable; play list from " +
           paths.playlistFolder;
  }
  std::string line = "Tavizo runs installed: settings and key bindings in " +
                     (paths.configFolder.empty() ? std::string("no folder") : paths.configFolder);
  if (!paths.configFolderReady) line += " (not usable: nothing will be saved)";
  line += "; skins from ";
  for (size_t n = 0; n < paths.skinFolders.size(); ++n) {
    line += (n == 0 ? "" : ", ") + paths.skinFolders[n];
  }
  return line + "; play list from " +
         (paths.playlistFolder.empty() ? std::string("the volume list") : paths.playlistFolder);
}

std::string FindSkinFile(const ProgramPaths& paths, const std::string& skinName) {
  const std::string file = "/" + skinName + ".tvs";
  for (const std::string& folder : paths.skinFolders) {
    if (FileExists(folder + file)) return folder + file;
  }
  return paths.skinFolders.empty() ? skinName + ".tvs" : paths.skinFolders.front() + file;
}
