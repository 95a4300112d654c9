// Tavizo: a media-centre front end. It reads no command-line arguments; its
// settings, key bindings and skins live beside the executable.

#include <memory>

#include "platform/ProgramFolder.h"
#include "platform/TavizoProgram.h"

int main() {
  std::unique_ptr<TavizoProgram> program = TavizoProgram::Create(ProgramFolder());
  if (!program) return 1;
  return program->Run();
}
