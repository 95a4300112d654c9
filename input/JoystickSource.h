#pragma once

// Where joysticks and game pads come from: a platform adapter reports devices
// as they come and go and hands over each device's state when it changes. The
// joystick module turns those states into input codes; the adapter never
// dispatches anything itself.

#include <cstdint>
#include <string>

#include "input/JoystickCode.h"

// Identifies an attached device for as long as it stays attached; a device
// that is pulled out and plugged in again gets a new id.
using JoystickId = int32_t;

class JoystickListener {
 public:
  virtual ~JoystickListener() = default;

  // A device is attached, with its first state. The name is the one its codes
  // carry: stable between runs and distinct among the attached devices.
  virtual void JoystickAdded(JoystickId id, const std::string& name,
                             const JoystickState& state) = 0;

  // The device's state changed. A state that could not be read is not
  // reported, so the device keeps the code it had.
  virtual void JoystickChanged(JoystickId id, const JoystickState& state) = 0;

  // The device was pulled out; its id is not reported again.
  virtual void JoystickRemoved(JoystickId id) = 0;
};

class JoystickSource {
 public:
  virtual ~JoystickSource() = default;

  // Starts reporting to the listener: every device attached now is reported
  // as added before this returns, in attach order; later devices, changes and
  // removals as they happen, always on the UI thread.
  virtual void Start(JoystickListener& listener) = 0;

  // Stops reporting; the listener is not called again.
  virtual void Stop() = 0;

  // Reads the attached devices now, at the start of a poll tick: the changes,
  // additions and removals found are reported before this returns. A source
  // that reports them by itself as they happen does nothing here.
  virtual void Poll() = 0;
};
