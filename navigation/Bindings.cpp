#include "navigation/Bindings.h"

#include "base/Log.h"
#include "base/Text.h"
#include "render/InfoDisplay.h"
#include "skin/SkinModel.h"
#include "store/clsHashFile.h"

namespace {

constexpr const char* kPromptElement = "wndInfo.configInput";
constexpr const char* kPromptInfoName = "configInput";
constexpr const char* kOwnText = "xselfx";

// The prompts of the cursor-key sequence, in the order of its steps.
constexpr const char* kCursorKeyActions[] = {"!.elemMoveN", "!.elemMoveE", "!.elemMoveS",
                                             "!.elemMoveW"};

constexpr int32_t kStepActionKey = 5;
constexpr int32_t kStepConfigInputKey = 6;
constexpr int32_t kSequenceFinished = -1;

}  // namespace

Bindings::Bindings(SkinModel& skin, clsHashFile& keyMap, InfoDisplay& info)
    : mSkin(skin), mKeyMap(keyMap), mInfo(info) {}

void Bindings::ConfigInput(std::string_view element, std::string_view input) {
  if (element.empty() || input.empty()) return;

  if (!EqualsIgnoreCase(element, kSelf)) {
    ShowPrompt(element);
    mConfigTarget = std::string(element);
    return;
  }
  if (EqualsIgnoreCase(input, kSelf)) return;
  // Binding outside configuration would bind the input to nothing and so take
  // it away from its action.
  if (mConfigTarget.empty()) return;

  // The binding may start the next step of the cursor-key sequence, which sets
  // a new target; the step is therefore read only after it.
  const std::string target = mConfigTarget;
  MapElementToAction(target, input);
  if (mCursorKeyStep < 1) {
    mInfo.HideInfo(kPromptInfoName);
    mConfigTarget.clear();
  }
}

void Bindings::ShowPrompt(std::string_view element) {
  std::string description;
  if (mCursorKeyStep < 1) {
    if (const int32_t n = mSkin.FindElement(element); n != 0) {
      description = mSkin.Element(n).InfoText;
    }
  } else {
    description = mSkin.SkinStrings.GetValue(element, HashValue(std::string())).ToText();
  }

  // A skin without the prompt element still configures; it just shows nothing.
  if (const int32_t prompt = mSkin.FindElement(kPromptElement); prompt != 0) {
    SkinElement& promptElement = mSkin.Element(prompt);
    promptElement.Text[Idle] = promptElement.InfoText + "\r\n\"" + description + "\"";
  }
  mInfo.ShowInfo(kPromptInfoName, kOwnText, true);
}

void Bindings::MapElementToAction(std::string_view element, std::string_view input) {
  std::string action;
  if (mCursorKeyStep < 1) {
    if (const int32_t n = mSkin.FindElement(element); n != 0) {
      action = mSkin.Element(n).Moves[kMovePressed];
    }
  } else {
    action = std::string(element);
    if (mCursorKeyStep == kStepActionKey || mCursorKeyStep == kStepConfigInputKey) {
      mCursorKeyStep = kSequenceFinished;
    }
  }

  WriteLog(std::string(input) + " now triggers " + action);
  mKeyMap.SetValue(input, HashValue(action));
  if (mCursorKeyStep > 0) SetCursorKeysStep(mCursorKeyStep);
}

void Bindings::SetCursorKeysStep(int32_t step) {
  if (step < 0 || step > 4) return;
  if (step == 4) {
    mCursorKeyStep = kSequenceFinished;
    return;
  }
  mCursorKeyStep = step + 1;
  ConfigInput(kCursorKeyActions[step], kSelf);
}

void Bindings::cmdSetActionKey() {
  mCursorKeyStep = kStepActionKey;
  ConfigInput("!.elemMovePressed", kSelf);
}

void Bindings::cmdSetConfigInputKey() {
  mCursorKeyStep = kStepConfigInputKey;
  ConfigInput("!.elemConfigInput", kSelf);
}
