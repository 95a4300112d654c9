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

// The list that playback goes on from: the rows of the folder a file was
// played from, the playing row, and how often each file row was opened. It
// keeps its rows as they were when playback began, and only it changes them.
class PlayingList {
 public:
  const EntryList& Rows() const { return mRows; }
  const std::string& Folder() const { return mFolder; }
  // The playing row as stored: a whole number, below 1 or past the last row
  // while Previous or Next walk the list.
  double Index() const { return mIndex; }
  int32_t Row() const;
  // A row inside the list that holds a file; a row that a damaged header
  // counts but the list does not hold is none.
  bool IsFileRow(int32_t row) const;
  // The full path of a file row.
  std::string PathOf(int32_t row) const;
  int32_t PlayCountOf(int32_t row) const;

  // Playback goes on from these rows of a folder, at the given row.
  void Take(const std::string& folder, const EntryList& rows, double index);
  // A file row of the browsed folder is opened: a folder other than the
  // playing one brings its rows; the playing folder whose rows changed since
  // brings its rows as they are now, with the counts of the files still
  // there, so the playing row is the file being opened.
  void OpenFrom(const std::string& folder, const EntryList& rows, int32_t row);
  void MoveTo(double index);
  // The playing row, when it is a file row, was opened once more.
  void CountPlay();

 private:
  EntryList mRows{ListEntry{"0", kEntryBack, 0, {}}};
  double mIndex = 1;
  std::string mFolder;
};

struct BrowseState {
  EntryList mBrowseList{ListEntry{"0", kEntryBack, 0, {}}};
  double mBrowseCursor = 1;  // a whole number 1..count
  PlayingList mPlaying;
};
