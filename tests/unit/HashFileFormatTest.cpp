#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <sstream>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>

#include "app/ErrorList.h"
#include "app/Log.h"
#include "store/HashFileWriter.h"
#include "store/clsHashFile.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

// The store as the lines SaveHash would write, line breaks shown as ";".
std::string Dump(const clsHashFile& store) {
  std::string text = store.FormatText().value_or("<unwritable>");
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
    text.replace(at, 2, ";");
  }
  return text;
}

std::string LastError() {
  return ErrorList().GetValue("Error" + std::to_string(ErrorCount()), HashValue("")).Text();
}

// Collects the log lines written while it lives.
class LogCapture {
 public:
  LogCapture() {
    mPrevious = SetLogSink([this](const std::string& line) { mLines += line + "\n"; });
  }
  ~LogCapture() { SetLogSink(std::move(mPrevious)); }
  const std::string& Lines() const { return mLines; }

 private:
  LogSink mPrevious;
  std::string mLines;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary);
  file << bytes;
}

class HashFileFormatTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(mTemp.Path().empty()); }

  TempFolder mTemp;
  const fs::path mFolder = mTemp.Path();
};

TEST(HashFileFormat, TokensReadBackAsText) {
  struct Case {
    const char* name;
    std::string file;
    std::string expected;
  };
  const Case cases[] = {
      {"text keeps separators", "\"k\",\"a,{b}#c'd\ne\"", "\"k\",\"a,{b}#c'd\ne\";"},
      {"integers", "\"a\",007 \"b\",-2500 \"c\",-0 \"d\",2147483647 \"e\",-2147483648",
       "\"a\",\"7\";\"b\",\"-2500\";\"c\",\"0\";\"d\",\"2147483647\";\"e\",\"-2147483648\";"},
      {"decimals", "\"a\",1.5 \"b\",1.50 \"c\",2. \"d\",-0.25 \"e\",0.1",
       "\"a\",\"1.5\";\"b\",\"1.5\";\"c\",\"2\";\"d\",\"-0.25\";\"e\",\"0.1\";"},
      {"number ends at the next character", "\"a\",12\"b\",3-4", "\"a\",\"12\";\"b\",\"3\";"},
      {"number at the very end", "\"a\",007", "\"a\",\"7\";"},
      {"booleans and null", "\"t\",#TRUE#\t\"f\",#FALSE#\n\"n\",#NULL#",
       "\"t\",\"True\";\"f\",\"False\";\"n\",#NULL#;"},
      {"date-times",
       "\"d\",#2024-02-29# \"dt\",#2024-02-29 13:05:09# \"t\",#13:05:09# \"s\",# 2024-1-5  7:05 #",
       "\"d\",\"2024-02-29\";\"dt\",\"2024-02-29 13:05:09\";\"t\",\"13:05:09\";"
       "\"s\",\"2024-01-05 07:05:00\";"},
      {"comments", "' settings\r\n\"a\",1 ' after a pair\r\n\"b\",\"x\" ' at the end",
       "\"a\",\"1\";\"b\",\"x\";"},
      {"other bytes separate", "\xEF\xBB\xBF\"a\";;=1 garbage \"b\" : \"c\"",
       "\"a\",\"1\";\"b\",\"c\";"},
      {"braces as text values", "\"open\",\"}\" \"k\",\"v\"", "\"open\",\"}\";\"k\",\"v\";"},
      {"blank keys are dropped", "\"\",\"lost\" \"a\",1", "\"lost\",\"a\";"},
      {"blank key of spaces", "\"   \" \"a\",1", "\"a\",\"1\";"},
      {"null key is dropped", "#NULL# \"k\",\"v\"", "\"k\",\"v\";"},
      {"duplicates stay", "\"k\",1 \"K\",2", "\"k\",\"1\";\"K\",\"2\";"},
      {"final key without value", "\"a\",1,\"b\"", "\"a\",\"1\";"},
      {"text cut by the end", "\"a\",\"unfinished", "\"a\",\"unfinished\";"},
      {"literal cut by the end", "\"a\",#TRU", "\"a\",\"TRU\";"},
      {"Western 8-bit text", "\"sym\",\"\xA7 1\" \"K\xE4se\",\"\xC2\xA7\"",
       "\"sym\",\"\xC2\xA7 1\";\"K\xC3\xA4se\",\"\xC2\xA7\";"},
      {"empty file", "", ""},
      {"comments only", "' one\r\n' two\r\n", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LogCapture log;
    clsHashFile store;
    const int32_t errorsBefore = ErrorCount();
    EXPECT_EQ(store.LoadText(c.file, "test.ini"), 1);
    EXPECT_EQ(Dump(store), c.expected);
    EXPECT_EQ(ErrorCount(), errorsBefore);
    if (std::string(c.name) == "final key without value") {
      EXPECT_NE(log.Lines().find("last key b has no value"), std::string::npos) << log.Lines();
    }
  }
}

TEST(HashFileFormat, SectionsPutTheirKeysIntoThePattern) {
  struct Case {
    const char* name;
    std::string file;
    std::string expected;
  };
  const Case cases[] = {
      {"two sections",
       "\"%1\" {\r\n\"ctrlName\",\"cmdPlay\"\r\n}\r\n\"wndMain.%\" { \"cmdPlay\",1 } \"x\",2",
       "\"ctrlName1\",\"cmdPlay\";\"wndMain.cmdPlay\",\"1\";\"x\",\"2\";"},
      {"a header replaces the open section", "\"a%\" { \"x\",1 \"b%\" { \"y\",2 }",
       "\"ax\",\"1\";\"by\",\"2\";"},
      {"only the first % is replaced", "\"%.%\" { \"k\",1 }", "\"k.%\",\"1\";"},
      {"text { opens and text } closes", "\"s%\",\"{\" \"a\",1 \"}\" \"b\",2",
       "\"sa\",\"1\";\"b\",\"2\";"},
      {"} as a value keeps the section open", "\"s%\" { \"a\" } \"b\",2 } \"c\",3",
       "\"sa\",\"}\";\"sb\",\"2\";\"c\",\"3\";"},
      {"a section without pairs needs no %", "\"plain\" { } \"k\",1", "\"k\",\"1\";"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clsHashFile store;
    EXPECT_EQ(store.LoadText(c.file, "skin.tvs"), 1);
    EXPECT_EQ(Dump(store), c.expected);
  }
}

TEST(HashFileFormat, FailuresStopTheLoadKeepEarlierPairsAndAreReported) {
  struct Case {
    const char* name;
    std::string file;
    const char* description;
  };
  const Case cases[] = {
      {"lone minus", "\"a\",1\r\n\"b\",-\r\n", "line 2: "},
      {"two points", "\"a\",1 \"b\",1.2.3", "1.2.3"},
      {"above 32 bits", "\"a\",1 \"b\",2147483648", "2147483648"},
      {"below 32 bits", "\"a\",1 \"b\",-2147483649", "-2147483649"},
      {"lower-case true", "\"a\",1 \"b\",#true#", "#true#"},
      {"no such day", "\"a\",1 \"b\",#2023-02-29#", "#2023-02-29#"},
      {"no such hour", "\"a\",1 \"b\",#24:00:00#", "#24:00:00#"},
      {"empty literal", "\"a\",1 \"b\",##", "##"},
      {"section without %", "\"a\",1 \"plain\" { \"k\",1 }", "plain"},
      {"5000 digits", "\"a\",1 \"b\"," + std::string(5000, '9'), "longer than"},
      {"endless literal", "\"a\",1 \"b\",#" + std::string(5000, 'x') + "#", "longer than"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clsHashFile store;
    store.SetValue("old", 1);
    const int32_t errorsBefore = ErrorCount();
    EXPECT_EQ(store.LoadText(c.file, "Tavizo.ini"), 0);
    EXPECT_EQ(Dump(store), "\"a\",\"1\";");
    ASSERT_EQ(ErrorCount(), errorsBefore + 1);
    const std::string error = LastError();
    EXPECT_NE(error.find(") - LoadHashError: "), std::string::npos) << error;
    EXPECT_NE(error.find(c.description), std::string::npos) << error;
    EXPECT_TRUE(error.ends_with(" (while loading Tavizo.ini)")) << error;
  }
}

TEST(HashFileFormat, TextWithAQuoteIsWrittenUnchangedAndReadBackCut) {
  clsHashFile store;
  store.SetValue("q", "say \"hi\" now");
  store.SetValue("n", 1);
  const std::string text = store.FormatText().value();
  EXPECT_EQ(text, "\"q\",\"say \"hi\" now\"\r\n\"n\",1\r\n");
  LogCapture log;
  clsHashFile loaded;
  EXPECT_EQ(loaded.LoadText(text, "quotes"), 1);
  EXPECT_EQ(loaded.GetValue("q").Text(), "say ");
}

TEST_F(HashFileFormatTest, EveryKindIsSavedInItsOwnFormAndReadBackAsText) {
  struct Case {
    const char* key;
    HashValue value;
    const char* written;
    HashValue readBack;
  };
  const Case cases[] = {
      {"text", HashValue("A \xC2\xA7 b"), "\"A \xC2\xA7 b\"", HashValue("A \xC2\xA7 b")},
      {"int", HashValue(-2500), "-2500", HashValue("-2500")},
      {"short", HashValue::Integer16(-7), "-7", HashValue("-7")},
      {"double", HashValue(0.1), "0.1", HashValue("0.1")},
      {"tiny", HashValue(-1e-7), "-0.0000001", HashValue("-0.0000001")},
      {"big", HashValue(1e21), "1000000000000000000000.0", HashValue("1000000000000000000000")},
      {"whole double", HashValue(3.0), "3", HashValue("3")},
      {"yes", HashValue(true), "#TRUE#", HashValue("True")},
      {"no", HashValue(false), "#FALSE#", HashValue("False")},
      {"when", HashValue(DateTimeValue{2024, 2, 29, 7, 5, 9}), "#2024-02-29 07:05:09#",
       HashValue("2024-02-29 07:05:09")},
      {"nothing", HashValue::Null(), "#NULL#", HashValue::Null()},
      {"empty", HashValue(), "\"\"", HashValue("")},
  };
  clsHashFile store;
  std::string expected;
  for (const Case& c : cases) {
    store.SetValue(c.key, c.value);
    expected += std::string("\"") + c.key + "\"," + c.written + "\r\n";
  }
  store.SetValue("deleted", 1);
  store.DeleteKey("deleted");
  const fs::path file = mFolder / "all.ini";
  ASSERT_EQ(store.SaveHash(file), 1);
  EXPECT_EQ(ReadFile(file), expected);

  clsHashFile loaded;
  loaded.SetValue("stale", 1);
  ASSERT_EQ(loaded.LoadHash(file, false), 1);
  EXPECT_EQ(loaded.NumKeys(), static_cast<int32_t>(std::size(cases)));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(loaded.GetValue(c.key), c.readBack);
  }
  EXPECT_FALSE(loaded.KeyExists("stale"));
}

TEST_F(HashFileFormatTest, MissingFileIsCreatedOnlyWhenAsked) {
  for (const bool create : {false, true}) {
    SCOPED_TRACE(create);
    const fs::path file = mFolder / (create ? "created.ini" : "absent.ini");
    clsHashFile store;
    store.SetValue("stale", 1);
    const int32_t errorsBefore = ErrorCount();
    EXPECT_EQ(store.LoadHash(file, create), 0);
    EXPECT_EQ(store.NumKeys(), 0);
    EXPECT_EQ(fs::exists(file), create);
    if (create) {
      EXPECT_EQ(fs::file_size(file), 0u);
    }
    EXPECT_EQ(ErrorCount(), errorsBefore);
  }
}

TEST_F(HashFileFormatTest, UnreadableNameIsReportedAndNeverOverwritten) {
  const fs::path folder = mFolder / "Tavizo.ini";
  fs::create_directory(folder);
  WriteFile(folder / "inside", "kept");
  clsHashFile store;
  const int32_t errorsBefore = ErrorCount();
  EXPECT_EQ(store.LoadHash(folder, true), 0);
  EXPECT_EQ(ErrorCount(), errorsBefore + 1);
  EXPECT_TRUE(LastError().ends_with(" (while loading " + folder.string() + ")")) << LastError();
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_EQ(ReadFile(folder / "inside"), "kept");
}

TEST_F(HashFileFormatTest, FileReadInPiecesGivesWhatTheTextGives) {
  clsHashFile store;
  for (int i = 0; i < 6000; ++i) {
    const std::string key = "wndMain.element" + std::to_string(i);
    if (i % 3 == 0) store.SetValue(key, i * 7919);
    if (i % 3 == 1) store.SetValue(key, i / 7.0);
    if (i % 3 == 2) store.SetValue(key, "text " + std::string(i % 50, 'x') + " \xC2\xA7");
  }
  const fs::path file = mFolder / "big.tvs";
  ASSERT_EQ(store.SaveHash(file), 1);
  ASSERT_GT(fs::file_size(file), 3u * 64 * 1024);  // Several pieces.

  clsHashFile fromFile;
  clsHashFile fromText;
  EXPECT_EQ(fromFile.LoadHash(file, false), 1);
  EXPECT_EQ(fromText.LoadText(ReadFile(file), "big.tvs"), 1);
  EXPECT_EQ(fromFile.NumKeys(), 6000);
  EXPECT_EQ(fromFile.FormatText(), fromText.FormatText());
}

TEST_F(HashFileFormatTest, HugeTokensFailTheLoadInsteadOfFillingMemory) {
  struct Case {
    const char* name;
    std::string head;
    size_t repeat;
    char filler;
    std::string tail;
  };
  const Case cases[] = {
      {"40 MB text", "\"ok\",1\r\n\"k\",\"", 40u << 20, 'x', "\"\r\n"},
      {"5000-digit number", "\"ok\",1\r\n\"k\",", 5000, '7', "\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path file = mFolder / "huge.ini";
    {
      std::ofstream out(file, std::ios::binary);
      out << c.head;
      const std::string block(1 << 20, c.filler);
      for (size_t left = c.repeat; left > 0; left -= std::min(left, block.size())) {
        out.write(block.data(), static_cast<std::streamsize>(std::min(left, block.size())));
      }
      out << c.tail;
    }
    clsHashFile store;
    const int32_t errorsBefore = ErrorCount();
    EXPECT_EQ(store.LoadHash(file, false), 0);
    EXPECT_EQ(ErrorCount(), errorsBefore + 1);
    EXPECT_NE(LastError().find("LoadHashError: line 2: "), std::string::npos) << LastError();
    EXPECT_NE(LastError().find("longer than"), std::string::npos) << LastError();
    EXPECT_EQ(Dump(store), "\"ok\",\"1\";");
  }
}

TEST_F(HashFileFormatTest, FailedSaveKeepsTheOldFile) {
  const fs::path file = mFolder / "Tavizo.keys";
  const std::string old = "\"key.38.0\",\"!.elemMoveN\"\r\n";

  struct Case {
    const char* name;
    std::function<void()> breakIt;
    std::function<void()> repair;
    HashValue value;
  };
  struct rlimit originalLimit {};
  ::getrlimit(RLIMIT_FSIZE, &originalLimit);
  const Case cases[] = {
      // A folder squatting on the temporary name makes the new file impossible.
      {"temporary name blocked",
       [&] { fs::create_directory(HashFileWriter::TemporaryPathOf(file)); },
       [&] { fs::remove(HashFileWriter::TemporaryPathOf(file)); }, HashValue("new")},
      // A file size limit (binding even on root) makes the write fail midway.
      {"write fails midway",
       [&] {
         std::signal(SIGXFSZ, SIG_IGN);
         struct rlimit limit = originalLimit;
         limit.rlim_cur = 64 * 1024;
         ::setrlimit(RLIMIT_FSIZE, &limit);
       },
       [&] { ::setrlimit(RLIMIT_FSIZE, &originalLimit); }, HashValue(std::string(1 << 20, 'n'))},
      {"value with no written form", [] {}, [] {},
       HashValue(std::numeric_limits<double>::infinity())},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(file, old);
    ::chmod(file.c_str(), 0640);
    clsHashFile store;
    store.SetValue("key.38.0", c.value);
    const int32_t errorsBefore = ErrorCount();
    c.breakIt();
    const int32_t result = store.SaveHash(file);
    c.repair();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadFile(file), old);
    EXPECT_FALSE(fs::exists(HashFileWriter::TemporaryPathOf(file)));
    ASSERT_EQ(ErrorCount(), errorsBefore + 1);
    EXPECT_NE(LastError().find(") - SaveHashError: "), std::string::npos) << LastError();
    EXPECT_TRUE(LastError().ends_with(" (while saving " + file.string() + ")")) << LastError();
  }

  // Once nothing is in the way, the save replaces the file and keeps its mode.
  clsHashFile store;
  store.SetValue("key.38.0", "!.elemMoveS");
  ASSERT_EQ(store.SaveHash(file), 1);
  EXPECT_EQ(ReadFile(file), "\"key.38.0\",\"!.elemMoveS\"\r\n");
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(HashFileFormatTest, SaveThroughALinkReplacesTheFileItPointsTo) {
  const fs::path target = mFolder / "real.ini";
  const fs::path link = mFolder / "Tavizo.ini";
  WriteFile(target, "\"old\",1\r\n");
  fs::create_symlink(target, link);
  clsHashFile store;
  store.SetValue("new", 2);
  ASSERT_EQ(store.SaveHash(link), 1);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadFile(target), "\"new\",2\r\n");
}

TEST(HashFileFormat, SaveIntoAPlaceThatTakesNoFilesIsReported) {
  clsHashFile store;
  store.SetValue("k", 1);
  const int32_t errorsBefore = ErrorCount();
  EXPECT_EQ(store.SaveHash("/proc/tavizo-test.ini"), 0);
  EXPECT_EQ(ErrorCount(), errorsBefore + 1);
  EXPECT_TRUE(LastError().ends_with(" (while saving /proc/tavizo-test.ini)")) << LastError();
}

}  // namespace
