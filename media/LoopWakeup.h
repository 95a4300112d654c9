#pragma once

// How a media engine's own threads wake the UI loop: Wake may be called from
// any thread, as often as it likes, and the loop runs the handler soon after
// on the UI thread; calls made before the handler ran merge into one run.
// Implemented over the program's UI loop in platform/.

#include <functional>

class LoopWakeup {
 public:
  virtual ~LoopWakeup() = default;

  // The function the loop runs after Wake; an empty one runs nothing. UI
  // thread only.
  virtual void SetHandler(std::function<void()> handler) = 0;
  // Never blocks and never fails; a wake-up that cannot be queued is dropped.
  virtual void Wake() = 0;
};
