// What each play mode does at the end of a medium, and Next and Previous
// through the playing list, over the scripted engine.

#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "library/Browser.h"
#include "support/FakeInfoDisplay.h"
#include "support/MediaTestRig.h"

namespace {

// A folder list: "<back>", a folder, then three films.
EntryList FolderList(int32_t countA = 0, int32_t countB = 0, int32_t countC = 0) {
  return MakeList({{"<back>", kEntryBack},
                   {">extras", kEntryFolder},
                   {"a.mkv", kEntryFile, countA},
                   {"b.mkv", kEntryFile, countB},
                   {"c.mkv", kEntryFile, countC}});
}

class MediaPlayModesTest : public ::testing::Test {
 protected:
  MediaPlayModesTest() { Prepare(rig); }

  static void Prepare(MediaTestRig& r) {
    for (const char* name : {"a.mkv", "b.mkv", "c.mkv"}) {
      r.engine.Script(std::string("/m/") + name, FakeMedium::Film(60));
    }
    r.ShowFolder("/m/", FolderList());
  }

  // Opens the film at a row of the playing list the way the list does.
  static void PlayRow(MediaTestRig& r, int32_t row) {
    r.browse.mPlaying.MoveTo(row);
    ASSERT_TRUE(r.media.mSession.cmdOpenFile(r.browse.mPlaying.PathOf(row)));
    r.browse.mPlaying.CountPlay();
    r.engine.mOpenedPaths.clear();
    r.screen.Clear();
  }

  // The medium ends: the next information tick reads the event.
  static void EndOfMedium(MediaTestRig& r) {
    r.engine.QueueEvent(kMediaEventComplete);
    r.media.mOnScreenInfo.InfoUpdateTick();
  }

  PlayModes& M() { return rig.media.mPlayModes; }

