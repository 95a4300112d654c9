// The volume steps, their clamps and log lines, mute, and the press on the
// volume element with its repeat.

#include <gtest/gtest.h>

#include "support/MediaTestRig.h"

namespace {

class MediaVolumeTest : public ::testing::Test {
 protected:
  VolumeControl& V() { return rig.media.mVolume; }
  void OpenSong() {
    rig.engine.Script("/m/song.mp3", FakeMedium::Song(200));
    ASSERT_TRUE(rig.media.mSession.cmdOpenFile("/m/song.mp3"));
    rig.engine.ClearCalls();
  }

  MediaTestRig rig;
};

TEST(VolumeStepTest, TheStepGrowsAsTheVolumeFalls) {
  struct Case {
    int32_t volume;
    int32_t step;
  };
  const Case cases[] = {
      {0, 100},      {-1249, 100}, {-1250, 200}, {-2500, 200}, {-3750, 200},
      {-3751, 300},  {-6249, 300}, {-6250, 400}, {-8750, 400}, {-8751, 500},
      {-10000, 500}, {2500, 1},  // a volume above full (from a damaged settings file)
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.volume);
    EXPECT_EQ(VolumeStep(c.volume), c.step);
  }
}

TEST_F(MediaVolumeTest, UpAndDownStepClampAndLogTheNewVolume) {
  struct Case {
    const char* name;
    int32_t volume;
    bool up;
    int32_t expected;
    const char* log;
  };
  const Case cases[] = {
      {"default up", -2500, true, -2300, "cmdVolUp - new volume: -2300"},
      {"default down", -2500, false, -2700, "cmdVolDown - new volume: -2700"},
      {"up to full", -100, true, 0, "cmdVolUp - new volume: 0"},
      {"up at full", 0, true, 0, "cmdVolUp - new volume: 0"},
      {"down at silence", -10000, false, -10000, "cmdVolDown - new volume: -10000"},
      {"down near silence", -9800, false, -10000, "cmdVolDown - new volume: -10000"},
      {"above full from a settings file", 3000, true, 0, "cmdVolUp - new volume: 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MediaTestRig fresh;
    fresh.settings.gMediaVolume = c.volume;
    if (c.up) {
      fresh.media.mVolume.cmdVolUp();
    } else {
      fresh.media.mVolume.cmdVolDown();
    }
    EXPECT_EQ(fresh.settings.gMediaVolume, c.expected);
    ASSERT_EQ(fresh.log.size(), 1u);
    EXPECT_TRUE(fresh.log[0].ends_with(c.log)) << fresh.log[0];
    EXPECT_EQ(fresh.screen.mCalls,
              (std::vector<std::string>{"RedrawElement wndMain.cmdVolControl"}));
  }
}

TEST_F(MediaVolumeTest, AStepEndsMutingFirst) {
  for (bool up : {true, false}) {
    SCOPED_TRACE(up ? "up" : "down");
    MediaTestRig fresh;
    fresh.settings.gIsMediaMute = 1;
    up ? fresh.media.mVolume.cmdVolUp() : fresh.media.mVolume.cmdVolDown();
    EXPECT_EQ(fresh.settings.gIsMediaMute, 0);
    EXPECT_EQ(fresh.settings.gMediaVolume, up ? -2300 : -2700);
    EXPECT_EQ(fresh.screen.mCalls,
              (std::vector<std::string>{"RedrawElement wndMain.cmdMute",
                                        "RedrawElement wndMain.cmdVolControl"}));
  }
}

TEST_F(MediaVolumeTest, TheEngineHearsOfChangesOnlyWhileAMediumHasSound) {
  V().cmdVolUp();
  rig.screen.mCalls.clear();
  V().cmdMute();
  EXPECT_TRUE(rig.engine.mCalls.empty());
  EXPECT_EQ(rig.settings.gIsMediaMute, 1);
  // Both the button and the volume bar show muting.
  EXPECT_EQ(rig.screen.mCalls, (std::vector<std::string>{"RedrawElement wndMain.cmdMute",
                                                         "RedrawElement wndMain.cmdVolControl"}));

  // Muted when the song opens: silence, balance in the middle.
  OpenSong();
  EXPECT_EQ(rig.engine.mVolume, -10000);
  V().cmdMute();
  EXPECT_EQ(rig.engine.mCalls, (std::vector<std::string>{"SetVolume -2300", "SetBalance 0"}));
  V().cmdVolDown();
  EXPECT_EQ(rig.engine.mVolume, -2500);

  // A volume out of range in the settings never reaches the engine as it is.
  rig.settings.gMediaVolume = -20000;
  V().ApplyVolume();
  EXPECT_EQ(rig.engine.mVolume, -10000);
}

TEST_F(MediaVolumeTest, APressOnTheUpperHalfRaisesAndTheLowerHalfLowersWithRepeat) {
  // cmdVolControl lies at 90 %, 20 % with 5 % x 40 % of 800 x 600: top 120, half height 120.
  struct Case {
    int32_t y;
    int32_t direction;
    int32_t volume;
  };
  const Case cases[] = {{121, +1, -2300}, {240, +1, -2300}, {241, -1, -2700}, {359, -1, -2700}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.y);
    MediaTestRig fresh;
    fresh.settings.gActionFirstRepeat = 400;
    fresh.settings.gActionNextRepeat = 40;
    VolumeControl& volume = fresh.media.mVolume;
    volume.PressVolumeControl("wndMain.cmdVolControl", 722, c.y);
    EXPECT_EQ(volume.VolumeRepeatDirection(), c.direction);
    EXPECT_EQ(fresh.settings.gMediaVolume, c.volume);
    const UiTimer& timer = fresh.timers[TimerId::Element];
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 400);

    volume.RepeatTick();
    EXPECT_EQ(fresh.settings.gMediaVolume, c.volume + c.direction * 200);
    EXPECT_EQ(timer.Interval(), 40);

    EXPECT_TRUE(volume.EndRepeat());
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(volume.VolumeRepeatDirection(), 0);
    EXPECT_FALSE(volume.EndRepeat());
    const int32_t after = fresh.settings.gMediaVolume;
    volume.RepeatTick();
    EXPECT_EQ(fresh.settings.gMediaVolume, after);
  }
}

TEST_F(MediaVolumeTest, ACentredVolumeElementIsJudgedWhereItIsDrawn) {
  // Centred vertically: 240 pixels high from 180 to 420, the middle at 300.
  rig.AddElement("wndMain", "cmdVolCentred", 90, -1, 5, 40);
  V().PressVolumeControl("wndMain.cmdVolCentred", 722, 200);
  EXPECT_EQ(V().VolumeRepeatDirection(), +1);
  V().PressVolumeControl("wndMain.cmdVolCentred", 722, 400);
  EXPECT_EQ(V().VolumeRepeatDirection(), -1);
}

}  // namespace
