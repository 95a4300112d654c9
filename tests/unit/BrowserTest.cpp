#include "library/Browser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/EventPump.h"
#include "base/Log.h"
#include "base/Text.h"
#include "render/FocusState.h"
#include "render/InfoDisplay.h"
#include "render/StatusLine.h"
#include "render/UiTexts.h"
#include "store/Settings.h"
#include "support/FakeScreen.h"
#include "support/TempFolder.h"

namespace {

using testing::ElementsAre;
using testing::HasSubstr;

// Records info requests and event pumps into the same call list as the screen,
// so a test sees the order of everything the browser asked for.
class RecordingInfo final : public InfoDisplay {
 public:
  explicit RecordingInfo(std::vector<std::string>& calls) : mCalls(calls) {}
  void ShowInfo(std::string_view name, std::string_view text, bool hideMouse) override {
    mCalls.push_back("ShowInfo " + std::string(name) + " " + std::string(text) +
                     (hideMouse ? " hide" : " keep"));
  }
  void HideInfo(std::string_view name) override {
    mCalls.push_back("HideInfo " + std::string(name));
  }

 private:
  std::vector<std::string>& mCalls;
};

class RecordingPump final : public EventPump {
 public:
  explicit RecordingPump(std::vector<std::string>& calls) : mCalls(calls) {}
  void PumpPendingEvents() override {
    mCalls.push_back("PumpPendingEvents");
    if (mPending) std::exchange(mPending, nullptr)();
  }
  void RequestQuit() override {}

  std::function<void()> mPending;  // runs once, as input queued during a scan would

 private:
  std::vector<std::string>& mCalls;
};

class CapturedLog {
 public:
  CapturedLog() {
    mPrevious = SetLogSink([this](const std::string& line) { mLines.push_back(line); });
  }
  ~CapturedLog() { SetLogSink(std::move(mPrevious)); }
  std::string All() const {
    std::string all;
    for (const std::string& line : mLines) all += line + "\n";
    return all;
  }

 private:
  LogSink mPrevious;
  std::vector<std::string> mLines;
};

struct Row {
  std::string text;
  int32_t kind;
  bool operator==(const Row&) const = default;
};

void PrintTo(const Row& row, std::ostream* out) {
  *out << row.kind << " \"" << row.text << "\"";
}

class BrowserTest : public testing::Test {
 protected:
  void SetUp() override { focus.mCurrentWindow = "wndMain"; }

  // Shows the folder as the program would after start-up: scanned, cursor on 1.
  void Browse(const std::string& folder) {
    settings.gPlaylistName = folder;
    browser.ScanFolder(settings.gPlaylistName, browse.mBrowseList);
    browse.mBrowseCursor = 1;
    screen.Clear();
  }

  std::vector<Row> Rows() const {
    std::vector<Row> rows;
    for (size_t i = 1; i < browse.mBrowseList.size(); ++i) {
      rows.push_back(Row{browse.mBrowseList[i].text, browse.mBrowseList[i].kind});
    }
    return rows;
  }

  std::string Folder(const std::string& relative = "") const {
    return temp.Path() + "/" + relative;
  }
  void MakeFolder(const std::string& relative) const {
    std::filesystem::create_directories(Folder(relative));
  }

