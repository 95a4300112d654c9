// The time and state texts of playback.

#include <gtest/gtest.h>

#include "support/MediaTestRig.h"

namespace {

TEST(FormatMediaTimeTest, WholeSecondsHalvesToEvenAndWideHours) {
  struct Case {
    double seconds;
    const char* text;
  };
  const Case cases[] = {
      {0, "00:00:00"},      {187, "00:03:07"},     {65.5, "00:01:06"}, {64.5, "00:01:04"},
      {59.5, "00:01:00"},   {3599.4, "00:59:59"},  {3600, "01:00:00"}, {5530, "01:32:10"},
      {359999, "99:59:59"}, {360000, "100:00:00"}, {-3, "00:00:00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.seconds);
    EXPECT_EQ(FormatMediaTime(c.seconds), c.text);
  }
}

TEST(MediaTextsTest, StateTextsByFirstMatchingCondition) {
  struct Case {
    const char* name;
    bool scrolling;
    int32_t rate;
    bool running;
    double position;
    const char* text;
  };
  const Case cases[] = {
      {"rewinding", true, -16, false, 30, "(Rewind x16)"},
      {"fast forward", true, 4, false, 30, "(Forward x4)"},
      {"scrolling wins over running", true, 256, true, 30, "(Forward x256)"},
      {"playing", false, 0, true, 0, "(Play)"},
      {"paused at 12 s", false, 0, false, 12, "(Pause)"},
      {"stopped at the start", false, 0, false, 0, "(Stop)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MediaTestRig rig;
    rig.engine.Script("/m/a.mkv", FakeMedium::Film(5530));
    ASSERT_TRUE(rig.media.mSession.cmdOpenFile("/m/a.mkv"));
    rig.media.mState.mIsScrolling = c.scrolling;
    rig.media.mState.mScrollRate = c.rate;
    rig.media.mState.mIsRunning = c.running;
    rig.engine.SetPosition(c.position);
    EXPECT_EQ(rig.media.mDisplay.MediaStateText(), c.text);
  }
}

TEST(MediaTextsTest, TimeTextShowsPositionAndDurationAndNothingWhenClosed) {
  MediaTestRig rig;
  EXPECT_EQ(rig.media.mDisplay.MediaTimeText(), "");
  EXPECT_EQ(rig.media.mDisplay.MediaStateText(), "");
  EXPECT_EQ(rig.media.mDisplay.PositionText(), "");

  rig.engine.Script("/m/a.mkv", FakeMedium::Film(5530));
  ASSERT_TRUE(rig.media.mSession.cmdOpenFile("/m/a.mkv"));
  rig.engine.SetPosition(65.5);
  EXPECT_EQ(rig.media.mDisplay.MediaTimeText(), "00:01:06 (01:32:10)");
  EXPECT_EQ(rig.media.mDisplay.PositionText(), "00:01:06");
}

// What the information element draws right after Pause, and what the
// progress bars get after an open that failed.
TEST(MediaTextsTest, PauseShowsAtOnceAndAFailedOpenLeavesNoPosition) {
  MediaTestRig rig;
  rig.engine.Script("/m/a.mkv", FakeMedium::Film(600));
  ASSERT_TRUE(rig.media.mSession.cmdOpenFile("/m/a.mkv"));
  rig.engine.SetPosition(30);
  rig.media.mOnScreenInfo.InfoUpdateTick();
  std::vector<std::string> drawn;
  rig.screen.mOnRedrawElement = [&](std::string_view name, bool) {
    if (name == "wndMain.picVideoInfo") drawn.push_back(rig.media.mDisplay.MediaStateText());
  };
  rig.media.mTransport.cmdPause();
  EXPECT_EQ(drawn, std::vector<std::string>{"(Pause)"});

  EXPECT_FALSE(rig.media.mSession.cmdOpenFile("/m/missing.mkv"));
  EXPECT_EQ(rig.media.mDisplay.Duration(), 0);
  EXPECT_EQ(rig.media.mDisplay.LastShownPosition(), 0);
}

}  // namespace
