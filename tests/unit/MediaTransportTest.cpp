// Play, pause, stop and fast scrolling of an open medium over the scripted
// engine, and Play with nothing to resume starting from the list.

#include <gtest/gtest.h>

#include "support/MediaTestRig.h"

namespace {

class MediaTransportTest : public ::testing::Test {
 protected:
  MediaTransportTest() {
    rig.engine.Script("/m/film.mkv", FakeMedium::Film(600));
    rig.engine.Script("/m/a.mkv", FakeMedium::Film(60));
    rig.engine.Script("/m/b.mkv", FakeMedium::Film(90));
    rig.ShowFolder("/m/", MakeList({{"<back>", kEntryBack},
                                    {">extras", kEntryFolder},
                                    {"a.mkv", kEntryFile},
                                    {"b.mkv", kEntryFile}}));
  }

  void OpenFilm() { ASSERT_TRUE(rig.media.mSession.cmdOpenFile("/m/film.mkv")); }
  Transport& T() { return rig.media.mTransport; }
  MediaSessionState& State() { return rig.media.mState; }
  UiTimer& ScrollTimer() { return rig.timers[TimerId::VideoScroll]; }

  MediaTestRig rig;
};

TEST_F(MediaTransportTest, ForwardAndRewindClimbTheLadderAndComeBackToPlay) {
  struct Case {
    const char* name;
    void (Transport::*press)();
    void (Transport::*against)();
    int32_t sign;
  };
  const Case cases[] = {{"forward", &Transport::cmdForward, &Transport::cmdRewind, +1},
                        {"rewind", &Transport::cmdRewind, &Transport::cmdForward, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MediaTestRig fresh;
    fresh.engine.Script("/m/film.mkv", FakeMedium::Film(600));
    ASSERT_TRUE(fresh.media.mSession.cmdOpenFile("/m/film.mkv"));
    Transport& transport = fresh.media.mTransport;
    MediaSessionState& state = fresh.media.mState;

    const int32_t climbing[] = {4, 8, 16, 32, 64, 128, 256, 256};
    for (int32_t rate : climbing) {
      (transport.*c.press)();
      EXPECT_EQ(state.mScrollRate, c.sign * rate);
    }
    EXPECT_TRUE(state.mIsScrolling);
    EXPECT_FALSE(state.mIsRunning);
    EXPECT_FALSE(fresh.engine.mIsPlaying);
    EXPECT_TRUE(fresh.timers[TimerId::VideoScroll].Enabled());
    EXPECT_EQ(fresh.timers[TimerId::VideoScroll].Interval(), 50);

    const int32_t falling[] = {128, 64, 32, 16, 8, 4};
    for (int32_t rate : falling) {
      (transport.*c.against)();
      EXPECT_EQ(state.mScrollRate, c.sign * rate);
      EXPECT_TRUE(state.mIsScrolling);
    }
    // From the slowest speed one more press against it plays normally again.
    (transport.*c.against)();
    EXPECT_FALSE(state.mIsScrolling);
    EXPECT_TRUE(state.mIsRunning);
    EXPECT_TRUE(fresh.engine.mIsPlaying);
    EXPECT_FALSE(fresh.timers[TimerId::VideoScroll].Enabled());
  }
}

TEST_F(MediaTransportTest, ScrollingRedrawsThePlayElementEvenWithNothingOpen) {
  T().cmdForward();
  T().cmdRewind();
  EXPECT_EQ(rig.screen.Count("RedrawElement wndMain.cmdPlay"), 2);
  EXPECT_FALSE(State().mIsScrolling);
}

TEST_F(MediaTransportTest, EachScrollTickMovesThePositionByRateTimesInterval) {
  OpenFilm();
  rig.engine.SetPosition(100);
  T().cmdForward();
  T().ScrollTick();
  EXPECT_DOUBLE_EQ(rig.engine.mPosition, 100.2);
  T().cmdRewind();  // against the slowest speed: normal play
  EXPECT_TRUE(State().mIsRunning);

  rig.settings.gActionNextRepeat = 100;
  T().cmdRewind();
  T().cmdRewind();  // -8 at 100 ms: 0.8 s a tick
  T().ScrollTick();
  EXPECT_DOUBLE_EQ(rig.engine.mPosition, 99.4);
}

TEST_F(MediaTransportTest, RewindingPastTheStartResumesPlaybackWhereTheMediumIs) {
  OpenFilm();
  rig.engine.SetPosition(0.1);
  T().cmdRewind();
  rig.engine.ClearCalls();
  T().ScrollTick();
  EXPECT_TRUE(State().mIsRunning);
  EXPECT_FALSE(State().mIsScrolling);
  EXPECT_EQ(rig.engine.mCalls, (std::vector<std::string>{"Run"}));
  EXPECT_DOUBLE_EQ(rig.engine.mPosition, 0.1);
}

TEST_F(MediaTransportTest, ForwardPastTheEndStopsAtTheStartAndPlayThenReopensTheCursorEntry) {
  OpenFilm();
  rig.engine.SetPosition(599.9);
  T().cmdForward();
  T().ScrollTick();
  EXPECT_FALSE(State().mIsRunning);
  EXPECT_FALSE(State().mIsScrolling);
  EXPECT_TRUE(State().mNeedsReopen);
  EXPECT_EQ(rig.engine.mPosition, 0);
  EXPECT_TRUE(rig.engine.IsOpen());

  rig.browse.mBrowseCursor = 4;
  T().cmdPlay();
  EXPECT_EQ(rig.activatedRows, (std::vector<int32_t>{4}));
  EXPECT_EQ(rig.engine.mOpenedPaths.back(), "/m/b.mkv");
}

TEST_F(MediaTransportTest, PlayTogglesAndRestartsAMediumSittingAtItsEnd) {
  OpenFilm();
  rig.engine.SetPosition(42);
  T().cmdPlay();
  EXPECT_FALSE(State().mIsRunning);
  EXPECT_FALSE(rig.engine.mIsPlaying);
  T().cmdPlay();
  EXPECT_TRUE(State().mIsRunning);
  EXPECT_EQ(rig.engine.mPosition, 42);

  // The end was reached while running: the first Play pauses, the second restarts.
  rig.engine.SetPosition(599.7);
  T().cmdPlay();
  EXPECT_EQ(rig.engine.mPosition, 599.7);
  T().cmdPlay();
  EXPECT_EQ(rig.engine.mPosition, 0);
  EXPECT_TRUE(State().mIsRunning);
  EXPECT_EQ(rig.screen.Count("RedrawElement wndMain.picVideoInfo"),
            rig.screen.Count("RedrawElement wndMain.cmdPlay"));
}

TEST_F(MediaTransportTest, PlayWithNothingOpenStartsFromTheListCursor) {
  struct Case {
    const char* name;
    double cursor;
    std::vector<int32_t> activated;
    const char* opened;
  };
  const Case cases[] = {
      {"a file row is activated", 3, {3}, "/m/a.mkv"},
      {"a folder row opens the next file", 2, {}, "/m/a.mkv"},
      {"the <back> row opens the first file after it", 1, {}, "/m/a.mkv"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MediaTestRig fresh;
    fresh.engine.Script("/m/a.mkv", FakeMedium::Film(60));
    fresh.engine.Script("/m/b.mkv", FakeMedium::Film(90));
    // Another folder was playing; the browsed one becomes the playing list.
    fresh.ShowFolder("/m/",
                     MakeList({{"<back>", kEntryBack},
                               {">extras", kEntryFolder},
                               {"a.mkv", kEntryFile},
                               {"b.mkv", kEntryFile}}),
                     c.cursor);
    fresh.browse.mPlaying.Take("/other/", MakeList({{"x.mkv", kEntryFile}}), 1);

    fresh.media.mTransport.cmdPlay();

    EXPECT_EQ(fresh.activatedRows, c.activated);
    ASSERT_FALSE(fresh.engine.mOpenedPaths.empty());
    EXPECT_EQ(fresh.engine.mOpenedPaths.back(), c.opened);
    EXPECT_EQ(fresh.browse.mPlaying.Folder(), "/m/");
    EXPECT_EQ(EntryCount(fresh.browse.mPlaying.Rows()), 4);
    EXPECT_EQ(fresh.browse.mPlaying.PlayCountOf(3), 1);
    EXPECT_TRUE(fresh.media.mState.mIsRunning);
  }
}

TEST_F(MediaTransportTest, StopKeepsTheMediumOpenAndPauseStopsScrolling) {
  OpenFilm();
  rig.engine.SetPosition(30);
  T().cmdForward();
  T().cmdPause();
  EXPECT_FALSE(State().mIsScrolling);
  EXPECT_FALSE(ScrollTimer().Enabled());
  EXPECT_EQ(rig.engine.mPosition, 30);

  T().cmdStop();
  EXPECT_TRUE(rig.engine.IsOpen());
  EXPECT_EQ(rig.engine.mPosition, 0);
  EXPECT_TRUE(State().mNeedsReopen);
}

TEST_F(MediaTransportTest, ForceEndJumpsToOneSecondBeforeTheEndOnlyWhilePlaying) {
  OpenFilm();
  T().cmdPause();
  rig.engine.ClearCalls();
  T().cmdForceEnd();
  EXPECT_TRUE(rig.engine.mCalls.empty());

  T().cmdPlay();
  T().cmdForceEnd();
  EXPECT_EQ(rig.engine.mPosition, 599);
}

TEST_F(MediaTransportTest, SeekToStaysWithinTheMediumAndKeepsItPaused) {
  OpenFilm();
  T().cmdPause();
  const struct {
    double asked;
    double position;
  } cases[] = {{30, 30}, {-5, 0}, {700, 600}, {0.0 / 0.0, 600}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.asked);
    T().SeekTo(c.asked);
    EXPECT_EQ(rig.engine.mPosition, c.position);
    EXPECT_FALSE(State().mIsRunning);
  }
}

}  // namespace
