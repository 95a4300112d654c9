// The store: its keys, its file format, saves that never lose the old file,
// and the settings file read with its defaults.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "base/Log.h"
#include "store/ErrorList.h"
#include "store/FileReplacer.h"
#include "store/Settings.h"
#include "store/clsHashFile.h"
#include "support/FakeLog.h"
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

// The names in the folder that end in ".tmp".
std::vector<std::string> TemporaryFilesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.ends_with(".tmp")) names.push_back(name);
  }
  return names;
}

constexpr uid_t kNobody = 65534;

// Runs work with the rights of an ordinary user, in whose name the program
// runs: as root (which the file modes do not bind), in a child process that
// becomes "nobody" first. Returns what work returned, or -1 when it could not
// run.
int AsOrdinaryUser(const std::function<int()>& work) {
  if (::geteuid() != 0) return work();
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
      ::_exit(255);
    }
    ::_exit(work());
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status) == 255 ? -1 : WEXITSTATUS(status);
}

// Past a file size of 64 KB, which binds root as well, writes fail; the
// returned function lifts the limit again.
std::function<void()> LimitFileSize() {
  std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit original {};
  ::getrlimit(RLIMIT_FSIZE, &original);
  struct rlimit limit = original;
  limit.rlim_cur = 64 * 1024;
  ::setrlimit(RLIMIT_FSIZE, &limit);
  return [original] { ::setrlimit(RLIMIT_FSIZE, &original); };
}

class HashFileFormatTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(mTemp.Path().empty()); }

  TempFolder mTemp;
  const fs::path mFolder = mTemp.Path();
};

