#include "platform/ProgramFolder.h"

#include <filesystem>
#include <system_error>

std::string ProgramFolder() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::current_path(error).string();
  std::string folder = executable.parent_path().string();
  return folder.empty() ? std::string("/") : folder;
}
