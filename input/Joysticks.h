#pragma once

// Joysticks and game pads as inputs (modDXJoystick). Each attached device
// keeps the code of its current state; the poll timer compares that code with
// the one it acted on last and triggers: once when the code is new, again
// after gActionFirstRepeat and then every gActionNextRepeat while it stays.
// A trigger looks the code up in the key-binding store and dispatches its
// action on behalf of the focused element, or binds the code while an input
// is being configured. Devices may come and go while the program runs.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "input/JoystickSource.h"

class Clock;
class UiTimer;
class clsHashFile;
struct FocusState;
struct Settings;

// The navigation operations a trigger reaches; the main window wires them to
// the bindings and the dispatcher. A callback left empty does nothing
// (isConfiguring then answers false).
struct JoystickActions {
  // True while an input is being configured (a configuration target is set).
  std::function<bool()> isConfiguring;
  // Binds the input code to the configuration target: ConfigInput("xXSelfXx", code).
  std::function<void(const std::string& code)> bindInput;
  // Starts configuring an element: ConfigInput(element, "xXSelfXx").
  std::function<void(const std::string& element)> configureElement;
  // DoAction(source, action); its result is not used.
  std::function<void(const std::string& source, const std::string& action)> doAction;
};

// One attached device.
struct JoystickRecord {
  JoystickId id = 0;
  std::string name;
  std::string currentCode;   // code of the last state read; empty: nothing active
  std::string lastCode;      // code the poll acted on last
  uint32_t lastTrigger = 0;  // low 32 bits of the clock at the last trigger or release
  int32_t repeatDelay = 0;   // 0, gActionFirstRepeat or gActionNextRepeat
};

class Joysticks final : public JoystickListener {
 public:
  // The acceleration after a release, and its rise per trigger, as for keys.
  static constexpr double kReleasedAcceleration = 0.1;
  static constexpr double kAccelerationPerTrigger = 0.1;

  Joysticks(const Clock& clock, const Settings& settings, clsHashFile& keyMap, FocusState& focus,
            JoystickActions actions);
  // Stops the source, which must therefore outlive this object.
  ~Joysticks() override;
  Joysticks(const Joysticks&) = delete;
  Joysticks& operator=(const Joysticks&) = delete;

  // Takes the attached devices from the source (none when it is null, e.g.
  // when the platform has no joystick support) and logs "no joystick
  // attached" when there are none. The poll timer ticks every
  // gActionNextRepeat while at least one device is attached: plugging in the
  // first device starts it and pulling out the last one stops it.
  void StartJoysticks(JoystickSource* source, UiTimer& pollTimer);

  // Stops the source's reports and the poll timer and forgets the devices.
  void StopJoysticks();

  // The timDXJoystickPoll tick: triggers, repeats and releases of every
  // device, in attach order. Does nothing before StartJoysticks.
  void Tick();

  const std::vector<JoystickRecord>& Records() const { return mRecords; }

  void JoystickAdded(JoystickId id, const std::string& name, const JoystickState& state) override;
  void JoystickChanged(JoystickId id, const JoystickState& state) override;
  void JoystickRemoved(JoystickId id) override;

 private:
  JoystickRecord* FindRecord(JoystickId id);
  uint32_t Now32() const;
  // Advances one device's trigger state; true when its code triggers now.
  bool Advance(JoystickRecord& record);
  // Binds or dispatches a triggered code; false when the tick must end here.
  bool Trigger(const std::string& code);
  // Runs the poll timer exactly while a device is attached.
  void PollWhileAttached();

  const Clock& mClock;
  const Settings& mSettings;
  clsHashFile& mKeyMap;
  FocusState& mFocus;
  JoystickActions mActions;
  JoystickSource* mSource = nullptr;
  UiTimer* mPollTimer = nullptr;
  bool mStarted = false;
  std::vector<JoystickRecord> mRecords;  // attach order
};
