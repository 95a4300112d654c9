// Playback in the real program: keys lead from the start window to a file of
// the list, libmpv plays it, and the picture is read back from the X server.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
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

size_t CountOf(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

// A picture of the given aspect fitted whole into the area and centred, as
// the source aspect mode shows it.
ScreenRect FitInside(const ScreenRect& area, double aspect) {
  if (static_cast<double>(area.width) / area.height <= aspect) {
    const int height = static_cast<int>(area.width / aspect + 0.5);
    return {area.x, area.y + (area.height - height) / 2, area.width, height};
  }
  const int width = static_cast<int>(area.height * aspect + 0.5);
  return {area.x + (area.width - width) / 2, area.y, width, area.height};
}

// The parts of the area around the picture, kept two pixels clear of every
// edge; bars too thin for that are left out.
std::vector<ScreenRect> Bars(const ScreenRect& area, const ScreenRect& picture) {
  const ScreenRect parts[] = {
      {area.x, area.y, area.width, picture.y - area.y},
      {area.x, picture.y + picture.height, area.width,
       area.y + area.height - picture.y - picture.height},
      {area.x, area.y, picture.x - area.x, area.height},
      {picture.x + picture.width, area.y, area.x + area.width - picture.x - picture.width,
       area.height},
  };
  std::vector<ScreenRect> bars;
  for (const ScreenRect& part : parts) {
    if (part.width > 4 && part.height > 4) bars.push_back(part.Inset(2));
  }
  return bars;
}

// The top and the bottom quarter of a rectangle, a few pixels clear of its edges.
ScreenRect TopQuarter(const ScreenRect& rect) {
  return {rect.x + 3, rect.y + 3, rect.width - 6, rect.height / 4};
}
ScreenRect BottomQuarter(const ScreenRect& rect) {
  return {rect.x + 3, rect.y + rect.height * 3 / 4 - 3, rect.width - 6, rect.height / 4};
}

bool IsPicture(uint32_t pixel) {
  return !IsDark(pixel);
}

// The part of a rectangle that lies inside the area.
ScreenRect Within(const ScreenRect& area, const ScreenRect& rect) {
  const int left = std::max(area.x, rect.x);
  const int top = std::max(area.y, rect.y);
  const int right = std::min(area.x + area.width, rect.x + rect.width);
  const int bottom = std::min(area.y + area.height, rect.y + rect.height);
  return {left, top, right - left, bottom - top};
}

// The bounds of the picture's pixels in a captured area.
ScreenRect PictureBounds(const ScreenImage& image) {
  const ScreenRect& rect = image.Rect();
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  for (int y = rect.y; y < rect.y + rect.height; ++y) {
    for (int x = rect.x; x < rect.x + rect.width; ++x) {
      if (!IsPicture(image.Pixel(x, y))) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < left) return {};
  return {left, top, right - left + 1, bottom - top + 1};
}

// The picture's bounds once two captures a little apart agree.
ScreenRect SettledPictureBounds(const ScreenRect& area) {
  SleepMs(300);
  ScreenRect last = PictureBounds(ScreenImage::Capture(area));
  for (int tries = 0; tries < 20; ++tries) {
    SleepMs(100);
    const ScreenRect now = PictureBounds(ScreenImage::Capture(area));
    if (now == last) break;
    last = now;
  }
  return last;
}

std::string RectText(const ScreenRect& rect, const ScreenRect& area) {
  char text[48];
  std::snprintf(text, sizeof text, "%d %d %d %d", rect.x - area.x, rect.y - area.y, rect.width,
                rect.height);
  return text;
}

TEST(PlaybackTest, AWideFilmIsLetterboxedAndContinuousPlayOpensTheNextFile) {
  PlaybackDriver driver({{"film-16x9.mp4", "1 wide.mp4"}, {"film-4x3.mp4", "2 red over blue.mp4"}},
                        "\"gPlayMode\",1\r\n\"gAspectRatioMode\",0\r\n");
  ASSERT_TRUE(driver.Start()) << driver.Program().Log();
  const ScreenRect area = driver.ElementRect(kVideoWindow);
  ASSERT_GT(area.width, 0);
  // The area is narrower than 16:9, so the wide picture must get bars.
  ASSERT_LT(static_cast<double>(area.width) / area.height, 16.0 / 9.0 - 0.1);

  const size_t opened = driver.LogMark();
  ASSERT_TRUE(driver.PlayFile(1)) << driver.Program().Log();
  EXPECT_TRUE(driver.WaitForCaption("Tavizo: 1 wide.mp4", kTimeoutMs)) << driver.Caption();
  ASSERT_TRUE(driver.WaitForLogSince(opened, "audio: aac", kTimeoutMs)) << driver.Program().Log();
  const std::string streams = driver.LogSince(opened);
  EXPECT_EQ(CountOf(streams, "video stream"), 1u) << streams;
  EXPECT_EQ(CountOf(streams, "audio stream"), 1u) << streams;
  EXPECT_NE(streams.find("video: h264 320x180 25 fps"), std::string::npos) << streams;

  const ScreenRect wide = FitInside(area, 16.0 / 9.0);
  const ScreenImage shown = driver.WaitForPicture(
      area, [&](const ScreenImage& image) { return image.Share(wide.Inset(3), IsPicture) > 0.6; },
      kTimeoutMs);
  EXPECT_GT(shown.Share(wide.Inset(3), IsPicture), 0.6);
  const std::vector<ScreenRect> bars = Bars(area, wide);
  EXPECT_EQ(bars.size(), 2u);
  for (const ScreenRect& bar : bars) EXPECT_EQ(shown.Share(bar, IsBlack), 1.0);

  // At its end the next file opens by itself, placed for its own aspect.
  const size_t next = driver.LogMark();
  EXPECT_TRUE(driver.WaitForCaption("Tavizo: 2 red over blue.mp4", kTimeoutMs)) << driver.Caption();
  EXPECT_TRUE(driver.WaitForLogSince(next, "video: h264 320x240 25 fps", kTimeoutMs))
      << driver.LogSince(next);
  const ScreenRect narrow = FitInside(area, 4.0 / 3.0);
  const ScreenImage filled = driver.WaitForPicture(
      area,
      [&](const ScreenImage& image) {
        return image.Share(TopQuarter(narrow), IsReddish) > 0.95 &&
               image.Share(BottomQuarter(narrow), IsBluish) > 0.95;
      },
      kTimeoutMs);
  EXPECT_GT(filled.Share(TopQuarter(narrow), IsReddish), 0.95);
  EXPECT_GT(filled.Share(BottomQuarter(narrow), IsBluish), 0.95);
  for (const ScreenRect& bar : Bars(area, narrow)) EXPECT_EQ(filled.Share(bar, IsBlack), 1.0);
}

TEST(PlaybackTest, SoundFilesPlayWithoutPictureAndACoverIsNoVideo) {
  struct Case {
    const char* name;
    const char* streamText;
  };
  const Case cases[] = {
      {"1 song.ogg", "audio: vorbis"},
      {"2 song with cover.mp3", "picture: png 64x64"},
  };
  PlaybackDriver driver({{"song.ogg", cases[0].name}, {"song-with-cover.mp3", cases[1].name}},
                        "\"gPlayMode\",1\r\n");
  ASSERT_TRUE(driver.Start()) << driver.Program().Log();
  const ScreenRect area = driver.ElementRect(kVideoWindow);
  ASSERT_GT(area.width, 0);

  size_t mark = driver.LogMark();
  // The first is played from the list, the second follows in continuous play.
  ASSERT_TRUE(driver.PlayFile(1)) << driver.Program().Log();
  for (const Case& entry : cases) {
    SCOPED_TRACE(entry.name);
    EXPECT_TRUE(driver.WaitForCaption(std::string("Tavizo: ") + entry.name, kTimeoutMs))
        << driver.Caption();
    EXPECT_TRUE(driver.WaitForLogSince(mark, entry.streamText, kTimeoutMs))
        << driver.LogSince(mark);
    const std::string streams = driver.LogSince(mark);
    EXPECT_EQ(CountOf(streams, "audio stream"), 1u) << streams;
    EXPECT_EQ(CountOf(streams, "video stream"), 0u) << streams;
    // Half a second into the sound the area still shows no picture: it is
    // black, not the skin's key colour.
    SleepMs(500);
    const ScreenImage shown = ScreenImage::Capture(area);
    EXPECT_EQ(shown.Share(area, IsBlack), 1.0);
    mark = driver.LogMark();
  }
}

// The status line is compared with itself showing a list row named like the
// expected message: the same element draws the same text the same way.
TEST(PlaybackTest, FilesThatCannotPlayShowTheirStatusAndMediaError) {
  PlaybackDriver driver({{"short-clip.mp4", "clip.mp4"},
                         {"not-a-medium.txt", "notes.txt"},
                         {"not-a-medium.txt", "nothing to render"},
                         {"not-a-medium.txt", "noting to render"}});
  ASSERT_TRUE(driver.Start()) << driver.Program().Log();
  const ScreenRect status = driver.ElementRect("wndVidMain.picStatus").Inset(2);
  ASSERT_GT(status.width, 0);
  ScreenImage last = ScreenImage::Capture(status);
  // The status after the cursor moved: captured once it changed and settled.
  auto changedStatus = [&] {
    driver.WaitForPicture(
        status, [&](const ScreenImage& image) { return !(image == last); }, 2000);
    SleepMs(150);
    last = ScreenImage::Capture(status);
    return last;
  };

  // Rows: <back>, clip.mp4, notes.txt, nothing to render, noting to render.
  ASSERT_TRUE(driver.PressReturn() && driver.PressDown(3));
  const ScreenImage nothingToRender = changedStatus();
  ASSERT_TRUE(driver.PressDown());
  const ScreenImage notingToRender = changedStatus();
  ASSERT_FALSE(nothingToRender == notingToRender);

  struct Case {
    const char* file;
    int rowsUp;
    const ScreenImage& expectedStatus;
    bool logsVideo;
  };
  const Case cases[] = {
      {"notes.txt", 2, nothingToRender, false},
      {"clip.mp4", 1, notingToRender, true},
  };
  for (const Case& entry : cases) {
    SCOPED_TRACE(entry.file);
    ASSERT_TRUE(driver.PressUp(entry.rowsUp));
    changedStatus();
    const size_t mark = driver.LogMark();
    ASSERT_TRUE(driver.PressReturn());
    const ScreenImage shown = driver.WaitForPicture(
        status, [&](const ScreenImage& image) { return image == entry.expectedStatus; },
        kTimeoutMs);
    EXPECT_TRUE(shown == entry.expectedStatus);
    EXPECT_TRUE(driver.WaitForCaption("Tavizo: media error", kTimeoutMs)) << driver.Caption();
    const std::string log = driver.LogSince(mark);
    EXPECT_EQ(CountOf(log, "video stream"), entry.logsVideo ? 1u : 0u) << log;
    // Neither failure is an error of the program itself.
    EXPECT_EQ(CountOf(log, "cmdOpenFile Error"), 0u) << log;
    last = shown;
  }
  EXPECT_TRUE(driver.Program().Running());
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
  // also where the panel and the title were. The next Up brings the panel
  // back over the picture, pausing, and the one after lets it go again.
  const ScreenRect redAll{client.x + 5, client.y + 5, client.width - 10,
                          red.y + red.height - client.y - 5};
  const ScreenRect blueAll{client.x + 5, middle + 5, client.width - 10, blueLeft.height};
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round == 0 ? "the panel left" : "the panel left again");
    ASSERT_TRUE(driver.PressKey("Up", 38));
    shown = driver.WaitForPicture(
        client,
        [&](const ScreenImage& image) {
          return image.Share(redAll, IsReddish) > 0.99 && image.Share(blueAll, IsBluish) > 0.99;
        },
        kTimeoutMs);
    EXPECT_GT(shown.Share(redAll, IsReddish), 0.99);
    EXPECT_GT(shown.Share(blueAll, IsBluish), 0.99);
    if (round == 1) break;
    ASSERT_TRUE(driver.PressKey("Up", 38));
    shown = driver.WaitForPicture(
        client, [&](const ScreenImage& image) { return image.Share(panel, isPanel) > 0.8; },
        kTimeoutMs);
    EXPECT_GT(shown.Share(panel, isPanel), 0.8) << "the panel is back";
    EXPECT_GT(shown.Share(red, IsReddish), 0.95);
    EXPECT_GT(shown.Share(blueLeft, IsBluish), 0.95);
  }
  if (HasFailure()) TakeScreenshot("/tmp/tavizo-remote-panel-failure.png");
}

