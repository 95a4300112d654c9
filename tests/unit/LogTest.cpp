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
  const std::string file = folder.File("stderr");
  const int target = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  ASSERT_GE(target, 0);
  const int savedStderr = dup(STDERR_FILENO);
  dup2(target, STDERR_FILENO);
  const LogSink previous = SetLogSink(nullptr);

  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t] {
      for (int n = 0; n < kLinesEach; ++n) {
        // Lengths up to beyond what a pipe takes in one piece.
        const size_t length = static_cast<size_t>((n * 977 + t * 131) % 6000);
        WriteLog("t" + std::to_string(t) + " n" + std::to_string(n) + " " +
                 std::string(length, 'x') + " end");
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
  std::string line;
  int lines = 0;
  int broken = 0;
  while (std::getline(written, line)) {
    ++lines;
    if (!isWhole(line)) ++broken;
  }
  EXPECT_EQ(lines, kThreads * kLinesEach);
  EXPECT_EQ(broken, 0);
}

}  // namespace
