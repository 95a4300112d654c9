// Playback in the real program: keys lead from the start window to a file of
// the list, libmpv plays it, and the picture is read back from the X server.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/Conversions.h"
#include "media/VideoPlacement.h"
#include "support/PlaybackDriver.h"

namespace {

constexpr const char* kVideoWindow = "wndVidMain.picVideoWindow";
constexpr int kTimeoutMs = 8000;

bool IsPicture(uint32_t pixel) {
  return !IsDark(pixel);
}

size_t CountOf(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// The picture's bounds in the area once two captures a little apart agree.
ScreenRect SettledPictureBounds(const ScreenRect& area) {
  SleepMs(300);
  ScreenRect last = ScreenImage::Capture(area).Bounds(IsPicture);
  for (int tries = 0; tries < 20; ++tries) {
    SleepMs(100);
    const ScreenRect now = ScreenImage::Capture(area).Bounds(IsPicture);
    if (now == last) break;
    last = now;
  }
  return last;
}

TEST(PlaybackTest, FullScreenVideoShowsTheRemotePanelOverThePicture) {
  // F toggles full-screen video; in it the direction keys go to the remote
  // panel, which leaves a second after the last key.
  PlaybackDriver driver({{"film-4x3.mp4", "red over blue.mp4"}}, "\"gOSDTime\",1000\r\n",
                        "\"key.70.0\",\"*.cmdFullsize\"\r\n");
  ASSERT_TRUE(driver.Start()) << driver.Program().Log();
  ASSERT_TRUE(driver.PlayFile(1)) << driver.Program().Log();
  ASSERT_TRUE(driver.WaitForCaption("Tavizo: red over blue.mp4", kTimeoutMs)) << driver.Caption();
  ASSERT_TRUE(driver.PressKey("f", 70));

  // The picture covers the window (4:3 in 4:3): red above, blue below. The
  // title over the video sits at the top, the remote panel will come below.
  const ScreenRect client = driver.ClientRect();
  const ScreenRect title = driver.ElementRect("wndInfo.fsMediaInfo");
  const ScreenRect panelArea = driver.ElementRect("wndRemote.mskRemotePanel");
  ASSERT_GT(panelArea.width, 0);
  const int middle = client.y + client.height / 2;
  const ScreenRect red{client.x + 5, title.y + title.height + 5, client.width - 10,
                       middle - title.y - title.height - 10};
  const ScreenRect blueLeft{client.x + 5, middle + 5, panelArea.x - client.x - 10,
                            client.y + client.height - middle - 10};
  // Clear of the panel's rounded corners.
  const ScreenRect panel = panelArea.Inset(std::min(panelArea.width, panelArea.height) / 6);
  ASSERT_GT(red.height, 10);
  ASSERT_GT(blueLeft.width, 10);
  ASSERT_GT(panel.y, middle);
  ScreenImage shown = driver.WaitForPicture(
      client,
      [&](const ScreenImage& image) {
        return image.Share(red, IsReddish) > 0.95 && image.Share(panel, IsBluish) > 0.95;
      },
      kTimeoutMs);
  ASSERT_GT(shown.Share(red, IsReddish), 0.95);
  ASSERT_GT(shown.Share(panel, IsBluish), 0.95) << "the panel is up before any key";

  ASSERT_TRUE(driver.PressKey("Up", 38));
  auto isPanel = [](uint32_t pixel) { return !IsBluish(pixel) && !IsReddish(pixel); };
  shown = driver.WaitForPicture(
      client, [&](const ScreenImage& image) { return image.Share(panel, isPanel) > 0.8; },
      kTimeoutMs);
  EXPECT_GT(shown.Share(panel, isPanel), 0.8);
  EXPECT_GT(shown.Share(red, IsReddish), 0.95);
  EXPECT_GT(shown.Share(blueLeft, IsBluish), 0.95);

  // Up again presses Play once more (the focus stays there): play goes on and
  // the panel leaves a second later. Then the picture alone fills the window,
  // also where the panel and the title were.
  ASSERT_TRUE(driver.PressKey("Up", 38));
  const ScreenRect redAll{client.x + 5, client.y + 5, client.width - 10,
                          red.y + red.height - client.y - 5};
  const ScreenRect blueAll{client.x + 5, middle + 5, client.width - 10, blueLeft.height};
  shown = driver.WaitForPicture(
      client,
      [&](const ScreenImage& image) {
        return image.Share(redAll, IsReddish) > 0.99 && image.Share(blueAll, IsBluish) > 0.99;
      },
      kTimeoutMs);
  EXPECT_GT(shown.Share(redAll, IsReddish), 0.99);
  EXPECT_GT(shown.Share(blueAll, IsBluish), 0.99);
  if (HasFailure()) TakeScreenshot("/tmp/tavizo-remote-panel-failure.png");
}

TEST(PlaybackTest, SoundFilesPlayWithoutPictureAndACoverIsNoVideo) {
  const std::pair<const char*, const char*> cases[] = {
      {"1 song.ogg", "audio: vorbis"}, {"2 song with cover.mp3", "picture: png 64x64"}};
  PlaybackDriver driver({{"song.ogg", cases[0].first}, {"song-with-cover.mp3", cases[1].first}},
                        "\"gPlayMode\",1\r\n");
  ASSERT_TRUE(driver.Start()) << driver.Program().Log();
  const ScreenRect area = driver.ElementRect(kVideoWindow);
  ASSERT_GT(area.width, 0);
  size_t mark = driver.LogMark();
  // The first is played from the list, the second follows in continuous play.
  ASSERT_TRUE(driver.PlayFile(1)) << driver.Program().Log();
  for (const auto& [name, streamText] : cases) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(driver.WaitForCaption(std::string("Tavizo: ") + name, kTimeoutMs));
    EXPECT_TRUE(driver.WaitForLogSince(mark, streamText, kTimeoutMs)) << driver.LogSince(mark);
    const std::string streams = driver.LogSince(mark);
    EXPECT_EQ(CountOf(streams, "audio stream"), 1u) << streams;
    EXPECT_EQ(CountOf(streams, "video stream"), 0u) << streams;
    // Half a second into the sound the area is black, not the skin's key colour.
    SleepMs(500);
    EXPECT_EQ(ScreenImage::Capture(area).Share(area, IsBlack), 1.0);
    mark = driver.LogMark();
  }
}

// The picture's bounds on the screen in each aspect mode, with and without an
// anamorphic display, in the default skin's 4:3 video area and in full-screen
// video on the 16:9 screen, against what the aspect rules compute.
TEST(PlaybackTest, ThePictureOnScreenHasTheShapeTheAspectRulesGive) {
  const struct {
    const char* fixture;
    const char* name;
    int32_t aspectX, aspectY;
  } films[] = {{"film-4x3.mp4", "1 narrow.mp4", 4, 3}, {"film-2.35x1.mp4", "2 widest.mp4", 47, 20}};
  // A steps the aspect mode, O the anamorphic display, F full-screen video.
  const std::string keys =
      "\"key.65.0\",\"*.cmdARMode\"\r\n\"key.79.0\",\"*.cmdChangeOutputAR\"\r\n"
      "\"key.70.0\",\"*.cmdFullsize\"\r\n";
  for (const bool fullScreen : {false, true}) {
    SCOPED_TRACE(fullScreen ? "full screen" : "windowed");
    PlaybackDriver driver(
        {{films[0].fixture, films[0].name}, {films[1].fixture, films[1].name}},
        std::string("\"gOSDTime\",0\r\n") + (fullScreen ? "\"gIsFormFullScreen\",1\r\n" : ""),
        keys);
    ASSERT_TRUE(driver.Start()) << driver.Program().Log();
    ASSERT_TRUE(driver.PressReturn());
    for (const auto& film : films) {
      SCOPED_TRACE(film.fixture);
      // The next row of the list, played; full-screen video is left for it.
      if (fullScreen && &film != films) {
        ASSERT_TRUE(driver.PressKey("f", 70));
      }
      ASSERT_TRUE(driver.PressDown() && driver.PressReturn());
      ASSERT_TRUE(driver.WaitForCaption(std::string("Tavizo: ") + film.name, kTimeoutMs));
      if (fullScreen) {
        ASSERT_TRUE(driver.PressKey("f", 70));
      }
      const ScreenRect area = fullScreen ? driver.ClientRect() : driver.ElementRect(kVideoWindow);
      ASSERT_GT(area.width, 0);
      for (const bool anamorphic : {false, true}) {
        for (int32_t mode = 0; mode < 3; ++mode) {
          SCOPED_TRACE(testing::Message() << "mode " << mode << (anamorphic ? " anamorphic" : ""));
          // Force mode shows 4:3, or 16:9 on an anamorphic display.
          const int32_t aspectX = mode == 1 ? (anamorphic ? 16 : 4) : film.aspectX;
          const int32_t aspectY = mode == 1 ? (anamorphic ? 9 : 3) : film.aspectY;
          const VideoFit fit =
              FitPicture(area.width, area.height, aspectX, aspectY, mode, anamorphic);
          // The part of the destination that lies inside the area.
          const int left = std::max(0, RoundToInt32(fit.left));
          const int top = std::max(0, RoundToInt32(fit.top));
          const int right = std::min(area.width, RoundToInt32(fit.left) + RoundToInt32(fit.width));
          const int bottom =
              std::min(area.height, RoundToInt32(fit.top) + RoundToInt32(fit.height));
          const ScreenRect shown = SettledPictureBounds(area);
          EXPECT_NEAR(shown.x, area.x + left, 2);
          EXPECT_NEAR(shown.y, area.y + top, 2);
          EXPECT_NEAR(shown.width, right - left, 2);
          EXPECT_NEAR(shown.height, bottom - top, 2);
          ASSERT_TRUE(driver.PressKey("a", 65));
        }
        ASSERT_TRUE(driver.PressKey("o", 79));
      }
    }
  }
}

// A film of over five minutes with chapters, two audio tracks, embedded
// subtitles and a subtitle file beside it, over two runs of the program,
// through the default keys: S subtitles, A audio track, Page Up and Page Down
// chapters, R restart (P pauses, the test's own key). Chapter jumps land on
// the chapter's start, which the next run resumes at with the subtitles
// chosen; after a restart from the start nothing is left to resume.
TEST(PlaybackTest, AFilmResumesAndOffersItsSubtitlesAudioTracksAndChapters) {
  PlaybackDriver driver({{"film-tracks.mkv", "film.mkv"}, {"film-tracks.srt", "film.srt"}},
                        "\"gPlayMode\",0\r\n", "\"key.80.0\",\"*.cmdPause\"\r\n");
  const std::string film = driver.MediaFolder() + "film.mkv";
  const std::string resumeFile = driver.Program().Folder() + "/Tavizo.resume";
  // Subtitle text is near white; the picture is dark blue.
  auto isSubtitle = [](uint32_t pixel) {
    return Red(pixel) > 200 && Green(pixel) > 200 && Blue(pixel) > 200;
  };
  struct Step {
    const char* keyName;
    int key;
    const char* logged;  // the choice shown, also in the log; nullptr: nothing shown
    int subtitles;       // 1: subtitle pixels in the picture, 0: none, -1: not looked at
  };
  const std::vector<Step> firstRun = {
      // The subtitle file of the film's name shows from the start. An
      // embedded subtitle chosen shows from its next line, which comes every
      // five seconds.
      {nullptr, 0, nullptr, 1},
      {"s", 83, "subtitles: off", 0},
      {"s", 83, "subtitles: English (srt)", 1},
      {"s", 83, "subtitles: film.srt (srt)", 1},
      {"a", 65, "audio: 2/2 Deutsch (aac stereo)", -1},
      {"a", 65, "audio: 1/2 English (aac mono)", -1},
      {"p", 80, nullptr, -1},
      {"Next", 34, nullptr, -1},
      {"Next", 34, nullptr, -1},
      {"Prior", 33, nullptr, -1},
      {"s", 83, "subtitles: off", 0},
      {"s", 83, "subtitles: English (srt)", -1},
  };
  const std::vector<Step> secondRun = {
      {nullptr, 0, "resumed at 00:02:00", 1},
      {"r", 82, nullptr, -1},
      {"p", 80, nullptr, -1},
  };
  for (const std::vector<Step>* run : {&firstRun, &secondRun}) {
    SCOPED_TRACE(run == &firstRun ? "first run" : "second run");
    ASSERT_TRUE(driver.Start()) << driver.Program().Log();
    const ScreenRect area = driver.ElementRect(kVideoWindow).Inset(2);
    ASSERT_TRUE(driver.PlayFile(1)) << driver.Program().Log();
    ASSERT_TRUE(driver.WaitForCaption("Tavizo: film.mkv", kTimeoutMs)) << driver.Caption();
    for (const Step& step : *run) {
      SCOPED_TRACE("step " + std::to_string(&step - run->data()));
      // A line without a key press comes from the open, which may be done already.
      const size_t mark = step.keyName ? driver.LogMark() : 0;
      if (step.keyName) {
        ASSERT_TRUE(driver.PressKey(step.keyName, step.key));
        // A jump settles before the next key, as under a person's hand.
        if (!step.logged) SleepMs(500);
      }
      if (step.logged) {
        EXPECT_TRUE(driver.WaitForLogSince(mark, step.logged, kTimeoutMs)) << driver.LogSince(mark);
      }
      if (step.subtitles < 0) continue;
      const auto shows = [&](const ScreenImage& image) {
        return (image.Share(area, isSubtitle) > 0.0005) == (step.subtitles == 1);
      };
      EXPECT_TRUE(shows(driver.WaitForPicture(area, shows, kTimeoutMs)));
    }
    if (HasFailure()) TakeScreenshot("/tmp/tavizo-film-failure.png");
    ASSERT_TRUE(driver.Program().RequestClose());
    ASSERT_EQ(driver.Program().WaitForExit(kTimeoutMs), 0);
    std::ifstream file(resumeFile, std::ios::binary);
    const std::string stored{std::istreambuf_iterator<char>(file), {}};
    if (run == &firstRun) {
      // Left at the second chapter's start, with English subtitles.
      const std::string key = "\"" + film + "\",";
      const size_t at = stored.find(key);
      ASSERT_NE(at, std::string::npos) << stored << driver.Program().Log();
      EXPECT_NEAR(std::stod(stored.substr(at + key.size())), 120, 0.5) << stored;
      EXPECT_NE(stored.find("\"subtitles:" + film + "\",\"eng\""), std::string::npos) << stored;
    } else {
      EXPECT_EQ(stored.find(film), std::string::npos) << stored;
    }
  }
}

}  // namespace
