#pragma once

// Keys as inputs. A key press becomes the input code "key.<virtual key>.<mask>"
// (mask: Shift 1, Ctrl 2, Alt 4), which is looked up in the key-binding store
// and dispatched as an action on behalf of the focused element. While an input
// is being configured the code is bound instead. Held keys repeat through the
// platform's keyboard repeat, and each repeat raises the list-scroll
// acceleration until a key is released.

#include <cstdint>
#include <string>

class Bindings;
class Dispatcher;
class clsHashFile;
struct FocusState;

class KeyInput {
 public:
  // The acceleration after a key release, and its rise per key press.
  static constexpr double kReleasedAcceleration = 0.1;
  static constexpr double kAccelerationPerKey = 0.1;

  KeyInput(clsHashFile& keyMap, FocusState& focus, Bindings& bindings, Dispatcher& dispatcher);

  // "key." + virtualKey + "." + modifierMask.
  static std::string InputCode(int32_t virtualKey, int32_t modifierMask);

  // A key press or a repeat. Shift, Ctrl and Alt pressed alone (16, 17, 18)
  // are no input. Every other key is logged and dispatched, or bound when an
  // input is being configured (then it is neither logged nor dispatched).
  void KeyDown(int32_t virtualKey, int32_t modifierMask);

  // Any key release ends a held key's acceleration.
  void KeyUp();

 private:
  clsHashFile& mKeyMap;
  FocusState& mFocus;
  Bindings& mBindings;
  Dispatcher& mDispatcher;
};
