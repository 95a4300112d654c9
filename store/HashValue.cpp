#include "store/HashValue.h"

#include <cstdio>

#include "base/Conversions.h"

std::string FormatDateTime(const DateTimeValue& moment) {
  char text[80];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", moment.year, moment.month,
                moment.day, moment.hour, moment.minute, moment.second);
  return text;
}

const std::string& HashValue::Text() const {
  static const std::string kNoText;
  if (const auto* text = std::get_if<std::string>(&mValue)) return *text;
  return kNoText;
}

double HashValue::Double() const {
  if (const auto* number = std::get_if<double>(&mValue)) return *number;
  return 0.0;
}

std::string HashValue::ToText() const {
  switch (Kind()) {
    case HashValueKind::Empty:
    case HashValueKind::Null:
      return {};
    case HashValueKind::Integer16:
      return std::to_string(std::get<int16_t>(mValue));
    case HashValueKind::Integer32:
      return std::to_string(std::get<int32_t>(mValue));
    case HashValueKind::Double:
      return FormatDecimal(std::get<double>(mValue));
    case HashValueKind::Boolean:
      return std::get<bool>(mValue) ? "True" : "False";
    case HashValueKind::DateTime:
      return FormatDateTime(std::get<DateTimeValue>(mValue));
    case HashValueKind::Text:
      return std::get<std::string>(mValue);
  }
  return {};
}
