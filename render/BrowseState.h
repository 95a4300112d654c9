#pragma once

// The play list: the folder being browsed, the list of its rows with the
// cursor, and the playing list that playback continues from.

#include <cstdint>
#include <string>
#include <vector>

enum ListEntryKind : int32_t {
  kEntryBack = 0,
  kEntryFolder = 1,
  kEntryFile = 2,
  kEntryVolumeNotReady = 3,
  kEntryVolumeReady = 4,
};

struct ListEntry {
  std::string text;  // shown text; entry 0 holds the row count as decimal text
  int32_t kind = kEntryBack;
  int32_t playCount = 0;
  std::string path;  // a volume row keeps its mount path; empty for other rows
};

// A list's entry 0 is a header whose text is the row count; rows are 1..count.
using EntryList = std::vector<ListEntry>;

// The row count of a list, read from its header text.
int32_t EntryCount(const EntryList& list);

// The rows a list really holds: its header's count, but never more than it
// has entries (a damaged header must not lead outside the list).
int32_t UsableRowCount(const EntryList& list);

struct BrowseState {
  EntryList mBrowseList{ListEntry{"0", kEntryBack, 0, {}}};
  double mBrowseCursor = 1;  // a whole number 1..count
  EntryList mPlayingList{ListEntry{"0", kEntryBack, 0, {}}};
  double mPlayingIndex = 1;
  std::string mPlayingFolder;
};