// The picture's bounds on the screen in each aspect mode, with and without an
// anamorphic display, for a 16:9, a 4:3 and a 2.35:1 film, in the default
// skin's 4:3 video area and in full-screen video on the 16:9 screen, against
// what the aspect rules compute. Prints the table it checks: the destination
// and the part of it that shows, x and y relative to the area.
TEST(PlaybackTest, ThePictureOnScreenHasTheShapeTheAspectRulesGive) {
  struct Film {
    const char* fixture;
    const char* name;
    const char* label;
    int32_t aspectX;
    int32_t aspectY;
  };
  const Film films[] = {{"film-16x9.mp4", "1 wide.mp4", "16:9", 16, 9},
                        {"film-4x3.mp4", "2 narrow.mp4", "4:3", 4, 3},
                        {"film-2.35x1.mp4", "3 widest.mp4", "2.35:1", 47, 20}};
  // A steps the aspect mode, O the anamorphic display, F full-screen video.
  const std::string keys =
      "\"key.65.0\",\"*.cmdARMode\"\r\n\"key.79.0\",\"*.cmdChangeOutputAR\"\r\n"
      "\"key.70.0\",\"*.cmdFullsize\"\r\n";
  const char* modeNames[] = {"source", "force", "zoom"};
  std::printf("%-17s %-7s %-7s %-5s %-21s %-18s %-18s\n", "area", "film", "mode", "anam",
              "destination", "computed shown", "measured shown");
  for (const bool fullScreen : {false, true}) {
    SCOPED_TRACE(fullScreen ? "full screen" : "windowed");
    PlaybackDriver driver(
        {{films[0].fixture, films[0].name},
         {films[1].fixture, films[1].name},
         {films[2].fixture, films[2].name}},
        std::string("\"gOSDTime\",0\r\n") + (fullScreen ? "\"gIsFormFullScreen\",1\r\n" : ""),
        keys);
    ASSERT_TRUE(driver.Start()) << driver.Program().Log();
    ASSERT_TRUE(driver.PressReturn());
    for (const Film& film : films) {
      SCOPED_TRACE(film.fixture);
      // The next row of the list, played; full-screen video is left for it.
      if (fullScreen && &film != films) {
        ASSERT_TRUE(driver.PressKey("f", 70));
      }
      ASSERT_TRUE(driver.PressDown() && driver.PressReturn());
      ASSERT_TRUE(driver.WaitForCaption(std::string("Tavizo: ") + film.name, kTimeoutMs))
          << driver.Caption();
      if (fullScreen) {
        ASSERT_TRUE(driver.PressKey("f", 70));
      }
      const ScreenRect area = fullScreen ? driver.ClientRect() : driver.ElementRect(kVideoWindow);
      ASSERT_GT(area.width, 0);
      for (const bool anamorphic : {false, true}) {
        for (int32_t mode = 0; mode < 3; ++mode) {
          // Force mode shows 4:3, or 16:9 on an anamorphic display.
          const bool force = mode == 1;
          const int32_t aspectX = force ? (anamorphic ? 16 : 4) : film.aspectX;
          const int32_t aspectY = force ? (anamorphic ? 9 : 3) : film.aspectY;
          const VideoFit fit =
              FitPicture(area.width, area.height, aspectX, aspectY, mode, anamorphic);
          const ScreenRect destination{area.x + RoundToInt32(fit.left),
                                       area.y + RoundToInt32(fit.top), RoundToInt32(fit.width),
                                       RoundToInt32(fit.height)};
          const ScreenRect computed = Within(area, destination);
          const ScreenRect shown = SettledPictureBounds(area);
          std::printf("%-17s %-7s %-7s %-5s %-21s %-18s %-18s\n",
                      fullScreen ? "16:9 full screen" : "4:3 area", film.label, modeNames[mode],
                      anamorphic ? "yes" : "no", RectText(destination, area).c_str(),
                      RectText(computed, area).c_str(), RectText(shown, area).c_str());
          SCOPED_TRACE(std::string(modeNames[mode]) + (anamorphic ? " anamorphic" : ""));
          EXPECT_NEAR(shown.x, computed.x, 2);
          EXPECT_NEAR(shown.y, computed.y, 2);
          EXPECT_NEAR(shown.width, computed.width, 2);
          EXPECT_NEAR(shown.height, computed.height, 2);
          ASSERT_TRUE(driver.PressKey("a", 65));
        }
        ASSERT_TRUE(driver.PressKey("o", 79));
      }
    }
    if (HasFailure()) TakeScreenshot("/tmp/tavizo-aspect-failure.png");
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