TEST(HashFileFormat, TokensReadBackAsText) {
  const struct {
    const char* name;
    std::string file;
    std::string expected;
  } cases[] = {
      {"text keeps separators", "\"k\",\"a,{b}#c'd\ne\"", "\"k\",\"a,{b}#c'd\ne\";"},
      {"integers", "\"a\",007 \"b\",-2500 \"c\",-0 \"d\",2147483647 \"e\",-2147483648",
       "\"a\",\"7\";\"b\",\"-2500\";\"c\",\"0\";\"d\",\"2147483647\";\"e\",\"-2147483648\";"},
      {"decimals", "\"a\",1.5 \"b\",1.50 \"c\",2. \"d\",-0.25 \"e\",0.1",
       "\"a\",\"1.5\";\"b\",\"1.5\";\"c\",\"2\";\"d\",\"-0.25\";\"e\",\"0.1\";"},
      {"number ends at the next character", "\"a\",12\"b\",3-4", "\"a\",\"12\";\"b\",\"3\";"},
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
      {"blank keys are dropped", "\"\",\"lost\" \"a\",1", "\"lost\",\"a\";"},
      {"null key is dropped", "#NULL# \"k\",\"v\"", "\"k\",\"v\";"},
      {"duplicates stay", "\"k\",1 \"K\",2", "\"k\",\"1\";\"K\",\"2\";"},
      {"final key without value", "\"a\",1,\"b\"", "\"a\",\"1\";"},
      {"text cut by the end", "\"a\",\"unfinished", "\"a\",\"unfinished\";"},
      {"Western 8-bit text", "\"sym\",\"\xA7 1\" \"K\xE4se\",\"\xC2\xA7\"",
       "\"sym\",\"\xC2\xA7 1\";\"K\xC3\xA4se\",\"\xC2\xA7\";"},
      {"empty file", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeLog log;
    clsHashFile store;
    const int32_t errorsBefore = ErrorCount();
    EXPECT_EQ(store.LoadText(c.file, "test.ini"), 1);
    EXPECT_EQ(Dump(store), c.expected);
    EXPECT_EQ(ErrorCount(), errorsBefore);
    if (std::string(c.name) == "final key without value") {
      EXPECT_NE(log.All().find("last key b has no value"), std::string::npos) << log.All();
    }
  }
}

TEST(HashFileFormat, SectionsPutTheirKeysIntoThePattern) {
  const struct {
    const char* name;
    std::string file;
    std::string expected;
  } cases[] = {
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
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    clsHashFile store;
    EXPECT_EQ(store.LoadText(c.file, "skin.tvs"), 1);
    EXPECT_EQ(Dump(store), c.expected);
  }
}

TEST(HashFileFormat, FailuresStopTheLoadKeepEarlierPairsAndAreReported) {
  const struct {
    const char* name;
    std::string file;
    const char* description;
  } cases[] = {
      {"lone minus", "\"a\",1\r\n\"b\",-\r\n", "line 2: "},
      {"two points", "\"a\",1 \"b\",1.2.3", "1.2.3"},
      {"above 32 bits", "\"a\",1 \"b\",2147483648", "2147483648"},
      {"lower-case true", "\"a\",1 \"b\",#true#", "#true#"},
      {"no such day", "\"a\",1 \"b\",#2023-02-29#", "#2023-02-29#"},
      {"empty literal", "\"a\",1 \"b\",##", "##"},
      {"section without %", "\"a\",1 \"plain\" { \"k\",1 }", "plain"},
      {"5000 digits", "\"a\",1 \"b\"," + std::string(5000, '9'), "longer than"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeLog log;
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
    EXPECT_TRUE(log.All().ends_with(error.substr(error.find("LoadHashError: ")) + "\n"))
        << log.All();
  }
}

TEST_F(HashFileFormatTest, EveryKindIsSavedInItsOwnFormAndReadBackAsText) {
  const struct {
    const char* key;
    HashValue value;
    const char* written;
    HashValue readBack;
  } cases[] = {
      {"text", HashValue("A \xC2\xA7 b"), "\"A \xC2\xA7 b\"", HashValue("A \xC2\xA7 b")},
      {"int", HashValue(-2500), "-2500", HashValue("-2500")},
      {"double", HashValue(0.1), "0.1", HashValue("0.1")},
      {"big", HashValue(1e21), "1000000000000000000000.0", HashValue("1000000000000000000000")},
      {"yes", HashValue(true), "#TRUE#", HashValue("True")},
      {"no", HashValue(false), "#FALSE#", HashValue("False")},
      {"when", HashValue(DateTimeValue{2024, 2, 29, 7, 5, 9}), "#2024-02-29 07:05:09#",
       HashValue("2024-02-29 07:05:09")},
      {"nothing", HashValue::Null(), "#NULL#", HashValue::Null()},
      {"empty", HashValue(), "\"\"", HashValue("")},
  };
  clsHashFile store;
  std::string expected;
  for (const auto& c : cases) {
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
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(loaded.GetValue(c.key), c.readBack);
  }
  EXPECT_FALSE(loaded.KeyExists("stale"));
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
  std::function<void()> lift;
  const Case cases[] = {
      // A file size limit (binding even on root) makes the write fail midway.
      {"write fails midway", [&] { lift = LimitFileSize(); }, [&] { lift(); },
       HashValue(std::string(1 << 20, 'n'))},
      {"value with no written form", [] {}, [] {},
       HashValue(std::numeric_limits<double>::infinity())},
      // The user took every write right away; root could still write it.
      {"read-only file", [&] { ::chmod(file.c_str(), 0444); }, [&] { ::chmod(file.c_str(), 0640); },
       HashValue("new")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(file, old);
    ::chmod(file.c_str(), 0640);
    clsHashFile store;
    store.SetValue("key.38.0", c.value);
    const int32_t errorsBefore = ErrorCount();
    FakeLog log;
    c.breakIt();
    const int32_t result = store.SaveHash(file);
    c.repair();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadFile(file), old);
    EXPECT_EQ(TemporaryFilesIn(mFolder), std::vector<std::string>{});
    ASSERT_EQ(ErrorCount(), errorsBefore + 1);
    EXPECT_NE(LastError().find(") - SaveHashError: "), std::string::npos) << LastError();
    EXPECT_TRUE(LastError().ends_with(" (while saving " + file.string() + ")")) << LastError();
    EXPECT_NE(log.All().find("SaveHashError: "), std::string::npos) << log.All();
  }

  // Once nothing is in the way, the save replaces the file and keeps its mode.
  clsHashFile store;
  store.SetValue("key.38.0", "!.elemMoveS");
  ASSERT_EQ(store.SaveHash(file), 1);
  EXPECT_EQ(ReadFile(file), "\"key.38.0\",\"!.elemMoveS\"\r\n");
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(HashFileFormatTest, AFolderThatTakesNoNewFileGetsTheFileWrittenInPlace) {
  // The user may write the file but not the folder, as an ordinary user
  // finds it where an administrator made the folder.
  const fs::path folder = mFolder / "locked";
  const fs::path file = folder / "Tavizo.ini";
  const std::string old(100, 'o');
  fs::permissions(mFolder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec);
  fs::create_directory(folder);
  // A shorter and a longer text; room for a far longer one is refused before
  // anything is overwritten.
  const std::pair<size_t, int> cases[] = {{10, 1}, {5000, 1}, {1 << 20, 0}};
  for (const auto& [valueBytes, saved] : cases) {
    SCOPED_TRACE(valueBytes);
    fs::permissions(folder, fs::perms::owner_all);
    WriteFile(file, old);
    ::chmod(file.c_str(), 0644);
    ASSERT_TRUE(::geteuid() != 0 || ::chown(file.c_str(), kNobody, kNobody) == 0);
    ::chmod(folder.c_str(), 0555);
    const std::string value(valueBytes, 'n');
    const int result = AsOrdinaryUser([&] {
      const std::function<void()> lift = LimitFileSize();
      const LogSink previous = SetLogSink([](const std::string&) {});
      clsHashFile store;
      store.SetValue("k", value);
      const int32_t written = store.SaveHash(file);
      SetLogSink(previous);
      lift();
      return static_cast<int>(written);
    });
    EXPECT_EQ(result, saved);
    EXPECT_EQ(ReadFile(file), saved == 1 ? "\"k\",\"" + value + "\"\r\n" : old);
    EXPECT_EQ(TemporaryFilesIn(folder), std::vector<std::string>{});
  }
  fs::permissions(folder, fs::perms::owner_all);
}

TEST_F(HashFileFormatTest, TwoProgramsSavingAtOnceEachWriteAWholeFile) {
  const fs::path file = mFolder / "Tavizo.keys";
  const std::string values[] = {std::string(200000, 'a'), std::string(300000, 'b')};
  pid_t children[2] = {};
  for (int copy = 0; copy < 2; ++copy) {
    children[copy] = ::fork();
    if (children[copy] != 0) continue;
    clsHashFile store;
    store.SetValue("k", values[copy]);
    int failures = 0;
    for (int save = 0; save < 30; ++save) failures += store.SaveHash(file) == 1 ? 0 : 1;
    ::_exit(failures);
  }
  for (const pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "saves that failed";
  }
  const std::string written = ReadFile(file);
  EXPECT_TRUE(written == "\"k\",\"" + values[0] + "\"\r\n" ||
              written == "\"k\",\"" + values[1] + "\"\r\n")
      << written.size() << " bytes";
  EXPECT_EQ(TemporaryFilesIn(mFolder), std::vector<std::string>{});
}

TEST_F(HashFileFormatTest, TemporaryFilesOfSavesThatNeverEndedAreRemovedByTheNextSave) {
  // The id of a process that has ended.
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  const std::string ended = std::to_string(child);
  const struct {
    std::string name;
    bool old;
    bool temporary;  // of Tavizo.keys
    bool removed;
  } cases[] = {
      {"Tavizo.keys." + ended + ".a1b2c3.tmp", false, true, true},
      // Process 1 lives: its file may be a save going on right now.
      {"Tavizo.keys.1.a1b2c3.tmp", false, true, false},
      {"Tavizo.keys.1.zzzzzz.tmp", true, true, true},
      {"Tavizo.keys.notes.tmp", true, false, false},
      {"Tavizo.keys." + ended + ".a1b2c3.tmp.txt", true, false, false},
      {"Tavizo.ini." + ended + ".a1b2c3.tmp", true, false, false},
  };
  for (const auto& c : cases) {
    WriteFile(mFolder / c.name, "left");
    if (c.old) {
      fs::last_write_time(mFolder / c.name,
                          fs::file_time_type::clock::now() - std::chrono::hours(2));
    }
  }
  clsHashFile store;
  store.SetValue("k", 1);
  FakeLog log;
  ASSERT_EQ(store.SaveHash(mFolder / "Tavizo.keys"), 1);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(fs::exists(mFolder / c.name), !c.removed);
    EXPECT_EQ(FileReplacer::IsTemporaryNameOf(c.name, "Tavizo.keys"), c.temporary);
    EXPECT_EQ(log.All().find(c.name) != std::string::npos, c.removed) << log.All();
  }
}

TEST_F(HashFileFormatTest, ADamagedFileIsKeptBesideItselfBeforeItIsWrittenBack) {
  const fs::path file = mFolder / "Tavizo.keys";
  const std::string damaged =
      "\"key.38.0\",\"!.elemMoveN\"\r\n\"key.40.0\",#true#\r\n"
      "\"key.13.0\",\"!.elemMovePressed\"\r\n";
  const std::string otherDamage = "\"key.38.0\",\"!.elemMoveN\"\r\n\"x\",1.2.3\r\n";
  const struct {
    const char* name;
    std::string bytes;
    DamagedFile damaged;
    const char* kept;  // nullptr: no copy
    size_t copies;     // how many copies lie in the folder afterwards
  } cases[] = {
      {"a file that is only read", damaged, DamagedFile::Leave, nullptr, 0},
      {"first damage", damaged, DamagedFile::KeepCopy, "Tavizo.keys.bad", 1},
      {"the same damage again", damaged, DamagedFile::KeepCopy, "Tavizo.keys.bad", 1},
      {"other damage", otherDamage, DamagedFile::KeepCopy, "Tavizo.keys.2.bad", 2},
      {"a sound file", "\"k\",1\r\n", DamagedFile::KeepCopy, nullptr, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(file, c.bytes);
    FakeLog log;
    clsHashFile store;
    store.LoadHash(file, true, c.damaged);
    size_t copies = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(mFolder)) {
      copies += entry.path().extension() == ".bad" ? 1 : 0;
    }
    EXPECT_EQ(copies, c.copies);
    if (!c.kept) continue;
    EXPECT_EQ(ReadFile(mFolder / c.kept), c.bytes);
    EXPECT_NE(log.All().find("LoadHash: " + file.string() + " could not be read to its end; " +
                             "it is kept as " + (mFolder / c.kept).string()),
              std::string::npos)
        << log.All();
    // What was read before the damage is what the program writes back.
    ASSERT_EQ(store.SaveHash(file), 1);
    EXPECT_EQ(ReadFile(file), "\"key.38.0\",\"!.elemMoveN\"\r\n");
  }
  // Twenty copies at the most: the twentieth is kept, a twenty-first is not.
  for (int copy = 3; copy < 20; ++copy)
    WriteFile(mFolder / ("Tavizo.keys." + std::to_string(copy) + ".bad"), "");
  for (const char* last : {"Tavizo.keys.20.bad", "Tavizo.keys.21.bad"}) {
    WriteFile(file, damaged + last);
    clsHashFile store;
    store.LoadHash(file, true, DamagedFile::KeepCopy);
  }
  EXPECT_TRUE(fs::exists(mFolder / "Tavizo.keys.20.bad"));
  EXPECT_FALSE(fs::exists(mFolder / "Tavizo.keys.21.bad"));
}

TEST(HashFileTest, KeysIgnoreLetterCaseAndKeepTheirFirstSpelling) {
  const struct {
    const char* stored;
    const char* asked;
    const char* replacedAs;
  } cases[] = {
      {"gMediaVolume", "GMEDIAVOLUME", "gmediavolume"},
      {"Ärger", "äRGER", "ÄRGER"},
      {"key.38.0", "KEY.38.0", "Key.38.0"},
  };
  for (const auto& c : cases) {
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

const PixelRect kWindow{112, 84, 800, 600};

TEST(SettingsTest, AFileWithOneKeyGivesDefaultsForTheRestAndIsWrittenInFull) {
  TempFolder folder;
  folder.Write("Tavizo.ini", "\"gOSDTime\",5000\r\n");
  Settings settings;
  LoadSettings(settings, folder.File("Tavizo.ini"), "/opt/tavizo", kWindow);
  EXPECT_EQ(settings.gOSDTime, 5000);
  EXPECT_EQ(settings.gPlaylistName, "/opt/tavizo");
  EXPECT_EQ(settings.gMediaVolume, -2500);
  EXPECT_EQ(settings.gFormLastLeft, 112);
  EXPECT_EQ(settings.gFormLastHeight, 600);
  EXPECT_EQ(settings.gActionFirstRepeat, 500);
  EXPECT_EQ(settings.gSkinFilename, "default");

  ASSERT_EQ(SaveSettings(settings, folder.File("Tavizo.ini")), 1);
  EXPECT_EQ(folder.Read("Tavizo.ini"),
            "\"gPlaylistName\",\"/opt/tavizo\"\r\n"
            "\"gIsFormFullScreen\",0\r\n"
            "\"gIsMonitorAnamorph\",0\r\n"
            "\"gAspectRatioMode\",0\r\n"
            "\"gPlayMode\",0\r\n"
            "\"gAlwaysOnTop\",0\r\n"
            "\"gOSDTime\",5000\r\n"
            "\"gIsMediaMute\",0\r\n"
            "\"gMediaVolume\",-2500\r\n"
            "\"gFormLastLeft\",112\r\n"
            "\"gFormLastTop\",84\r\n"
            "\"gFormLastWidth\",800\r\n"
            "\"gFormLastHeight\",600\r\n"
            "\"gActionFirstRepeat\",500\r\n"
            "\"gActionNextRepeat\",50\r\n"
            "\"gForceVideoForeground\",0\r\n"
            "\"gSkinFilename\",\"default\"\r\n");
}

}  // namespace
