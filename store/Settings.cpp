#include "store/Settings.h"

#include <optional>

#include "base/Conversions.h"
#include "base/Log.h"
#include "store/clsHashFile.h"

namespace {

// The integer settings in file order, between gPlaylistName and gSkinFilename.
struct IntegerSetting {
  const char* key;
  int32_t Settings::*field;
};

constexpr IntegerSetting kIntegerSettings[] = {
    {"gIsFormFullScreen", &Settings::gIsFormFullScreen},
    {"gIsMonitorAnamorph", &Settings::gIsMonitorAnamorph},
    {"gAspectRatioMode", &Settings::gAspectRatioMode},
    {"gPlayMode", &Settings::gPlayMode},
    {"gAlwaysOnTop", &Settings::gAlwaysOnTop},
    {"gOSDTime", &Settings::gOSDTime},
    {"gIsMediaMute", &Settings::gIsMediaMute},
    {"gMediaVolume", &Settings::gMediaVolume},
    {"gFormLastLeft", &Settings::gFormLastLeft},
    {"gFormLastTop", &Settings::gFormLastTop},
    {"gFormLastWidth", &Settings::gFormLastWidth},
    {"gFormLastHeight", &Settings::gFormLastHeight},
    {"gActionFirstRepeat", &Settings::gActionFirstRepeat},
    {"gActionNextRepeat", &Settings::gActionNextRepeat},
    {"gForceVideoForeground", &Settings::gForceVideoForeground},
};

int32_t ReadInteger(clsHashFile& store, const char* key, int32_t defaultValue) {
  const HashValue value = store.GetValue(key, HashValue(defaultValue), false);
  if (!value.IsText()) return defaultValue;
  const std::optional<int32_t> number = TryToLong(value.Text());
  if (!number) {
    // A hand-edited file must not stop the program: the setting keeps its default.
    WriteLog(std::string("LoadSettings: ") + key + " is not a number ('" + value.Text() +
             "'), using " + std::to_string(defaultValue));
    return defaultValue;
  }
  return *number;
}

std::string ReadText(clsHashFile& store, const char* key, const std::string& defaultValue) {
  const HashValue value = store.GetValue(key, HashValue(defaultValue), false);
  return value.ToText();
}

// The settings file has no escape for a double quote: a text holding one would
// be cut there when read back and shift every later pair. A play-list folder
// whose path holds one is saved as the nearest enclosing folder that has none.
std::string QuoteSafeFolder(const std::string& folder) {
  if (folder.find('"') == std::string::npos) return folder;
  std::string safe = folder.substr(0, folder.find('"'));
  const size_t separator = safe.find_last_of('/');
  safe = separator == std::string::npos ? std::string() : safe.substr(0, separator + 1);
  WriteLog("SaveSettings: the folder " + folder + " holds a double quote; saving " +
           (safe.empty() ? std::string("the volume list") : safe) + " instead");
  return safe;
}

}  // namespace

void LoadSettings(Settings& settings, const std::string& file,
                  const std::string& defaultPlaylistFolder, const PixelRect& windowGeometry) {
  Settings defaults;
  defaults.gPlaylistName = defaultPlaylistFolder;
  defaults.gFormLastLeft = windowGeometry.left;
  defaults.gFormLastTop = windowGeometry.top;
  defaults.gFormLastWidth = windowGeometry.width;
  defaults.gFormLastHeight = windowGeometry.height;

  clsHashFile store;
  if (!file.empty()) store.LoadHash(file, true, DamagedFile::KeepCopy);
  settings.gPlaylistName = ReadText(store, "gPlaylistName", defaults.gPlaylistName);
  for (const IntegerSetting& setting : kIntegerSettings) {
    settings.*setting.field = ReadInteger(store, setting.key, defaults.*setting.field);
  }
  settings.gSkinFilename = ReadText(store, "gSkinFilename", defaults.gSkinFilename);
}

int32_t SaveSettings(const Settings& settings, const std::string& file) {
  clsHashFile store;
  store.SetValue("gPlaylistName", HashValue(QuoteSafeFolder(settings.gPlaylistName)));
  for (const IntegerSetting& setting : kIntegerSettings) {
    store.SetValue(setting.key, HashValue(settings.*setting.field));
  }
  store.SetValue("gSkinFilename", HashValue(settings.gSkinFilename));
  return store.SaveHash(file);
}
