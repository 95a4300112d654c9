#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Log.h"
#include "store/ErrorList.h"
#include "store/clsHashFile.h"

namespace {

std::vector<std::string> KeysInOrder(clsHashFile& store) {
  std::vector<std::string> keys;
  for (std::string key = store.GetNextKey(-1); !key.empty(); key = store.GetNextKey()) {
    keys.push_back(key);
  }
  return keys;
}

std::string LastError() {
  return ErrorList().GetValue("Error" + std::to_string(ErrorCount()), HashValue("")).Text();
}

bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// 1001 distinct four-letter keys whose bytes all add up to 438, so they share
// bucket 438; every other key starts with a capital to exercise folding.
std::vector<std::string> KeysOfOneBucket(size_t count) {
  std::vector<std::string> keys;
  for (int a = 0; a < 26 && keys.size() < count; ++a) {
    for (int b = 0; b < 26 && keys.size() < count; ++b) {
      for (int c = 0; c < 26 && keys.size() < count; ++c) {
        const int d = 50 - a - b - c;
        if (d < 0 || d > 25) continue;
        std::string key{char('a' + a), char('a' + b), char('a' + c), char('a' + d)};
        if (keys.size() % 2 == 1) key[0] = static_cast<char>(key[0] - 'a' + 'A');
        keys.push_back(key);
      }
    }
  }
  return keys;
}

TEST(HashFileTest, KeysIgnoreLetterCaseAndKeepTheirFirstSpelling) {
  struct Case {
    const char* stored;
    const char* asked;
    const char* replacedAs;
  };
  const Case cases[] = {
      {"gMediaVolume", "GMEDIAVOLUME", "gmediavolume"},
      {"Ärger", "äRGER", "ÄRGER"},
      {"key.38.0", "KEY.38.0", "Key.38.0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    clsHashFile store;
    store.SetValue(c.stored, 1);
    EXPECT_EQ(store.GetValue(c.asked), HashValue(1));
    EXPECT_TRUE(store.KeyExists(c.asked));
    store.SetValue(c.replacedAs, 2);
    EXPECT_EQ(store.NumKeys(), 1);
    EXPECT_EQ(store.GetValue(c.stored), HashValue(2));
    EXPECT_EQ(KeysInOrder(store), std::vector<std::string>{c.stored});
  }
}

TEST(HashFileTest, BucketIsTheByteSumOfTheLowerCasedKey) {
  struct Case {
    const char* key;
    int32_t bucket;
  };
  const Case cases[] = {
      {"", 0},           {"a", 97},
      {"A", 97},         {"ab", 195},
      {"BA", 195},       {"ä", (0xC3 + 0xA4)},
      {"Ä", 359},        {"zzzzzzzzzzz", 1342 % 1000},
      {"dddddddddd", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(clsHashFile::HashKey(c.key), c.bucket);
  }
}

TEST(HashFileTest, AnagramsShareABucketAndStayApart) {
  clsHashFile store;
  store.SetValue("ab", "first");
  store.SetValue("ba", "second");
  store.SetValue("AB", "first again");
  EXPECT_EQ(store.NumKeys(), 2);
  EXPECT_EQ(store.GetValue("ab").Text(), "first again");
  EXPECT_EQ(store.GetValue("Ba").Text(), "second");
}

TEST(HashFileTest, SlotTableGrowsOnceByAThousandPastTheFirstThousandEntries) {
  clsHashFile store;
  for (int i = 1; i <= 1000; ++i) store.SetValue("key" + std::to_string(i), i);
  EXPECT_EQ(store.LastSlot(), 1000);
  store.SetValue("key1001", 1001);
  EXPECT_EQ(store.LastSlot(), 2000);
  EXPECT_EQ(store.NumKeys(), 1001);
  const std::vector<std::string> keys = KeysInOrder(store);
  ASSERT_EQ(keys.size(), 1001u);
  for (int i = 1; i <= 1001; ++i) {
    EXPECT_EQ(keys[i - 1], "key" + std::to_string(i));
    EXPECT_EQ(store.GetValue("KEY" + std::to_string(i)), HashValue(i));
  }
}

TEST(HashFileTest, BucketListGrowsOnceByAThousandPastItsFirstThousandPositions) {
  const std::vector<std::string> keys = KeysOfOneBucket(1001);
  ASSERT_EQ(keys.size(), 1001u);
  clsHashFile store;
  for (size_t i = 0; i < 1000; ++i) {
    ASSERT_EQ(clsHashFile::HashKey(keys[i]), 438);
    store.SetValue(keys[i], static_cast<int32_t>(i));
  }
  EXPECT_EQ(store.LastBucketPosition(438), 1000);
  store.SetValue(keys[1000], 1000);
  EXPECT_EQ(store.LastBucketPosition(438), 2000);
  EXPECT_EQ(store.NumKeys(), 1001);
  for (size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(store.GetValue(keys[i]), HashValue(static_cast<int32_t>(i))) << keys[i];
  }
}

TEST(HashFileTest, DeletedKeyIsGoneAndComesBackAtTheEnd) {
  clsHashFile store;
  store.SetValue("a", 1);
  store.SetValue("b", 2);
  store.SetValue("c", 3);
  EXPECT_TRUE(store.DeleteKey("B"));
  EXPECT_FALSE(store.DeleteKey("b"));
  EXPECT_FALSE(store.KeyExists("b"));
  EXPECT_EQ(store.NumKeys(), 2);
  EXPECT_EQ(KeysInOrder(store), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(store.GetValue("b", HashValue(0)), HashValue(0));

  store.SetValue("B", 4);
  EXPECT_EQ(store.NumKeys(), 3);
  EXPECT_EQ(KeysInOrder(store), (std::vector<std::string>{"a", "c", "B"}));
  EXPECT_EQ(store.GetValue("b"), HashValue(4));
}

TEST(HashFileTest, EmptyKeyIsNeverStoredNorFoundAmongDeletedSlots) {
  clsHashFile store;
  store.SetValue("dddddddddd", 1);  // Bucket 0, the bucket of the empty key.
  store.DeleteKey("dddddddddd");
  std::string logged;
  const LogSink previous = SetLogSink([&](const std::string& line) { logged += line; });
  store.SetValue("", 2);
  SetLogSink(previous);
  EXPECT_NE(logged.find("empty key"), std::string::npos);
  EXPECT_FALSE(store.KeyExists(""));
  EXPECT_EQ(store.NumKeys(), 0);
  EXPECT_EQ(store.GetNextKey(-1), "");
}

TEST(HashFileTest, NewEntryWithARepeatedKeyIsStoredTwiceAndTheFirstIsFound) {
  clsHashFile store;
  store.SetValue("k", "first");
  store.SetValue("K", "second", true);
  EXPECT_EQ(store.NumKeys(), 2);
  EXPECT_EQ(store.GetValue("k").Text(), "first");
  store.DeleteKey("k");
  EXPECT_EQ(store.GetValue("k").Text(), "second");
}

TEST(HashFileTest, IterationCursorWrapsAndJumps) {
  clsHashFile store;
  EXPECT_EQ(store.GetNextKey(-1), "");
  EXPECT_EQ(store.GetNextKey(), "");
  store.SetValue("a", 1);
  store.SetValue("b", 2);
  store.SetValue("c", 3);
  const char* expected[] = {"a", "b", "c", "", "a", "b"};
  EXPECT_EQ(store.GetNextKey(-1), expected[0]);
  for (size_t i = 1; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(store.GetNextKey(), expected[i]);
  }
  EXPECT_EQ(store.GetNextKey(3), "c");
  EXPECT_EQ(store.GetNextKey(), "");
  EXPECT_EQ(store.GetNextKey(50), "");
  EXPECT_EQ(store.GetNextKey(), "a");
}

TEST(HashFileTest, GetValueOfAMissingKeyGivesTheDefaultOrReportsIt) {
  struct Case {
    const char* name;
    HashValue defaultValue;
    bool storeDefault;
    HashValue expected;
    bool storedAfter;
    bool reported;
  };
  const Case cases[] = {
      {"default kept", HashValue(5), false, HashValue(5), false, false},
      {"default stored", HashValue(5), true, HashValue(5), true, false},
      {"no default", HashValue(clsHashFile::kNoDefault), false, HashValue::Null(), false, true},
      {"no default, store", HashValue(clsHashFile::kNoDefault), true, HashValue::Null(), false,
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clsHashFile store;
    store.SetValue("present", 9);
    const int32_t errorsBefore = ErrorCount();
    EXPECT_EQ(store.GetValue("nothere", c.defaultValue, c.storeDefault), c.expected);
    EXPECT_EQ(store.KeyExists("NotHere"), c.storedAfter);
    EXPECT_EQ(store.NumKeys(), c.storedAfter ? 2 : 1);
    if (c.storedAfter) {
      EXPECT_EQ(store.GetValue("nothere"), c.defaultValue);
    }
    EXPECT_EQ(ErrorCount(), errorsBefore + (c.reported ? 1 : 0));
    if (c.reported) {
      EXPECT_TRUE(EndsWith(LastError(), ") - Could not find key 'nothere' in hash."))
          << LastError();
    }
    EXPECT_EQ(store.GetValue("present", HashValue(1), true), HashValue(9));
  }
  const int32_t errorsBefore = ErrorCount();
  clsHashFile store;
  EXPECT_TRUE(store.GetValue("Missing").IsNull());
  EXPECT_EQ(ErrorCount(), errorsBefore + 1);
  EXPECT_TRUE(EndsWith(LastError(), "Could not find key 'Missing' in hash."));
}

TEST(HashFileTest, ClearEmptiesAndShrinksTheStore) {
  clsHashFile store;
  for (int i = 0; i < 1500; ++i) store.SetValue("k" + std::to_string(i), i);
  store.GetNextKey(-1);
  store.Clear();
  EXPECT_EQ(store.NumKeys(), 0);
  EXPECT_EQ(store.LastSlot(), 1000);
  EXPECT_FALSE(store.KeyExists("k1"));
  EXPECT_EQ(store.GetNextKey(), "");
  store.SetValue("new", 1);
  EXPECT_EQ(KeysInOrder(store), std::vector<std::string>{"new"});
}

}  // namespace
