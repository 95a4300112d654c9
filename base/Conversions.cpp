#include "base/Conversions.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  const double floor = std::floor(value);
  const double difference = value - floor;
  if (difference > 0.5) return floor + 1.0;
  if (difference < 0.5) return floor;
  return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

int32_t RoundToInt32(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = RoundHalfEven(value);
  if (rounded >= static_cast<double>(std::numeric_limits<int32_t>::max())) {
    return std::numeric_limits<int32_t>::max();
  }
  if (rounded <= static_cast<double>(std::numeric_limits<int32_t>::min())) {
    return std::numeric_limits<int32_t>::min();
  }
  return static_cast<int32_t>(rounded);
}

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimView(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::optional<double> TryToDouble(std::string_view text) {
  text = TrimView(text);
  if (text.empty()) return 0.0;
  if (text.front() == '+') text.remove_prefix(1);
  // from_chars accepts "inf" and "nan"; numbers in Tavizo's files never are.
  for (char c : text) {
    if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == 'e' ||
          c == 'E' || c == '+')) {
      return std::nullopt;
    }
  }
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<int32_t> TryToLong(std::string_view text) {
  const std::optional<double> value = TryToDouble(text);
  if (!value) return std::nullopt;
  const double rounded = RoundHalfEven(*value);
  if (rounded > static_cast<double>(std::numeric_limits<int32_t>::max()) ||
      rounded < static_cast<double>(std::numeric_limits<int32_t>::min())) {
    return std::nullopt;
  }
  return static_cast<int32_t>(rounded);
}

int32_t ToLong(std::string_view text) {
  return TryToLong(text).value_or(0);
}

std::string TrimText(std::string_view text) {
  return std::string(TrimView(text));
}

std::string FileNameOf(std::string_view path) {
  size_t separator = path.rfind('\\');
  if (separator == std::string_view::npos) separator = path.rfind('/');
  if (separator == std::string_view::npos || separator + 1 == path.size()) {
    return std::string(path);
  }
  return std::string(path.substr(separator + 1));
}

std::array<int32_t, 4> RoundRect(double left, double top, double right, double bottom) {
  return {RoundToInt32(left), RoundToInt32(top), RoundToInt32(right), RoundToInt32(bottom)};
}

bool FileExists(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return file.good();
}

std::string FormatDecimal(double value) {
  char buffer[400];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (error != std::errc()) return "0";
  std::string text(buffer, end);
  if (text == "-0") text.assign(1, '0');
  return text;
}

std::string FormatFixed(double value, int decimals) {
  char buffer[400];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (error != std::errc()) return "0";
  return std::string(buffer, end);
}
