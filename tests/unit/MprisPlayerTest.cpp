// The desktop's media controls over a fake program: which command each call
// runs, the properties read from the program's state, and the signals due
// after a change.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "media/VolumeControl.h"
#include "program/MprisPlayer.h"
#include "support/FakeLog.h"

namespace {

constexpr const char* kFilm = "/media/films/A film #1.mp4";

// The program as far as the commands change what the controls read.
struct FakeProgram {
  explicit FakeProgram(PlayerSnapshot initial = {}) : state(std::move(initial)) {}

  PlayerSnapshot state;
  std::string actions;  // the commands run, separated by spaces
  double seekedTo = -1;
  uint64_t now = 0;

  PlayerHooks Hooks() {
    PlayerHooks hooks;
    hooks.snapshot = [this] { return state; };
    hooks.doAction = [this](const std::string& action) { Run(action); };
    hooks.seekTo = [this](double seconds) { seekedTo = seconds; };
    hooks.raise = [this] { actions += "raise "; };
    hooks.nowMs = [this] { return now; };
    return hooks;
  }

  void Run(const std::string& action) {
    actions += action.substr(2) + " ";
    if (action == "*.cmdPlay") state.isRunning = !state.isRunning;
    if (action == "*.cmdPause") state.isRunning = false;
    if (action == "*.cmdMute") state.isMuted = !state.isMuted;
    if (action == "*.cmdPlayMode") state.playMode = (state.playMode + 1) % 6;
    if (action == "*.cmdVolUp" || action == "*.cmdVolDown") {
      const int32_t direction = action == "*.cmdVolUp" ? 1 : -1;
      state.isMuted = false;
      state.volume = std::clamp(state.volume + direction * VolumeStep(state.volume), -10000, 0);
    }
  }
};

std::string Repeat(const std::string& text, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

PlayerSnapshot OpenFilm(bool running) {
  PlayerSnapshot state;
  state.isOpen = true;
  state.isRunning = running;
  state.title = "A film #1.mp4";
  state.path = kFilm;
  state.position = 10;
  state.duration = 60;
  state.volume = -2500;
  state.hasFiles = true;
  return state;
}

TEST(MprisPlayerTest, EachCallRunsTheCommandOfItsKey) {
  struct Case {
    const char* name;
    PlayerSnapshot state;
    std::function<void(MprisPlayer&)> call;
    std::string actions;
    double seekedTo;  // -1: no seek
  };
  PlayerSnapshot muted = OpenFilm(true);
  muted.isMuted = true;
  PlayerSnapshot repeatSingle = OpenFilm(true);
  repeatSingle.playMode = 3;
  PlayerSnapshot repeatAll = OpenFilm(true);
  repeatAll.playMode = 4;
  const std::string track = MprisPlayer::TrackIdOf(kFilm);
  const Case cases[] = {
      {"play while paused", OpenFilm(false), [](MprisPlayer& p) { p.Play(); }, "cmdPlay ", -1},
      {"play while playing", OpenFilm(true), [](MprisPlayer& p) { p.Play(); }, "", -1},
      {"play with nothing open starts the list",
       {},
       [](MprisPlayer& p) { p.Play(); },
       "cmdPlay ",
       -1},
      {"pause", OpenFilm(true), [](MprisPlayer& p) { p.Pause(); }, "cmdPause ", -1},
      {"pause with nothing open", {}, [](MprisPlayer& p) { p.Pause(); }, "", -1},
      {"play-pause", OpenFilm(true), [](MprisPlayer& p) { p.PlayPause(); }, "cmdPlay ", -1},
      {"stop", OpenFilm(true), [](MprisPlayer& p) { p.Stop(); }, "cmdStop ", -1},
      {"next", OpenFilm(true), [](MprisPlayer& p) { p.Next(); }, "cmdNext ", -1},
      {"previous", OpenFilm(true), [](MprisPlayer& p) { p.Previous(); }, "cmdPrevious ", -1},
      {"quit", OpenFilm(true), [](MprisPlayer& p) { p.Quit(); }, "cmdQuitTavizo ", -1},
      {"raise", OpenFilm(true), [](MprisPlayer& p) { p.Raise(); }, "raise ", -1},
      {"seek forward", OpenFilm(true), [](MprisPlayer& p) { p.Seek(5000000); }, "", 15},
      {"seek before the start", OpenFilm(true), [](MprisPlayer& p) { p.Seek(-30000000); }, "", 0},
      {"seek past the end is next", OpenFilm(true), [](MprisPlayer& p) { p.Seek(60000000); },
       "cmdNext ", -1},
      {"seek with nothing open", {}, [](MprisPlayer& p) { p.Seek(5000000); }, "", -1},
      {"set position", OpenFilm(true), [&track](MprisPlayer& p) { p.SetPosition(track, 42500000); },
       "", 42.5},
      {"set position of another track", OpenFilm(true),
       [](MprisPlayer& p) { p.SetPosition(MprisPlayer::TrackIdOf("/other.mp4"), 1000000); }, "",
       -1},
      {"set a negative position", OpenFilm(true),
       [&track](MprisPlayer& p) { p.SetPosition(track, -1); }, "", -1},
      {"set a position past the end", OpenFilm(true),
       [&track](MprisPlayer& p) { p.SetPosition(track, 61000000); }, "", -1},
      // The volume keys' steps from -2500 to the level's nearest step.
      {"full volume", OpenFilm(true), [](MprisPlayer& p) { p.SetVolume(1.0); },
       Repeat("cmdVolUp ", 18), -1},
      {"silence", OpenFilm(true), [](MprisPlayer& p) { p.SetVolume(-0.5); },
       Repeat("cmdVolDown ", 24), -1},
      {"a little lower", OpenFilm(true), [](MprisPlayer& p) { p.SetVolume(0.73); }, "cmdVolDown ",
       -1},
      {"the level it has", OpenFilm(true), [](MprisPlayer& p) { p.SetVolume(0.75); }, "", -1},
      {"not a number", OpenFilm(true), [](MprisPlayer& p) { p.SetVolume(0.0 / 0.0); }, "", -1},
      {"muted at the level it has", muted, [](MprisPlayer& p) { p.SetVolume(0.75); }, "cmdMute ",
       -1},
      {"muted and silence asked", muted, [](MprisPlayer& p) { p.SetVolume(0); }, "", -1},
      // Play modes step round from single play (0).
      {"loop a track", OpenFilm(true), [](MprisPlayer& p) { p.SetLoopStatus("Track"); },
       "cmdPlayMode cmdPlayMode cmdPlayMode ", -1},
      {"loop the list", OpenFilm(true), [](MprisPlayer& p) { p.SetLoopStatus("Playlist"); },
       "cmdPlayMode cmdPlayMode cmdPlayMode cmdPlayMode ", -1},
      {"no loop from single play", OpenFilm(true), [](MprisPlayer& p) { p.SetLoopStatus("None"); },
       "", -1},
      {"no loop from repeat all", repeatAll, [](MprisPlayer& p) { p.SetLoopStatus("None"); },
       "cmdPlayMode cmdPlayMode cmdPlayMode ", -1},
      {"an unknown loop status", OpenFilm(true), [](MprisPlayer& p) { p.SetLoopStatus("All"); }, "",
       -1},
      {"shuffle", OpenFilm(true), [](MprisPlayer& p) { p.SetShuffle(true); },
       "cmdPlayMode cmdPlayMode ", -1},
      {"shuffle the repeated list", repeatAll, [](MprisPlayer& p) { p.SetShuffle(true); },
       "cmdPlayMode ", -1},
      {"shuffle a repeated track", repeatSingle, [](MprisPlayer& p) { p.SetShuffle(true); }, "",
       -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeLog log;
    FakeProgram program{c.state};
    MprisPlayer player(program.Hooks());
    c.call(player);
    EXPECT_EQ(program.actions, c.actions);
    EXPECT_DOUBLE_EQ(program.seekedTo, c.seekedTo);
    ASSERT_FALSE(log.Messages().empty());
    EXPECT_EQ(log.Messages().front().rfind("mpris.", 0), 0u) << log.Messages().front();
  }
}

TEST(MprisPlayerTest, PropertiesComeFromTheProgramsState) {
  struct Case {
    const char* name;
    PlayerSnapshot state;
    const char* status;
    const char* loop;
    bool shuffle;
    double volume;
  };
  PlayerSnapshot stopped = OpenFilm(false);
  stopped.isStopped = true;
  PlayerSnapshot muted = OpenFilm(true);
  muted.isMuted = true;
  auto inMode = [](int32_t mode) {
    PlayerSnapshot state = OpenFilm(true);
    state.playMode = mode;
    return state;
  };
  PlayerSnapshot silent = OpenFilm(false);
  silent.volume = -10000;
  PlayerSnapshot full = OpenFilm(false);
  full.volume = 0;
  const Case cases[] = {
      {"nothing open", {}, "Stopped", "None", false, 1.0},
      {"playing", OpenFilm(true), "Playing", "None", false, 0.75},
      {"paused", OpenFilm(false), "Paused", "None", false, 0.75},
      {"stopped", stopped, "Stopped", "None", false, 0.75},
      {"muted", muted, "Playing", "None", false, 0.0},
      {"silent", silent, "Paused", "None", false, 0.0},
      {"full", full, "Paused", "None", false, 1.0},
      {"continous play", inMode(1), "Playing", "None", false, 0.75},
      {"random play", inMode(2), "Playing", "None", true, 0.75},
      {"repeat single", inMode(3), "Playing", "Track", false, 0.75},
      {"repeat all", inMode(4), "Playing", "Playlist", false, 0.75},
      {"repeat random", inMode(5), "Playing", "Playlist", true, 0.75},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeProgram program{c.state};
    const MprisProperties properties = MprisPlayer(program.Hooks()).Properties();
    EXPECT_EQ(properties.playbackStatus, c.status);
    EXPECT_EQ(properties.loopStatus, c.loop);
    EXPECT_EQ(properties.shuffle, c.shuffle);
    EXPECT_DOUBLE_EQ(properties.volume, c.volume);
    EXPECT_EQ(properties.canPause, c.state.isOpen);
    EXPECT_EQ(properties.canSeek, c.state.isOpen);
  }

  FakeProgram program{OpenFilm(true)};
  const MprisMetadata metadata = MprisPlayer(program.Hooks()).Properties().metadata;
  EXPECT_EQ(metadata.title, "A film #1.mp4");
  EXPECT_EQ(metadata.lengthUs, 60000000);
  EXPECT_EQ(metadata.url, "file:///media/films/A%20film%20%231.mp4");
  EXPECT_EQ(metadata.trackId.rfind("/org/mpris/MediaPlayer2/tavizo/track/", 0), 0u);
  EXPECT_NE(metadata.trackId, MprisPlayer::TrackIdOf("/media/films/A film #2.mp4"));
  FakeProgram empty;
  EXPECT_EQ(MprisPlayer(empty.Hooks()).Properties().metadata.trackId, MprisPlayer::kNoTrack);
}

TEST(MprisPlayerTest, ChangesAreAnnouncedOnceAndJumpsAreSeeked) {
  FakeProgram program{OpenFilm(true)};
  MprisPlayer player(program.Hooks());
  EXPECT_TRUE(player.TakeChanges().changed.empty());

  // Playback carries the position on: no jump.
  program.now += 2000;
  program.state.position += 2;
  MprisChanges changes = player.TakeChanges();
  EXPECT_TRUE(changes.changed.empty());
  EXPECT_FALSE(changes.seekedUs);

  program.Run("*.cmdPlay");
  program.Run("*.cmdVolUp");
  changes = player.TakeChanges();
  EXPECT_EQ(std::vector<std::string>(changes.changed.begin(), changes.changed.end()),
            (std::vector<std::string>{"PlaybackStatus", "Volume"}));
  EXPECT_TRUE(player.TakeChanges().changed.empty());

  // Paused, the position moves only by a jump (fast scrolling, a seek).
  program.now += 3000;
  program.state.position = 30;
  changes = player.TakeChanges();
  ASSERT_TRUE(changes.seekedUs);
  EXPECT_EQ(*changes.seekedUs, 30000000);
  EXPECT_FALSE(player.TakeChanges().seekedUs);

  // Another medium is new metadata, not a jump.
  program.state.path = "/media/films/other.mp4";
  program.state.position = 0;
  changes = player.TakeChanges();
  EXPECT_EQ(std::vector<std::string>(changes.changed.begin(), changes.changed.end()),
            (std::vector<std::string>{"Metadata"}));
  EXPECT_FALSE(changes.seekedUs);
}

}  // namespace
