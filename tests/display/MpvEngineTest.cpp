// The libmpv media engine playing the committed fixtures in a real window
// under Xvfb, with no sound device: what opening each kind of file gives, the
// end of stream, stopping and seeking, and the picture reaching the screen;
// and the promises every engine of the program's list keeps.

#include "platform/MpvEngine.h"

#include <SDL.h>
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// After GoogleTest, whose names X11's macros would otherwise replace.
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "base/Clock.h"
#include "base/TimerTable.h"
#include "platform/GlPresenter.h"
#include "platform/GlVideoTarget.h"
#include "platform/MediaEngineFactories.h"
#include "platform/SdlLoopWakeup.h"
#include "platform/SdlMainWindow.h"
#include "platform/SdlUiLoop.h"
#include "support/FakeLog.h"
#include "support/TempFolder.h"

namespace {

constexpr int32_t kWidth = 320;
constexpr int32_t kHeight = 240;
constexpr uint32_t kKey = 0x100010;

std::string Fixture(const std::string& name) {
  return std::string(TAVIZO_TESTS_DIR) + "/fixtures/" + name;
}

// The colours of the films, as 0xRRGGBB screen pixels: film-4x3 is red above
// blue, film-2.35x1 yellow above green.
bool IsRed(uint32_t pixel) {
  return (pixel >> 16) > 200 && ((pixel >> 8) & 0xFF) < 60 && (pixel & 0xFF) < 60;
}
bool IsBlue(uint32_t pixel) {
  return (pixel >> 16) < 60 && ((pixel >> 8) & 0xFF) < 60 && (pixel & 0xFF) > 200;
}
bool IsYellow(uint32_t pixel) {
  return (pixel >> 16) > 200 && ((pixel >> 8) & 0xFF) > 200 && (pixel & 0xFF) < 80;
}
bool IsGreen(uint32_t pixel) {
  return (pixel >> 16) < 60 && ((pixel >> 8) & 0xFF) > 100 && (pixel & 0xFF) < 60;
}
bool IsBlack(uint32_t pixel) {
  return pixel == 0;
}

int CountOfType(const std::vector<MediaStream>& streams, MediaStreamType type) {
  return static_cast<int>(std::count_if(streams.begin(), streams.end(),
                                        [type](const MediaStream& s) { return s.type == type; }));
}

class MpvEngineTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    window = SdlMainWindow::Create("MpvEngineTest", kWidth, kHeight);
    if (!window) return;
    window->Show();
    presenter = GlPresenter::Create(*window);
    if (!presenter) return;
    target = std::make_unique<GlVideoTarget>(*window, *presenter);
    timers = std::make_unique<TimerTable>(clock);
    loop = std::make_unique<SdlUiLoop>(*window, *timers);
    loop->SetPresenter(presenter.get());
  }
  static void TearDownTestSuite() {
    loop.reset();
    timers.reset();
    target.reset();
    presenter.reset();
    window.reset();
  }

  void SetUp() override {
    ASSERT_NE(window, nullptr);
    ASSERT_NE(presenter, nullptr);
    // The whole UI is key-coloured, so the video layer shows wherever the
    // video window lies.
    presenter->SetSize(kWidth, kHeight);
    const std::vector<uint32_t> picture(static_cast<size_t>(kWidth) * kHeight, kKey);
    presenter->UploadRect(picture.data(), kWidth, 0, 0, kWidth, kHeight);
    engine = MpvEngine::Create(*target, SdlLoopWakeup::Create(*loop));
    ASSERT_NE(engine, nullptr);
  }
  void TearDown() override { engine.reset(); }

  // Runs the UI loop's pending work (the engine's wake-ups among it) until
  // the condition holds; false when it still does not after ten seconds.
  bool PumpUntil(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      loop->PumpPendingEvents();
      if (condition()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }
  void PumpFor(std::chrono::milliseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end) {
      loop->PumpPendingEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  // Every queued event until the end of the stream arrives, or none.
  std::vector<int32_t> PlayToTheEnd() {
    std::vector<int32_t> events;
    engine->Run();
    PumpUntil([&] {
      int32_t code = 0;
      while (engine->GetEvent(code)) events.push_back(code);
      return !events.empty();
    });
    return events;
  }

  // What the X server shows in the window, as 0xRRGGBB.
  uint32_t ScreenPixel(int32_t x, int32_t y) {
    const std::vector<uint32_t> pixels = ScreenPixels({x, y, 1, 1});
    return pixels.empty() ? 0xDEAD : pixels.front();
  }

  // The window's pixels in a rectangle, as 0xRRGGBB, row by row.
  std::vector<uint32_t> ScreenPixels(const PixelRect& rect) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window->Handle(), &info) || info.subsystem != SDL_SYSWM_X11) {
      ADD_FAILURE() << "not an X11 window: " << SDL_GetError();
      return {};
    }
    XSync(info.info.x11.display, False);
    XImage* image = XGetImage(info.info.x11.display, info.info.x11.window, rect.left, rect.top,
                              rect.width, rect.height, AllPlanes, ZPixmap);
    if (!image) {
      ADD_FAILURE() << "XGetImage failed";
      return {};
    }
    std::vector<uint32_t> pixels;
    for (int32_t y = 0; y < rect.height; ++y) {
      for (int32_t x = 0; x < rect.width; ++x) {
        pixels.push_back(static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFFu);
      }
    }
    XDestroyImage(image);
    return pixels;
  }

  static inline std::unique_ptr<SdlMainWindow> window;
  static inline std::unique_ptr<GlPresenter> presenter;
  static inline std::unique_ptr<GlVideoTarget> target;
  static inline SteadyClock clock;
  static inline std::unique_ptr<TimerTable> timers;
  static inline std::unique_ptr<SdlUiLoop> loop;
  std::unique_ptr<MpvEngine> engine;
};

