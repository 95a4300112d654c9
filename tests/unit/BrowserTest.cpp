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
#include "render/StatusLine.h"
#include "render/UiTexts.h"
#include "store/Settings.h"
#include "support/FakeInfoDisplay.h"
#include "support/FakeLog.h"
#include "support/FakeScreen.h"
#include "support/TempFolder.h"

namespace {

using testing::ElementsAre;
using testing::HasSubstr;

// Runs input queued while a folder is read, once.
class QueuedInputPump final : public EventPump {
 public:
  void PumpPendingEvents() override {
    if (mPending) std::exchange(mPending, nullptr)();
  }
  void RequestQuit() override {}

  std::function<void()> mPending;
};

struct Row {
  std::string text;
  int32_t kind;
  bool operator==(const Row&) const = default;
};

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
  FakeInfoDisplay info;
  QueuedInputPump pump;
  Browser browser{BrowserServices{settings, browse, status, focus, screen, info, pump,
                                  [this](const std::string& path) {
                                    opened.push_back(path);
                                    return openSucceeds ? OpenOutcome::Opened : OpenOutcome::Failed;
                                  },
                                  [this](bool value) { needsReopen = value; }},
                  [] {
                    return std::vector<MountedVolume>{{"/", "vda", true}};
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

  // Another folder brings its own list.
  openSucceeds = true;
  Browse(Folder("B/"));
  browser.ActivateEntry(2);
  EXPECT_EQ(browse.mPlaying.Rows().size(), 3u);
  EXPECT_EQ(browse.mPlaying.PlayCountOf(2), 1);
}

TEST_F(BrowserTest, InputHandledWhileScanningCannotActOnTheOldList) {
  MakeFolder("Empty");
  for (int i = 0; i < 5; ++i) temp.Write("f" + std::to_string(i) + ".mp3", "x");
  Browse(Folder());
  pump.mPending = [this] {
    browser.MoveCursor(+4);     // counted on the old list of seven rows
    browser.ActivateEntry(-1);  // would open a file of the old folder in the new one
  };
  FakeLog log;

  browser.ActivateEntry(2);  // ">Empty"

  EXPECT_EQ(settings.gPlaylistName, Folder("Empty/"));
  EXPECT_THAT(Rows(), ElementsAre(Row{"<back>", 0}));
  EXPECT_EQ(browse.mBrowseCursor, 1);
  EXPECT_TRUE(opened.empty());
  EXPECT_THAT(log.All(), HasSubstr("ActivateEntry: row 5 ignored while the list is being read"));
}

}  // namespace
