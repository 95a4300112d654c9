#pragma once

// Teaching the program a new input on the spot. While configuring, the next
// input (a key or a joystick trigger) is bound in the key-binding store
// instead of being dispatched:
//   - for a focused or Alt-clicked element, to that element's pressed entry;
//   - for "*.cmdSetCursorKeys", four inputs in a row to the four directions;
//   - for "*.cmdSetActionKey" / "*.cmdSetConfigInputKey", one input to
//     "!.elemMovePressed" / "!.elemConfigInput".
// A binding replaces what that input did before and never takes other inputs
// away from the action. The prompt is the information element
// "wndInfo.configInput": its help text, a line break and the quoted
// description of what is being configured.

#include <cstdint>
#include <string>
#include <string_view>

class InfoDisplay;
class SkinModel;
class clsHashFile;

class Bindings {
 public:
  // The placeholder argument of ConfigInput that stands for no element or no
  // input (compared ignoring letter case).
  static constexpr const char* kSelf = "xXSelfXx";

  Bindings(SkinModel& skin, clsHashFile& keyMap, InfoDisplay& info);

  // ConfigInput(element, kSelf) starts configuring element (a full element
  // name, or a navigation action during the sequences above) and shows the
  // prompt. ConfigInput(kSelf, input) binds the input code while configuring
  // and takes the prompt away once nothing more is expected; outside
  // configuration it is ignored. Empty arguments do nothing.
  void ConfigInput(std::string_view element, std::string_view input);

  // Binds input to the action that belongs to element: its pressed entry when
  // configuring a single element, otherwise element itself (a navigation
  // action). Logs "<input> now triggers <action>". During the cursor-key
  // sequence it prompts for the next direction.
  void MapElementToAction(std::string_view element, std::string_view input);

  // One step of the cursor-key sequence; 0 starts it (prompt for north), 1 to
  // 3 prompt for east, south and west, 4 ends it. Other steps do nothing.
  void SetCursorKeysStep(int32_t step);

  // Start configuring the input of "!.elemMovePressed" / "!.elemConfigInput".
  void cmdSetActionKey();
  void cmdSetConfigInputKey();

  // What the next input is bound for; empty when not configuring.
  const std::string& ConfigTarget() const { return mConfigTarget; }
  bool IsConfiguring() const { return !mConfigTarget.empty(); }

  // 1 to 4: the cursor-key sequence expects north, east, south, west; 5: the
  // action key; 6: the configuration key; below 1: a single element.
  int32_t CursorKeyStep() const { return mCursorKeyStep; }

 private:
  void ShowPrompt(std::string_view element);

  SkinModel& mSkin;
  clsHashFile& mKeyMap;
  InfoDisplay& mInfo;
  std::string mConfigTarget;
  int32_t mCursorKeyStep = -1;
};
