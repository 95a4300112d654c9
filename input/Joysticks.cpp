#include "input/Joysticks.h"

#include <algorithm>

#include "base/Clock.h"
#include "base/Log.h"
#include "base/Text.h"
#include "base/TimerTable.h"
#include "render/FocusState.h"
#include "store/Settings.h"
#include "store/clsHashFile.h"

namespace {

constexpr const char* kConfigInputAction = "!.elemConfigInput";

}  // namespace

Joysticks::Joysticks(const Clock& clock, const Settings& settings, clsHashFile& keyMap,
                     FocusState& focus, JoystickActions actions)
    : mClock(clock),
      mSettings(settings),
      mKeyMap(keyMap),
      mFocus(focus),
      mActions(std::move(actions)) {}

Joysticks::~Joysticks() {
  StopJoysticks();
}

void Joysticks::StartJoysticks(JoystickSource* source, UiTimer& pollTimer) {
  StopJoysticks();
  mSource = source;
  mStarted = true;
  mPollTimer = &pollTimer;
  mPollTimer->SetInterval(mSettings.gActionNextRepeat);
  if (mSource) mSource->Start(*this);
  if (mRecords.empty()) WriteLog("no joystick attached");
  PollWhileAttached();
}

void Joysticks::StopJoysticks() {
  if (mSource) mSource->Stop();
  mSource = nullptr;
  mStarted = false;
  mRecords.clear();
  PollWhileAttached();
  mPollTimer = nullptr;
}

void Joysticks::PollWhileAttached() {
  // Without a device a poll has nothing to read, so the process sleeps
  // instead; a device plugged in starts the poll again.
  if (mPollTimer) mPollTimer->SetEnabled(mStarted && !mRecords.empty());
}

uint32_t Joysticks::Now32() const {
  // The repeat timing runs on a 32-bit millisecond counter; differences are
  // taken modulo 2^32, so they stay right when the counter wraps.
  return static_cast<uint32_t>(mClock.NowMs());
}

JoystickRecord* Joysticks::FindRecord(JoystickId id) {
  const auto found = std::find_if(mRecords.begin(), mRecords.end(),
                                  [id](const JoystickRecord& record) { return record.id == id; });
  return found == mRecords.end() ? nullptr : &*found;
}

void Joysticks::JoystickAdded(JoystickId id, const std::string& name, const JoystickState& state) {
  JoystickRecord* record = FindRecord(id);
  if (!record) {
    mRecords.push_back(JoystickRecord{});
    record = &mRecords.back();
    record->id = id;
    record->lastCode = std::string(kJoystickIdleParts);
    record->lastTrigger = Now32();
    record->repeatDelay = 0;
  }
  record->name = name;
  record->currentCode = JoystickCode(name, state);
  PollWhileAttached();
}

void Joysticks::JoystickChanged(JoystickId id, const JoystickState& state) {
  JoystickRecord* record = FindRecord(id);
  if (!record) return;
  record->currentCode = JoystickCode(record->name, state);
}

void Joysticks::JoystickRemoved(JoystickId id) {
  JoystickRecord* record = FindRecord(id);
  if (!record) return;
  // A device pulled out while held counts as released, so the acceleration it
  // raised does not carry over to the next input.
  if (!record->lastCode.empty()) mFocus.mKeyAcceleration = kReleasedAcceleration;
  mRecords.erase(mRecords.begin() + (record - mRecords.data()));
  PollWhileAttached();
}

void Joysticks::Tick() {
  if (!mStarted) return;
  if (mSource) mSource->Poll();
  // A dispatched action may let pending events run, and with them a device
  // may come or go; so each device is looked up again by its id.
  std::vector<JoystickId> ids;
  ids.reserve(mRecords.size());
  for (const JoystickRecord& record : mRecords) ids.push_back(record.id);

  for (const JoystickId id : ids) {
    JoystickRecord* record = FindRecord(id);
    if (!record || !Advance(*record)) continue;
    // Copied: the record may be gone once the action has run.
    const std::string code = record->currentCode;
    if (!Trigger(code)) return;
  }
}

bool Joysticks::Advance(JoystickRecord& record) {
  const std::string& current = record.currentCode;
  if (current.empty() && record.lastCode.empty()) return false;

  const uint32_t now = Now32();
  if (current.empty()) {
    record.lastTrigger = now;
    record.repeatDelay = 0;
    record.lastCode.clear();
    mFocus.mKeyAcceleration = kReleasedAcceleration;
    return false;
  }

  // The record is brought up to date before the code is dispatched: a tick
  // that ends at a binding, or an action that runs pending events, must not
  // see the same input as new again.
  if (!EqualsIgnoreCase(current, record.lastCode)) {
    record.lastTrigger = now;
    record.repeatDelay = mSettings.gActionFirstRepeat;
    record.lastCode = current;
    mFocus.mKeyAcceleration += kAccelerationPerTrigger;
    return true;
  }

  // The poll ticks every gActionNextRepeat milliseconds, never early but now
  // and then a millisecond late. A repeat is taken at the tick nearest its due
  // time: a tick exactly on time counts, and a held input repeats at every
  // tick once the first delay has passed, not at every second one.
  const int64_t elapsed = static_cast<uint32_t>(now - record.lastTrigger);
  const int64_t due = static_cast<int64_t>(record.repeatDelay) - mSettings.gActionNextRepeat / 2;
  if (elapsed < due) return false;
  record.lastTrigger = now;
  if (record.repeatDelay == mSettings.gActionFirstRepeat) {
    record.repeatDelay = mSettings.gActionNextRepeat;
  }
  mFocus.mKeyAcceleration += kAccelerationPerTrigger;
  return true;
}

bool Joysticks::Trigger(const std::string& code) {
  const std::string action = mKeyMap.GetValue(code, HashValue(std::string())).ToText();
  if (mActions.isConfiguring && mActions.isConfiguring()) {
    if (mActions.bindInput) mActions.bindInput(code);
    return false;
  }

  WriteLog(code);
  if (EqualsIgnoreCase(action, kConfigInputAction)) {
    if (mActions.configureElement) mActions.configureElement(mFocus.mFocusElement);
    return false;
  }
  if (!action.empty() && mActions.doAction) mActions.doAction(mFocus.mFocusElement, action);
  return true;
}
