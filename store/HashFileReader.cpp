#include "store/HashFileReader.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/Conversions.h"
#include "base/Text.h"

namespace {

constexpr size_t kPieceBytes = 64 * 1024;

bool IsDigit(unsigned char c) {
  return c >= '0' && c <= '9';
}

// The number as the file means it: with a "." a double in its plain decimal
// form, without one a 32-bit integer (so "007" is 7 and "-0" is 0).
std::optional<std::string> ConvertNumber(std::string_view token) {
  if (token.find('.') != std::string_view::npos) {
    const std::optional<double> number = TryToDouble(token);
    if (!number || !std::isfinite(*number)) return std::nullopt;
    return FormatDecimal(*number);
  }
  int32_t number = 0;
  const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), number);
  if (error != std::errc() || end != token.data() + token.size()) return std::nullopt;
  return std::to_string(number);
}

// Reads `minimum` to `maximum` digits at position; -1 when there are fewer.
int ReadDigits(std::string_view text, size_t& position, size_t minimum, size_t maximum) {
  int value = 0;
  size_t count = 0;
  while (position < text.size() && count < maximum &&
         IsDigit(static_cast<unsigned char>(text[position]))) {
    value = value * 10 + (text[position] - '0');
    ++position;
    ++count;
  }
  return count >= minimum ? value : -1;
}

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Parses "yyyy-mm-dd" at position; false leaves position where it was.
bool ParseDate(std::string_view text, size_t& position, DateTimeValue& moment) {
  size_t at = position;
  const int year = ReadDigits(text, at, 4, 4);
  if (year < 100 || at >= text.size() || text[at] != '-') return false;
  ++at;
  const int month = ReadDigits(text, at, 1, 2);
  if (month < 1 || month > 12 || at >= text.size() || text[at] != '-') return false;
  ++at;
  const int day = ReadDigits(text, at, 1, 2);
  if (day < 1 || day > DaysInMonth(year, month)) return false;
  moment.year = year;
  moment.month = month;
  moment.day = day;
  position = at;
  return true;
}

// Parses "hh:mm" or "hh:mm:ss" at position.
bool ParseTime(std::string_view text, size_t& position, DateTimeValue& moment) {
  size_t at = position;
  const int hour = ReadDigits(text, at, 1, 2);
  if (hour < 0 || hour > 23 || at >= text.size() || text[at] != ':') return false;
  ++at;
  const int minute = ReadDigits(text, at, 2, 2);
  if (minute < 0 || minute > 59) return false;
  int second = 0;
  if (at < text.size() && text[at] == ':') {
    ++at;
    second = ReadDigits(text, at, 2, 2);
    if (second < 0 || second > 59) return false;
  }
  moment.hour = hour;
  moment.minute = minute;
  moment.second = second;
  position = at;
  return true;
}

// A date-time literal in the form the program writes: "yyyy-mm-dd",
// "hh:mm:ss" or both separated by blanks. The text keeps the parts given.
std::optional<std::string> ConvertDateTime(std::string_view literal) {
  const std::string trimmed = TrimText(literal);
  const std::string_view text = trimmed;
  DateTimeValue moment;
  size_t position = 0;
  const bool hasDate = ParseDate(text, position, moment);
  if (hasDate) {
    const size_t dateEnd = position;
    while (position < text.size() && text[position] == ' ') ++position;
    if (position == dateEnd && position < text.size()) return std::nullopt;
  }
  const bool hasTime = position < text.size() && ParseTime(text, position, moment);
  if (position != text.size() || (!hasDate && !hasTime)) return std::nullopt;
  const std::string full = FormatDateTime(moment);
  if (!hasTime) return full.substr(0, 10);
  if (!hasDate) return full.substr(11);
  return full;
}

}  // namespace

HashFileReader::HashFileReader(std::string_view text) : mData(text.data()), mSize(text.size()) {}

HashFileReader::HashFileReader(std::unique_ptr<std::FILE, FileCloser> file)
    : mFile(std::move(file)), mBuffer(kPieceBytes) {
  mData = mBuffer.data();
}

HashFileReader::~HashFileReader() = default;

HashFileReader::OpenResult HashFileReader::OpenFile(const std::string& path) {
  OpenResult result;
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) {
    result.missing = errno == ENOENT;
    result.error = "cannot open the file: " + std::string(std::strerror(errno));
    return result;
  }
  struct stat status {};
  if (::fstat(descriptor, &status) == 0 && S_ISDIR(status.st_mode)) {
    ::close(descriptor);
    result.error = "the name is a folder, not a file";
    return result;
  }
  std::unique_ptr<std::FILE, FileCloser> file(::fdopen(descriptor, "rb"));
  if (!file) {
    result.error = "cannot open the file: " + std::string(std::strerror(errno));
    ::close(descriptor);
    return result;
  }
  result.reader.reset(new HashFileReader(std::move(file)));
  return result;
}

