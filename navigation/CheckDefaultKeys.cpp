#include "navigation/CheckDefaultKeys.h"

#include <string>

#include "base/Log.h"
#include "base/Text.h"
#include "store/clsHashFile.h"

namespace {

struct DefaultBinding {
  const char* action;
  const char* input;
};

constexpr DefaultBinding kDefaultBindings[] = {
    {"!.elemMoveN", "key.38.0"},       {"!.elemMoveE", "key.39.0"},
    {"!.elemMoveS", "key.40.0"},       {"!.elemMoveW", "key.37.0"},
    {"!.elemMovePressed", "key.13.0"}, {"!.elemConfigInput", "key.13.4"},
};

bool ActionIsBound(clsHashFile& keyMap, const std::string& action) {
  for (std::string key = keyMap.GetNextKey(-1); !key.empty(); key = keyMap.GetNextKey()) {
    if (EqualsIgnoreCase(keyMap.GetValue(key).ToText(), action)) return true;
  }
  return false;
}

}  // namespace

void CheckDefaultKeys(clsHashFile& keyMap) {
  for (const DefaultBinding& binding : kDefaultBindings) {
    if (ActionIsBound(keyMap, binding.action)) continue;
    WriteLog(std::string(binding.input) + " now triggers " + binding.action);
    keyMap.SetValue(binding.input, HashValue(binding.action));
  }
}
