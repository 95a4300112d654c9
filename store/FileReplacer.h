#pragma once

// Replaces a file's whole contents without ever costing the user the file
// they had. The new text normally goes to a temporary file beside the old
// one, reaches the disk, and only then takes the old file's name. Where the
// folder takes no new file but the file itself may be written, the file is
// written in place instead, with its room reserved first so that a full disk
// leaves it as it was. A file that its owner made read-only is never
// replaced.

#include <string>
#include <string_view>

class FileReplacer {
 public:
  // Replaces the file at path (the file a symbolic link leads to, for a link)
  // with text. Returns false, with a description in error, when the text
  // could not be written in full or the file is read-only; the old file, if
  // any, is then left as it was and no temporary file stays behind.
  static bool Replace(const std::string& path, std::string_view text, std::string& error);

  // True when name (a file name without its folder) has the form of the
  // temporary files written for the file named fileName:
  // "<fileName>.<process id>.<six letters or digits>.tmp".
  static bool IsTemporaryNameOf(std::string_view name, std::string_view fileName);

  // Removes the temporary files of the file at path that a run which ended
  // before finishing its save left behind: those of processes that are gone,
  // and any older than an hour. Best effort; files of other forms are never
  // touched.
  static void RemoveStaleTemporaries(const std::string& path);
};
