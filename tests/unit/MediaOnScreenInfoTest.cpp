// The information elements, the information timer's refresh and countdown,
// and the remote panel's countdown.

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "support/MediaTestRig.h"

namespace {

class MediaOnScreenInfoTest : public ::testing::Test {
 protected:
  void OpenFilm() {
    rig.engine.Script("/m/a.mkv", FakeMedium::Film(600));
    ASSERT_TRUE(rig.media.mSession.cmdOpenFile("/m/a.mkv"));
    rig.screen.Clear();
    rig.pointer.mCalls.clear();
  }
  void Tick() { rig.media.mOnScreenInfo.InfoUpdateTick(); }

  MediaTestRig rig;
};

TEST_F(MediaOnScreenInfoTest, ShowInfoShowsAGivenTextOnceAndKeepsTheSkinText) {
  std::vector<std::string> drawnTexts;
  rig.screen.mOnRedrawElement = [&](std::string_view name, bool) {
    drawnTexts.push_back(rig.skin.ElementNamed(name).Text[Idle]);
  };
  rig.media.mInfo.ShowInfo("waitPrepare", "scanning /media/usb", false);
  rig.media.mInfo.ShowInfo("waitPrepare", "XSelfX", true);
  EXPECT_EQ(drawnTexts, (std::vector<std::string>{"scanning /media/usb", "please wait"}));
  EXPECT_EQ(rig.skin.ElementNamed("wndInfo.waitPrepare").Text[Idle], "please wait");
  EXPECT_EQ(rig.pointer.mCalls, std::vector<std::string>{"HideMouse forced"});

  // An element the skin lacks draws nothing and changes no other element.
  rig.media.mInfo.ShowInfo("configInput", "press a key", false);
  EXPECT_EQ(rig.skin.SkinElements[0].Text[Idle], "");
}

TEST_F(MediaOnScreenInfoTest, HideInfoClearsOverTheVideoAndRepaintsOtherwise) {
  rig.media.mInfo.HideInfo("scanContent");
  rig.overlay.mIsVideoFullscreen = true;
  rig.media.mInfo.HideInfo("scanContent");
  EXPECT_EQ(rig.screen.mCalls,
            (std::vector<std::string>{"RepaintWindow", "ClearElement wndInfo.scanContent"}));
  EXPECT_EQ(rig.pointer.mCalls, (std::vector<std::string>{"ShowMouse forced", "ShowMouse forced"}));
}

TEST_F(MediaOnScreenInfoTest, TheFullScreenInformationCountsDownAndGoesAway) {
  struct Case {
    int32_t osdTime;
    int shownTicks;  // ticks that redraw the information before it goes
  };
  const Case cases[] = {{0, 0}, {1000, 10}, {250, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.osdTime);
    MediaTestRig fresh;
    fresh.overlay.mIsVideoFullscreen = true;
    fresh.settings.gOSDTime = c.osdTime;
    fresh.engine.Script("/m/a.mkv", FakeMedium::Film(600));
    ASSERT_TRUE(fresh.media.mSession.cmdOpenFile("/m/a.mkv"));
    fresh.media.mTracks.ShowStatus("subtitles: off");
    fresh.screen.Clear();

    for (int tick = 0; tick < c.shownTicks; ++tick) fresh.media.mOnScreenInfo.InfoUpdateTick();
    EXPECT_EQ(fresh.screen.Count("RedrawElement wndInfo.fsMediaInfo"), c.shownTicks);
    EXPECT_TRUE(fresh.overlay.mOSDActive);
    EXPECT_FALSE(fresh.screen.Has("ClearElement wndInfo.fsMediaInfo"));

    fresh.media.mOnScreenInfo.InfoUpdateTick();
    EXPECT_FALSE(fresh.overlay.mOSDActive);
    EXPECT_EQ(fresh.overlay.mOSDNote, "");  // the next time it shows the title
    EXPECT_EQ(fresh.screen.Count("ClearElement wndInfo.fsMediaInfo"), 1);
    fresh.media.mOnScreenInfo.InfoUpdateTick();
    EXPECT_EQ(fresh.screen.Count("ClearElement wndInfo.fsMediaInfo"), 1);
    EXPECT_EQ(fresh.screen.Count("RedrawElement wndInfo.fsMediaInfo"), c.shownTicks);
  }
}

TEST_F(MediaOnScreenInfoTest, OutsideFullScreenTheCountdownRunsWithoutDrawing) {
  OpenFilm();
  rig.overlay.mOSDActive = true;
  rig.overlay.mOSDRemaining = 200;
  Tick();
  Tick();
  Tick();
  EXPECT_FALSE(rig.overlay.mOSDActive);
  EXPECT_TRUE(rig.screen.mCalls.empty());
  EXPECT_TRUE(rig.pointer.mCalls.empty());
}

TEST_F(MediaOnScreenInfoTest, ANewWholeSecondRedrawsTheInformationAndTheRemotePanel) {
  OpenFilm();
  rig.engine.SetPosition(0.4);
  Tick();
  EXPECT_TRUE(rig.screen.mCalls.empty());

  rig.engine.SetPosition(1.5);  // rounds to 2
  Tick();
  EXPECT_EQ(rig.screen.mCalls, std::vector<std::string>{"RedrawElement wndMain.picVideoInfo"});
  EXPECT_EQ(rig.media.mDisplay.LastShownPosition(), 1.5);

  rig.screen.Clear();
  rig.engine.SetPosition(2.5);  // rounds to 2 as well
  Tick();
  EXPECT_TRUE(rig.screen.mCalls.empty());

  rig.timers[TimerId::ShowRemote].Enable();
  rig.engine.SetPosition(3.2);
  Tick();
  EXPECT_EQ(rig.screen.mCalls,
            (std::vector<std::string>{"RedrawRemotePanel", "RedrawElement wndMain.picVideoInfo"}));
}

TEST_F(MediaOnScreenInfoTest, AnEventOfTheMediumRedrawsTheInformation) {
  OpenFilm();
  rig.engine.QueueEvent(3);
  Tick();
  EXPECT_EQ(rig.screen.mCalls, std::vector<std::string>{"RedrawElement wndMain.picVideoInfo"});
}

// The information timer wakes the program only while its tick has work.
TEST_F(MediaOnScreenInfoTest, TheInformationTimerRunsOnlyWhileItHasWork) {
  struct Case {
    const char* state;
    std::function<void(MediaTestRig&)> reach;
    bool runs;
  };
  const auto open = [](MediaTestRig& r, const char* path, FakeMedium medium) {
    r.engine.Script(path, std::move(medium));
    r.media.mSession.cmdOpenFile(path);
  };
  const auto countDown = [](MediaTestRig& r) {
    for (int tick = 0; tick < 30; ++tick) r.media.mOnScreenInfo.InfoUpdateTick();
  };
  const Case cases[] = {
      {"nothing open", [](MediaTestRig&) {}, false},
      {"playing", [&](MediaTestRig& r) { open(r, "/m/a.mkv", FakeMedium::Film(600)); }, true},
      {"paused",
       [&](MediaTestRig& r) {
         open(r, "/m/a.mp3", FakeMedium::Song(60));
         r.media.mTransport.cmdPause();
       },
       true},
      {"closed",
       [&](MediaTestRig& r) {
         open(r, "/m/a.mkv", FakeMedium::Film(600));
         r.media.mSession.CloseMedia();
       },
       false},
      {"failed in full screen, counting down",
       [&](MediaTestRig& r) {
         r.overlay.mIsVideoFullscreen = true;
         open(r, "/m/a.txt", FakeMedium::Unreadable());
       },
       true},
      {"failed in full screen, counted down",
       [&](MediaTestRig& r) {
         r.overlay.mIsVideoFullscreen = true;
         open(r, "/m/a.txt", FakeMedium::Unreadable());
         countDown(r);
       },
       false},
      {"remote panel called with nothing open",
       [](MediaTestRig& r) {
         r.overlay.mOSDActive = true;
         r.overlay.mOSDRemaining = r.settings.gOSDTime;
       },
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    MediaTestRig fresh;
    fresh.settings.gOSDTime = 2000;
    c.reach(fresh);
    fresh.media.mOnScreenInfo.RunInfoUpdateWhileNeeded();
    EXPECT_EQ(fresh.timers[TimerId::InfoUpdate].Enabled(), c.runs);
  }
}

TEST_F(MediaOnScreenInfoTest, TheRemotePanelGoesOnceItsTimeHasRunOut) {
  rig.overlay.mRemoteRemaining = 150;
  rig.timers[TimerId::ShowRemote].SetInterval(100);
  rig.media.mOnScreenInfo.ShowRemoteTick();
  rig.media.mOnScreenInfo.ShowRemoteTick();  // 50 left: still up
  EXPECT_FALSE(rig.screen.Has("HideRemotePanel"));
  rig.media.mOnScreenInfo.ShowRemoteTick();  // -50
  EXPECT_EQ(rig.screen.Count("HideRemotePanel"), 1);
  EXPECT_EQ(rig.overlay.mRemoteRemaining, -150);
}

}  // namespace
