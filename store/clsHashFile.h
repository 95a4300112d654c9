#pragma once

// The ordered, case-insensitive key/value store used for settings, key
// bindings, skin files, skin strings and the error list, and its text file
// format. Keys keep the spelling with which they were first stored and come
// back in insertion order; look-ups ignore letter case. The bucket of a key is
// the sum of the bytes of its lower-cased UTF-8 form, mod 1000.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/HashValue.h"

class HashFileReader;

// What LoadHash does with a file that it could not read to its end.
enum class DamagedFile {
  Leave,     // Nothing beyond the report: the file is only ever read (skins).
  KeepCopy,  // A copy is kept beside it as "<file>.bad", because the caller
             // will write the pairs read before the damage back over it.
};

class clsHashFile {
 public:
  // The default of GetValue that marks "no default given".
  static constexpr const char* kNoDefault = ":o)";

  clsHashFile();
  ~clsHashFile();
  clsHashFile(const clsHashFile&) = delete;
  clsHashFile& operator=(const clsHashFile&) = delete;

  // Empties the store: slots 0 to 1000, next free slot 1, no bucket lists,
  // key count 0, iteration cursor -1.
  void Clear();

  // The value under key. A missing key with the default ":o)" reports
  // "Could not find key '<key>' in hash." and gives null; with any other
  // default gives the default, first storing it when storeDefault is true.
  HashValue GetValue(std::string_view key, const HashValue& defaultValue = HashValue(kNoDefault),
                     bool storeDefault = false);

  // Stores value under key, replacing an existing entry in place unless isNew
  // (then the caller guarantees the key is absent and no look-up is made).
  // The empty key marks deleted slots, so it is never stored (a log line says
  // so). Always returns 1.
  int32_t SetValue(std::string_view key, HashValue value, bool isNew = false);

  // Marks the key's slot deleted; true when the key was present.
  bool DeleteKey(std::string_view key);
  bool KeyExists(std::string_view key) const;
  int32_t NumKeys() const;

  // The next key in insertion order, or empty text after the last one. A start
  // of -1 restarts from the first slot, a positive start jumps to that slot,
  // 0 continues from the shared cursor.
  std::string GetNextKey(int32_t start = 0);

  // Replaces the contents with the file's pairs. Returns 1 when the file was
  // read to its end, 0 otherwise. A missing file is created empty when
  // createIfMissing is true; that is not an error and reports nothing. A file
  // that exists but cannot be read is reported and never overwritten. Any
  // other failure reports "LoadHashError: ..." (to the error list and the
  // log) and keeps the pairs read before; with KeepCopy the file is also kept
  // beside itself as "<file>.bad" (or "<file>.2.bad", ... when an earlier
  // copy of other contents holds that name), with a log line naming both.
  int32_t LoadHash(const std::string& file, bool createIfMissing,
                   DamagedFile damaged = DamagedFile::Leave);

  // Writes every live pair, in insertion order, as "key,value" lines, as
  // FileReplacer does: the old file stays whole until the new text is on
  // disk, and a read-only file is not replaced. Returns 1 when written, 0 on
  // failure, which is reported as "SaveHashError: ..." to the error list and
  // the log.
  int32_t SaveHash(const std::string& file);

  // The text of the file that SaveHash writes, or nothing (with the reason in
  // error, when given) when a value has no written form.
  std::optional<std::string> FormatText(std::string* error = nullptr) const;

  // Reads pairs from text as LoadHash does; `source` names the text in the
  // LoadHashError message. Returns 1 when the text was read to its end.
  int32_t LoadText(std::string_view text, const std::string& source);

  // The bucket (0 to 999) of a key: the sum of the bytes of its lower-cased
  // UTF-8 form, mod 1000. Keys that differ only in letter case or are
  // anagrams of one another share a bucket.
  static int32_t HashKey(std::string_view key);

  // The number of the slot table's last slot (1000, then 2000, ...).
  int32_t LastSlot() const;

  // The last position of a bucket list, or 0 while the list does not exist.
  int32_t LastBucketPosition(int32_t bucket) const;

 private:
  // A key as look-ups see it: lower-cased, with its bucket and a fingerprint.
  // Keys of one bucket often differ only in a digit or two ("ctrlName1",
  // "ctrlName2"), so the walk along a bucket list compares fingerprints and
  // reads the keys themselves only when those agree.
  struct FoldedKey {
    std::string lower;
    int32_t bucket = 0;
    uint64_t fingerprint = 0;
  };

  struct Slot {
    std::string key;  // Empty for a deleted entry.
    std::string lowerKey;
    uint64_t fingerprint = 0;
    HashValue value;
  };

  static FoldedKey Fold(std::string_view key);

  // The first slot whose key equals the folded key, or -1.
  int32_t FindSlot(const FoldedKey& folded) const;
  void InsertEntry(std::string_view key, FoldedKey folded, HashValue value);
  int32_t ReadPairs(HashFileReader& reader, const std::string& source);

  std::vector<Slot> mSlots;  // Slot 0 is the header.
  int32_t mNextFreeSlot = 1;
  std::vector<std::unique_ptr<std::vector<int32_t>>> mBuckets;  // 1000 lists, made on first use.
  int32_t mKeyCount = 0;
  int32_t mCursor = -1;
};
