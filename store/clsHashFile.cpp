#include "store/clsHashFile.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/Conversions.h"
#include "base/Log.h"
#include "base/Text.h"
#include "store/ErrorList.h"
#include "store/FileReplacer.h"
#include "store/HashFileReader.h"
#include "store/HashFileWriter.h"

namespace {

constexpr int32_t kBucketCount = 1000;
// Both the slot table and every bucket list grow in steps of this many.
constexpr int32_t kGrowthStep = 1000;
// Copies of damaged files beyond this many are not kept.
constexpr int kMostKeptCopies = 20;

// The failures of the file operations are worth a log line as well: the
// error list is never shown.
void ReportFileError(const std::string& message) {
  ReportError(message);
  WriteLog(message);
}

std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

// Keeps a copy of a file that could not be read to its end beside it, so
// that the pairs after the damage survive the caller writing back the pairs
// before it. A copy of the same contents kept earlier is reused.
void KeepDamagedCopy(const std::string& file) {
  namespace fs = std::filesystem;
  const std::string bytes = ReadBytes(file);
  for (int copy = 1; copy <= kMostKeptCopies; ++copy) {
    const std::string kept = file + (copy == 1 ? "" : "." + std::to_string(copy)) + ".bad";
    std::error_code error;
    if (fs::exists(kept, error)) {
      if (ReadBytes(kept) != bytes) continue;
    } else if (!fs::copy_file(file, kept, error)) {
      WriteLog("LoadHash: " + file + " could not be read to its end, and no copy of it could be " +
               "kept as " + kept + ": " + error.message());
      return;
    }
    WriteLog("LoadHash: " + file + " could not be read to its end; it is kept as " + kept);
    return;
  }
  WriteLog("LoadHash: " + file + " could not be read to its end; " +
           std::to_string(kMostKeptCopies) + " damaged copies are kept already, none more");
}

}  // namespace

clsHashFile::FoldedKey clsHashFile::Fold(std::string_view key) {
  FoldedKey folded;
  folded.lower = LowerText(key);
  // The bucket sum is wide enough that no key can overflow it; for every key
  // within the store's limits it equals the 32-bit sum. The fingerprint is
  // FNV-1a, which any one changed byte alters.
  uint64_t sum = 0;
  uint64_t fingerprint = 14695981039346656037ull;
  for (const char byte : folded.lower) {
    sum += static_cast<unsigned char>(byte);
    fingerprint = (fingerprint ^ static_cast<unsigned char>(byte)) * 1099511628211ull;
  }
  folded.bucket = static_cast<int32_t>(sum % kBucketCount);
  folded.fingerprint = fingerprint;
  return folded;
}

clsHashFile::clsHashFile() {
  Clear();
}

clsHashFile::~clsHashFile() = default;

void clsHashFile::Clear() {
  // Swapping in fresh tables gives back the memory of a large store.
  std::vector<Slot>(kGrowthStep + 1).swap(mSlots);
  mNextFreeSlot = 1;
  std::vector<std::unique_ptr<std::vector<int32_t>>>(kBucketCount).swap(mBuckets);
  mKeyCount = 0;
  mCursor = -1;
}

int32_t clsHashFile::HashKey(std::string_view key) {
  return Fold(key).bucket;
}

int32_t clsHashFile::LastSlot() const {
  return static_cast<int32_t>(mSlots.size()) - 1;
}

int32_t clsHashFile::LastBucketPosition(int32_t bucket) const {
  if (bucket < 0 || bucket >= kBucketCount || !mBuckets[bucket]) return 0;
  return static_cast<int32_t>(mBuckets[bucket]->size()) - 1;
}

int32_t clsHashFile::FindSlot(const FoldedKey& folded) const {
  // Deleted slots have an empty key, so the empty key must never match one.
  if (folded.lower.empty()) return -1;
  const std::vector<int32_t>* list = mBuckets[folded.bucket].get();
  if (!list) return -1;
  const int32_t nextFree = (*list)[0];
  for (int32_t position = 1; position < nextFree; ++position) {
    const Slot& slot = mSlots[(*list)[position]];
    if (slot.fingerprint == folded.fingerprint && slot.lowerKey == folded.lower) {
      return (*list)[position];
    }
  }
  return -1;
}

void clsHashFile::InsertEntry(std::string_view key, FoldedKey folded, HashValue value) {
  std::unique_ptr<std::vector<int32_t>>& list = mBuckets[folded.bucket];
  if (!list) {
    list = std::make_unique<std::vector<int32_t>>(kGrowthStep + 1, 0);
    (*list)[0] = 1;
  }
  if (mNextFreeSlot > LastSlot()) mSlots.resize(mSlots.size() + kGrowthStep);
  const int32_t position = (*list)[0];
  if (position > static_cast<int32_t>(list->size()) - 1)
    list->resize(list->size() + kGrowthStep, 0);

  Slot& slot = mSlots[mNextFreeSlot];
  slot.key = key;
  slot.lowerKey = std::move(folded.lower);
  slot.fingerprint = folded.fingerprint;
  slot.value = std::move(value);
  (*list)[position] = mNextFreeSlot;
  ++mNextFreeSlot;
  ++(*list)[0];
}

