#pragma once

// Wakes the UI loop when a file descriptor is ready. A small thread waits on
// the descriptor and, when it is ready or its deadline passes, pushes one SDL
// event and waits to be armed again; it touches nothing else, so whatever the
// descriptor belongs to is only ever used on the UI thread.

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

class SdlFdWakeup {
 public:
  static constexpr uint64_t kNoDeadline = UINT64_MAX;

  // Nothing (and a log line) when no SDL event type or thread is to be had.
  static std::unique_ptr<SdlFdWakeup> Create();
  // Stops and joins the thread.
  ~SdlFdWakeup();
  SdlFdWakeup(const SdlFdWakeup&) = delete;
  SdlFdWakeup& operator=(const SdlFdWakeup&) = delete;

  // The type of the SDL events it pushes.
  uint32_t EventType() const { return mEventType; }

  // Waits for fd to be ready for events (poll flags) or until deadlineUs
  // (CLOCK_MONOTONIC microseconds), then pushes one event. Replaces any watch
  // still waiting; arming the same watch again changes nothing. UI thread only.
  void Arm(int fd, short events, uint64_t deadlineUs);

 private:
  struct Watch {
    int fd = -1;
    short events = 0;
    uint64_t deadlineUs = kNoDeadline;
    bool operator==(const Watch&) const = default;
  };

  SdlFdWakeup(uint32_t eventType, int interruptFd);
  void Run();
  void Interrupt();

  const uint32_t mEventType;
  const int mInterruptFd;  // an eventfd that ends a wait early
  std::mutex mMutex;
  std::condition_variable mChanged;
  Watch mWatch;
  bool mArmed = false;
  bool mStopping = false;
  std::thread mThread;
};
