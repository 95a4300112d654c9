#pragma once

// Writes the hash file format: one `"key",value` line per pair, ended by CR LF,
// each value in the form of its kind. A file is replaced as a whole: the new
// text goes to a temporary file beside it, reaches the disk, and only then
// takes the old file's name, so a failed save never costs the previous file.

#include <string>
#include <string_view>

#include "store/HashValue.h"

class HashFileWriter {
 public:
  // Appends the line for one pair. Text goes between double quotes unchanged
  // (the format has no escape, so a quote inside cuts it when read back),
  // integers in decimal, doubles in decimal with "." and no exponent,
  // booleans #TRUE#/#FALSE#, date-times #yyyy-mm-dd hh:mm:ss#, null #NULL#.
  // An empty value is written as the empty text "" rather than as nothing,
  // because a missing value would pair every later key with the wrong value
  // when the file is read back. Returns false, with a description in error,
  // for a value that has no written form (a double that is not finite).
  static bool AppendLine(std::string& text, std::string_view key, const HashValue& value,
                         std::string& error);

  // Replaces the file at path with text. Returns false, with a description in
  // error, when the text could not be written in full; the old file, if any,
  // is then left as it was and no temporary file stays behind.
  static bool ReplaceFile(const std::string& path, std::string_view text, std::string& error);

  // The name of the temporary file that ReplaceFile writes for path.
  static std::string TemporaryPathOf(const std::string& path);
};