  TempFolder temp;
  Settings settings;
  BrowseState browse;
  UiTexts texts;
  FocusState focus;
  FakeScreen screen;
  StatusLine status{texts, focus, screen};
  RecordingInfo info{screen.mCalls};
  RecordingPump pump{screen.mCalls};
  std::vector<MountedVolume> volumes{{"/", "vda", true}};
  int32_t volumeReads = 0;
  Browser browser{BrowserServices{settings, browse, status, focus, screen, info, pump,
                                  [this](const std::string& path) {
                                    opened.push_back(path);
                                    return openSucceeds ? OpenOutcome::Opened : OpenOutcome::Failed;
                                  },
                                  [this](bool value) { needsReopen = value; }},
                  [this] {
                    ++volumeReads;
                    return volumes;
                  }};
  std::vector<std::string> opened;
  bool openSucceeds = true;
  std::optional<bool> needsReopen;
};

TEST_F(BrowserTest, FolderListsBackThenFoldersThenFilesInNaturalOrder) {
  for (const char* folder : {"Season 10", "season 2", "Extras", ".config"}) MakeFolder(folder);
  for (const char* file : {"Episode 10.mkv", "episode 2.mkv", "Episode 1.mkv", ".hidden.mkv",
                           "B.txt", "a.txt", "song.mp3", "Song.mp3"}) {
    temp.Write(file, "x");
  }
  std::filesystem::create_directory_symlink(Folder("Season 10"), Folder("Linked"));
  std::filesystem::create_symlink(Folder("a.txt"), Folder("Shortcut.txt"));
  std::filesystem::create_symlink(Folder("nowhere"), Folder("Dangling"));
  ASSERT_EQ(mkfifo(Folder("pipe").c_str(), 0600), 0);

  std::string path = temp.Path();  // without the trailing "/"
  browser.ScanFolder(path, browse.mBrowseList);

  EXPECT_EQ(path, temp.Path() + "/");
  EXPECT_THAT(Rows(), ElementsAre(Row{"<back>", 0}, Row{">Extras", 1}, Row{">Linked", 1},
                                  Row{">season 2", 1}, Row{">Season 10", 1}, Row{"a.txt", 2},
                                  Row{"B.txt", 2}, Row{"Episode 1.mkv", 2}, Row{"episode 2.mkv", 2},
                                  Row{"Episode 10.mkv", 2}, Row{"Shortcut.txt", 2},
                                  Row{"Song.mp3", 2}, Row{"song.mp3", 2}));
  EXPECT_EQ(browse.mBrowseList[0].text, "13");
  for (const ListEntry& entry : browse.mBrowseList) EXPECT_EQ(entry.playCount, 0);
}

TEST_F(BrowserTest, FilesSortAsTheNaturalCompareOrdersThem) {
  std::vector<std::string> names = {
      "a01",       "A1",     "a1",      "a 1",    "a1b",    "a10",     "a9",
      "file",      "file1",  "file 1",  "file.1", "File-1", "x0",      "x00",
      "x0001",     "99",     "2",       "10",     "1.5",    "1.10",    "123456789012345678901234",
      "Ärger",     "ärger",  "Zebra",   "éclair", "eclair", "Ω omega", "track 007 b",
      "track 7 a", "track7", "Track 7", "ß",      "~tilde", "_under",  "Ünïcödé 3"};
  for (const std::string& name : names) temp.Write(name, "x");
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return CompareNatural(a, b) < 0; });

  Browse(Folder());

  std::vector<std::string> listed;
  for (const Row& row : Rows()) {
    if (row.kind == kEntryFile) listed.push_back(row.text);
  }
  EXPECT_EQ(listed, names);
}

TEST_F(BrowserTest, FolderThatCannotBeReadListsOnlyBack) {
  temp.Write("plain.txt", "x");
  for (const std::string& folder : {Folder("gone/"), Folder("plain.txt/")}) {
    SCOPED_TRACE(folder);
    CapturedLog log;
    std::string path = folder;
    browser.ScanFolder(path, browse.mBrowseList);
    EXPECT_THAT(Rows(), ElementsAre(Row{"<back>", 0}));
    EXPECT_EQ(browse.mBrowseList[0].text, "1");
    EXPECT_THAT(log.All(), HasSubstr("ScanFolder: cannot read " + folder));
  }
}

TEST_F(BrowserTest, EmptyPathListsTheVolumes) {
  volumes = {{"/", "vda", true}, {"/media/usb", "USBSTICK", true}, {"/mnt/nas", "nas:/m", false}};
  std::string path;
  browser.ScanFolder(path, browse.mBrowseList);

  EXPECT_EQ(path, "");
  EXPECT_THAT(Rows(), ElementsAre(Row{"/ (vda)", 4}, Row{"/media/usb (USBSTICK)", 4},
                                  Row{"/mnt/nas (<empty>)", 3}));
  EXPECT_EQ(browse.mBrowseList[0].text, "3");
  EXPECT_EQ(browse.mBrowseList[2].path, "/media/usb");
}

