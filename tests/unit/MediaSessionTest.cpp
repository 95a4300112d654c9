// Opening media over the scripted engine: what the streams' types decide,
// every way an open fails, and where a film starts again.

#include <gtest/gtest.h>

#include <optional>

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
  ASSERT_TRUE(Open("/m/talk.ogg"));
  EXPECT_TRUE(State().mHasAudio);
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

}  // namespace
