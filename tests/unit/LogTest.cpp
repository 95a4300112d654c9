#include "base/Log.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/TempFolder.h"

namespace {

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

}  // namespace
