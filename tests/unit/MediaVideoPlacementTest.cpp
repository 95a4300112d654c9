// Where the video window goes and how the picture is fitted into it, and the
// option commands around it.

#include <gtest/gtest.h>

#include "support/MediaTestRig.h"

namespace {

class MediaVideoPlacementTest : public ::testing::Test {
 protected:
  VideoPlacement& P() { return rig.media.mPlacement; }
  bool Open(FakeMedium medium) {
    rig.engine.Script("/m/x.mkv", std::move(medium));
    const bool opened = rig.media.mSession.cmdOpenFile("/m/x.mkv");
    rig.engine.ClearCalls();
    return opened;
  }
  const SkinElement& VideoElement() { return rig.skin.ElementNamed("wndMain.picVideoWindow"); }

  MediaTestRig rig;
};

TEST(FitPictureTest, EveryRowOfTheAspectTable) {
  struct Case {
    const char* name;
    double W, H;
    int32_t aX, aY, mode;
    bool anamorphic;
    double left, top, width, height;
  };
  const Case cases[] = {
      // A 4:3 area, the shape the table was made for.
      {"16:9 source letterboxed", 400, 300, 16, 9, 0, false, 0, 37.5, 400, 225},
      {"4:3 source fills exactly", 400, 300, 4, 3, 0, false, 0, 0, 400, 300},
      {"1:1 source pillarboxed", 400, 300, 1, 1, 0, false, 50, 0, 300, 300},
      {"1:1 zoomed crops top and bottom", 400, 300, 1, 1, 2, false, 0, -50, 400, 400},
      {"16:9 zoomed is letterboxed", 400, 300, 16, 9, 2, false, 0, 37.5, 400, 225},
      {"anamorphic 16:9 fills the frame", 400, 300, 16, 9, 0, true, 0, 0, 400, 300},
      {"anamorphic 2.35:1 letterboxed", 400, 300, 47, 20, 0, true, 0,
       300 / 2.0 - 400 / 47.0 * 20 / 0.75 / 2, 400, 400 / 47.0 * 20 / 0.75},
      {"anamorphic 4:3 squeezed to full height", 400, 300, 4, 3, 0, true, 50, 0, 300, 300},
      {"anamorphic zoom of 4:3 by 1.25", 400, 300, 4, 3, 2, true, 0, -37.5, 400, 375},
      // A 16:9 area (full-screen video on a 16:9 screen): source mode compares
      // the picture with the area, force and zoom keep filling the width.
      {"16:9 area: 4:3 source pillarboxed, not cropped", 1920, 1080, 4, 3, 0, false, 240, 0, 1440,
       1080},
      {"16:9 area: 16:9 source fills exactly", 1920, 1080, 16, 9, 0, false, 0, 0, 1920, 1080},
      {"16:9 area: 2.35:1 source letterboxed", 1920, 1080, 47, 20, 0, false, 0,
       (1080 - 1920 / 47.0 * 20) / 2, 1920, 1920 / 47.0 * 20},
      {"16:9 area: forced 4:3 fills the width", 1920, 1080, 4, 3, 1, false, 0, -180, 1920, 1440},
      {"16:9 area: zoomed 4:3 fills the width", 1920, 1080, 4, 3, 2, false, 0, -180, 1920, 1440},
      {"16:9 area: anamorphic 16:9 pillarboxed", 1920, 1080, 16, 9, 0, true, 240, 0, 1440, 1080},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const VideoFit fit = FitPicture(c.W, c.H, c.aX, c.aY, c.mode, c.anamorphic);
    EXPECT_DOUBLE_EQ(fit.left, c.left);
    EXPECT_DOUBLE_EQ(fit.top, c.top);
    EXPECT_DOUBLE_EQ(fit.width, c.width);
    EXPECT_DOUBLE_EQ(fit.height, c.height);
  }
}

TEST_F(MediaVideoPlacementTest, TheEngineGetsTheRoundedWindowAndDestination) {
  struct Case {
    const char* name;
    FakeMedium medium;
    int32_t mode;
    int32_t anamorphic;
    bool fullscreen;
    PixelRect window;
    PixelRect destination;
  };
  // The video element lies at 10 %, 10 % with 50 % x 50 % of 800 x 600.
  const PixelRect element{80, 60, 400, 300};
  const PixelRect whole{0, 0, 800, 600};
  FakeMedium zeroAspect = FakeMedium::Film(60, 0, 0);  // falls back on 1280 x 720
  FakeMedium noHeight = FakeMedium::Film(60, 16, 0);
  noHeight.videoWidth = 0;  // and no picture size either: 4:3
  FakeMedium unknown = FakeMedium::Film(60);
  unknown.aspectKnown = false;
  unknown.videoWidth = 720;
  unknown.videoHeight = 576;
  const Case cases[] = {
      {"16:9 source, halves to even",
       FakeMedium::Film(60),
       0,
       0,
       false,
       element,
       {0, 38, 400, 225}},
      {"force 4:3 whatever the source",
       FakeMedium::Film(60),
       1,
       0,
       false,
       element,
       {0, 0, 400, 300}},
      {"force on anamorphic is 16:9",
       FakeMedium::Film(60, 4, 3),
       1,
       1,
       false,
       element,
       {0, 0, 400, 300}},
      {"4:3 on anamorphic", FakeMedium::Film(60, 4, 3), 0, 1, false, element, {50, 0, 300, 300}},
      {"zoom of 4:3 on anamorphic",
       FakeMedium::Film(60, 4, 3),
       2,
       1,
       false,
       element,
       {0, -38, 400, 375}},
      {"full screen takes the whole area",
       FakeMedium::Film(60),
       0,
       0,
       true,
       whole,
       {0, 75, 800, 450}},
      {"aspect 0:0 uses the picture size", zeroAspect, 0, 0, false, element, {0, 38, 400, 225}},
      {"aspect 16:0 without a picture size is 4:3",
       noHeight,
       0,
       0,
       false,
       element,
       {0, 0, 400, 300}},
      {"unknown aspect uses the picture size", unknown, 0, 0, false, element, {12, 0, 375, 300}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MediaTestRig fresh;
    fresh.settings.gAspectRatioMode = c.mode;
    fresh.settings.gIsMonitorAnamorph = c.anamorphic;
    fresh.overlay.mIsVideoFullscreen = c.fullscreen;
    fresh.engine.Script("/m/x.mkv", c.medium);
    ASSERT_TRUE(fresh.media.mSession.cmdOpenFile("/m/x.mkv"));
    EXPECT_EQ(fresh.engine.mVideoWindow, c.window);
    EXPECT_EQ(fresh.engine.mDestination, c.destination);
    // Placing again at a redraw of the element gives the same.
    fresh.engine.mDestination = {};
    fresh.media.mDisplay.PlaceVideo(fresh.skin.ElementNamed("wndMain.picVideoWindow"));
    EXPECT_EQ(fresh.engine.mDestination, c.destination);
  }
}

TEST_F(MediaVideoPlacementTest, NothingReachesTheEngineWithoutVideo) {
  P().PlaceVideo(VideoElement());
  ASSERT_TRUE(Open(FakeMedium::Song(100)));
  P().PlaceVideo(VideoElement());
  EXPECT_TRUE(rig.engine.mCalls.empty());
  int32_t x = 0, y = 0;
  EXPECT_FALSE(rig.media.mDisplay.PreferredAspectRatio(x, y));
  EXPECT_FALSE(rig.media.mDisplay.DestinationSize(x, y));
}

TEST_F(MediaVideoPlacementTest, AspectModeCyclesWithItsStatusText) {
  const char* expected[] = {"force aspect ratio", "zoom to fit", "source aspect ratio"};
  for (const char* text : expected) {
    P().cmdARMode();
    EXPECT_EQ(rig.texts.mStatusText, text);
  }
  EXPECT_EQ(rig.settings.gAspectRatioMode, 0);
  EXPECT_EQ(rig.screen.Matching("RedrawElement wndMain.").size(), 9u);
  EXPECT_EQ(rig.screen.mCalls[0], "RedrawElement wndMain.picVideoWindow");
  EXPECT_EQ(rig.screen.mCalls[1], "RedrawElement wndMain.picStatus");
  EXPECT_EQ(rig.screen.mCalls[2], "RedrawElement wndMain.picVideoInfo");
  rig.settings.gAspectRatioMode = -4;  // from a damaged settings file
  P().cmdARMode();
  EXPECT_EQ(rig.settings.gAspectRatioMode, 0);
}

TEST_F(MediaVideoPlacementTest, OptionTogglesAndTheOSDTimeCycle) {
  rig.settings.gIsMonitorAnamorph = 7;
  P().cmdChangeOutputAR();
  EXPECT_EQ(rig.settings.gIsMonitorAnamorph, 0);
  P().cmdChangeOutputAR();
  EXPECT_EQ(rig.settings.gIsMonitorAnamorph, 1);
  EXPECT_EQ(rig.screen.mCalls[0], "RedrawElement wndOptionsMain.cmdChangeOutputAR");
  EXPECT_EQ(rig.screen.mCalls[1], "RedrawElement wndMain.picVideoWindow");

  P().cmdChangeAlwaysOnTop();
  P().cmdChangeAlwaysOnTop();
  EXPECT_EQ(rig.alwaysOnTopCalls, (std::vector<bool>{true, false}));

  ASSERT_TRUE(Open(FakeMedium::Film(60)));
  P().cmdForceVideoForeground();
  EXPECT_EQ(rig.settings.gForceVideoForeground, 1);
  EXPECT_EQ(rig.engine.Calls("SetVideoWindow").size(), 1u);

  struct Step {
    int32_t from, to;
  };
  const Step steps[] = {{0, 1000}, {4000, 5000}, {5000, 0}, {4500, 0}, {-3000, 0}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.from);
    rig.settings.gOSDTime = step.from;
    P().cmdChangeOSDTime();
    EXPECT_EQ(rig.settings.gOSDTime, step.to);
  }
}

TEST_F(MediaVideoPlacementTest, LeavingFullScreenVideoTakesTheRemotePanelAway) {
  P().cmdFullsize();
  EXPECT_TRUE(rig.overlay.mIsVideoFullscreen);
  EXPECT_EQ(rig.screen.mCalls, (std::vector<std::string>{"RepaintWindow"}));
  P().cmdFullsize();
  EXPECT_FALSE(rig.overlay.mIsVideoFullscreen);
  EXPECT_EQ(rig.screen.mCalls,
            (std::vector<std::string>{"RepaintWindow", "HideRemotePanel", "RepaintWindow"}));
}

}  // namespace