struct OpenCase {
  const char* file;
  OpenStatus status;
  int videoStreams;
  int audioStreams;
  int32_t aspectX;  // 0: no aspect ratio
  int32_t aspectY;
  double minimumDuration;
  double maximumDuration;
};

TEST_F(MpvEngineTest, OpensEachKindOfFileWithItsStreamsAndAspect) {
  const OpenCase cases[] = {
      {"film-16x9.mp4", OpenStatus::Opened, 1, 1, 16, 9, 1.9, 2.2},
      {"film-4x3.mp4", OpenStatus::Opened, 1, 1, 4, 3, 1.9, 2.2},
      {"song.ogg", OpenStatus::Opened, 0, 1, 0, 0, 1.9, 2.2},
      // The cover picture is not video.
      {"song-with-cover.mp3", OpenStatus::Opened, 0, 1, 0, 0, 1.9, 2.2},
      // A still picture opens with no stream that counts as sound or video.
      {"picture.png", OpenStatus::Opened, 0, 0, 0, 0, 0, 1},
      // Too short to play, but it opens: the session decides.
      {"short-clip.mp4", OpenStatus::Opened, 1, 0, 16, 9, 0.2, 0.45},
      {"not-a-medium.txt", OpenStatus::NothingToRender, 0, 0, 0, 0, 0, 0},
      {"no-such-file.mp4", OpenStatus::NothingToRender, 0, 0, 0, 0, 0, 0},
      // Once more after the failures: they leave nothing behind.
      {"film-16x9.mp4", OpenStatus::Opened, 1, 1, 16, 9, 1.9, 2.2},
  };
  for (const OpenCase& test : cases) {
    SCOPED_TRACE(test.file);
    const OpenResult result = engine->Open(Fixture(test.file));
    ASSERT_EQ(result.status, test.status) << result.errorDescription;
    EXPECT_EQ(engine->IsOpen(), test.status == OpenStatus::Opened);
    if (test.status != OpenStatus::Opened) {
      EXPECT_TRUE(engine->Streams().empty());
      continue;
    }

    const std::vector<MediaStream> streams = engine->Streams();
    EXPECT_EQ(CountOfType(streams, MediaStreamType::Video), test.videoStreams);
    EXPECT_EQ(CountOfType(streams, MediaStreamType::Audio), test.audioStreams);
    for (const MediaStream& stream : streams) EXPECT_FALSE(stream.decoder.empty());
    EXPECT_GE(engine->Duration(), test.minimumDuration);
    EXPECT_LE(engine->Duration(), test.maximumDuration);

    // Known from the file right away, and still the same once decoded.
    for (const char* when : {"right after opening", "once decoded"}) {
      SCOPED_TRACE(when);
      int32_t x = 0;
      int32_t y = 0;
      ASSERT_EQ(engine->PreferredAspectRatio(x, y), test.aspectX != 0);
      int32_t width = 0;
      int32_t height = 0;
      EXPECT_EQ(engine->VideoSize(width, height), test.aspectX != 0);
      if (test.aspectX != 0) {
        EXPECT_EQ(x, test.aspectX);
        EXPECT_EQ(y, test.aspectY);
        EXPECT_EQ(width * test.aspectY, height * test.aspectX);
      }
      PumpFor(std::chrono::milliseconds(300));
    }
    // Opened paused at the start.
    EXPECT_LT(engine->CurrentPosition(), 0.05);
  }
}

