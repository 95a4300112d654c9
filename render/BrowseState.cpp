#include "render/BrowseState.h"

#include <algorithm>
#include <map>

#include "base/Conversions.h"

int32_t EntryCount(const EntryList& list) {
  return list.empty() ? 0 : ToLong(list[0].text);
}

int32_t UsableRowCount(const EntryList& list) {
  const int32_t held = static_cast<int32_t>(list.size()) - 1;
  return std::clamp(EntryCount(list), 0, std::max(held, 0));
}

namespace {

// True when both lists hold the same rows (text and kind) in the same order.
bool SameRows(const EntryList& a, const EntryList& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 1; i < a.size(); ++i) {
    if (a[i].kind != b[i].kind || a[i].text != b[i].text) return false;
  }
  return true;
}

// The fresh list with the play counts of the rows it shares with the old one.
EntryList CarryPlayCounts(const EntryList& old, EntryList fresh) {
  std::map<std::string, int32_t> counts;
  for (size_t i = 1; i < old.size(); ++i) {
    if (old[i].kind == kEntryFile && old[i].playCount != 0) counts[old[i].text] = old[i].playCount;
  }
  for (size_t i = 1; i < fresh.size(); ++i) {
    if (fresh[i].kind != kEntryFile) continue;
    const auto found = counts.find(fresh[i].text);
    if (found != counts.end()) fresh[i].playCount = found->second;
  }
  return fresh;
}

}  // namespace

int32_t PlayingList::Row() const {
  return RoundToInt32(mIndex);
}

bool PlayingList::IsFileRow(int32_t row) const {
  return row >= 1 && row < static_cast<int32_t>(mRows.size()) &&
         mRows[static_cast<size_t>(row)].kind == kEntryFile;
}

std::string PlayingList::PathOf(int32_t row) const {
  return IsFileRow(row) ? mFolder + mRows[static_cast<size_t>(row)].text : std::string();
}

int32_t PlayingList::PlayCountOf(int32_t row) const {
  return row >= 0 && row < static_cast<int32_t>(mRows.size())
             ? mRows[static_cast<size_t>(row)].playCount
             : 0;
}

void PlayingList::Take(const std::string& folder, const EntryList& rows, double index) {
  mRows = rows;
  mFolder = folder;
  mIndex = index;
}

void PlayingList::OpenFrom(const std::string& folder, const EntryList& rows, int32_t row) {
  if (folder != mFolder) {
    mRows = rows;
    mFolder = folder;
  } else if (!SameRows(mRows, rows)) {
    mRows = CarryPlayCounts(mRows, rows);
  }
  mIndex = row;
}

void PlayingList::MoveTo(double index) {
  mIndex = index;
}

void PlayingList::CountPlay() {
  if (IsFileRow(Row())) ++mRows[static_cast<size_t>(Row())].playCount;
}
