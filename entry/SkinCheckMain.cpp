// tavizo-skincheck: checks a skin file before Tavizo is started with it.
//
//   tavizo-skincheck [--require-all-commands] <file.tvs>
//
// Prints every problem, one a line, then "OK" when none is a fault. Exits 0
// without faults, 1 with faults, 2 when called wrongly.

#include <cstdio>
#include <string>
#include <string_view>

#include "platform/SdlPictureLoader.h"
#include "skin/SkinCheck.h"

namespace {

int Usage() {
  std::fputs("usage: tavizo-skincheck [--require-all-commands] <file.tvs>\n", stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  SkinCheckOptions options;
  std::string path;
  for (int n = 1; n < argc; ++n) {
    const std::string_view argument = argv[n];
    if (argument == "--require-all-commands") {
      options.commands = CommandCoverage::Required;
    } else if (argument == "--help" || argument == "-h") {
      Usage();
      return 0;
    } else if (argument.starts_with("--") || !path.empty()) {
      return Usage();
    } else {
      path = argument;
    }
  }
  if (path.empty()) return Usage();

  SdlPictureLoader pictures;
  const std::vector<SkinProblem> problems = CheckSkin(path, pictures, options);
  int faults = 0;
  int warnings = 0;
  for (const SkinProblem& problem : problems) {
    const bool fault = problem.severity == SkinProblemSeverity::Fault;
    (fault ? faults : warnings) += 1;
    std::printf("%s: %s\n", fault ? "fault" : "warning", problem.message.c_str());
  }
  if (faults == 0) {
    if (warnings == 0)
      std::printf("OK\n");
    else
      std::printf("OK (%d warning%s)\n", warnings, warnings == 1 ? "" : "s");
    return 0;
  }
  std::printf("%d fault%s, %d warning%s\n", faults, faults == 1 ? "" : "s", warnings,
              warnings == 1 ? "" : "s");
  return 1;
}
