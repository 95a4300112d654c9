#pragma once

// Where the user left each long video: the file Tavizo.resume beside the
// settings, in the settings' key/value format, key the file's full path and
// value the position in seconds. A film is remembered when it is left before
// its last minute and forgotten once played to its end; the 500 files left
// most recently are kept. The subtitle choice made for a file is kept with its
// position, under the key "subtitles:" + path (a full path starts with "/", so
// no file's key looks like that).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class ResumeList {
 public:
  // Videos this long or shorter (seconds) are not remembered.
  static constexpr double kShortestFilm = 300;
  // A film left within this many seconds of its end counts as seen.
  static constexpr double kFinalStretch = 60;
  static constexpr size_t kMostFiles = 500;

  struct Entry {
    double seconds = 0;
    std::string subtitles;  // the subtitle choice; empty when the user made none
  };

  // Replaces the list with the file's. A missing file gives an empty list; a
  // damaged one is kept beside itself as "<file>.bad" and gives an empty
  // list too, so every film starts from its beginning.
  void Load(const std::string& file);
  // Writes the list as a whole new file; 1 when written, 0 on failure.
  int32_t Save(const std::string& file) const;

  // Records that the file was left at position of a medium that lasts
  // duration (seconds): remembered as the most recent file when the rules
  // above say so, forgotten otherwise.
  void Leave(const std::string& path, double position, double duration,
             const std::string& subtitles);
  // Where to start the file of the given duration again; nothing when it was
  // not left part-way, or when the stored position lies beyond its end (then
  // it is forgotten).
  std::optional<Entry> Find(const std::string& path, double duration);

  size_t Size() const { return mFiles.size(); }

 private:
  struct File {
    std::string path;
    Entry entry;
  };

  void Forget(const std::string& path);

  std::vector<File> mFiles;  // the least recent first
};
