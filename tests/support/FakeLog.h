#pragma once

// Catches the log for as long as it lives: every message, without the date and
// time in front, in the order written. The previous sink comes back at the end.

#include <string>
#include <utility>
#include <vector>

#include "base/Log.h"

class FakeLog {
 public:
  FakeLog() {
    mPrevious = SetLogSink([this](const std::string& line) {
      // "YYYYMMDDHHNNSS: " stands in front of every message.
      const size_t colon = line.find(": ");
      mMessages.push_back(colon == std::string::npos ? line : line.substr(colon + 2));
    });
  }
  ~FakeLog() { SetLogSink(std::move(mPrevious)); }
  FakeLog(const FakeLog&) = delete;
  FakeLog& operator=(const FakeLog&) = delete;

  const std::vector<std::string>& Messages() const { return mMessages; }
  void Clear() { mMessages.clear(); }
  // Every message, each ended by a line break.
  std::string All() const {
    std::string all;
    for (const std::string& message : mMessages) all += message + "\n";
    return all;
  }

 private:
  LogSink mPrevious;
  std::vector<std::string> mMessages;
};