HashValue clsHashFile::GetValue(std::string_view key, const HashValue& defaultValue,
                                bool storeDefault) {
  try {
    const int32_t slot = FindSlot(Fold(key));
    if (slot > 0) return mSlots[slot].value;
    if (defaultValue.IsText() && defaultValue.Text() == kNoDefault) {
      ReportError("Could not find key '" + std::string(key) + "' in hash.");
      return HashValue::Null();
    }
    if (storeDefault) SetValue(key, defaultValue);
    return defaultValue;
  } catch (const std::exception& failure) {
    ReportError("GetValueXError: " + std::string(failure.what()));
    return HashValue();
  }
}

int32_t clsHashFile::SetValue(std::string_view key, HashValue value, bool isNew) {
  if (key.empty()) {
    WriteLog("SetValue: the empty key cannot be stored; the value is dropped");
    return 1;
  }
  FoldedKey folded = Fold(key);
  if (!isNew) {
    const int32_t slot = FindSlot(folded);
    if (slot > 0) {
      mSlots[slot].value = std::move(value);
      return 1;
    }
  }
  InsertEntry(key, std::move(folded), std::move(value));
  ++mKeyCount;
  return 1;
}

bool clsHashFile::DeleteKey(std::string_view key) {
  const int32_t slot = FindSlot(Fold(key));
  if (slot < 0) return false;
  // The slot stays listed in its bucket; with an empty key it never matches.
  mSlots[slot].key.clear();
  mSlots[slot].lowerKey.clear();
  mSlots[slot].fingerprint = 0;
  --mKeyCount;
  return true;
}

bool clsHashFile::KeyExists(std::string_view key) const {
  return FindSlot(Fold(key)) > 0;
}

int32_t clsHashFile::NumKeys() const {
  return mKeyCount;
}

std::string clsHashFile::GetNextKey(int32_t start) {
  if (start != 0) mCursor = start;
  // -1 restarts from the first slot; no slot below 1 holds an entry.
  if (mCursor < 1) mCursor = 1;
  while (mCursor < mNextFreeSlot && mSlots[mCursor].key.empty()) ++mCursor;
  if (mCursor >= mNextFreeSlot) {
    mCursor = -1;
    return {};
  }
  return mSlots[mCursor++].key;
}

int32_t clsHashFile::LoadHash(const std::string& file, bool createIfMissing, DamagedFile damaged) {
  Clear();
  HashFileReader::OpenResult opened = HashFileReader::OpenFile(file);
  if (!opened.reader) {
    if (opened.missing) {
      if (createIfMissing) SaveHash(file);
      return 0;
    }
    // Only a file that is truly missing is created: one that exists but
    // cannot be read may hold the user's data and is left alone.
    ReportFileError("LoadHashError: " + opened.error + " (while loading " + file + ")");
    return 0;
  }
  const int32_t result = ReadPairs(*opened.reader, file);
  if (result == 0 && damaged == DamagedFile::KeepCopy) KeepDamagedCopy(file);
  return result;
}

int32_t clsHashFile::LoadText(std::string_view text, const std::string& source) {
  Clear();
  HashFileReader reader(text);
  return ReadPairs(reader, source);
}

int32_t clsHashFile::ReadPairs(HashFileReader& reader, const std::string& source) {
  const auto fail = [&](const std::string& description) {
    ReportFileError("LoadHashError: " + description + " (while loading " + source + ")");
    return 0;
  };
  using ReadResult = HashFileReader::ReadResult;
  std::string section;
  HashValue key;
  HashValue value;
  while (true) {
    ReadResult result = reader.MyInput(key);
    if (result == ReadResult::EndOfFile) return 1;
    if (result == ReadResult::Failure) return fail(reader.Failure());
    const std::string& keyText = key.Text();  // Null reads as empty text.
    if (keyText == "}") {
      section.clear();
      continue;
    }
    if (TrimText(keyText).empty())
      continue;  // A blank key is dropped; its value becomes the next key.

    result = reader.MyInput(value);
    if (result == ReadResult::Failure) return fail(reader.Failure());
    if (result == ReadResult::EndOfFile) {
      // A key that ends the file has lost its value (the file was cut
      // short); storing it with an empty value would hide the caller's
      // default, so it is dropped.
      WriteLog("LoadHash: the last key " + keyText + " has no value and is ignored (in " + source +
               ")");
      return 1;
    }
    if (value.IsText() && value.Text() == "{") {
      section = keyText;
      continue;
    }
    std::string storedKey = keyText;
    if (!section.empty()) {
      const size_t marker = section.find('%');
      if (marker == std::string::npos) {
        return fail("line " + std::to_string(reader.Line()) + ": the section name " + section +
                    " has no % to put the key in");
      }
      storedKey = section.substr(0, marker) + keyText + section.substr(marker + 1);
    }
    InsertEntry(storedKey, Fold(storedKey), std::move(value));
    ++mKeyCount;
  }
}

std::optional<std::string> clsHashFile::FormatText(std::string* error) const {
  std::string text;
  std::string reason;
  for (int32_t slot = 1; slot < mNextFreeSlot; ++slot) {
    const Slot& entry = mSlots[slot];
    if (entry.key.empty()) continue;
    if (!HashFileWriter::AppendLine(text, entry.key, entry.value, reason)) {
      if (error) *error = reason;
      return std::nullopt;
    }
  }
  return text;
}

int32_t clsHashFile::SaveHash(const std::string& file) {
  std::string error;
  const std::optional<std::string> text = FormatText(&error);
  if (!text || !FileReplacer::Replace(file, *text, error)) {
    ReportFileError("SaveHashError: " + error + " (while saving " + file + ")");
    return 0;
  }
  return 1;
}
