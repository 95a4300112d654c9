#include "app/Log.h"

#include <cstdio>
#include <ctime>

namespace {

LogSink& CurrentSink() {
  static LogSink sink;
  return sink;
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
  const std::string line = FormatLogLine(message);
  if (const LogSink& sink = CurrentSink()) {
    sink(line);
    return;
  }
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

LogSink SetLogSink(LogSink sink) {
  LogSink previous = std::move(CurrentSink());
  CurrentSink() = std::move(sink);
  return previous;
}
