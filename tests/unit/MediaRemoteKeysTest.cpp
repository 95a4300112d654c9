// The direction keys of the remote panel: where the focus goes and what the
// button reached does.

#include <gtest/gtest.h>

#include <functional>

#include "support/MediaTestRig.h"

namespace {

TEST(MediaRemoteKeysTest, EveryKeyFromEveryButtonThatMatters) {
  struct Case {
    const char* name;
    const char* from;  // element of wndRemote focused before
    int32_t key;
    const char* focus;  // focused afterwards (full name)
    int32_t remaining;  // mRemoteRemaining afterwards
    bool hidden;        // the panel was taken away
    std::function<void(MediaTestRig&)> check;
  };
  const auto scrolling = [](int32_t rate) {
    return [rate](MediaTestRig& r) {
      EXPECT_TRUE(r.media.mState.mIsScrolling);
      EXPECT_EQ(r.media.mState.mScrollRate, rate);
    };
  };
  const auto opened = [](const char* path) {
    return [path](MediaTestRig& r) { EXPECT_EQ(r.engine.mOpenedPaths.back(), path); };
  };
  const auto unchanged = [](MediaTestRig& r) {
    EXPECT_TRUE(r.media.mState.mIsRunning);
    EXPECT_EQ(r.engine.mOpenedPaths.size(), 1u);
  };
  const Case cases[] = {
      {"up onto play pauses", "cmdStartButton", 38, "wndRemote.cmdPlay", 60000, false,
       [](MediaTestRig& r) { EXPECT_FALSE(r.media.mState.mIsRunning); }},
      {"right onto forward", "cmdStartButton", 39, "wndRemote.cmdForward", 60000, false,
       scrolling(4)},
      {"left onto rewind", "cmdStartButton", 37, "wndRemote.cmdRewind", 60000, false,
       scrolling(-4)},
      {"down onto stop", "cmdStartButton", 40, "wndRemote.cmdStop", 3000, false,
       [](MediaTestRig& r) { EXPECT_TRUE(r.media.mState.mNeedsReopen); }},
      {"forward again where forward is its own neighbour", "cmdForward", 39, "wndRemote.cmdForward",
       60000, false, scrolling(8)},
      {"right from play onto next", "cmdPlay", 39, "wndRemote.cmdNext", 3000, true,
       opened("/m/c.mkv")},
      {"left from play onto previous", "cmdPlay", 37, "wndRemote.cmdPrevious", 3000, true,
       opened("/m/a.mkv")},
      {"up from play onto the empty button", "cmdPlay", 38, "wndRemote.cmdEmpty", 0, true,
       unchanged},
      {"no neighbour that way", "cmdStop", 39, "wndRemote.cmdStop", 1234, false, unchanged},
      {"a key that is no direction", "cmdStartButton", 13, "wndRemote.cmdStartButton", 1234, false,
       unchanged},
      {"shown without a key", "cmdStartButton", -1, "*", 1234, false, unchanged},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MediaTestRig rig;
    for (const char* name : {"a.mkv", "b.mkv", "c.mkv"}) {
      rig.engine.Script(std::string("/m/") + name, FakeMedium::Film(600));
    }
    rig.ShowFolder(
        "/m/", MakeList({{"a.mkv", kEntryFile}, {"b.mkv", kEntryFile}, {"c.mkv", kEntryFile}}), 2);
    ASSERT_TRUE(rig.media.mSession.cmdOpenFile("/m/b.mkv"));
    if (std::string_view(c.from) == "cmdForward") rig.media.mTransport.cmdForward();
    rig.settings.gOSDTime = 3000;
    rig.overlay.mRemoteRemaining = 1234;
    rig.overlay.mRemoteFocus = std::string("wndRemote.") + c.from;
    rig.skin.ElementNamed(rig.overlay.mRemoteFocus).State = Selected;

    rig.media.mRemoteKeys.HandleRemoteKey(c.key);

    EXPECT_EQ(rig.overlay.mRemoteFocus, c.focus);
    EXPECT_EQ(rig.overlay.mRemoteRemaining, c.remaining);
    EXPECT_EQ(rig.screen.Has("HideRemotePanel"), c.hidden);
    c.check(rig);
    // Only the focused button is highlighted.
    for (const SkinElement& element : rig.skin.SkinElements) {
      if (element.Window != "wndRemote") continue;
      EXPECT_EQ(element.State, element.FullName == c.focus ? Selected : Idle) << element.FullName;
    }
  }
}

TEST(MediaRemoteKeysTest, TheFocusMoveAndThePlayButtonRedrawThePanel) {
  MediaTestRig rig;
  rig.overlay.mRemoteFocus = "wndRemote.cmdStartButton";
  rig.media.mRemoteKeys.HandleRemoteKey(38);  // onto play: moved, and its state shown
  EXPECT_EQ(rig.screen.Count("RedrawRemotePanel"), 2);
  rig.screen.Clear();
  rig.overlay.mRemoteFocus = "wndRemote.cmdForward";
  rig.media.mRemoteKeys.HandleRemoteKey(39);  // stays on forward: nothing to redraw
  EXPECT_EQ(rig.screen.Count("RedrawRemotePanel"), 0);
}

}  // namespace
