// Opening and closing media over the scripted engine: the texts, flags and
// timer around a successful open and around every way an open fails.

#include <gtest/gtest.h>

#include <optional>

#include "media/DeferredMediaEngine.h"
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

TEST_F(MediaSessionTest, OpeningAFilmPlaysItWithItsTitleAndTheTimerOn) {
  rig.engine.Script("/media/films/Big Film.mkv", FakeMedium::Film(5530));
  State().mNeedsReopen = true;

  ASSERT_TRUE(Open("/media/films/Big Film.mkv"));

  EXPECT_EQ(rig.texts.mMediaTitle, "Big Film.mkv");
  EXPECT_TRUE(State().mHasVideo);
  EXPECT_TRUE(State().mHasAudio);
  EXPECT_TRUE(State().mIsRunning);
  EXPECT_FALSE(State().mNeedsReopen);
  EXPECT_EQ(State().mDuration, 5530);
  EXPECT_TRUE(rig.timers[TimerId::InfoUpdate].Enabled());
  EXPECT_TRUE(rig.engine.mIsPlaying);
  // Volume, rate and placement reach the engine before playback starts.
  EXPECT_EQ(
      rig.engine.Calls("Set"),
      (std::vector<std::string>{"SetVolume -2500", "SetBalance 0", "SetRate 1",
                                "SetVideoWindow 80 60 400 300", "SetDestination 0 38 400 225"}));
  EXPECT_EQ(rig.engine.mCalls.back(), "Run");
  // One log entry per stream, its connection lines inside.
  EXPECT_TRUE(rig.Logged("video stream 1 (h264)\r\nvideo: h264 1280x720\r\n"));
  EXPECT_TRUE(rig.Logged("audio stream 1 (aac)\r\naudio: aac 48000 Hz 2 ch\r\n"));
  // The title is drawn as "prepare media" and then as the file name; the wait
  // information comes and goes with the pointer.
  EXPECT_EQ(rig.screen.Count("RedrawElement wndMain.cmdFormMove"), 2);
  EXPECT_TRUE(rig.screen.Has("RedrawElement wndInfo.waitPrepare"));
  EXPECT_TRUE(rig.screen.Has("RepaintWindow"));
  EXPECT_EQ(rig.pointer.mCalls, (std::vector<std::string>{"HideMouse forced", "ShowMouse forced"}));
}

TEST_F(MediaSessionTest, TheTitleReadsPrepareMediaWhileOpening) {
  rig.engine.Script("/m/a.mkv", FakeMedium::Film(60));
  std::optional<std::string> titleWhileClosing;
  rig.pump.mDuringPass = [&] { titleWhileClosing = rig.texts.mMediaTitle; };
  Open("/m/a.mkv");
  EXPECT_EQ(titleWhileClosing, "prepare media");
}

TEST_F(MediaSessionTest, ASongIsPlayedWithoutPlacingAnyVideo) {
  rig.engine.Script("/m/song.mp3", FakeMedium::Song(200));
  ASSERT_TRUE(Open("/m/song.mp3"));
  EXPECT_TRUE(State().mHasAudio);
  EXPECT_FALSE(State().mHasVideo);
  EXPECT_TRUE(rig.engine.Calls("SetVideoWindow").empty());
  EXPECT_TRUE(rig.engine.Calls("SetDestination").empty());
  EXPECT_EQ(rig.engine.mVolume, -2500);
}

// An engine describes its streams in words of its own (or none), and a title
// may say anything: only the streams' types count.
TEST_F(MediaSessionTest, StreamTypesDecideWhatTheMediumCarriesWhateverTheTextsSay) {
  FakeMedium medium;
  medium.duration = 30;
  medium.streams = {{MediaStreamType::Audio, "Video commentary", "opus", {"opus 48000 Hz"}},
                    {MediaStreamType::Other, "cover", "png", {"video: png 500x500"}}};
  rig.engine.Script("/m/talk.ogg", medium);
  ASSERT_TRUE(Open("/m/talk.ogg"));
  EXPECT_TRUE(State().mHasAudio);
  EXPECT_FALSE(State().mHasVideo);
}

