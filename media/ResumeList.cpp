#include "media/ResumeList.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "base/Conversions.h"
#include "base/Log.h"
#include "store/clsHashFile.h"

namespace {

constexpr std::string_view kSubtitlesPrefix = "subtitles:";

// Below a second nothing has been watched that is worth coming back to.
constexpr double kLeastPosition = 1;

// The file format has no escape for a double quote, so such a path cannot
// be written as a key.
bool IsStorable(const std::string& path) {
  return !path.empty() && path.front() == '/' && path.find('"') == std::string::npos;
}

}  // namespace

void ResumeList::Load(const std::string& file) {
  mFiles.clear();
  std::error_code error;
  if (!std::filesystem::exists(file, error)) return;
  clsHashFile store;
  if (store.LoadHash(file, false, DamagedFile::KeepCopy) == 0) {
    WriteLog("the resume positions in " + file + " were not usable; every film starts from its " +
             "beginning");
    store.Clear();
  }
  for (std::string key = store.GetNextKey(-1); !key.empty(); key = store.GetNextKey()) {
    const std::string value = store.GetValue(key, HashValue("")).ToText();
    if (key.starts_with(kSubtitlesPrefix)) {
      const std::string path = key.substr(kSubtitlesPrefix.size());
      for (File& entry : mFiles) {
        if (entry.path == path) entry.entry.subtitles = value;
      }
      continue;
    }
    const std::optional<double> seconds = TryToDouble(value);
    if (!IsStorable(key) || !seconds || !std::isfinite(*seconds) || *seconds < 0) {
      WriteLog("Tavizo.resume: ignoring '" + key + "'," + value);
      continue;
    }
    Forget(key);
    mFiles.push_back({key, {*seconds, {}}});
  }
  while (mFiles.size() > kMostFiles) mFiles.erase(mFiles.begin());
}

int32_t ResumeList::Save(const std::string& file) const {
  clsHashFile store;
  for (const File& entry : mFiles) {
    // Tenths of a second are close enough and keep the file readable.
    store.SetValue(entry.path, HashValue(std::round(entry.entry.seconds * 10) / 10), true);
    if (!entry.entry.subtitles.empty()) {
      store.SetValue(std::string(kSubtitlesPrefix) + entry.path, HashValue(entry.entry.subtitles),
                     true);
    }
  }
  return store.SaveHash(file);
}

void ResumeList::Forget(const std::string& path) {
  std::erase_if(mFiles, [&](const File& entry) { return entry.path == path; });
}

void ResumeList::Leave(const std::string& path, double position, double duration,
                       const std::string& subtitles) {
  if (!IsStorable(path)) return;
  Forget(path);
  if (!std::isfinite(position) || !std::isfinite(duration) || duration <= kShortestFilm ||
      position < kLeastPosition || position >= duration - kFinalStretch) {
    return;
  }
  mFiles.push_back({path, {position, subtitles}});
  if (mFiles.size() > kMostFiles) mFiles.erase(mFiles.begin());
}

std::optional<ResumeList::Entry> ResumeList::Find(const std::string& path, double duration) {
  const auto found = std::find_if(mFiles.begin(), mFiles.end(),
                                  [&](const File& entry) { return entry.path == path; });
  if (found == mFiles.end()) return std::nullopt;
  if (found->entry.seconds >= duration) {
    WriteLog("the position remembered for " + path + " lies beyond its end; it starts from the " +
             "beginning");
    mFiles.erase(found);
    return std::nullopt;
  }
  return found->entry;
}
