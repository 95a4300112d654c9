#pragma once

// The words for the play modes (gPlayMode) and the aspect-ratio modes
// (gAspectRatioMode): what the status line shows when a mode changes and what
// the information element shows. Every part that names a mode reads them here.

#include <cstdint>

inline constexpr int32_t kPlayModeCount = 6;
inline constexpr int32_t kAspectModeCount = 3;

// "single play" ... "repeat random"; empty for a value out of range.
const char* PlayModeName(int32_t mode);

// "source aspect ratio", "force aspect ratio", "zoom to fit"; empty for a
// value out of range.
const char* AspectModeName(int32_t mode);

// The short word of an aspect-ratio mode: "source", "force", "zoom"; empty
// for a value out of range.
const char* AspectModeWord(int32_t mode);
