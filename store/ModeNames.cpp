#include "store/ModeNames.h"

namespace {

constexpr const char* kPlayModeNames[kPlayModeCount] = {
    "single play", "continous play", "random play", "repeat single", "repeat all", "repeat random",
};

struct AspectModeWords {
  const char* name;
  const char* word;
};

constexpr AspectModeWords kAspectModes[kAspectModeCount] = {
    {"source aspect ratio", "source"},
    {"force aspect ratio", "force"},
    {"zoom to fit", "zoom"},
};

}  // namespace

const char* PlayModeName(int32_t mode) {
  if (mode < 0 || mode >= kPlayModeCount) return "";
  return kPlayModeNames[mode];
}

const char* AspectModeName(int32_t mode) {
  if (mode < 0 || mode >= kAspectModeCount) return "";
  return kAspectModes[mode].name;
}

const char* AspectModeWord(int32_t mode) {
  if (mode < 0 || mode >= kAspectModeCount) return "";
  return kAspectModes[mode].word;
}
