#pragma once

// Checks a skin file the way a skin author needs it: every problem at once,
// each named with its key or element, instead of the first one stopping the
// program at start-up. Used by tavizo-skincheck.

#include <array>
#include <string>
#include <vector>

#include "skin/SkinCommands.h"
#include "skin/SkinPicture.h"

enum class SkinProblemSeverity { Warning, Fault };

struct SkinProblem {
  SkinProblemSeverity severity = SkinProblemSeverity::Fault;
  std::string message;
};

enum class CommandCoverage { Optional, Required };

struct SkinCheckOptions {
  // Required: a command of kCommandNames that no move entry uses is a fault
  // rather than a warning (except those of kKeyCommands).
  CommandCoverage commands = CommandCoverage::Optional;
};

// Commands that default keys reach, so a skin needs no element for them
// even when every command must be used (restart and the chapter jumps).
inline constexpr std::array<std::string_view, 3> kKeyCommands = {"cmdRestart", "cmdChapterNext",
                                                                 "cmdChapterPrevious"};

// The navigation names that a "!." entry may name.
inline constexpr std::array<const char*, 6> kSkinNavigations = {
    "elemMoveN", "elemMoveE", "elemMoveS", "elemMoveW", "elemMovePressed", "elemConfigInput"};

// The problems of the skin file at path, faults first found first; empty for
// a sound skin. Pictures are read with `pictures` to prove they load.
std::vector<SkinProblem> CheckSkin(const std::string& path, PictureLoader& pictures,
                                   const SkinCheckOptions& options = {});

// True when any of the problems is a fault.
bool HasFault(const std::vector<SkinProblem>& problems);
