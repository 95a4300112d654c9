#pragma once

#include <string>

#include "program/ProgramPaths.h"

// The folder that holds the running executable, without a trailing "/"
// (except for "/" itself).
std::string ProgramFolder();

// Where the program's files live for an executable in that folder: portable
// when a skins/ folder lies beside it, else installed (XDG folders from the
// environment, the videos folder from user-dirs.dirs). Creates the settings
// folder of an installed program and logs one line that says which mode and
// which folders, after a line for each bad environment value.
ProgramPaths LocateProgramFiles(const std::string& executableFolder);

// The folder of the program's cache: $XDG_CACHE_HOME/tavizo, else
// ~/.cache/tavizo; empty when neither names an absolute folder.
std::string CacheFolder();
