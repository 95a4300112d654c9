// The time texts of playback, and the texts shown after Pause and a failed open.

#include <gtest/gtest.h>

#include "media/MediaTexts.h"
#include "support/MediaTestRig.h"

namespace {

TEST(FormatMediaTimeTest, WholeSecondsHalvesToEvenAndWideHours) {
  const struct {
    double seconds;
    const char* text;
  } cases[] = {
      {0, "00:00:00"},      {187, "00:03:07"},     {65.5, "00:01:06"}, {64.5, "00:01:04"},
      {59.5, "00:01:00"},   {3599.4, "00:59:59"},  {3600, "01:00:00"}, {5530, "01:32:10"},
      {359999, "99:59:59"}, {360000, "100:00:00"}, {-3, "00:00:00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.seconds);
    EXPECT_EQ(FormatMediaTime(c.seconds), c.text);
  }
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
  rig.screen.mOnRedrawElement = [&](std::string_view name) {
    if (name == "wndMain.picVideoInfo") drawn.push_back(rig.media.mDisplay.MediaStateText());
  };
  rig.media.mTransport.cmdPause();
  EXPECT_EQ(drawn, std::vector<std::string>{"(Pause)"});

  EXPECT_FALSE(rig.media.mSession.cmdOpenFile("/m/missing.mkv"));
  EXPECT_EQ(rig.media.mDisplay.Duration(), 0);
  EXPECT_EQ(rig.media.mDisplay.LastShownPosition(), 0);
}

}  // namespace
