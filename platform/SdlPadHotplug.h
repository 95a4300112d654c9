#pragma once

// Wakes the UI loop when a game pad may have been plugged in or pulled out,
// so that SDL need not look for devices every few seconds while none is
// attached, waking the process each time. It listens to the device manager's
// announcements of input and hidraw devices (udev, through sd-device) and
// watches /dev/input: the two ways SDL's own detection learns of devices.
// The handler then lets SDL look.
//
// The loop is also woken at least every 30 s: SDL keeps an X screen saver
// from starting only while it handles events, which it then does.

#include <functional>
#include <memory>

class SdlFdWakeup;
class SdlUiLoop;
struct sd_device;
struct sd_device_monitor;
struct sd_event;
struct sd_event_source;

class SdlPadHotplug {
 public:
  // Nothing when neither the announcements nor the folder can be watched:
  // SDL then has to keep looking by itself. The loop must outlive this.
  static std::unique_ptr<SdlPadHotplug> Create(SdlUiLoop& loop,
                                               std::function<void()> devicesMayHaveChanged);
  ~SdlPadHotplug();
  SdlPadHotplug(const SdlPadHotplug&) = delete;
  SdlPadHotplug& operator=(const SdlPadHotplug&) = delete;

 private:
  struct LoopLink;

  explicit SdlPadHotplug(std::function<void()> devicesMayHaveChanged);
  bool WatchAnnouncements();
  bool WatchDeviceFolder();
  void Wake();
  void Arm();
  static int Announced(sd_device_monitor* monitor, sd_device* device, void* self);
  static int FolderChanged(sd_event_source* source, int fd, uint32_t events, void* self);

  std::function<void()> mDevicesMayHaveChanged;
  sd_event* mEvent = nullptr;
  sd_device_monitor* mMonitor = nullptr;
  sd_event_source* mFolderSource = nullptr;
  int mFolderWatch = -1;  // inotify
  bool mChanged = false;
  std::unique_ptr<SdlFdWakeup> mWakeup;
  std::shared_ptr<LoopLink> mLoopLink;
};
