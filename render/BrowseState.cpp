#include "render/BrowseState.h"

#include "base/Conversions.h"

int32_t EntryCount(const EntryList& list) { return list.empty() ? 0 : ToLong(list[0].text); }
