// Fast scrolling of an open medium over the scripted engine.

#include <gtest/gtest.h>

#include "support/MediaTestRig.h"

namespace {

class MediaTransportTest : public ::testing::Test {
 protected:
  MediaTransportTest() { rig.engine.Script("/m/film.mkv", FakeMedium::Film(600)); }
  void OpenFilm() { ASSERT_TRUE(rig.media.mSession.cmdOpenFile("/m/film.mkv")); }
  Transport& T() { return rig.media.mTransport; }
  MediaSessionState& State() { return rig.media.mState; }

  MediaTestRig rig;
};

TEST_F(MediaTransportTest, ForwardAndRewindClimbTheLadderAndComeBackToPlay) {
  const struct {
    const char* name;
    void (Transport::*press)();
    void (Transport::*against)();
    int32_t sign;
  } cases[] = {{"forward", &Transport::cmdForward, &Transport::cmdRewind, +1},
               {"rewind", &Transport::cmdRewind, &Transport::cmdForward, -1}};
  for (const auto& c : cases) {
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

}  // namespace
