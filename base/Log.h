#pragma once

// The diagnostics log. Every message becomes one line "YYYYMMDDHHNNSS: message"
// (local date and time); a message with line breaks stays one entry. Lines go
// to standard error unless a sink is installed. Logging never fails and never
// disturbs its caller. Any thread may log: each line is written whole, in one
// piece, under a lock that the sink is called under as well.

#include <functional>
#include <string>
#include <string_view>

void WriteLog(std::string_view message);

// The log line for a message at the current local time.
std::string FormatLogLine(std::string_view message);

// Replaces where log lines go; an empty function restores standard error.
// Returns the sink that was installed before. A sink must not log itself.
using LogSink = std::function<void(const std::string& line)>;
LogSink SetLogSink(LogSink sink);

// Keeps the lines logged from now on back, in their order and with the time
// they were logged, until ReleaseLog: start-up keeps the order its lines have
// always had while work moves behind the lines that name its outcome.
void HoldLog();
// Stops holding lines; the held ones go out (to the sink) after the lines
// that before() logs, which go out at once. Does nothing more when no lines
// are held.
void ReleaseLog(const std::function<void()>& before = {});