TEST_F(MpvEngineTest, TheEndOfTheStreamIsReportedOnceEachTimeItIsReached) {
  FakeLog log;
  for (const char* file : {"film-16x9.mp4", "song.ogg", "song-with-cover.mp3"}) {
    SCOPED_TRACE(file);
    ASSERT_EQ(engine->Open(Fixture(file)).status, OpenStatus::Opened);
    // Without a sound device a medium with sound still plays to its end.
    EXPECT_EQ(PlayToTheEnd(), std::vector<int32_t>{kMediaEventComplete});
    EXPECT_TRUE(engine->IsOpen()) << "the medium stays loaded at its end";
    PumpFor(std::chrono::milliseconds(400));
    int32_t code = 0;
    EXPECT_FALSE(engine->GetEvent(code)) << "reported again: " << code;
    EXPECT_GT(engine->CurrentPosition(), 1.5);

    // Played again from the start, it ends again.
    engine->Stop();
    EXPECT_EQ(PlayToTheEnd(), std::vector<int32_t>{kMediaEventComplete});
  }
  // The machines that run these tests have no sound device: the log says so,
  // once.
  int noSound = 0;
  for (const std::string& message : log.Messages()) {
    noSound += message.find("no sound device") != std::string::npos;
  }
  EXPECT_EQ(noSound, 1);
}

TEST_F(MpvEngineTest, StopGoesToTheStartAndSeeksLandWhereAsked) {
  FakeLog log;
  ASSERT_EQ(engine->Open(Fixture("film-16x9.mp4")).status, OpenStatus::Opened);
  engine->Run();
  ASSERT_TRUE(PumpUntil([&] { return engine->CurrentPosition() > 0.5; }));

  engine->Pause();
  engine->SetCurrentPosition(1.2);
  // The target stands for the position at once, so repeated moves add up.
  EXPECT_DOUBLE_EQ(engine->CurrentPosition(), 1.2);
  PumpFor(std::chrono::milliseconds(500));
  EXPECT_NEAR(engine->CurrentPosition(), 1.2, 0.05);

  engine->Run();
  PumpFor(std::chrono::milliseconds(200));
  engine->Stop();
  EXPECT_DOUBLE_EQ(engine->CurrentPosition(), 0);
  PumpFor(std::chrono::milliseconds(500));
  EXPECT_NEAR(engine->CurrentPosition(), 0, 0.01) << "stopped means paused at the start";

  // Volume from full through quiet to silence and back; none of it fails.
  for (const int32_t volume : {0, -2500, -10000, -600, 0}) engine->SetVolume(volume);
  engine->SetRate(1.0);
  PumpFor(std::chrono::milliseconds(100));
  for (const std::string& message : log.Messages()) {
    EXPECT_EQ(message.find("failed"), std::string::npos) << message;
  }
}

TEST_F(MpvEngineTest, VolumeIsCubicAndSilenceIsMute) {
  const struct {
    int32_t hundredthsOfDecibel;
    double percent;
  } cases[] = {
      {0, 100},    {-6000, 10}, {-3000, 31.6228}, {-9999, 2.1548},
      {-10000, 0}, {-20000, 0}, {500, 100},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.hundredthsOfDecibel);
    EXPECT_NEAR(MpvEngine::VolumePercent(test.hundredthsOfDecibel), test.percent, 0.001);
  }
}

