#include "base/Conversions.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

namespace {

TEST(ConversionsTest, ToLongRoundsHalvesToEvenAndRejectsWhatIsNoNumber) {
  const struct {
    const char* text;
    bool isNumber;
    int32_t value;
  } cases[] = {
      {"", true, 0},
      {"42", true, 42},
      {" -2500 ", true, -2500},
      {"2.5", true, 2},
      {"3.5", true, 4},
      {"1e3", true, 1000},
      {"abc", false, 0},
      {"1,5", false, 0},
      {"2147483648", false, 0},
      {"-2147483648", true, -2147483647 - 1},
      {"inf", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<int32_t> parsed = TryToLong(c.text);
    EXPECT_EQ(parsed.has_value(), c.isNumber);
    EXPECT_EQ(ToLong(c.text), c.value);
  }
}

TEST(ConversionsTest, FileNameOfPrefersTheLastBackslash) {
  const struct {
    const char* path;
    const char* name;
  } cases[] = {
      {"C:\\Music\\song.mp3", "song.mp3"}, {"/home/me/film.mkv", "film.mkv"},
      {"a/b\\c/d.avi", "c/d.avi"},         {"/home/me/", "/home/me/"},
      {"C:\\Music\\", "C:\\Music\\"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(FileNameOf(c.path), c.name);
  }
}

}  // namespace