TEST_F(BrowserTest, BackGoesToTheParentFolderOrTheVolumeList) {
  MakeFolder("Music/Rock");
  MakeFolder("Music/Jazz");
  temp.Write("Music/Rock/one.mp3", "x");
  struct Case {
    std::string from;
    std::string to;
    Row firstRow;
  };
  const Case cases[] = {
      {Folder("Music/Rock/"), Folder("Music/"), Row{"<back>", 0}},
      {Folder("Music/Rock"), Folder("Music/"), Row{"<back>", 0}},
      {"/", "", Row{"/ (vda)", 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.from);
    Browse(c.from);
    browse.mBrowseList = {{"3", 0, 0, {}}, {"<back>", 0, 0, {}}, {">x", 1, 0, {}}, {"y", 2, 0, {}}};
    browse.mBrowseCursor = 3;

    browser.ActivateEntry(1);

    EXPECT_EQ(settings.gPlaylistName, c.to);
    EXPECT_EQ(browse.mBrowseCursor, 1);
    ASSERT_FALSE(Rows().empty());
    EXPECT_EQ(Rows()[0], c.firstRow);
    EXPECT_THAT(screen.mCalls,
                ElementsAre("ShowInfo scanContent xselfx hide", "PumpPendingEvents",
                            "HideInfo scanContent", "RedrawElement wndVidMain.lstPlaylist"));
  }
  EXPECT_TRUE(opened.empty());
}

TEST_F(BrowserTest, FolderRowAtTheCursorIsEntered) {
  MakeFolder("Films/Old");
  temp.Write("Films/Old/Movie 2.mkv", "x");
  temp.Write("Films/Old/Movie 12.mkv", "x");
  Browse(Folder("Films/"));
  ASSERT_THAT(Rows(), ElementsAre(Row{"<back>", 0}, Row{">Old", 1}));
  browse.mBrowseCursor = 2;

  int32_t index = -1;
  browser.ActivateEntry(index);

  EXPECT_EQ(index, 2);
  EXPECT_EQ(settings.gPlaylistName, Folder("Films/Old/"));
  EXPECT_EQ(browse.mBrowseCursor, 1);
  EXPECT_THAT(Rows(), ElementsAre(Row{"<back>", 0}, Row{"Movie 2.mkv", 2}, Row{"Movie 12.mkv", 2}));
}

TEST_F(BrowserTest, VolumeRowsEnterTheVolumeOrRescanWhenNotReady) {
  MakeFolder("usb");
  temp.Write("usb/clip.mp4", "x");
  const std::string offline = Folder("offline");
  volumes = {{"/", "vda", true}, {temp.Path() + "/usb", "STICK", true}, {offline, "", false}};
  Browse("");
  browse.mBrowseCursor = 3;

  browser.ActivateEntry(3);  // not ready: the list is read again, nothing else changes
  EXPECT_EQ(settings.gPlaylistName, "");
  EXPECT_EQ(browse.mBrowseCursor, 3);
  EXPECT_EQ(volumeReads, 2);
  EXPECT_EQ(screen.mCalls.back(), "RedrawElement wndVidMain.lstPlaylist");

  volumes[2].ready = true;
  volumes[2].label = "DISK";
  browser.ActivateEntry(3);
  EXPECT_EQ(Rows()[2], (Row{offline + " (DISK)", 4}));

  browser.ActivateEntry(2);
  EXPECT_EQ(settings.gPlaylistName, Folder("usb/"));
  EXPECT_EQ(browse.mBrowseCursor, 1);
  EXPECT_THAT(Rows(), ElementsAre(Row{"<back>", 0}, Row{"clip.mp4", 2}));
}

TEST_F(BrowserTest, MoveCursorClampsAndShowsTheRowAsStatus) {
  MakeFolder("Sub");
  temp.Write("  Intro Song.mp3 ", "x");
  Browse(Folder());
  ASSERT_EQ(EntryCount(browse.mBrowseList), 3);
  struct Case {
    double from;
    double delta;
    double to;
    bool rowChanged;
    std::string status;
  };
  const Case cases[] = {
      {1, +5, 3, true, "Intro Song.mp3"}, {3, -10, 1, true, "<back>"},
      {2, +1, 3, true, "Intro Song.mp3"}, {2, -1, 1, true, "<back>"},
      {3, +1, 3, false, "unchanged"},     {1, -1, 1, false, "unchanged"},
      {2, 0.4, 2.4, false, ">Sub"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.from << " by " << c.delta);
    browse.mBrowseCursor = c.from;
    texts.mStatusText = "unchanged";
    screen.Clear();

    EXPECT_EQ(browser.MoveCursor(c.delta), c.rowChanged);

    EXPECT_EQ(browse.mBrowseCursor, c.to);
    EXPECT_EQ(texts.mStatusText, c.status);
    if (c.from == c.to) {
      EXPECT_TRUE(screen.mCalls.empty());
    } else {
      EXPECT_THAT(screen.mCalls, ElementsAre("RedrawElement wndMain.lstPlaylist",
                                             "RedrawElement wndMain.picStatus"));
    }
  }
}

TEST_F(BrowserTest, OpeningFilesFillsThePlayingListOncePerFolder) {
  MakeFolder("A");
  MakeFolder("B");
  for (const char* file : {"A/a1.mp3", "A/a2.mp3", "B/b1.mp3"}) temp.Write(file, "x");
  Browse(Folder("A/"));

  browser.ActivateEntry(2);
  EXPECT_THAT(opened, ElementsAre(Folder("A/a1.mp3")));
  EXPECT_EQ(browse.mPlaying.Folder(), Folder("A/"));
  EXPECT_EQ(browse.mPlaying.Rows().size(), 4u);
  EXPECT_EQ(browse.mPlaying.PlayCountOf(2), 1);
  EXPECT_EQ(needsReopen, false);
  EXPECT_THAT(screen.mCalls, ElementsAre("RedrawElement wndVidMain.lstPlaylist"));  // no rescan

  browser.ActivateEntry(3);  // same folder: the list and its counts stay
  browser.ActivateEntry(2);
  EXPECT_EQ(browse.mPlaying.Index(), 2);
  EXPECT_EQ(browse.mPlaying.PlayCountOf(2), 2);
  EXPECT_EQ(browse.mPlaying.PlayCountOf(3), 1);
  EXPECT_EQ(browse.mBrowseList[2].playCount, 0);

  openSucceeds = false;
  browser.ActivateEntry(3);
  EXPECT_EQ(needsReopen, true);
  EXPECT_EQ(browse.mPlaying.PlayCountOf(3), 1);

  openSucceeds = true;
  Browse(Folder("B/"));
  browser.ActivateEntry(2);
  EXPECT_EQ(opened.back(), Folder("B/b1.mp3"));
  EXPECT_EQ(browse.mPlaying.Folder(), Folder("B/"));
  EXPECT_EQ(browse.mPlaying.Rows().size(), 3u);
  EXPECT_EQ(browse.mPlaying.Rows()[2].text, "b1.mp3");
  EXPECT_EQ(browse.mPlaying.PlayCountOf(2), 1);
  EXPECT_EQ(needsReopen, false);
}

TEST_F(BrowserTest, PlayingFolderThatChangedIsTakenAgainWithItsCounts) {
  for (const char* file : {"b.mp3", "c.mp3"}) temp.Write(file, "x");
  Browse(Folder());
  browser.ActivateEntry(2);  // b.mp3
  temp.Write("a.mp3", "x");
  Browse(Folder());  // b.mp3 is row 3 now

  browser.ActivateEntry(3);

  EXPECT_EQ(opened.back(), Folder("b.mp3"));
  ASSERT_EQ(browse.mPlaying.Rows().size(), 5u);
  EXPECT_EQ(browse.mPlaying.Index(), 3);
  EXPECT_EQ(browse.mPlaying.Rows()[3].text, "b.mp3");
  EXPECT_EQ(browse.mPlaying.PlayCountOf(3), 2);
  EXPECT_EQ(browse.mPlaying.PlayCountOf(2), 0);
}

TEST_F(BrowserTest, RowOutsideTheListDoesNothing) {
  temp.Write("a.mp3", "x");
  Browse(Folder());
  const std::string folder = settings.gPlaylistName;
  for (int32_t index : {0, 3, -2, 1000}) {
    SCOPED_TRACE(index);
    browser.ActivateEntry(index);
  }
  browse.mBrowseList[0].text = "9";  // a header that claims more rows than there are
  browser.ActivateEntry(5);
  browse.mBrowseCursor = 7;
  browser.ActivateEntry(-1);

  EXPECT_TRUE(screen.mCalls.empty());
  EXPECT_TRUE(opened.empty());
  EXPECT_EQ(settings.gPlaylistName, folder);
}

TEST_F(BrowserTest, InputHandledWhileScanningCannotActOnTheOldList) {
  MakeFolder("Empty");
  for (int i = 0; i < 5; ++i) temp.Write("f" + std::to_string(i) + ".mp3", "x");
  Browse(Folder());
  pump.mPending = [this] {
    browser.MoveCursor(+4);     // counted on the old list of seven rows
    browser.ActivateEntry(-1);  // would open a file of the old folder in the new one
  };
  CapturedLog log;

  browser.ActivateEntry(2);  // ">Empty"

  EXPECT_EQ(settings.gPlaylistName, Folder("Empty/"));
  EXPECT_THAT(Rows(), ElementsAre(Row{"<back>", 0}));
  EXPECT_EQ(browse.mBrowseCursor, 1);
  EXPECT_TRUE(opened.empty());
  EXPECT_THAT(log.All(), HasSubstr("ActivateEntry: row 5 ignored while the list is being read"));
}

TEST_F(BrowserTest, WithoutAMediaSessionAFileRowFailsToOpen) {
  temp.Write("a.mp3", "x");
  Browse(Folder());
  Browser unwired{BrowserServices{settings, browse, status, focus, screen, info, pump, {}, {}}};
  CapturedLog log;
  unwired.ActivateEntry(2);
  EXPECT_EQ(browse.mPlaying.PlayCountOf(2), 0);
  EXPECT_THAT(log.All(), HasSubstr("no media session to open " + Folder("a.mp3")));
}

}  // namespace
