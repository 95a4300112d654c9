#pragma once

// UTF-8 text helpers. Text in memory is UTF-8; every operation here works on
// whole code points and never splits a multi-byte sequence. Letter case is
// folded for Unicode letters, not only ASCII.

#include <cstdint>
#include <string>
#include <string_view>

// The text with every letter in lower case.
std::string LowerText(std::string_view text);

// True when the two texts are equal ignoring letter case.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// Position (in bytes) of the first occurrence of needle in text ignoring
// letter case, or std::string_view::npos.
size_t FindIgnoreCase(std::string_view text, std::string_view needle);

// True when text begins with prefix, ignoring letter case.
bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix);

// True when text ends with suffix, ignoring letter case.
bool EndsWithIgnoreCase(std::string_view text, std::string_view suffix);

// The number of code points in the text.
size_t CodePointCount(std::string_view text);

// The text without its last code point (empty text stays empty).
std::string_view DropLastCodePoint(std::string_view text);

// The text without its first code point (empty text stays empty).
std::string_view DropFirstCodePoint(std::string_view text);

// The first `count` code points of the text.
std::string_view FirstCodePoints(std::string_view text, size_t count);

// Decodes the code point at `position`, moving it past the sequence. A byte
// that starts no valid sequence is taken as one code point of that value.
char32_t NextCodePoint(std::string_view text, size_t& position);

// Appends the UTF-8 form of a code point.
void AppendCodePoint(std::string& text, char32_t codePoint);

// True when the bytes are valid UTF-8.
bool IsValidUtf8(std::string_view bytes);

// Bytes read from a file taken as text: UTF-8 when valid, else Latin-1 (so a
// file saved in a Western 8-bit code page loads).
std::string DecodeFileText(std::string_view bytes);

// Compares names the way a person expects: ignoring letter case and with runs
// of digits compared as numbers ("Episode 2" before "Episode 10"). Returns <0,
// 0 or >0.
int CompareNatural(std::string_view a, std::string_view b);
