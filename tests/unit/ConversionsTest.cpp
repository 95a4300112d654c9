#include "base/Conversions.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

namespace {

TEST(ConversionsTest, RoundHalfEvenTakesHalvesToTheEvenNeighbour) {
  struct Case {
    double value;
    double rounded;
  };
  const Case cases[] = {{0.5, 0},   {1.5, 2},    {2.5, 2},           {3.5, 4},     {-0.5, 0},
                        {-1.5, -2}, {-2.5, -2},  {65.5, 66},         {481.5, 482}, {0.49999, 0},
                        {2.51, 3},  {-2.51, -3}, {1e15 + 0.5, 1e15}, {7, 7}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(RoundHalfEven(c.value), c.rounded);
  }
}

TEST(ConversionsTest, ToLongRoundsHalvesToEvenAndRejectsWhatIsNoNumber) {
  struct Case {
    const char* text;
    bool isNumber;
    int32_t value;
  };
  const Case cases[] = {
      {"", true, 0},
      {"   ", true, 0},
      {"42", true, 42},
      {" -2500 ", true, -2500},
      {"007", true, 7},
      {"2.5", true, 2},
      {"3.5", true, 4},
      {"-0.5", true, 0},
      {"1e3", true, 1000},
      {"abc", false, 0},
      {"12abc", false, 0},
      {"1,5", false, 0},
      {"2147483647", true, 2147483647},
      {"2147483648", false, 0},
      {"-2147483648", true, -2147483647 - 1},
      {"nan", false, 0},
      {"inf", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<int32_t> parsed = TryToLong(c.text);
    EXPECT_EQ(parsed.has_value(), c.isNumber);
    EXPECT_EQ(ToLong(c.text), c.value);
  }
}

TEST(ConversionsTest, ToDoubleReadsAFullStopWhateverTheLocale) {
  // A locale whose decimal separator is a comma must not change how files read.
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  EXPECT_DOUBLE_EQ(TryToDouble("1.5").value_or(0), 1.5);
  EXPECT_DOUBLE_EQ(TryToDouble("-0.25").value_or(0), -0.25);
  EXPECT_FALSE(TryToDouble("1,5").has_value());
  EXPECT_EQ(FormatDecimal(2.5), "2.5");
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(ConversionsTest, FormatDecimalIsShortestWithoutExponent) {
  EXPECT_EQ(FormatDecimal(3), "3");
  EXPECT_EQ(FormatDecimal(2.5), "2.5");
  EXPECT_EQ(FormatDecimal(-0.125), "-0.125");
  EXPECT_EQ(FormatDecimal(1e20), "100000000000000000000");
  EXPECT_EQ(FormatDecimal(0.0001), "0.0001");
  EXPECT_EQ(FormatDecimal(-0.0), "0");
  EXPECT_EQ(FormatFixed(16.0 / 9.0, 2), "1.78");
  EXPECT_EQ(FormatFixed(4.0 / 3.0, 2), "1.33");
}

TEST(ConversionsTest, FileNameOfPrefersTheLastBackslash) {
  struct Case {
    const char* path;
    const char* name;
  };
  const Case cases[] = {
      {"C:\\Music\\song.mp3", "song.mp3"},
      {"/home/me/film.mkv", "film.mkv"},
      {"a/b\\c/d.avi", "c/d.avi"},
      {"plain.txt", "plain.txt"},
      {"/home/me/", "/home/me/"},
      {"C:\\Music\\", "C:\\Music\\"},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(FileNameOf(c.path), c.name);
  }
}

TEST(ConversionsTest, RoundRectAndTrim) {
  EXPECT_EQ(RoundRect(0.5, 1.5, 2.5, 3.5), (std::array<int32_t, 4>{0, 2, 2, 4}));
  EXPECT_EQ(TrimText("  My Media \t"), "My Media");
  EXPECT_EQ(TrimText(""), "");
}

TEST(ConversionsTest, FileExistsOnlyForReadableFiles) {
  EXPECT_TRUE(FileExists(TAVIZO_SOURCE_DIR "/CMakeLists.txt"));
  EXPECT_FALSE(FileExists(TAVIZO_SOURCE_DIR "/no-such-file.txt"));
}

}  // namespace
