#include "base/Text.h"

#include <locale.h>
#include <wctype.h>
#include <clocale>
#include <cwctype>

namespace {

// Case folding needs Unicode-aware tables whatever locale the user runs in,
// so it uses its own C.UTF-8 locale object rather than the global locale.
locale_t FoldingLocale() {
  static locale_t locale = [] {
    locale_t created = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    if (created == static_cast<locale_t>(0)) {
      created = newlocale(LC_CTYPE_MASK, "C", static_cast<locale_t>(0));
    }
    return created;
  }();
  return locale;
}

char32_t LowerCodePoint(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
  return static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), FoldingLocale()));
}

size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 0;
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

char32_t NextCodePoint(std::string_view text, size_t& position) {
  const auto lead = static_cast<unsigned char>(text[position]);
  const size_t length = SequenceLength(lead);
  if (length <= 1 || position + length > text.size()) {
    ++position;
    return lead;
  }
  char32_t value = lead & (0xFF >> (length + 1));
  for (size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[position + i]);
    if (!IsContinuation(byte)) {
      ++position;
      return lead;
    }
    value = (value << 6) | (byte & 0x3F);
  }
  position += length;
  return value;
}

void AppendCodePoint(std::string& text, char32_t c) {
  if (c < 0x80) {
    text += static_cast<char>(c);
  } else if (c < 0x800) {
    text += static_cast<char>(0xC0 | (c >> 6));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    text += static_cast<char>(0xE0 | (c >> 12));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (c >> 18));
    text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string LowerText(std::string_view text) {
  std::string lower;
  lower.reserve(text.size());
  size_t position = 0;
  while (position < text.size()) {
    const size_t start = position;
    const char32_t c = NextCodePoint(text, position);
    if (c < 0x80) {
      lower += static_cast<char>(LowerCodePoint(c));
    } else if (position - start == 1) {
      lower += text[start];  // A stray byte stays as it is.
    } else {
      AppendCodePoint(lower, LowerCodePoint(c));
    }
  }
  return lower;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  size_t i = 0;
  size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (LowerCodePoint(NextCodePoint(a, i)) != LowerCodePoint(NextCodePoint(b, j))) return false;
  }
  return i == a.size() && j == b.size();
}

size_t FindIgnoreCase(std::string_view text, std::string_view needle) {
  size_t position = 0;
  while (true) {
    if (StartsWithIgnoreCase(text.substr(position), needle)) return position;
    if (position >= text.size()) return std::string_view::npos;
    NextCodePoint(text, position);
  }
}

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
  size_t i = 0;
  size_t j = 0;
  while (j < prefix.size()) {
    if (i >= text.size()) return false;
    if (LowerCodePoint(NextCodePoint(text, i)) != LowerCodePoint(NextCodePoint(prefix, j))) {
      return false;
    }
  }
  return true;
}

bool EndsWithIgnoreCase(std::string_view text, std::string_view suffix) {
  const size_t count = CodePointCount(suffix);
  const size_t total = CodePointCount(text);
  if (count > total) return false;
  std::string_view tail = text;
  for (size_t i = 0; i < total - count; ++i) tail = DropFirstCodePoint(tail);
  return EqualsIgnoreCase(tail, suffix);
}

size_t CodePointCount(std::string_view text) {
  size_t count = 0;
  size_t position = 0;
  while (position < text.size()) {
    NextCodePoint(text, position);
    ++count;
  }
  return count;
}

std::string_view DropLastCodePoint(std::string_view text) {
  if (text.empty()) return text;
  size_t position = 0;
  size_t lastStart = 0;
  while (position < text.size()) {
    lastStart = position;
    NextCodePoint(text, position);
  }
  return text.substr(0, lastStart);
}

std::string_view DropFirstCodePoint(std::string_view text) {
  if (text.empty()) return text;
  size_t position = 0;
  NextCodePoint(text, position);
  return text.substr(position);
}

std::string_view FirstCodePoints(std::string_view text, size_t count) {
  size_t position = 0;
  for (size_t i = 0; i < count && position < text.size(); ++i) NextCodePoint(text, position);
  return text.substr(0, position);
}

bool IsValidUtf8(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const size_t length = SequenceLength(lead);
    if (length == 0 || i + length > bytes.size()) return false;
    if (length == 2 && lead < 0xC2) return false;  // Overlong form.
    for (size_t k = 1; k < length; ++k) {
      if (!IsContinuation(static_cast<unsigned char>(bytes[i + k]))) return false;
    }
    if (length == 3) {
      const auto second = static_cast<unsigned char>(bytes[i + 1]);
      if (lead == 0xE0 && second < 0xA0) return false;
      if (lead == 0xED && second >= 0xA0) return false;  // Surrogates.
    }
    if (length == 4) {
      const auto second = static_cast<unsigned char>(bytes[i + 1]);
      if (lead == 0xF0 && second < 0x90) return false;
      if (lead > 0xF4 || (lead == 0xF4 && second >= 0x90)) return false;
    }
    i += length;
  }
  return true;
}

std::string DecodeFileText(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 8);
  for (char byte : bytes) AppendCodePoint(text, static_cast<unsigned char>(byte));
  return text;
}

int CompareNatural(std::string_view a, std::string_view b) {
  size_t i = 0;
  size_t j = 0;
  auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  while (i < a.size() && j < b.size()) {
    if (isDigit(a[i]) && isDigit(b[j])) {
      size_t endA = i;
      size_t endB = j;
      while (endA < a.size() && isDigit(a[endA])) ++endA;
      while (endB < b.size() && isDigit(b[endB])) ++endB;
      std::string_view numberA = a.substr(i, endA - i);
      std::string_view numberB = b.substr(j, endB - j);
      while (numberA.size() > 1 && numberA.front() == '0') numberA.remove_prefix(1);
      while (numberB.size() > 1 && numberB.front() == '0') numberB.remove_prefix(1);
      if (numberA.size() != numberB.size()) return numberA.size() < numberB.size() ? -1 : 1;
      if (const int order = numberA.compare(numberB); order != 0) return order < 0 ? -1 : 1;
      i = endA;
      j = endB;
      continue;
    }
    const char32_t ca = LowerCodePoint(NextCodePoint(a, i));
    const char32_t cb = LowerCodePoint(NextCodePoint(b, j));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return a.compare(b) < 0 ? -1 : (a.compare(b) > 0 ? 1 : 0);
}
