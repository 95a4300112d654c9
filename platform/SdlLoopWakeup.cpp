#include "platform/SdlLoopWakeup.h"

#include <SDL.h>

#include <atomic>

#include "base/Log.h"
#include "platform/SdlUiLoop.h"

// Shared with the loop's watcher. Only eventType and queued are touched by
// other threads.
struct SdlLoopWakeup::Link {
  uint32_t eventType = 0;
  std::atomic<bool> queued{false};
  std::function<void()> handler;
};

std::unique_ptr<SdlLoopWakeup> SdlLoopWakeup::Create(SdlUiLoop& loop) {
  const uint32_t eventType = SDL_RegisterEvents(1);
  if (eventType == static_cast<uint32_t>(-1)) {
    WriteLog("no SDL user event left to wake the UI loop with");
    return nullptr;
  }
  auto link = std::make_shared<Link>();
  link->eventType = eventType;
  loop.AddEventWatcher([link](const SDL_Event& event) {
    if (event.type != link->eventType) return false;
    // Cleared first: a wake-up while the handler runs queues the next run.
    link->queued = false;
    if (link->handler) link->handler();
    return true;
  });
  return std::unique_ptr<SdlLoopWakeup>(new SdlLoopWakeup(std::move(link)));
}

SdlLoopWakeup::~SdlLoopWakeup() {
  mLink->handler = nullptr;
}

void SdlLoopWakeup::SetHandler(std::function<void()> handler) {
  mLink->handler = std::move(handler);
}

void SdlLoopWakeup::Wake() {
  if (mLink->queued.exchange(true)) return;
  SDL_Event event{};
  event.type = mLink->eventType;
  if (SDL_PushEvent(&event) != 1) mLink->queued = false;
}
