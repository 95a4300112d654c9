#pragma once

// Milliseconds of a monotonic clock. The UI timers and the joystick repeat
// timing read time through this interface so tests can drive it.

#include <cstdint>

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start; never goes backwards.
  virtual uint64_t NowMs() const = 0;
};

// The clock of the running program (std::chrono::steady_clock).
class SteadyClock final : public Clock {
 public:
  uint64_t NowMs() const override;
};