TEST_F(MpvEngineTest, AFileThatNeverFinishesLoadingFailsInsteadOfHanging) {
  TempFolder folder;
  const std::string path = folder.File("stalled.mp4");
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  // A writer that never writes: the reader waits for data for ever.
  const int writer = open(path.c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(writer, 0);

  const OpenResult result = engine->Open(path);
  EXPECT_EQ(result.status, OpenStatus::Failed);
  EXPECT_NE(result.errorDescription.find("timed out"), std::string::npos)
      << result.errorDescription;
  EXPECT_FALSE(engine->IsOpen());

  // The engine goes on with the next file while the pipe still stalls.
  const OpenResult next = engine->Open(Fixture("film-4x3.mp4"));
  EXPECT_EQ(next.status, OpenStatus::Opened) << next.errorDescription;
  close(writer);
}

TEST_F(MpvEngineTest, ATruncatedFileOpensOrFailsCleanly) {
  const OpenResult result = engine->Open(Fixture("truncated.mp4"));
  if (result.status == OpenStatus::Opened) {
    // Whatever there is plays, and its end is reported.
    EXPECT_EQ(PlayToTheEnd(), std::vector<int32_t>{kMediaEventComplete});
  } else {
    EXPECT_FALSE(engine->IsOpen());
  }
  EXPECT_EQ(engine->Open(Fixture("film-16x9.mp4")).status, OpenStatus::Opened);
}

TEST_F(MpvEngineTest, ThePictureShowsUprightInTheDestinationAndLeavesWithItsMedium) {
  // film-4x3 is red above blue.
  ASSERT_EQ(engine->Open(Fixture("film-4x3.mp4")).status, OpenStatus::Opened);
  engine->SetVideoWindow({0, 0, kWidth, kHeight});
  engine->SetDestination({40, 30, 240, 180});
  EXPECT_EQ(engine->Destination(), (PixelRect{40, 30, 240, 180}));
  ASSERT_TRUE(PumpUntil([&] { return engine->FramesRendered() > 0; }));
  presenter->Invalidate();
  loop->PumpPendingEvents();

  struct Probe {
    int32_t x;
    int32_t y;
    const char* what;
    bool (*matches)(uint32_t);
  };
  const Probe probes[] = {
      {160, 40, "top of the picture", IsRed},
      {60, 90, "upper left of the picture", IsRed},
      {160, 200, "bottom of the picture", IsBlue},
      {270, 150, "lower right of the picture", IsBlue},
      {10, 10, "outside the destination", IsBlack},
      {300, 230, "outside the destination", IsBlack},
  };
  for (const Probe& probe : probes) {
    SCOPED_TRACE(probe.what);
    const uint32_t pixel = ScreenPixel(probe.x, probe.y);
    EXPECT_TRUE(probe.matches(pixel)) << std::hex << pixel;
  }

  // A new size is drawn again at once, even paused.
  const int64_t frames = engine->FramesRendered();
  engine->SetDestination({0, 0, kWidth, kHeight});
  EXPECT_GT(engine->FramesRendered(), frames);
  loop->PumpPendingEvents();
  EXPECT_TRUE(IsRed(ScreenPixel(10, 10))) << std::hex << ScreenPixel(10, 10);

  // Closed, the video area is black, not the key colour of the skin.
  engine->Close();
  loop->PumpPendingEvents();
  EXPECT_TRUE(IsBlack(ScreenPixel(160, 200))) << std::hex << ScreenPixel(160, 200);
}

// The picture takes the shape of its destination, whatever the film's own:
// the aspect modes decide the shape, not the player. A destination larger
// than the video window is cut by it (zoom).
TEST_F(MpvEngineTest, ThePictureFillsItsDestinationWhateverItsShape) {
  struct Case {
    const char* what;
    const char* file;
    PixelRect destination;
    bool (*top)(uint32_t);
    bool (*bottom)(uint32_t);
  };
  const Case cases[] = {
      {"4:3 film widened to 16:9", "film-4x3.mp4", {0, 30, 320, 180}, IsRed, IsBlue},
      {"2.35:1 film heightened to 4:3", "film-2.35x1.mp4", {0, 0, 320, 240}, IsYellow, IsGreen},
      {"2.35:1 film squeezed into a narrow area",
       "film-2.35x1.mp4",
       {80, 0, 160, 240},
       IsYellow,
       IsGreen},
      {"4:3 film zoomed past the window", "film-4x3.mp4", {0, -60, 320, 360}, IsRed, IsBlue},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    ASSERT_EQ(engine->Open(Fixture(test.file)).status, OpenStatus::Opened);
    engine->SetVideoWindow({0, 0, kWidth, kHeight});
    engine->SetDestination(test.destination);
    ASSERT_TRUE(PumpUntil([&] { return engine->FramesRendered() > 0; }));
    presenter->Invalidate();
    loop->PumpPendingEvents();

    // The corners of the part that shows, and both sides of the picture's
    // middle line.
    const PixelRect& d = test.destination;
    const int32_t top = std::max(d.top, 0) + 4;
    const int32_t bottom = std::min(d.top + d.height, kHeight) - 5;
    const int32_t middle = d.top + d.height / 2;
    const int32_t left = d.left + 4;
    const int32_t right = d.left + d.width - 5;
    const struct {
      int32_t x, y;
      bool (*matches)(uint32_t);
    } probes[] = {
        {left, top, test.top},         {right, top, test.top},
        {left, bottom, test.bottom},   {right, bottom, test.bottom},
        {left, middle - 10, test.top}, {right, middle + 10, test.bottom},
    };
    for (const auto& probe : probes) {
      const uint32_t pixel = ScreenPixel(probe.x, probe.y);
      EXPECT_TRUE(probe.matches(pixel))
          << std::hex << pixel << std::dec << " at " << probe.x << "," << probe.y;
    }
    if (d.left > 4) {
      EXPECT_TRUE(IsBlack(ScreenPixel(d.left - 4, kHeight / 2))) << "beside the destination";
    }
  }
}

// Subtitles are part of the picture; when a zoomed picture reaches below the
// window, they rise into the part that shows instead of being cut off.
TEST_F(MpvEngineTest, SubtitlesRiseIntoTheShownPartOfAZoomedPicture) {
  // film-tracks is dark blue, with a near-white subtitle from its first second.
  ASSERT_EQ(engine->Open(Fixture("film-tracks.mkv")).status, OpenStatus::Opened);
  engine->SetVideoWindow({0, 0, kWidth, kHeight});
  engine->SetDestination({0, -kHeight / 2, kWidth, kHeight * 2});
  auto subtitlePixels = [&] {
    const std::vector<uint32_t> pixels = ScreenPixels({0, 0, kWidth, kHeight});
    return std::count_if(pixels.begin(), pixels.end(), [](uint32_t pixel) {
      return (pixel >> 16) > 200 && ((pixel >> 8) & 0xFF) > 200 && (pixel & 0xFF) > 200;
    });
  };
  EXPECT_TRUE(PumpUntil([&] {
    presenter->Invalidate();
    return subtitlePixels() > 30;
  })) << subtitlePixels()
      << " subtitle pixels";
}

// A play list is not a medium: opening one reads none of the files or
// addresses it names, and closing leaves nothing running. A film opens
// alone, without the subtitles beside it.
TEST_F(MpvEngineTest, APlayListOpensNothingItNames) {
  TempFolder folder;
  const std::string film = folder.File("named.mp4");
  std::filesystem::copy_file(Fixture("film-4x3.mp4"), film);
  const int watcher = inotify_init1(IN_NONBLOCK);
  ASSERT_GE(watcher, 0);
  ASSERT_GE(inotify_add_watch(watcher, film.c_str(), IN_OPEN | IN_ACCESS), 0);

  // A web server on this machine that only counts connections.
  const int server = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
  ASSERT_GE(server, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ASSERT_EQ(bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(server, 4), 0);
  ASSERT_EQ(getsockname(server, reinterpret_cast<sockaddr*>(&address), &length), 0);
  const std::string url =
      "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/named.mp4";

  const struct {
    const char* name;
    std::string text;
  } lists[] = {
      {"list.m3u", "#EXTM3U\n" + film + "\n" + url + "\n"},
      {"list.pls", "[playlist]\nFile1=" + film + "\nFile2=" + url + "\nNumberOfEntries=2\n"},
      {"list.cue", "FILE \"named.mp4\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\nFILE \"" +
                       url + "\" WAVE\n  TRACK 02 AUDIO\n    INDEX 01 00:00:00\n"},
  };
  for (const auto& list : lists) {
    SCOPED_TRACE(list.name);
    folder.Write(list.name, list.text);
    const OpenResult result = engine->Open(folder.File(list.name));
    EXPECT_EQ(result.status, OpenStatus::NothingToRender) << result.errorDescription;
    EXPECT_FALSE(engine->IsOpen());
    PumpFor(std::chrono::milliseconds(300));
    engine->Close();
    PumpFor(std::chrono::milliseconds(500));

    char events[4096];
    EXPECT_LE(read(watcher, events, sizeof events), 0) << "the named film was opened";
    const int connection = accept(server, nullptr, nullptr);
    EXPECT_LT(connection, 0) << "the named address was asked";
    if (connection >= 0) close(connection);
  }
  close(server);
  close(watcher);

  // Of the subtitle files beside the film, only the one of its exact name is read.
  folder.Write("named.srt", "1\n00:00:00,000 --> 00:00:02,000\nwords\n");
  folder.Write("other.srt", "1\n00:00:00,000 --> 00:00:02,000\nwords\n");
  const int subtitles = inotify_init1(IN_NONBLOCK);
  ASSERT_GE(subtitles, 0);
  ASSERT_GE(inotify_add_watch(subtitles, folder.File("other.srt").c_str(), IN_OPEN), 0);
  EXPECT_EQ(engine->Open(film).status, OpenStatus::Opened);
  PumpFor(std::chrono::milliseconds(300));
  char events[4096];
  EXPECT_LE(read(subtitles, events, sizeof events), 0) << "other subtitles were opened";
  close(subtitles);
  const std::vector<MediaTrack> tracks = engine->Tracks(MediaTrackType::Subtitles);
  ASSERT_EQ(tracks.size(), 1u);
  EXPECT_EQ(tracks[0].title, "named.srt");
}

// What the media session relies on, kept by every engine of the program's
// list in turn: libmpv plays the film, and the null engine at the end of the
// list refuses it with a reason. Neither opens what is not a medium, and
// nothing that is not open has a position, events or streams.
TEST_F(MpvEngineTest, EveryEngineOfTheListKeepsTheEngineContract) {
  engine.reset();
  const std::vector<MediaEngineFactory> factories = MediaEngineFactories(*target, *loop);
  ASSERT_GE(factories.size(), 2u);
  for (const MediaEngineFactory& factory : factories) {
    SCOPED_TRACE(factory.name);
    const bool plays = &factory != &factories.back();
    std::unique_ptr<MediaEngine> media = factory.start();
    ASSERT_NE(media, nullptr);
    const auto expectNothingOpen = [&] {
      EXPECT_FALSE(media->IsOpen());
      EXPECT_TRUE(media->Streams().empty());
      EXPECT_EQ(media->CurrentPosition(), 0);
      int32_t code = 0;
      EXPECT_FALSE(media->GetEvent(code));
    };
    media->Close();
    media->SetVolume(-2500);
    expectNothingOpen();

    const OpenResult unplayable = media->Open(Fixture("not-a-medium.txt"));
    EXPECT_NE(unplayable.status, OpenStatus::Opened);
    expectNothingOpen();

    const OpenResult film = media->Open(Fixture("film-16x9.mp4"));
    if (!plays) {
      EXPECT_EQ(film.status, OpenStatus::Failed);
      EXPECT_FALSE(film.errorDescription.empty());
      expectNothingOpen();
      continue;
    }
    ASSERT_EQ(film.status, OpenStatus::Opened) << film.errorDescription;
    EXPECT_TRUE(media->IsOpen());
    EXPECT_EQ(CountOfType(media->Streams(), MediaStreamType::Video), 1);
    EXPECT_EQ(CountOfType(media->Streams(), MediaStreamType::Audio), 1);
    EXPECT_NEAR(media->Duration(), 2, 0.2);
    EXPECT_LT(media->CurrentPosition(), 0.05);
    media->SetCurrentPosition(1.0);
    PumpFor(std::chrono::milliseconds(300));
    EXPECT_NEAR(media->CurrentPosition(), 1.0, 0.05);
    media->SetVolume(-10000);
    media->SetVolume(0);
    media->Close();
    expectNothingOpen();
  }
}

}  // namespace
