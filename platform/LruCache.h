#pragma once

#include <cstddef>
#include <list>
#include <string>
#include <unordered_map>
#include <utility>

// Values by text key, the least recently used dropped first once there are
// more than `maxEntries` or their sizes add up to more than `maxBytes`. The
// newest value always stays, even when it alone is over the budget.
template <typename Value>
class LruCache {
 public:
  LruCache(size_t maxEntries, size_t maxBytes) : mMaxEntries(maxEntries), mMaxBytes(maxBytes) {}

  // The value under key, now the most recently used; null when absent.
  Value* Find(const std::string& key) {
    const auto found = mByKey.find(key);
    if (found == mByKey.end()) return nullptr;
    mEntries.splice(mEntries.begin(), mEntries, found->second);
    return &mEntries.front().value;
  }

  // Stores value under key (which must be absent) as `bytes` of the budget.
  Value& Insert(std::string key, Value value, size_t bytes) {
    mEntries.push_front(Entry{std::move(key), std::move(value), bytes});
    mByKey[mEntries.front().key] = mEntries.begin();
    mBytes += bytes;
    while (mEntries.size() > 1 && (mEntries.size() > mMaxEntries || mBytes > mMaxBytes)) {
      mBytes -= mEntries.back().bytes;
      mByKey.erase(mEntries.back().key);
      mEntries.pop_back();
    }
    return mEntries.front().value;
  }

  size_t Bytes() const { return mBytes; }

 private:
  struct Entry {
    std::string key;
    Value value;
    size_t bytes = 0;
  };
  size_t mMaxEntries;
  size_t mMaxBytes;
  size_t mBytes = 0;
  std::list<Entry> mEntries;  // most recently used first
  std::unordered_map<std::string, typename std::list<Entry>::iterator> mByKey;
};
