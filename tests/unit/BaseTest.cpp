// The base floor: text and its letter case, conversions, whole log lines from
// many threads, and the timers over the clock.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "base/Clock.h"
#include "base/Conversions.h"
#include "base/Log.h"
#include "base/Text.h"
#include "base/TimerTable.h"
#include "support/FakeClock.h"
#include "support/TempFolder.h"

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

// The threads that decode a skin's pictures log at the same time as the UI
// thread: every line must reach standard error whole, never cut by another.
TEST(LogTest, LinesFromManyThreadsAtOnceStayWhole) {
  constexpr int kThreads = 8;
  constexpr int kLinesEach = 300;
  TempFolder folder;
  const int target = open(folder.File("stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const int savedStderr = dup(STDERR_FILENO);
  ASSERT_GE(dup2(target, STDERR_FILENO), 0);
  const LogSink previous = SetLogSink(nullptr);

  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t] {
      // Lengths up to beyond what a pipe takes in one piece.
      for (int n = 0; n < kLinesEach; ++n) {
        WriteLog("t" + std::to_string(t) + " n" + std::to_string(n) + " " +
                 std::string(static_cast<size_t>((n * 977 + t * 131) % 6000), 'x') + " end");
      }
    });
  }
  for (std::thread& thread : threads) thread.join();

  SetLogSink(previous);
  dup2(savedStderr, STDERR_FILENO);
  close(savedStderr);
  close(target);

  // A whole line: the time stamp, one message, its end and nothing after it.
  auto isWhole = [](const std::string& line) {
    const size_t filler = line.find(' ', line.find(" n") + 1);
    return line.size() > 18 && line.compare(14, 3, ": t") == 0 && filler != std::string::npos &&
           line.find_first_not_of('x', filler + 1) == line.size() - 4 &&
           line.compare(line.size() - 4, 4, " end") == 0;
  };
  std::istringstream written(folder.Read("stderr"));
  int lines = 0, broken = 0;
  for (std::string line; std::getline(written, line); ++lines) broken += isWhole(line) ? 0 : 1;
  EXPECT_EQ(lines, kThreads * kLinesEach);
  EXPECT_EQ(broken, 0);
}

TEST(TimerTableTest, TicksWhenDueAndCountsAgainFromTheTick) {
  FakeClock clock;
  TimerTable timers(clock);
  std::vector<TimerId> ticks;
  timers.SetTickHandler([&](TimerId id) { ticks.push_back(id); });
  timers[TimerId::DXJoystickPoll].Disable();
  timers[TimerId::InfoUpdate].Enable();
  clock.Advance(99);
  timers.RunDue();
  EXPECT_TRUE(ticks.empty());
  clock.Advance(1);
  timers.RunDue();
  ASSERT_EQ(ticks.size(), 1u);
  EXPECT_EQ(timers.MsUntilNextDue(), 100);
  timers[TimerId::InfoUpdate].Disable();
  EXPECT_EQ(timers.MsUntilNextDue(), -1);
}

// The program's own clock counts milliseconds (the bounds allow a busy machine).
TEST(SteadyClockTest, CountsMilliseconds) {
  SteadyClock clock;
  const uint64_t start = clock.NowMs();
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  const uint64_t passed = clock.NowMs() - start;
  EXPECT_GE(passed, 30u);
  EXPECT_LT(passed, 3000u);
}

}  // namespace
