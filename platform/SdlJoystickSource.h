#pragma once

// Joysticks and game pads through SDL's joystick API. Every attached device is
// opened at start and each one plugged in later; one pulled out is closed
// without disturbing the others. Devices are read also while the window is
// not in front.
//
// While a device is attached, SDL would read it about once a millisecond
// while the UI loop waits, waking the process all the time; so the devices
// are then read at each poll tick instead. With none attached, SDL looks for
// new ones every few seconds by itself, unless something that learns of new
// devices (SdlPadHotplug) calls Detect.
//
// The state handed on is the one the joystick module expects: axes 0..10000
// with 5000 at rest, buttons, and hats in hundredths of a degree. SDL has no
// dead zone or saturation of its own, so X and Y get a 10 % dead zone and
// reach their ends at 95 % of the way; the other axes are linear. An axis
// other than X and Y whose first reported value lay at one end of its range is
// a trigger (a pad's analogue shoulder button): its resting end reads 5000 and
// its other end 10000, so a trigger at rest is no input.
//
// Device names: the device's own name (a double quote in it becomes a single
// one, since the key file quotes its keys). When devices of the same name are
// attached at once, the first keeps the name and the others get " #2", " #3",
// ... in attach order; a device takes the lowest number that no attached
// device of that name holds, so a pad pulled out and plugged in again gets
// its old name back. Names are compared ignoring letter case, as codes are.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "input/JoystickSource.h"

struct _SDL_Joystick;
union SDL_Event;

class SdlJoystickSource final : public JoystickSource {
 public:
  // Starts SDL's joystick support. Nothing (and a log line) when SDL cannot
  // provide it; the program then runs without joystick input. SDL_Init must
  // have run before (the main window does it).
  static std::unique_ptr<SdlJoystickSource> Create();
  ~SdlJoystickSource() override;
  SdlJoystickSource(const SdlJoystickSource&) = delete;
  SdlJoystickSource& operator=(const SdlJoystickSource&) = delete;

  // Opens every attached device (log "joystick attached: <name>") and reports
  // each one to the listener.
  void Start(JoystickListener& listener) override;
  // Closes the devices; the listener is not called again.
  void Stop() override;
  // Reads the attached devices and reports what changed (SDL_JoystickUpdate).
  void Poll() override;

  // Whether Detect is called when devices may have come or gone; SDL looks
  // for them by itself while none is attached until this is set.
  void SetHotplugWatched(bool watched);
  // Lets SDL look for devices plugged in or pulled out; their events follow.
  void Detect();

  // Takes SDL's joystick events: devices added and removed, axis, button and
  // hat changes. Returns true for a joystick event (consumed), false for any
  // other. Before Start it only consumes them.
  bool HandleEvent(const SDL_Event& event);

  // An SDL axis value (-32768..32767) on the 0..10000 scale, for a stick axis
  // with dead zone and saturation (X, Y), a linear one, or a trigger resting
  // at restValue (-32768 or 32767).
  enum class AxisShape { Stick, Linear, Trigger };
  static int32_t ScaleAxis(int32_t value, AxisShape shape, int32_t restValue = -32768);

  // The name a device of the given name gets beside the names of the attached
  // devices (see above).
  static std::string DistinctName(const std::string& deviceName,
                                  const std::vector<std::string>& attachedNames);

 private:
  struct Device {
    _SDL_Joystick* joystick = nullptr;
    JoystickId id = 0;
    std::string name;
  };

  SdlJoystickSource() = default;
  void OpenNewDevices();
  void Open(int deviceIndex);
  void Remove(JoystickId id);
  void ReportState(JoystickId id);
  Device* FindDevice(JoystickId id);
  bool ReadState(const Device& device, JoystickState& state) const;
  void CloseAll();
  // Leaves the reading of devices to SDL only while none is attached.
  void ReadDevicesWhileAttached();

  JoystickListener* mListener = nullptr;
  std::vector<Device> mDevices;  // attach order
  bool mHotplugWatched = false;
};
