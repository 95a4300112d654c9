#include "base/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

TEST(TextTest, LetterCaseFoldsForUnicodeLetters) {
  EXPECT_EQ(LowerText("GMediaVolume"), "gmediavolume");
  EXPECT_EQ(LowerText("ÄÖÜ É Ω Я"), "äöü é ω я");
  EXPECT_TRUE(EqualsIgnoreCase("wndVidMain.CMDPLAY", "wndvidmain.cmdplay"));
  EXPECT_TRUE(EqualsIgnoreCase("Über", "über"));
  // The ends of the ASCII letters, and the signs just beside them.
  EXPECT_EQ(LowerText("@AZ[`az{"), "@az[`az{");
  EXPECT_TRUE(EqualsIgnoreCase("Z", "z"));
  EXPECT_FALSE(EqualsIgnoreCase("[", "{"));
  EXPECT_FALSE(EqualsIgnoreCase("abc", "abcd"));
  EXPECT_TRUE(StartsWithIgnoreCase("MskFrame", "msk"));
  EXPECT_TRUE(EndsWithIgnoreCase("C:\\Music\\", "\\"));
  EXPECT_EQ(FindIgnoreCase("Audio Renderer (VIDEO)", "video"), 16u);
  EXPECT_EQ(FindIgnoreCase("Ärger Video", "video"), 7u);
  EXPECT_EQ(FindIgnoreCase("nothing", "video"), std::string_view::npos);
}

TEST(TextTest, CodePointOperationsNeverSplitASequence) {
  const std::string text = "Grüße €";
  EXPECT_EQ(CodePointCount(text), 7u);
  EXPECT_EQ(DropLastCodePoint(text), "Grüße ");
  EXPECT_EQ(DropLastCodePoint("ß"), "");
  EXPECT_EQ(DropFirstCodePoint("€uro"), "uro");
  EXPECT_EQ(FirstCodePoints(text, 3), "Grü");
  EXPECT_EQ(DropLastCodePoint(""), "");
}

TEST(TextTest, FilesThatAreNotUtf8AreTakenAsLatin1) {
  EXPECT_TRUE(IsValidUtf8("plain"));
  EXPECT_TRUE(IsValidUtf8("Play\xC2\xA7now"));
  EXPECT_FALSE(IsValidUtf8("Play\xA7now"));
  EXPECT_FALSE(IsValidUtf8("\xC0\x80"));
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));
  EXPECT_EQ(DecodeFileText("Play\xA7now"), "Play\xC2\xA7now");
  EXPECT_EQ(DecodeFileText("Play\xC2\xA7now"), "Play\xC2\xA7now");
}

TEST(TextTest, NaturalOrderComparesNumbersAsNumbersAndIgnoresCase) {
  std::vector<std::string> names = {"Episode 10", "episode 2",   "Episode 1", "alpha",
                                    "Beta",       "Episode 02b", "track007",  "track8"};
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return CompareNatural(a, b) < 0; });
  const std::vector<std::string> expected = {"alpha",       "Beta",       "Episode 1", "episode 2",
                                             "Episode 02b", "Episode 10", "track007",  "track8"};
  EXPECT_EQ(names, expected);
}

}  // namespace
