#include "platform/SdlFdWakeup.h"

#include <SDL.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>
#include <system_error>

#include "base/Log.h"

namespace {

uint64_t MonotonicUs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1000000u + static_cast<uint64_t>(now.tv_nsec) / 1000u;
}

// Milliseconds a poll may wait for the deadline, rounded up so it never
// wakes just before it; -1 waits without end.
int PollTimeout(uint64_t deadlineUs) {
  if (deadlineUs == SdlFdWakeup::kNoDeadline) return -1;
  const uint64_t now = MonotonicUs();
  if (deadlineUs <= now) return 0;
  const uint64_t ms = (deadlineUs - now + 999) / 1000;
  return ms > INT_MAX ? INT_MAX : static_cast<int>(ms);
}

}  // namespace

std::unique_ptr<SdlFdWakeup> SdlFdWakeup::Create() {
  const uint32_t eventType = SDL_RegisterEvents(1);
  if (eventType == static_cast<uint32_t>(-1)) {
    WriteLog("SdlFdWakeup: no SDL user event left");
    return nullptr;
  }
  const int interruptFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (interruptFd < 0) {
    WriteLog(std::string("SdlFdWakeup eventfd: ") + std::strerror(errno));
    return nullptr;
  }
  std::unique_ptr<SdlFdWakeup> wakeup(new SdlFdWakeup(eventType, interruptFd));
  try {
    wakeup->mThread = std::thread([self = wakeup.get()] { self->Run(); });
  } catch (const std::system_error& error) {
    WriteLog(std::string("SdlFdWakeup thread: ") + error.what());
    return nullptr;
  }
  return wakeup;
}

SdlFdWakeup::SdlFdWakeup(uint32_t eventType, int interruptFd)
    : mEventType(eventType), mInterruptFd(interruptFd) {}

SdlFdWakeup::~SdlFdWakeup() {
  {
    std::lock_guard<std::mutex> lock(mMutex);
    mStopping = true;
  }
  mChanged.notify_one();
  Interrupt();
  if (mThread.joinable()) mThread.join();
  close(mInterruptFd);
}

void SdlFdWakeup::Interrupt() {
  const uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = write(mInterruptFd, &one, sizeof one);
}

void SdlFdWakeup::Arm(int fd, short events, uint64_t deadlineUs) {
  const Watch watch{fd, events, deadlineUs};
  {
    std::lock_guard<std::mutex> lock(mMutex);
    if (mArmed && mWatch == watch) return;
    mWatch = watch;
    mArmed = true;
  }
  mChanged.notify_one();
  Interrupt();
}

void SdlFdWakeup::Run() {
  for (;;) {
    Watch watch;
    {
      std::unique_lock<std::mutex> lock(mMutex);
      mChanged.wait(lock, [this] { return mStopping || mArmed; });
      if (mStopping) return;
      watch = mWatch;
    }
    pollfd fds[2] = {{watch.fd, watch.events, 0}, {mInterruptFd, POLLIN, 0}};
    const int ready = poll(fds, 2, PollTimeout(watch.deadlineUs));
    if (ready < 0 && errno == EINTR) continue;
    if (fds[1].revents & POLLIN) {
      // A new watch, or the end: look again.
      uint64_t count = 0;
      [[maybe_unused]] const ssize_t read = ::read(mInterruptFd, &count, sizeof count);
      continue;
    }
    {
      std::lock_guard<std::mutex> lock(mMutex);
      if (mStopping) return;
      mArmed = false;
    }
    SDL_Event event{};
    event.type = mEventType;
    SDL_PushEvent(&event);
  }
}
