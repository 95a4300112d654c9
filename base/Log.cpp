#include "base/Log.h"

#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <mutex>
#include <vector>

namespace {

// Picture decoding logs from several threads at once: the lock keeps every
// line whole and keeps the sink from being swapped while a line goes out.
std::mutex& LogLock() {
  static std::mutex lock;
  return lock;
}

LogSink& CurrentSink() {
  static LogSink sink;
  return sink;
}

// Lines kept back by HoldLog; none while nothing holds them.
struct HeldLines {
  bool holding = false;
  std::vector<std::string> lines;
};
HeldLines& Held() {
  static HeldLines held;
  return held;
}

// One write for the whole line; only a pipe that takes less than all of it at
// once (a full reader) needs more, and those stay in order under the lock.
void WriteWhole(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return;  // logging never disturbs its caller
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
}

// Under the lock.
void WriteLine(std::string line) {
  if (const LogSink& sink = CurrentSink()) {
    sink(line);
    return;
  }
  line += '\n';
  WriteWhole(STDERR_FILENO, line);
}

}  // namespace

std::string FormatLogLine(std::string_view message) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d%H%M%S", &local);
  std::string line(stamp);
  line += ": ";
  line += message;
  return line;
}

void WriteLog(std::string_view message) {
  std::string line = FormatLogLine(message);
  const std::lock_guard<std::mutex> hold(LogLock());
  if (Held().holding) {
    Held().lines.push_back(std::move(line));
    return;
  }
  WriteLine(std::move(line));
}

void HoldLog() {
  const std::lock_guard<std::mutex> hold(LogLock());
  Held().holding = true;
}

void ReleaseLog(const std::function<void()>& before) {
  std::vector<std::string> lines;
  {
    const std::lock_guard<std::mutex> hold(LogLock());
    if (!Held().holding) return;
    Held().holding = false;
    lines.swap(Held().lines);
  }
  if (before) before();
  const std::lock_guard<std::mutex> hold(LogLock());
  for (std::string& line : lines) WriteLine(std::move(line));
}

LogSink SetLogSink(LogSink sink) {
  const std::lock_guard<std::mutex> hold(LogLock());
  LogSink previous = std::move(CurrentSink());
  CurrentSink() = std::move(sink);
  return previous;
}
