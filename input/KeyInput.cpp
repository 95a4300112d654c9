#include "input/KeyInput.h"

#include "base/Log.h"
#include "base/Text.h"
#include "navigation/Bindings.h"
#include "navigation/Dispatcher.h"
#include "render/FocusState.h"
#include "store/clsHashFile.h"

namespace {

constexpr int32_t kKeyShift = 16;
constexpr int32_t kKeyCtrl = 17;
constexpr int32_t kKeyAlt = 18;

constexpr const char* kConfigInputAction = "!.elemConfigInput";

}  // namespace

KeyInput::KeyInput(clsHashFile& keyMap, FocusState& focus, Bindings& bindings,
                   Dispatcher& dispatcher)
    : mKeyMap(keyMap), mFocus(focus), mBindings(bindings), mDispatcher(dispatcher) {}

std::string KeyInput::InputCode(int32_t virtualKey, int32_t modifierMask) {
  return "key." + std::to_string(virtualKey) + "." + std::to_string(modifierMask);
}

void KeyInput::KeyDown(int32_t virtualKey, int32_t modifierMask) {
  if (virtualKey == kKeyShift || virtualKey == kKeyCtrl || virtualKey == kKeyAlt) return;

  const std::string input = InputCode(virtualKey, modifierMask);
  const std::string action = mKeyMap.GetValue(input, HashValue(std::string())).ToText();
  if (mBindings.IsConfiguring()) {
    mBindings.ConfigInput(Bindings::kSelf, input);
    return;
  }

  WriteLog(input);
  if (EqualsIgnoreCase(action, kConfigInputAction)) {
    mBindings.ConfigInput(mFocus.mFocusElement, Bindings::kSelf);
    return;
  }
  mFocus.mKeyAcceleration += kAccelerationPerKey;
  if (!action.empty()) mDispatcher.DoAction(mFocus.mFocusElement, action);
}

void KeyInput::KeyUp() {
  mFocus.mKeyAcceleration = kReleasedAcceleration;
}
