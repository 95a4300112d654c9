#include "platform/SdlJoystickSource.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/Conversions.h"
#include "base/Log.h"
#include "base/Text.h"

namespace {

constexpr double kDeadZone = 0.10;
constexpr double kSaturation = 0.95;
constexpr int32_t kAxisRange = 10000;
constexpr int32_t kAxisCentre = 5000;
constexpr int32_t kSdlAxisSpan = 65535;

int32_t RoundToInt(double value) {
  return static_cast<int32_t>(std::lround(value));
}

// An SDL hat position (bit mask) in hundredths of a degree clockwise from north.
int32_t HatAngle(uint8_t position) {
  switch (position) {
    case SDL_HAT_UP:
      return 0;
    case SDL_HAT_RIGHTUP:
      return 4500;
    case SDL_HAT_RIGHT:
      return 9000;
    case SDL_HAT_RIGHTDOWN:
      return 13500;
    case SDL_HAT_DOWN:
      return 18000;
    case SDL_HAT_LEFTDOWN:
      return 22500;
    case SDL_HAT_LEFT:
      return 27000;
    case SDL_HAT_LEFTUP:
      return 31500;
    default:
      return JoystickState::kHatCentred;
  }
}

// The key file quotes its keys without an escape, so a double quote in a
// device name would cut every binding of the device short.
std::string UsableName(const char* sdlName) {
  std::string name = sdlName ? sdlName : "";
  for (char& c : name) {
    if (c == '"') c = '\'';
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  }
  name = TrimText(name);
  return name.empty() ? std::string("joystick") : name;
}

// SDL's own rule for an axis that rests at one end: its first value lay at
// an end of the range (and was not corrected by a second value near centre).
bool RestsAtEnd(SDL_Joystick* joystick, int axis, int32_t& restValue) {
  Sint16 initial = 0;
  if (!SDL_JoystickGetAxisInitialState(joystick, axis, &initial)) return false;
  if (initial > -32767 && initial != 32767) return false;
  restValue = initial <= -32767 ? -32768 : 32767;
  return true;
}

}  // namespace

std::unique_ptr<SdlJoystickSource> SdlJoystickSource::Create() {
  // Pads drive the program also while another window is in front.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
    WriteLog(std::string("SDL_InitSubSystem joystick failed: ") + SDL_GetError());
    return nullptr;
  }
  return std::unique_ptr<SdlJoystickSource>(new SdlJoystickSource());
}

SdlJoystickSource::~SdlJoystickSource() {
  // After SDL_Quit the devices are already closed and freed.
  if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0) return;
  CloseAll();
  SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

void SdlJoystickSource::Start(JoystickListener& listener) {
  CloseAll();
  mListener = &listener;
  OpenNewDevices();
}

void SdlJoystickSource::Stop() {
  mListener = nullptr;
  CloseAll();
}

void SdlJoystickSource::CloseAll() {
  for (const Device& device : mDevices) SDL_JoystickClose(device.joystick);
  mDevices.clear();
  ReadDevicesWhileAttached();
}

void SdlJoystickSource::ReadDevicesWhileAttached() {
  // SDL's own reading polls every millisecond while it waits for events once
  // a device is open; without one it only looks for new devices every few
  // seconds, which a watch on the devices makes needless.
  SDL_SetHint(SDL_HINT_AUTO_UPDATE_JOYSTICKS, mDevices.empty() && !mHotplugWatched ? "1" : "0");
}

void SdlJoystickSource::SetHotplugWatched(bool watched) {
  mHotplugWatched = watched;
  ReadDevicesWhileAttached();
}

void SdlJoystickSource::Detect() {
  SDL_JoystickUpdate();
}

void SdlJoystickSource::Poll() {
  if (mDevices.empty()) return;
  SDL_JoystickUpdate();
  // The joystick events just made are handled now, so the poll tick that
  // called acts on the states read.
  SDL_Event events[16];
  int count = 0;
  while ((count = SDL_PeepEvents(events, 16, SDL_GETEVENT, SDL_JOYAXISMOTION,
                                 SDL_JOYBATTERYUPDATED)) > 0) {
    for (int i = 0; i < count; ++i) HandleEvent(events[i]);
  }
}

bool SdlJoystickSource::HandleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_JOYDEVICEADDED:
      // The event carries a device index, which a removal queued before it
      // may already have shifted; so every attached device that is not open
      // yet is opened.
      if (mListener) OpenNewDevices();
      return true;
    case SDL_JOYDEVICEREMOVED:
      // This one carries the instance id, as all the following ones do.
      Remove(event.jdevice.which);
      return true;
    case SDL_JOYAXISMOTION:
      ReportState(event.jaxis.which);
      return true;
    case SDL_JOYHATMOTION:
      ReportState(event.jhat.which);
      return true;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
      ReportState(event.jbutton.which);
      return true;
    case SDL_JOYBALLMOTION:
    case SDL_JOYBATTERYUPDATED:
      return true;
    default:
      return false;
  }
}

