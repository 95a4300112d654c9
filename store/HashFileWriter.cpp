#include "store/HashFileWriter.h"

#include <cmath>
#include <limits>

#include "base/Conversions.h"

namespace {

// A whole double beyond the 32-bit range keeps a ".0": without a point the
// reader takes a number for a 32-bit integer, which it does not fit.
std::string FormatDouble(double number) {
  std::string text = FormatDecimal(number);
  const bool fitsInteger = number >= std::numeric_limits<int32_t>::min() &&
                           number <= std::numeric_limits<int32_t>::max();
  if (!fitsInteger && text.find('.') == std::string::npos) text += ".0";
  return text;
}

}  // namespace

bool HashFileWriter::AppendLine(std::string& text, std::string_view key, const HashValue& value,
                                std::string& error) {
  text += '"';
  text += key;
  text += "\",";
  switch (value.Kind()) {
    case HashValueKind::Empty:
      text += "\"\"";
      break;
    case HashValueKind::Null:
      text += "#NULL#";
      break;
    case HashValueKind::Integer16:
    case HashValueKind::Integer32:
      text += value.ToText();
      break;
    case HashValueKind::Double:
      if (!std::isfinite(value.Double())) {
        error = "the value of " + std::string(key) + " is not a finite number";
        return false;
      }
      text += FormatDouble(value.Double());
      break;
    case HashValueKind::Boolean:
      text += value.ToText() == "True" ? "#TRUE#" : "#FALSE#";
      break;
    case HashValueKind::DateTime:
      text += '#';
      text += value.ToText();
      text += '#';
      break;
    case HashValueKind::Text:
      text += '"';
      text += value.Text();
      text += '"';
      break;
  }
  text += "\r\n";
  return true;
}
