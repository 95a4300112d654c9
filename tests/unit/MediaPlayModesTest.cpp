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
  struct Case {
    const char* name;
    int32_t mode;
    int32_t playingRow;
    std::optional<std::string> opened;  // none: nothing new opens
    int32_t rowAfter;
    bool needsReopen;
  };
  const Case cases[] = {
      {"single play stays at the end", kSinglePlay, 4, std::nullopt, 4, false},
      {"continous play opens the next file", kContinuousPlay, 4, "/m/c.mkv", 5, false},
      {"continous play stops after the last file", kContinuousPlay, 5, std::nullopt, 6, true},
      {"repeat all wraps past <back> and the folder", kRepeatAll, 5, "/m/a.mkv", 3, false},
      {"random play opens a file opened less often", kRandomPlay, 4, "/m/a.mkv", 3, false},
      {"repeat random opens a file opened less often", kRepeatRandom, 4, "/m/a.mkv", 3, false},
  };
  for (const Case& c : cases) {
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

TEST_F(MediaPlayModesTest, RepeatSinglePlaysTheMediumAgainFromTheStart) {
  rig.settings.gPlayMode = kRepeatSingle;
  PlayRow(rig, 4);
  rig.engine.SetPosition(60);
  rig.engine.mIsPlaying = false;  // the engine holds a finished medium paused

  EndOfMedium(rig);

  EXPECT_TRUE(rig.engine.mOpenedPaths.empty());
  EXPECT_EQ(rig.engine.mPosition, 0);
  EXPECT_TRUE(rig.engine.mIsPlaying);
  EXPECT_TRUE(rig.media.mState.mIsRunning);
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

TEST_F(MediaPlayModesTest, TheNextActionWrapsInSinglePlay) {
  PlayRow(rig, 5);
  M().cmdNext(true);
  EXPECT_EQ(rig.engine.mOpenedPaths, std::vector<std::string>{"/m/a.mkv"});
  EXPECT_EQ(rig.browse.mPlaying.Index(), 3);
  // Not on the list window: the list is not redrawn.
  EXPECT_FALSE(rig.screen.Has("RedrawElement wndVidMain.lstPlaylist"));
}

TEST_F(MediaPlayModesTest, PreviousGoesBackAndWrapsOnlyWhenAsked) {
  PlayRow(rig, 3);
  M().cmdPrevious(false);
  EXPECT_TRUE(rig.engine.mOpenedPaths.empty());
  EXPECT_TRUE(rig.media.mState.mNeedsReopen);
  EXPECT_LT(rig.browse.mPlaying.Index(), 1);

  PlayRow(rig, 3);
  M().cmdPrevious(true);
  EXPECT_EQ(rig.engine.mOpenedPaths, std::vector<std::string>{"/m/c.mkv"});
  EXPECT_EQ(rig.browse.mPlaying.Index(), 5);

  rig.engine.mOpenedPaths.clear();
  M().cmdPrevious(true);
  EXPECT_EQ(rig.engine.mOpenedPaths, std::vector<std::string>{"/m/b.mkv"});
}

TEST_F(MediaPlayModesTest, RandomPlayGivesUpWhenEveryOtherFileWasOpenedAsOften) {
  // Every file has been opened once, b (playing) included.
  rig.ShowFolder("/m/", FolderList(1, 0, 1));
  rig.settings.gPlayMode = kRandomPlay;
  PlayRow(rig, 4);

  EndOfMedium(rig);
  EXPECT_TRUE(rig.engine.mOpenedPaths.empty());
  EXPECT_TRUE(rig.media.mState.mNeedsReopen);
  EXPECT_EQ(rig.browse.mPlaying.Index(), 4);

  // The next action widens the choice to files opened as often.
  rig.randomValues = {0.0};
  M().cmdNext(true);
  EXPECT_EQ(rig.engine.mOpenedPaths, std::vector<std::string>{"/m/a.mkv"});
  EXPECT_EQ(rig.browse.mPlaying.Index(), 3);
  EXPECT_EQ(rig.browse.mPlaying.PlayCountOf(3), 2);
  EXPECT_FALSE(rig.media.mState.mNeedsReopen);
}

TEST_F(MediaPlayModesTest, RepeatRandomWidensByItselfAndPreviousIsNextInRandomModes) {
  struct Case {
    double random;
    const char* opened;
  };
  // Every file has been opened once, b (playing) included. The second round
  // starts where the first did: one row after the drawn one.
  const Case cases[] = {{0.6, "/m/c.mkv"}, {0.5, "/m/b.mkv"}, {0.0, "/m/a.mkv"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.random);
    MediaTestRig fresh;
    Prepare(fresh);
    fresh.ShowFolder("/m/", FolderList(1, 0, 1));
    fresh.settings.gPlayMode = kRepeatRandom;
    PlayRow(fresh, 4);
    fresh.randomValues = {c.random};
    EndOfMedium(fresh);
    EXPECT_EQ(fresh.engine.mOpenedPaths, std::vector<std::string>{c.opened});
  }

  // c plays, opened twice; a and b once: previous picks among them at random.
  rig.ShowFolder("/m/", FolderList(1, 1, 1));
  rig.settings.gPlayMode = kRandomPlay;
  PlayRow(rig, 5);
  rig.randomValues = {0.0};
  M().cmdPrevious(false);
  EXPECT_EQ(rig.engine.mOpenedPaths, std::vector<std::string>{"/m/a.mkv"});
  EXPECT_EQ(rig.browse.mPlaying.Index(), 3);
}

TEST_F(MediaPlayModesTest, TheRandomStartDecidesWhichLessOpenedFileComesFirst) {
  struct Case {
    double random;
    const char* opened;
  };
  // a and c have not been opened; b plays. Rows 1..5; the walk starts one after the drawn row.
  const Case cases[] = {{0.0, "/m/a.mkv"},  {0.39, "/m/a.mkv"}, {0.4, "/m/c.mkv"},
                        {0.79, "/m/c.mkv"}, {0.8, "/m/a.mkv"},  {0.999, "/m/a.mkv"}};
  for (const Case& c : cases) {
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

TEST_F(MediaPlayModesTest, AHeaderCountingMoreRowsThanTheListHoldsOpensNothingOutside) {
  EntryList damaged = FolderList();
  damaged[0].text = "9";
  rig.ShowFolder("/m/", damaged);
  PlayRow(rig, 5);
  rig.settings.gPlayMode = kRandomPlay;
  M().cmdNext(true);  // a and b qualify; nothing beyond row 5 is touched
  EXPECT_EQ(rig.engine.mOpenedPaths.size(), 1u);
  rig.settings.gPlayMode = kRepeatAll;
  M().cmdNext(false);
  EXPECT_EQ(rig.engine.mOpenedPaths.size(), 2u);
}

// While the next file opens, the old medium's close lets pending events run,
// and among them the user picks a file of a shorter list: another folder, or
// this one read again after files went away. That choice plays; the open it
// interrupted gives way instead of playing its own file or touching rows of
// a list that is gone.
TEST_F(MediaPlayModesTest, AFileChosenWhileTheNextOneOpensTakesItsPlace) {
  struct Case {
    const char* name;
    int32_t mode;
    bool nextOpens;      // whether the next file (a at random, c in sequence) opens
    const char* folder;  // where the chosen file lies
  };
  const Case cases[] = {
      {"random play, the next file opens, another folder", kRandomPlay, true, "/n/"},
      {"random play, the next file opens, this folder shrunk", kRandomPlay, true, "/m/"},
      {"random play, the next file fails", kRandomPlay, false, "/n/"},
      {"continous play, the next file fails", kContinuousPlay, false, "/m/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
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
    EXPECT_TRUE(r.engine.IsOpen());
    EXPECT_TRUE(r.media.mState.mIsRunning);
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
  EXPECT_EQ(rig.screen.Matching("RedrawElement wndMain.").size(), 18u);
  EXPECT_EQ(rig.screen.mCalls[0], "RedrawElement wndMain.picVideoWindow");
  EXPECT_EQ(rig.screen.mCalls[1], "RedrawElement wndMain.picStatus");
  EXPECT_EQ(rig.screen.mCalls[2], "RedrawElement wndMain.picVideoInfo");
}

}  // namespace