void SdlJoystickSource::OpenNewDevices() {
  const int count = SDL_NumJoysticks();
  for (int index = 0; index < count; ++index) {
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
    if (id < 0 || FindDevice(id)) continue;
    Open(index);
  }
}

void SdlJoystickSource::Open(int deviceIndex) {
  SDL_Joystick* joystick = SDL_JoystickOpen(deviceIndex);
  if (!joystick) {
    WriteLog(std::string("SDL_JoystickOpen failed: ") + SDL_GetError());
    return;
  }
  std::vector<std::string> attachedNames;
  for (const Device& device : mDevices) attachedNames.push_back(device.name);

  Device device;
  device.joystick = joystick;
  device.id = SDL_JoystickInstanceID(joystick);
  device.name = DistinctName(UsableName(SDL_JoystickName(joystick)), attachedNames);
  mDevices.push_back(device);
  ReadDevicesWhileAttached();
  WriteLog("joystick attached: " + device.name);

  JoystickState state;
  if (!ReadState(device, state)) state = JoystickState();
  if (mListener) mListener->JoystickAdded(device.id, device.name, state);
}

void SdlJoystickSource::Remove(JoystickId id) {
  const auto found = std::find_if(mDevices.begin(), mDevices.end(),
                                  [id](const Device& device) { return device.id == id; });
  if (found == mDevices.end()) return;
  WriteLog("joystick removed: " + found->name);
  SDL_JoystickClose(found->joystick);
  mDevices.erase(found);
  ReadDevicesWhileAttached();
  if (mListener) mListener->JoystickRemoved(id);
}

void SdlJoystickSource::ReportState(JoystickId id) {
  const Device* device = FindDevice(id);
  if (!device || !mListener) return;
  JoystickState state;
  if (ReadState(*device, state)) mListener->JoystickChanged(id, state);
}

SdlJoystickSource::Device* SdlJoystickSource::FindDevice(JoystickId id) {
  const auto found = std::find_if(mDevices.begin(), mDevices.end(),
                                  [id](const Device& device) { return device.id == id; });
  return found == mDevices.end() ? nullptr : &*found;
}

bool SdlJoystickSource::ReadState(const Device& device, JoystickState& state) const {
  SDL_Joystick* joystick = device.joystick;
  const int axes = SDL_JoystickNumAxes(joystick);
  const int buttons = SDL_JoystickNumButtons(joystick);
  const int hats = SDL_JoystickNumHats(joystick);
  if (axes < 0 || buttons < 0 || hats < 0) return false;

  state = JoystickState();
  for (int axis = 0; axis < std::min(axes, JoystickState::kAxisCount); ++axis) {
    const int32_t value = SDL_JoystickGetAxis(joystick, axis);
    int32_t restValue = 0;
    AxisShape shape = AxisShape::Linear;
    if (axis < 2) {
      shape = AxisShape::Stick;
    } else if (RestsAtEnd(joystick, axis, restValue)) {
      shape = AxisShape::Trigger;
    }
    state.axisPresent[axis] = true;
    state.axes[axis] = ScaleAxis(value, shape, restValue);
  }
  state.buttonCount = std::min(buttons, JoystickState::kButtonCount);
  for (int button = 0; button < state.buttonCount; ++button) {
    state.buttons[button] = SDL_JoystickGetButton(joystick, button);
  }
  state.hatCount = std::min(hats, JoystickState::kHatCount);
  for (int hat = 0; hat < state.hatCount; ++hat) {
    state.hats[hat] = HatAngle(SDL_JoystickGetHat(joystick, hat));
  }
  return true;
}

int32_t SdlJoystickSource::ScaleAxis(int32_t value, AxisShape shape, int32_t restValue) {
  value = std::clamp(value, -32768, 32767);
  switch (shape) {
    case AxisShape::Linear:
      return RoundToInt((value + 32768.0) * kAxisRange / kSdlAxisSpan);
    case AxisShape::Trigger:
      return RoundToInt(kAxisCentre + kAxisCentre * std::abs(value - restValue) /
                                          static_cast<double>(kSdlAxisSpan));
    case AxisShape::Stick:
      break;
  }
  const double deflection = value >= 0 ? value / 32767.0 : value / 32768.0;
  const double magnitude = std::abs(deflection);
  double travel = 0;
  if (magnitude >= kSaturation) {
    travel = 1;
  } else if (magnitude > kDeadZone) {
    travel = (magnitude - kDeadZone) / (kSaturation - kDeadZone);
  }
  const double signedTravel = deflection < 0 ? -travel : travel;
  return RoundToInt(kAxisCentre + kAxisCentre * signedTravel);
}

std::string SdlJoystickSource::DistinctName(const std::string& deviceName,
                                            const std::vector<std::string>& attachedNames) {
  for (int32_t ordinal = 1;; ++ordinal) {
    const std::string candidate =
        ordinal == 1 ? deviceName : deviceName + " #" + std::to_string(ordinal);
    const bool taken = std::any_of(
        attachedNames.begin(), attachedNames.end(),
        [&candidate](const std::string& name) { return EqualsIgnoreCase(name, candidate); });
    if (!taken) return candidate;
  }
}
