#pragma once

// The conversions that every part of Tavizo shares. Numbers in text always use
// "." as the decimal point, whatever the locale; whole numbers come from
// floating values by rounding to nearest with halves to the even neighbour.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Rounds to the nearest whole number, halves to the even neighbour
// (0.5 -> 0, 1.5 -> 2, 2.5 -> 2, -0.5 -> 0).
double RoundHalfEven(double value);

// RoundHalfEven clamped into the 32-bit range.
int32_t RoundToInt32(double value);

// The number in the text, "." as the decimal point; leading and trailing
// blanks are allowed. Empty (or blank) text is 0. Returns nothing when the text
// is not a number.
std::optional<double> TryToDouble(std::string_view text);

// The number in the text as a 32-bit integer, a fraction rounded halves to
// even. Empty (or blank) text is 0. Returns nothing when the text is not a
// number or the number lies outside the 32-bit range.
std::optional<int32_t> TryToLong(std::string_view text);

// As TryToLong, but text that is not a number gives 0.
int32_t ToLong(std::string_view text);

// The text without leading and trailing blanks (spaces and tabs).
std::string TrimText(std::string_view text);

// The part after the last backslash; without a backslash, the part after the
// last slash; with neither, or when that separator is the last character, the
// whole path.
std::string FileNameOf(std::string_view path);

// Left, top, right and bottom, each rounded halves to even.
std::array<int32_t, 4> RoundRect(double left, double top, double right, double bottom);

// True when the file can be opened for reading.
bool FileExists(const std::string& path);

// The shortest decimal text that reads back as the same double, "." as the
// decimal point and never an exponent (3, 2.5, -0.125).
std::string FormatDecimal(double value);

// The value with exactly `decimals` digits after the point ("0.00" style).
std::string FormatFixed(double value, int decimals);
