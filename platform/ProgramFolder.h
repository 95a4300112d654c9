#pragma once

#include <string>

// The folder that holds the running executable, without a trailing "/"
// (except for "/" itself). Settings, key bindings and skins live there.
std::string ProgramFolder();