TEST_F(MediaSessionTest, EveryFailedOpenLeavesNothingOpenAndTheNextPlayReopening) {
  struct Case {
    const char* name;
    std::optional<FakeMedium> medium;  // none: the file is missing
    const char* status;                // the status line afterwards
    const char* logged;                // a log line expected, or nullptr for none
  };
  const Case cases[] = {
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
  for (const Case& c : cases) {
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
    EXPECT_TRUE(fresh.engine.Calls("Run").empty());
    // The wait information is taken away again.
    EXPECT_EQ(fresh.pointer.mCalls.back(), "ShowMouse forced");
  }
}

TEST_F(MediaSessionTest, HalfASecondAndMoreIsLongEnough) {
  rig.engine.Script("/m/blip.wav", FakeMedium::Song(0.51));
  EXPECT_TRUE(Open("/m/blip.wav"));
}

// A film left part-way and opened again: it starts where it was left only
// when it lasts over five minutes and was left before its last minute.
TEST_F(MediaSessionTest, AFilmStartsWhereItWasLeftWhenTheRulesSaySo) {
  struct Case {
    const char* name;
    double duration;
    double leftAt;
    bool stopped;                    // left by Stop rather than by opening another file
    std::optional<double> resumeAt;  // nothing: from the start
  };
  const Case cases[] = {
      {"five minutes exactly", 300, 100, false, std::nullopt},
      {"just over five minutes", 300.5, 100, false, 100},
      {"just before the last minute", 600, 539.5, false, 539.5},
      {"at the last minute", 600, 540, false, std::nullopt},
      {"played to its end", 600, 600, false, std::nullopt},
      {"at its very start", 600, 0.5, false, std::nullopt},
      {"stopped", 600, 200, true, 200},
  };
  rig.engine.Script("/m/other.mkv", FakeMedium::Film(60));
  for (const Case& c : cases) {
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

TEST_F(MediaSessionTest, TheInformationTimerIsOffWhileTheOldMediumCloses) {
  rig.engine.Script("/m/a.mkv", FakeMedium::Film(60));
  rig.engine.Script("/m/b.mkv", FakeMedium::Film(90));
  ASSERT_TRUE(Open("/m/a.mkv"));
  struct Seen {
    bool timerEnabled, hasAudio, hasVideo, running, engineOpen;
  };
  std::optional<Seen> seen;
  // Whatever runs in the pump pass finds the flags cleared but the old medium still there.
  rig.pump.mDuringPass = [&] {
    seen = Seen{rig.timers[TimerId::InfoUpdate].Enabled(), State().mHasAudio, State().mHasVideo,
                State().mIsRunning, rig.engine.IsOpen()};
  };
  rig.engine.ClearCalls();
  ASSERT_TRUE(Open("/m/b.mkv"));
  ASSERT_TRUE(seen.has_value());
  EXPECT_FALSE(seen->timerEnabled);
  EXPECT_FALSE(seen->hasAudio || seen->hasVideo || seen->running);
  EXPECT_TRUE(seen->engineOpen);
  // The old medium is closed before the new one is opened.
  ASSERT_GE(rig.engine.mCalls.size(), 2u);
  EXPECT_EQ(rig.engine.mCalls[0], "Close");
  EXPECT_EQ(rig.engine.mCalls[1], "Open /m/b.mkv");
}

TEST_F(MediaSessionTest, InFullScreenVideoTheInformationStaysForTheOSDTimeAfterTheOpen) {
  rig.overlay.mIsVideoFullscreen = true;
  rig.settings.gOSDTime = 2000;
  rig.engine.Script("/m/a.mkv", FakeMedium::Film(60));
  std::optional<int32_t> remainingWhileOpening;
  rig.pump.mDuringPass = [&] { remainingWhileOpening = rig.overlay.mOSDRemaining; };

  ASSERT_TRUE(Open("/m/a.mkv"));
  EXPECT_EQ(remainingWhileOpening, 60000);
  EXPECT_TRUE(rig.overlay.mOSDActive);
  EXPECT_EQ(rig.overlay.mOSDRemaining, 2000);
  EXPECT_TRUE(rig.screen.Has("RedrawElement wndInfo.fsMediaInfo"));
  EXPECT_FALSE(rig.screen.Has("RedrawElement wndInfo.waitPrepare"));
  EXPECT_FALSE(rig.screen.Has("RepaintWindow"));

  rig.overlay.mOSDRemaining = 60000;
  EXPECT_FALSE(Open("/m/missing.mkv"));
  EXPECT_EQ(rig.overlay.mOSDRemaining, 2000);
}

TEST_F(MediaSessionTest, CloseMediaLetsPendingEventsRunOnceAndIsSafeWhenNothingIsOpen) {
  rig.media.mSession.CloseMedia();
  EXPECT_EQ(rig.pump.mPasses, 1);
  EXPECT_FALSE(rig.engine.IsOpen());

  rig.engine.Script("/m/a.mkv", FakeMedium::Film(60));
  ASSERT_TRUE(Open("/m/a.mkv"));
  rig.media.mSession.CloseMedia();
  EXPECT_FALSE(rig.engine.IsOpen());
  EXPECT_FALSE(State().mIsRunning || State().mHasAudio || State().mHasVideo);
}

TEST_F(MediaSessionTest, EventsAreTakenOneAtATimeAndOnlyWhileAMediumPlays) {
  rig.engine.QueueEvent(kMediaEventComplete);
  EXPECT_EQ(rig.media.mSession.PollMediaEvent(), MediaEventPoll::NoEvent);

  rig.engine.Script("/m/a.mkv", FakeMedium::Film(60));
  ASSERT_TRUE(Open("/m/a.mkv"));
  rig.engine.QueueEvent(14);
  rig.engine.QueueEvent(kMediaEventComplete);
  EXPECT_EQ(rig.media.mSession.PollMediaEvent(), MediaEventPoll::OtherEvent);
  EXPECT_EQ(rig.media.mSession.PollMediaEvent(), MediaEventPoll::EndOfStream);
  EXPECT_EQ(rig.media.mSession.PollMediaEvent(), MediaEventPoll::NoEvent);
}

// The program's engine starts at the first open, with the first engine of its
// list that starts, and plays at the volume and place it was given before.
TEST(DeferredMediaEngineTest, StartsTheFirstEngineThatStartsAtTheFirstOpenWithWhatItWasTold) {
  FakeLog log;
  int started = 0;
  FakeMediaEngine* fake = nullptr;
  DeferredMediaEngine media({
      {"broken",
       [&]() -> std::unique_ptr<MediaEngine> {
         ++started;
         return nullptr;
       }},
      {"fake",
       [&]() -> std::unique_ptr<MediaEngine> {
         ++started;
         auto engine = std::make_unique<FakeMediaEngine>();
         engine->Script("/m/film.mkv", FakeMedium::Film(60));
         fake = engine.get();
         return engine;
       }},
      {"never",
       [&]() -> std::unique_ptr<MediaEngine> {
         ++started;
         return nullptr;
       }},
  });

  // Before the first open nothing starts, and nothing is open.
  media.SetVolume(-1200);
  media.SetVideoWindow({1, 2, 300, 200});
  media.SetDestination({0, 10, 300, 180});
  media.Close();
  int32_t code = 0;
  EXPECT_FALSE(media.GetEvent(code));
  EXPECT_FALSE(media.IsOpen());
  EXPECT_EQ(media.Destination(), (PixelRect{0, 10, 300, 180}));
  EXPECT_EQ(started, 0);

  ASSERT_EQ(media.Open("/m/film.mkv").status, OpenStatus::Opened);
  EXPECT_EQ(started, 2);
  EXPECT_EQ(media.StartedName(), "fake");
  ASSERT_NE(fake, nullptr);
  EXPECT_EQ(fake->mVolume, -1200);
  EXPECT_EQ(fake->mVideoWindow, (PixelRect{1, 2, 300, 200}));
  EXPECT_EQ(media.Destination(), (PixelRect{0, 10, 300, 180}));
  EXPECT_EQ(log.Messages(),
            std::vector<std::string>{"the media engine broken could not be started"});

  // From then on everything goes to that engine.
  media.SetVolume(-300);
  EXPECT_EQ(fake->mVolume, -300);
  EXPECT_TRUE(media.IsOpen());
  media.Open("/m/film.mkv");
  EXPECT_EQ(started, 2);
}

}  // namespace