  MediaTestRig rig;
};

TEST_F(MediaPlayModesTest, EndOfMediumReactionOfEveryMode) {
  const struct {
    const char* name;
    int32_t mode;
    int32_t playingRow;
    std::optional<std::string> opened;  // none: nothing new opens
    int32_t rowAfter;
    bool needsReopen;
  } cases[] = {
      {"single play stays at the end", kSinglePlay, 4, std::nullopt, 4, false},
      {"continous play opens the next file", kContinuousPlay, 4, "/m/c.mkv", 5, false},
      {"continous play stops after the last file", kContinuousPlay, 5, std::nullopt, 6, true},
      {"repeat all wraps past <back> and the folder", kRepeatAll, 5, "/m/a.mkv", 3, false},
      {"random play opens a file opened less often", kRandomPlay, 4, "/m/a.mkv", 3, false},
      {"repeat random opens a file opened less often", kRepeatRandom, 4, "/m/a.mkv", 3, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MediaTestRig fresh;
    Prepare(fresh);
    fresh.focus.mCurrentWindow = "wndVidMain";
    fresh.settings.gPlayMode = c.mode;
    PlayRow(fresh, c.playingRow);

    EndOfMedium(fresh);

    if (c.opened) {
      EXPECT_EQ(fresh.engine.mOpenedPaths, std::vector<std::string>{*c.opened});
      EXPECT_EQ(fresh.browse.mPlaying.PlayCountOf(c.rowAfter), 1);
    } else {
      EXPECT_TRUE(fresh.engine.mOpenedPaths.empty());
      EXPECT_TRUE(fresh.engine.IsOpen());  // the old medium stays as it is
    }
    EXPECT_EQ(fresh.browse.mPlaying.Index(), c.rowAfter);
    EXPECT_EQ(fresh.media.mState.mNeedsReopen, c.needsReopen);
    EXPECT_EQ(fresh.screen.Count("RedrawElement wndVidMain.lstPlaylist"),
              c.mode == kSinglePlay ? 0 : 1);
    EXPECT_TRUE(fresh.screen.Has("RedrawElement wndVidMain.picVideoInfo"));
  }
}

TEST_F(MediaPlayModesTest, NextSkipsAFileThatFailsToOpen) {
  rig.engine.Script("/m/b.mkv", FakeMedium::Broken("bad header"));
  rig.settings.gPlayMode = kContinuousPlay;
  PlayRow(rig, 3);
  M().cmdNext(false);
  EXPECT_EQ(rig.engine.mOpenedPaths, (std::vector<std::string>{"/m/b.mkv", "/m/c.mkv"}));
  EXPECT_EQ(rig.browse.mPlaying.Index(), 5);
  EXPECT_EQ(rig.browse.mPlaying.PlayCountOf(4), 0);
  EXPECT_FALSE(rig.media.mState.mNeedsReopen);
}

TEST_F(MediaPlayModesTest, TheRandomStartDecidesWhichLessOpenedFileComesFirst) {
  // a and c have not been opened; b plays. Rows 1..5; the walk starts one after the drawn row.
  const struct {
    double random;
    const char* opened;
  } cases[] = {{0.0, "/m/a.mkv"},  {0.39, "/m/a.mkv"}, {0.4, "/m/c.mkv"},
               {0.79, "/m/c.mkv"}, {0.8, "/m/a.mkv"},  {0.999, "/m/a.mkv"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.random);
    MediaTestRig fresh;
    Prepare(fresh);
    fresh.settings.gPlayMode = kRandomPlay;
    PlayRow(fresh, 4);
    fresh.randomValues = {c.random};
    fresh.media.mPlayModes.cmdNext(false);
    EXPECT_EQ(fresh.engine.mOpenedPaths, std::vector<std::string>{c.opened});
  }
}

// While the next file opens, the old medium's close lets pending events run,
// and among them the user picks a file of a shorter list: another folder, or
// this one read again after files went away. That choice plays; the open it
// interrupted gives way instead of playing its own file or touching rows of
// a list that is gone.
TEST_F(MediaPlayModesTest, AFileChosenWhileTheNextOneOpensTakesItsPlace) {
  const struct {
    int32_t mode;
    bool nextOpens;      // whether the next file (a at random, c in sequence) opens
    const char* folder;  // where the chosen file lies
  } cases[] = {
      {kRandomPlay, true, "/n/"},
      {kRandomPlay, true, "/m/"},  // this folder, shrunk
      {kRandomPlay, false, "/n/"},
      {kContinuousPlay, false, "/m/"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.mode << " " << c.nextOpens << " " << c.folder);
    MediaTestRig r;
    Prepare(r);
    r.ShowFolder("/m/", FolderList(0, 1, 0));
    if (!c.nextOpens) {
      r.engine.Script("/m/a.mkv", FakeMedium::Broken("bad header"));
      r.engine.Script("/m/c.mkv", FakeMedium::Broken("bad header"));
    }
    const std::string path = std::string(c.folder) + "x.mkv";
    r.engine.Script(path, FakeMedium::Film(60));
    r.settings.gPlayMode = c.mode;
    PlayRow(r, 4);
    r.randomValues = {0.2};  // the walk starts at a, row 3: just past the shorter list

    FakeInfoDisplay info;
    Browser browser(
        BrowserServices{r.settings, r.browse, r.status, r.focus, r.screen, info, r.pump,
                        [&r](const std::string& path) { return r.media.mSession.OpenMedium(path); },
                        [&r](bool needsReopen) { r.media.mState.mNeedsReopen = needsReopen; }});
    bool chosen = false;
    r.pump.mDuringPass = [&] {
      if (std::exchange(chosen, true)) return;
      r.settings.gPlaylistName = c.folder;
      r.browse.mBrowseList = MakeList({{"<back>", kEntryBack}, {"x.mkv", kEntryFile}});
      browser.ActivateEntry(2);
    };

    EndOfMedium(r);

    EXPECT_EQ(r.engine.mOpenedPaths, std::vector<std::string>{path});
    EXPECT_TRUE(r.engine.IsOpen() && r.media.mState.mIsRunning);
    EXPECT_EQ(r.texts.mMediaTitle, "x.mkv");
    EXPECT_EQ(r.browse.mPlaying.Folder(), c.folder);
    EXPECT_EQ(r.browse.mPlaying.Index(), 2);
    ASSERT_EQ(r.browse.mPlaying.Rows().size(), 3u);
    EXPECT_EQ(r.browse.mPlaying.PlayCountOf(2), 1);
    EXPECT_FALSE(r.media.mState.mNeedsReopen);
  }
}

TEST_F(MediaPlayModesTest, PlayModeCyclesThroughTheSixNames) {
  const char* names[] = {"continous play", "random play",   "repeat single",
                         "repeat all",     "repeat random", "single play"};
  for (const char* name : names) {
    M().cmdPlayMode();
    EXPECT_EQ(rig.texts.mStatusText, name);
  }
  EXPECT_EQ(rig.settings.gPlayMode, 0);
}

}  // namespace
