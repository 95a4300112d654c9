#pragma once

#include <memory>

#include "media/LoopWakeup.h"

class SdlUiLoop;

// Wakes the SDL UI loop with a user event of its own: one event at most is
// queued at a time, and the loop runs the handler when it takes it. The
// loop's watcher outlives the wake-up; an event that reaches it afterwards is
// consumed and runs nothing.
class SdlLoopWakeup final : public LoopWakeup {
 public:
  // Nothing (and a log line) when SDL has no user event type left.
  static std::unique_ptr<SdlLoopWakeup> Create(SdlUiLoop& loop);
  ~SdlLoopWakeup() override;
  SdlLoopWakeup(const SdlLoopWakeup&) = delete;
  SdlLoopWakeup& operator=(const SdlLoopWakeup&) = delete;

  void SetHandler(std::function<void()> handler) override;
  void Wake() override;

 private:
  struct Link;
  explicit SdlLoopWakeup(std::shared_ptr<Link> link) : mLink(std::move(link)) {}

  std::shared_ptr<Link> mLink;
};
