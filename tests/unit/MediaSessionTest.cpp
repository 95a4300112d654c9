// Media over the scripted engine: what the streams' types decide, every way
// an open fails, where a film starts again, fast scrolling, the time and
// volume steps, and how the picture is fitted into the video window.

#include <gtest/gtest.h>

#include <optional>

#include "media/MediaTexts.h"
#include "media/VideoPlacement.h"
#include "media/VolumeControl.h"
#include "platform/MpvEngine.h"
#include "support/FakeLog.h"
#include "support/MediaTestRig.h"
#include "support/TempFolder.h"

namespace {

using ::testing::Test;

class MediaSessionTest : public Test {
 protected:
  bool Open(const std::string& path) { return rig.media.mSession.cmdOpenFile(path); }
  MediaSessionState& State() { return rig.media.mState; }

  MediaTestRig rig;
};

// An engine describes its streams in words of its own (or none), and a title
// may say anything: only the streams' types count.
TEST_F(MediaSessionTest, StreamTypesDecideWhatTheMediumCarriesWhateverTheTextsSay) {
  FakeMedium medium;
  medium.duration = 30;
  medium.streams = {{MediaStreamType::Audio, "Video commentary", "opus", {"opus 48000 Hz"}},
                    {MediaStreamType::Other, "cover", "png", {"video: png 500x500"}}};
  rig.engine.Script("/m/talk.ogg", medium);
  rig.settings.gMediaVolume = -2500;
  ASSERT_TRUE(Open("/m/talk.ogg"));
  EXPECT_TRUE(State().mHasAudio);
  EXPECT_EQ(rig.engine.mVolume, -2500);  // the medium plays at the user's volume
  EXPECT_FALSE(State().mHasVideo);
}

TEST_F(MediaSessionTest, EveryFailedOpenLeavesNothingOpenAndTheNextPlayReopening) {
  const struct {
    const char* name;
    std::optional<FakeMedium> medium;  // none: the file is missing
    const char* status;                // the status line afterwards
    const char* logged;                // a log line expected, or nullptr for none
  } cases[] = {
      {"missing file", std::nullopt, "nothing to render", nullptr},
      {"unknown format", FakeMedium::Unreadable(), "nothing to render", nullptr},
      {"no sound or picture", FakeMedium::SubtitlesOnly(60), "noting to render", nullptr},
      {"no streams at all", FakeMedium{}, "noting to render", nullptr},
      {"shorter than half a second", FakeMedium::Film(0.4), "noting to render", nullptr},
      {"half a second rounds to even 0", FakeMedium::Film(0.5), "noting to render", nullptr},
      {"never finishes loading",
       FakeMedium::Broken("timed out after 10 s waiting for the file to load"), "",
       "cmdOpenFile Error: timed out after 10 s waiting for the file to load"},
      {"decoder failure", FakeMedium::Broken("no decoder for the stream"), "",
       "cmdOpenFile Error: no decoder for the stream"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MediaTestRig fresh;
    if (c.medium) fresh.engine.Script("/m/file.xyz", *c.medium);
    fresh.media.mState.mIsRunning = true;

    EXPECT_FALSE(fresh.media.mSession.cmdOpenFile("/m/file.xyz"));

    EXPECT_EQ(fresh.texts.mStatusText, c.status);
    EXPECT_EQ(fresh.texts.mMediaTitle, "media error");
    EXPECT_TRUE(fresh.media.mState.mNeedsReopen);
    EXPECT_FALSE(fresh.media.mState.mHasAudio);
    EXPECT_FALSE(fresh.media.mState.mHasVideo);
    EXPECT_FALSE(fresh.media.mState.mIsRunning);
    EXPECT_FALSE(fresh.engine.IsOpen());
    EXPECT_TRUE(fresh.timers[TimerId::InfoUpdate].Enabled());
    EXPECT_EQ(fresh.screen.Count("RedrawElement wndMain.picStatus"), c.status[0] ? 1 : 0);
    EXPECT_EQ(fresh.Logged("cmdOpenFile Error: "), c.logged != nullptr);
    if (c.logged) {
      EXPECT_TRUE(fresh.Logged(c.logged));
    }
    EXPECT_FALSE(fresh.engine.mIsPlaying);
    // The wait information is taken away again.
    EXPECT_EQ(fresh.pointer.mCalls.back(), "ShowMouse forced");
  }
}

// A film left part-way and opened again: it starts where it was left only
// when it lasts over five minutes and was left before its last minute.
TEST_F(MediaSessionTest, AFilmStartsWhereItWasLeftWhenTheRulesSaySo) {
  const struct {
    const char* name;
    double duration;
    double leftAt;
    bool stopped;                    // left by Stop rather than by opening another file
    std::optional<double> resumeAt;  // nothing: from the start
  } cases[] = {
      {"five minutes exactly", 300, 100, false, std::nullopt},
      {"just over five minutes", 300.5, 100, false, 100},
      {"just before the last minute", 600, 539.5, false, 539.5},
      {"at the last minute", 600, 540, false, std::nullopt},
      {"played to its end", 600, 600, false, std::nullopt},
      {"at its very start", 600, 0.5, false, std::nullopt},
      {"stopped", 600, 200, true, 200},
  };
  rig.engine.Script("/m/other.mkv", FakeMedium::Film(60));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = std::string("/m/") + c.name + ".mkv";
    rig.engine.Script(path, FakeMedium::Film(c.duration));
    ASSERT_TRUE(Open(path));
    rig.engine.SetPosition(c.leftAt);
    if (c.stopped) rig.media.mTransport.cmdStop();
    ASSERT_TRUE(Open("/m/other.mkv"));
    rig.texts.mStatusText.clear();

    ASSERT_TRUE(Open(path));
    EXPECT_EQ(rig.engine.mPosition, c.resumeAt.value_or(0));
    EXPECT_EQ(rig.texts.mStatusText,
              c.resumeAt ? "resumed at " + FormatMediaTime(*c.resumeAt) : std::string());
    EXPECT_EQ(rig.overlay.mOSDNote, rig.texts.mStatusText);  // and over full-screen video
  }
}

// The list on disk: the 500 files left last, each with its subtitle choice; a
// position beyond the file's length is dropped; a damaged file is kept aside
// and every film starts from its beginning.
TEST(ResumeListTest, KeepsTheLatestFilesAndSetsADamagedFileAside) {
  TempFolder folder;
  const std::string file = folder.File("Tavizo.resume");
  ResumeList list;
  for (size_t i = 0; i <= ResumeList::kMostFiles; ++i) {
    list.Leave("/films/" + std::to_string(i) + ".mkv", 100 + i, 3600, i == 2 ? "eng" : "");
  }
  // Leaving the oldest again makes it the latest.
  list.Leave("/films/1.mkv", 1000, 3600, "no");
  ASSERT_EQ(list.Save(file), 1);

  ResumeList loaded;
  loaded.Load(file);
  EXPECT_EQ(loaded.Size(), ResumeList::kMostFiles);
  EXPECT_FALSE(loaded.Find("/films/0.mkv", 3600));
  const std::optional<ResumeList::Entry> latest = loaded.Find("/films/1.mkv", 3600);
  ASSERT_TRUE(latest);
  EXPECT_EQ(latest->seconds, 1000);
  EXPECT_EQ(latest->subtitles, "no");
  EXPECT_EQ(loaded.Find("/films/2.mkv", 3600)->subtitles, "eng");
  EXPECT_EQ(loaded.Find("/films/500.mkv", 3600)->seconds, 600);
  // A file replaced by a shorter one starts from the beginning, also later.
  EXPECT_FALSE(loaded.Find("/films/500.mkv", 500));
  EXPECT_FALSE(loaded.Find("/films/500.mkv", 3600));

  const std::string damaged = "\"/films/a.mkv\",120\r\n\"/films/b.mkv\",#yes#\r\n";
  folder.Write("Tavizo.resume", damaged);
  loaded.Load(file);
  EXPECT_EQ(loaded.Size(), 0u);
  EXPECT_EQ(folder.Read("Tavizo.resume.bad"), damaged);
}

TEST(MediaTransportTest, ForwardAndRewindClimbTheLadderAndComeBackToPlay) {
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
    fresh.engine.SetPosition(300);
    transport.ScrollTick();  // 256 seconds a second, for 50 ms
    EXPECT_DOUBLE_EQ(fresh.engine.mPosition, 300 + c.sign * 12.8);

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

TEST(VolumeStepTest, TheStepGrowsAsTheVolumeFallsAndTheEngineHearsItCubed) {
  const struct {
    int32_t volume;
    int32_t step;
  } cases[] = {
      {0, 100},      {-1249, 100}, {-1250, 200}, {-2500, 200}, {-3750, 200},
      {-3751, 300},  {-6249, 300}, {-6250, 400}, {-8750, 400}, {-8751, 500},
      {-10000, 500}, {2500, 1},  // a volume above full (from a damaged settings file)
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.volume);
    EXPECT_EQ(VolumeStep(c.volume), c.step);
  }
  // libmpv hears the volume on its cubic scale: -60 dB is a tenth, -100 dB silence.
  const std::pair<int32_t, double> percents[] = {{0, 100},        {-6000, 10}, {-3000, 31.6228},
                                                 {-9999, 2.1548}, {-10000, 0}, {500, 100}};
  for (const auto& [volume, percent] : percents) {
    EXPECT_NEAR(MpvEngine::VolumePercent(volume), percent, 0.001) << volume;
  }
}

TEST(FitPictureTest, EveryRowOfTheAspectTable) {
  const struct {
    const char* name;
    double W, H;
    int32_t aX, aY, mode;
    bool anamorphic;
    double left, top, width, height;
  } cases[] = {
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
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const VideoFit fit = FitPicture(c.W, c.H, c.aX, c.aY, c.mode, c.anamorphic);
    EXPECT_DOUBLE_EQ(fit.left, c.left);
    EXPECT_DOUBLE_EQ(fit.top, c.top);
    EXPECT_DOUBLE_EQ(fit.width, c.width);
    EXPECT_DOUBLE_EQ(fit.height, c.height);
  }
}

}  // namespace
