#include "skin/SkinCommands.h"

#include "base/Text.h"

std::optional<size_t> FindCommand(std::string_view name) {
  for (size_t i = 0; i < kCommandNames.size(); ++i) {
    if (EqualsIgnoreCase(kCommandNames[i], name)) return i;
  }
  return std::nullopt;
}
