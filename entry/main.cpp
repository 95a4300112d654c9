// Tavizo: a media-centre front end. Its settings, key bindings and skins live
// beside the executable when a skins/ folder is there, else in the user's XDG
// folders. It answers --version and --help; any other argument is ignored.

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "base/Log.h"
#include "platform/ProgramFolder.h"
#include "platform/TavizoProgram.h"

#ifndef TAVIZO_VERSION
#define TAVIZO_VERSION "unknown"
#endif

namespace {

constexpr const char* kHelp =
    "Usage: tavizo [--version] [--help]\n"
    "\n"
    "Tavizo is a media-centre front end: one window drawn from a skin, driven by\n"
    "keyboard, remote, game pads or mouse, that plays audio and video.\n"
    "\n"
    "  --version  print the version and exit\n"
    "  --help     print this help and exit\n"
    "\n"
    "Files: when a skins/ folder lies beside the executable, Tavizo.ini (settings),\n"
    "Tavizo.keys (key bindings) and the skins are kept beside it. Otherwise the\n"
    "settings and key bindings are in $XDG_CONFIG_HOME/tavizo/ (~/.config/tavizo/)\n"
    "and skins are looked up in tavizo/skins/ under $XDG_DATA_HOME\n"
    "(~/.local/share) and each folder of $XDG_DATA_DIRS.\n";

}  // namespace

int main(int argc, char** argv) {
  // The first of --version and --help answers, wherever it stands.
  for (int n = 1; n < argc; ++n) {
    const std::string_view argument = argv[n];
    if (argument == "--version") {
      std::printf("Tavizo %s\n", TAVIZO_VERSION);
      return 0;
    }
    if (argument == "--help" || argument == "-h") {
      std::fputs(kHelp, stdout);
      return 0;
    }
  }
  for (int n = 1; n < argc; ++n) {
    WriteLog(std::string("the command-line argument '") + argv[n] + "' is ignored");
  }
  std::unique_ptr<TavizoProgram> program = TavizoProgram::Create(ProgramFolder());
  if (!program) return 1;
  return program->Run();
}
