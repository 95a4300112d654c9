#include "render/BrowseState.h"

#include "base/Conversions.h"

#include <algorithm>

int32_t EntryCount(const EntryList& list) {
  return list.empty() ? 0 : ToLong(list[0].text);
}

int32_t UsableRowCount(const EntryList& list) {
  const int32_t held = static_cast<int32_t>(list.size()) - 1;
  return std::clamp(EntryCount(list), 0, std::max(held, 0));
}
