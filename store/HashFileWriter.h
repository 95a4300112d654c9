#pragma once

// Writes the hash file format: one `"key",value` line per pair, ended by CR LF,
// each value in the form of its kind. FileReplacer puts the text on disk.

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
};
