#pragma once

// A value of the hash store. Values keep their kind in memory; the file format
// writes each kind in its own form, and everything read back from a file is
// text.

#include <cstdint>
#include <string>
#include <utility>
#include <variant>

enum class HashValueKind { Empty, Null, Integer16, Integer32, Double, Boolean, DateTime, Text };

struct DateTimeValue {
  int32_t year = 1899;
  int32_t month = 12;
  int32_t day = 30;
  int32_t hour = 0;
  int32_t minute = 0;
  int32_t second = 0;
  bool operator==(const DateTimeValue&) const = default;
};

// "yyyy-mm-dd hh:mm:ss".
std::string FormatDateTime(const DateTimeValue& moment);

class HashValue {
 public:
  HashValue() = default;  // Empty.
  HashValue(int32_t value) : mValue(value) {}
  HashValue(double value) : mValue(value) {}
  HashValue(bool value) : mValue(value) {}
  HashValue(DateTimeValue value) : mValue(value) {}
  HashValue(std::string value) : mValue(std::move(value)) {}
  HashValue(const char* value) : mValue(std::string(value)) {}

  static HashValue Null() {
    HashValue value;
    value.mValue = NullTag{};
    return value;
  }
  static HashValue Integer16(int16_t number) {
    HashValue value;
    value.mValue = number;
    return value;
  }

  HashValueKind Kind() const { return static_cast<HashValueKind>(mValue.index()); }
  bool IsEmpty() const { return Kind() == HashValueKind::Empty; }
  bool IsNull() const { return Kind() == HashValueKind::Null; }
  bool IsText() const { return Kind() == HashValueKind::Text; }

  // The text of a text value; empty for every other kind.
  const std::string& Text() const;

  // The number of a floating value; 0 for every other kind.
  double Double() const;

  // The value as text: integers in decimal, doubles in their shortest decimal
  // form with ".", booleans "True"/"False", date-times "yyyy-mm-dd hh:mm:ss",
  // empty and null as empty text.
  std::string ToText() const;

  bool operator==(const HashValue&) const = default;

 private:
  struct NullTag {
    bool operator==(const NullTag&) const = default;
  };
  std::variant<std::monostate, NullTag, int16_t, int32_t, double, bool, DateTimeValue, std::string>
      mValue;
};