bool HashFileReader::Fill() {
  if (mPosition < mSize) return true;
  if (!mFile || mReadFailed) return false;
  mSize = std::fread(mBuffer.data(), 1, mBuffer.size(), mFile.get());
  mPosition = 0;
  if (mSize == 0 && std::ferror(mFile.get())) {
    mReadFailed = true;
    mReadErrno = errno;
  }
  return mSize > 0;
}

bool HashFileReader::Peek(unsigned char& byte) {
  if (!Fill()) return false;
  byte = static_cast<unsigned char>(mData[mPosition]);
  return true;
}

bool HashFileReader::Next(unsigned char& byte) {
  if (!Peek(byte)) return false;
  ++mPosition;
  if (byte == '\n') ++mLine;
  return true;
}

HashFileReader::ReadResult HashFileReader::Fail(const std::string& description) {
  mFailure = "line " + std::to_string(mLine) + ": " + description;
  return ReadResult::Failure;
}

HashFileReader::ReadResult HashFileReader::EndInsideToken() {
  if (!mReadFailed) return ReadResult::Token;
  return Fail("the file could not be read: " + std::string(std::strerror(mReadErrno)));
}

HashFileReader::ReadResult HashFileReader::MyInput(HashValue& value) {
  value = HashValue(std::string());
  unsigned char c = 0;
  while (Next(c)) {
    if (c == '"') return ReadString(value);
    if (c == '#') return ReadLiteral(value);
    if (c == '-' || IsDigit(c)) return ReadNumber(c, value);
    if (c == '{' || c == '}') {
      value = HashValue(std::string(1, static_cast<char>(c)));
      return ReadResult::Token;
    }
    if (c == '\'') SkipComment();
    // Blanks, commas, line breaks and every other byte only separate tokens.
  }
  if (mReadFailed) return EndInsideToken();
  return ReadResult::EndOfFile;
}

HashFileReader::ReadResult HashFileReader::ReadString(HashValue& value) {
  std::string bytes;
  while (Fill()) {
    const char* start = mData + mPosition;
    const size_t available = mSize - mPosition;
    const auto* quote = static_cast<const char*>(std::memchr(start, '"', available));
    const size_t length = quote ? static_cast<size_t>(quote - start) : available;
    if (bytes.size() + length > kMaxTextBytes) {
      return Fail("a text longer than " + std::to_string(kMaxTextBytes) + " bytes");
    }
    bytes.append(start, length);
    mLine += std::count(start, start + length, '\n');
    mPosition += length;
    if (quote) {
      ++mPosition;
      // A text that is not valid UTF-8 was saved in a Western 8-bit code page.
      value = HashValue(DecodeFileText(bytes));
      return ReadResult::Token;
    }
  }
  value = HashValue(DecodeFileText(bytes));
  return EndInsideToken();
}

HashFileReader::ReadResult HashFileReader::ReadNumber(unsigned char first, HashValue& value) {
  std::string token(1, static_cast<char>(first));
  unsigned char c = 0;
  while (Peek(c) && (IsDigit(c) || c == '.')) {
    if (token.size() >= kMaxNumberBytes) {
      return Fail("a number longer than " + std::to_string(kMaxNumberBytes) + " characters");
    }
    token += static_cast<char>(c);
    ++mPosition;
  }
  if (mReadFailed) return EndInsideToken();
  // A number that runs to the very end of the file is complete, so it is
  // converted like any other (a file need not end with a line break).
  std::optional<std::string> text = ConvertNumber(token);
  if (!text) return Fail("the number " + token + " is malformed or out of range");
  value = HashValue(std::move(*text));
  return ReadResult::Token;
}

HashFileReader::ReadResult HashFileReader::ReadLiteral(HashValue& value) {
  std::string token;
  unsigned char c = 0;
  while (Next(c)) {
    if (c == '#') {
      if (token == "TRUE") {
        value = HashValue("True");
      } else if (token == "FALSE") {
        value = HashValue("False");
      } else if (token == "NULL") {
        value = HashValue::Null();
      } else if (std::optional<std::string> moment = ConvertDateTime(token)) {
        value = HashValue(std::move(*moment));
      } else {
        return Fail("#" + DecodeFileText(token) +
                    "# is not TRUE, FALSE, NULL or a date and time (yyyy-mm-dd hh:mm:ss)");
      }
      return ReadResult::Token;
    }
    if (token.size() >= kMaxLiteralBytes) {
      return Fail("a #...# value longer than " + std::to_string(kMaxLiteralBytes) + " characters");
    }
    token += static_cast<char>(c);
  }
  // A literal cut off by the end of the file stays the text gathered so far.
  value = HashValue(DecodeFileText(token));
  return EndInsideToken();
}

void HashFileReader::SkipComment() {
  while (Fill()) {
    const char* start = mData + mPosition;
    const size_t available = mSize - mPosition;
    const auto* lineFeed = static_cast<const char*>(std::memchr(start, '\n', available));
    if (lineFeed) {
      mPosition += static_cast<size_t>(lineFeed - start) + 1;
      ++mLine;
      return;
    }
    mPosition += available;
  }
}
