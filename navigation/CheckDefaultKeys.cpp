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

// Keys for the choices inside a film, given only while both the key and the
// action are free: a key the user bound to something else stays theirs.
constexpr DefaultBinding kFilmBindings[] = {
    {"*.cmdSubtitle", "key.83.0"},        {"*.cmdAudioTrack", "key.65.0"},
    {"*.cmdChapterPrevious", "key.33.0"}, {"*.cmdChapterNext", "key.34.0"},
    {"*.cmdRestart", "key.82.0"},
};

bool ActionIsBound(clsHashFile& keyMap, const std::string& action) {
  for (std::string key = keyMap.GetNextKey(-1); !key.empty(); key = keyMap.GetNextKey()) {
    if (EqualsIgnoreCase(keyMap.GetValue(key).ToText(), action)) return true;
  }
  return false;
}

void Bind(clsHashFile& keyMap, const DefaultBinding& binding) {
  WriteLog(std::string(binding.input) + " now triggers " + binding.action);
  keyMap.SetValue(binding.input, HashValue(binding.action));
}

}  // namespace

void CheckDefaultKeys(clsHashFile& keyMap) {
  for (const DefaultBinding& binding : kDefaultBindings) {
    if (ActionIsBound(keyMap, binding.action)) continue;
    Bind(keyMap, binding);
  }
  for (const DefaultBinding& binding : kFilmBindings) {
    if (keyMap.KeyExists(binding.input) || ActionIsBound(keyMap, binding.action)) continue;
    Bind(keyMap, binding);
  }
}
