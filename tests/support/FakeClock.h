#pragma once

#include "base/Clock.h"

// A clock that only moves when the test says so.
class FakeClock final : public Clock {
 public:
  uint64_t NowMs() const override { return mNow; }
  void Advance(uint64_t milliseconds) { mNow += milliseconds; }
  void Set(uint64_t milliseconds) { mNow = milliseconds; }

 private:
  uint64_t mNow = 1000;
};
