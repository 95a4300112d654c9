#include "platform/SdlPadHotplug.h"

#include <SDL.h>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/inotify.h>
#include <systemd/sd-device.h>
#include <systemd/sd-event.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>

#include "platform/SdlFdWakeup.h"
#include "platform/SdlUiLoop.h"

namespace {

constexpr uint64_t kLongestSleepUs = 30'000'000;

uint64_t NowUs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1'000'000 + static_cast<uint64_t>(now.tv_nsec) / 1000;
}

}  // namespace

// Shared with the loop's watcher, which outlives the watch.
struct SdlPadHotplug::LoopLink {
  SdlPadHotplug* watch = nullptr;
};

std::unique_ptr<SdlPadHotplug> SdlPadHotplug::Create(SdlUiLoop& loop,
                                                     std::function<void()> devicesMayHaveChanged) {
  std::unique_ptr<SdlPadHotplug> watch(new SdlPadHotplug(std::move(devicesMayHaveChanged)));
  if (sd_event_new(&watch->mEvent) < 0) return nullptr;
  const bool announced = watch->WatchAnnouncements();
  const bool folder = watch->WatchDeviceFolder();
  if (!announced && !folder) return nullptr;
  watch->mWakeup = SdlFdWakeup::Create();
  if (!watch->mWakeup) return nullptr;
  watch->mLoopLink = std::make_shared<LoopLink>();
  watch->mLoopLink->watch = watch.get();
  const uint32_t eventType = watch->mWakeup->EventType();
  loop.AddEventWatcher([link = watch->mLoopLink, eventType](const SDL_Event& event) {
    if (event.type != eventType) return false;
    if (link->watch) link->watch->Wake();
    return true;
  });
  watch->Arm();
  return watch;
}

SdlPadHotplug::SdlPadHotplug(std::function<void()> devicesMayHaveChanged)
    : mDevicesMayHaveChanged(std::move(devicesMayHaveChanged)) {}

SdlPadHotplug::~SdlPadHotplug() {
  if (mLoopLink) mLoopLink->watch = nullptr;
  mWakeup.reset();
  sd_event_source_disable_unref(mFolderSource);
  if (mFolderWatch >= 0) close(mFolderWatch);
  sd_device_monitor_unref(mMonitor);
  sd_event_unref(mEvent);
}

bool SdlPadHotplug::WatchAnnouncements() {
  if (sd_device_monitor_new(&mMonitor) < 0) return false;
  if (sd_device_monitor_filter_add_match_subsystem_devtype(mMonitor, "input", nullptr) < 0 ||
      sd_device_monitor_filter_add_match_subsystem_devtype(mMonitor, "hidraw", nullptr) < 0 ||
      sd_device_monitor_attach_event(mMonitor, mEvent) < 0 ||
      sd_device_monitor_start(mMonitor, Announced, this) < 0) {
    mMonitor = sd_device_monitor_unref(mMonitor);
    return false;
  }
  return true;
}

bool SdlPadHotplug::WatchDeviceFolder() {
  mFolderWatch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (mFolderWatch < 0) return false;
  // Attribute changes too: a new device node becomes readable only once the
  // device manager has given it its permissions.
  if (inotify_add_watch(mFolderWatch, "/dev/input", IN_CREATE | IN_DELETE | IN_MOVE | IN_ATTRIB) <
          0 ||
      sd_event_add_io(mEvent, &mFolderSource, mFolderWatch, EPOLLIN, FolderChanged, this) < 0) {
    close(mFolderWatch);
    mFolderWatch = -1;
    return false;
  }
  return true;
}

int SdlPadHotplug::Announced(sd_device_monitor*, sd_device*, void* self) {
  static_cast<SdlPadHotplug*>(self)->mChanged = true;
  return 0;
}

int SdlPadHotplug::FolderChanged(sd_event_source*, int fd, uint32_t, void* self) {
  char buffer[4096];
  while (read(fd, buffer, sizeof buffer) > 0) {
  }
  static_cast<SdlPadHotplug*>(self)->mChanged = true;
  return 0;
}

void SdlPadHotplug::Wake() {
  while (sd_event_run(mEvent, 0) > 0) {
  }
  if (mChanged) {
    mChanged = false;
    mDevicesMayHaveChanged();
  }
  Arm();
}

void SdlPadHotplug::Arm() {
  mWakeup->Arm(sd_event_get_fd(mEvent), POLLIN, NowUs() + kLongestSleepUs);
}
