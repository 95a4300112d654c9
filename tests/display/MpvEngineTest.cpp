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

#include "base/Clock.h"
#include "base/TimerTable.h"
#include "platform/GlVideoTarget.h"
#include "platform/MediaEngineFactories.h"
#include "platform/SdlLoopWakeup.h"
#include "platform/SdlMainWindow.h"
#include "platform/SdlUiLoop.h"
#include "platform/WindowPresenter.h"
#include "support/FakeLog.h"
#include "support/ScreenImage.h"
#include "support/TempFolder.h"

namespace {

constexpr int32_t kWidth = 320;
constexpr int32_t kHeight = 240;
constexpr uint32_t kKey = 0x100010;

std::string Fixture(const std::string& name) {
  return std::string(TAVIZO_TESTS_DIR) + "/fixtures/" + name;
}

// film-4x3 is red above blue, film-2.35x1 yellow above green.
bool IsYellow(uint32_t pixel) {
  return Red(pixel) > 200 && Green(pixel) > 200 && Blue(pixel) < 80;
}
bool IsGreen(uint32_t pixel) {
  return Red(pixel) < 60 && Green(pixel) > 100 && Blue(pixel) < 60;
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
    // OpenGL comes with the engine's renderer, as in the program.
    presenter = std::make_unique<WindowPresenter>(*window);
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

  // Opens the file with the whole window as video window and the picture in
  // the destination, and waits until its first picture is on screen.
  void Show(const char* file, const PixelRect& destination) {
    ASSERT_EQ(engine->Open(Fixture(file)).status, OpenStatus::Opened);
    engine->SetVideoWindow({0, 0, kWidth, kHeight});
    engine->SetDestination(destination);
    ASSERT_TRUE(PumpUntil([&] { return engine->FramesRendered() > 0; }));
    presenter->Invalidate();
    loop->PumpPendingEvents();
  }
  // What the X server shows in the window, as 0xRRGGBB.
  uint32_t Shown(int32_t x, int32_t y) {
    return ScreenImage::Capture(window->Handle(), {x, y, 1, 1}).Pixel(x, y);
  }

  static inline std::unique_ptr<SdlMainWindow> window;
  static inline std::unique_ptr<WindowPresenter> presenter;
  static inline std::unique_ptr<GlVideoTarget> target;
  static inline SteadyClock clock;
  static inline std::unique_ptr<TimerTable> timers;
  static inline std::unique_ptr<SdlUiLoop> loop;
  std::unique_ptr<MpvEngine> engine;
};

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

// On a display without OpenGL libmpv cannot draw: the engine does not start,
// and the program goes on with the engine that refuses every file.
TEST_F(MpvEngineTest, WithoutOpenGlTheEngineDoesNotStart) {
  class NoOpenGl final : public VideoTarget {
   public:
    void MakeCurrent() override {}
    void* GlProcAddress(const char*) override { return nullptr; }
    bool Framebuffer(int&, int&, int&, bool&) override { return false; }
    void FrameDrawn() override {}
    void Place(const PixelRect&, const PixelRect&) override {}
    void Clear() override {}
    void SetRedraw(std::function<void()>) override {}
  } noOpenGl;
  FakeLog log;
  EXPECT_EQ(MpvEngine::Create(noOpenGl, SdlLoopWakeup::Create(*loop)), nullptr);
  EXPECT_NE(log.All().find("the OpenGL renderer cannot be made"), std::string::npos) << log.All();
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
  Show("film-4x3.mp4", {40, 30, 240, 180});
  EXPECT_EQ(engine->Destination(), (PixelRect{40, 30, 240, 180}));
  EXPECT_TRUE(IsReddish(Shown(60, 90))) << "upper left of the picture";
  EXPECT_TRUE(IsBluish(Shown(270, 150))) << "lower right of the picture";
  EXPECT_TRUE(IsBlack(Shown(10, 10)) && IsBlack(Shown(300, 230))) << "outside the destination";

  // A new size is drawn again at once, even paused.
  const int64_t frames = engine->FramesRendered();
  engine->SetDestination({0, 0, kWidth, kHeight});
  EXPECT_GT(engine->FramesRendered(), frames);
  loop->PumpPendingEvents();
  EXPECT_TRUE(IsReddish(Shown(10, 10))) << std::hex << Shown(10, 10);

  // Closed, the video area is black, not the key colour of the skin.
  engine->Close();
  loop->PumpPendingEvents();
  EXPECT_TRUE(IsBlack(Shown(160, 200))) << std::hex << Shown(160, 200);
}

// The picture takes the shape of its destination, whatever the film's own:
// the aspect modes decide the shape, not the player. A destination larger
// than the video window is cut by it (zoom).
TEST_F(MpvEngineTest, ThePictureFillsItsDestinationWhateverItsShape) {
  const struct {
    const char* file;
    PixelRect destination;
    bool (*top)(uint32_t);
    bool (*bottom)(uint32_t);
  } cases[] = {
      {"film-4x3.mp4", {0, 30, 320, 180}, IsReddish, IsBluish},   // widened to 16:9
      {"film-2.35x1.mp4", {0, 0, 320, 240}, IsYellow, IsGreen},   // heightened to 4:3
      {"film-2.35x1.mp4", {80, 0, 160, 240}, IsYellow, IsGreen},  // squeezed narrow
      {"film-4x3.mp4", {0, -60, 320, 360}, IsReddish, IsBluish},  // zoomed past the window
  };
  for (const auto& test : cases) {
    const PixelRect& d = test.destination;
    SCOPED_TRACE(testing::Message() << test.file << " in " << d.left << "," << d.top << " "
                                    << d.width << "x" << d.height);
    Show(test.file, d);
    // The corners of the part that shows.
    const int32_t top = std::max(d.top, 0) + 4, bottom = std::min(d.top + d.height, kHeight) - 5;
    for (const int32_t x : {d.left + 4, d.left + d.width - 5}) {
      EXPECT_TRUE(test.top(Shown(x, top))) << std::hex << Shown(x, top);
      EXPECT_TRUE(test.bottom(Shown(x, bottom))) << std::hex << Shown(x, bottom);
    }
    EXPECT_TRUE(d.left <= 4 || IsBlack(Shown(d.left - 4, kHeight / 2))) << "beside it";
  }
}

// Subtitles are part of the picture; when a zoomed picture reaches below the
// window, they rise into the part that shows instead of being cut off.
TEST_F(MpvEngineTest, SubtitlesRiseIntoTheShownPartOfAZoomedPicture) {
  // film-tracks is dark blue, with a near-white subtitle from its first second.
  ASSERT_EQ(engine->Open(Fixture("film-tracks.mkv")).status, OpenStatus::Opened);
  engine->SetVideoWindow({0, 0, kWidth, kHeight});
  engine->SetDestination({0, -kHeight / 2, kWidth, kHeight * 2});
  auto subtitleShare = [&] {
    return ScreenImage::Capture(window->Handle(), {0, 0, kWidth, kHeight})
        .Share({0, 0, kWidth, kHeight}, [](uint32_t pixel) {
          return (pixel >> 16) > 200 && ((pixel >> 8) & 0xFF) > 200 && (pixel & 0xFF) > 200;
        });
  };
  EXPECT_TRUE(PumpUntil([&] {
    presenter->Invalidate();
    return subtitleShare() > 0.0005;
  })) << subtitleShare();
}

// A play list is not a medium: opening one reads none of the files or
// addresses it names.
TEST_F(MpvEngineTest, APlayListOpensNothingItNames) {
  TempFolder folder;
  const std::string film = folder.File("named.mp4");
  std::filesystem::copy_file(Fixture("film-4x3.mp4"), film);
  const int watcher = inotify_init1(IN_NONBLOCK);
  ASSERT_GE(inotify_add_watch(watcher, film.c_str(), IN_OPEN | IN_ACCESS), 0);
  // A web server on this machine that only counts connections.
  const int server = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ASSERT_EQ(bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(server, 4), 0);
  ASSERT_EQ(getsockname(server, reinterpret_cast<sockaddr*>(&address), &length), 0);
  const std::string url = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/a.mp4";

  const std::pair<const char*, std::string> lists[] = {
      {"list.m3u", "#EXTM3U\n" + film + "\n" + url + "\n"},
      {"list.pls", "[playlist]\nFile1=" + film + "\nFile2=" + url + "\nNumberOfEntries=2\n"},
      {"list.cue", "FILE \"named.mp4\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\nFILE \"" +
                       url + "\" WAVE\n  TRACK 02 AUDIO\n    INDEX 01 00:00:00\n"},
  };
  for (const auto& [name, text] : lists) {
    SCOPED_TRACE(name);
    folder.Write(name, text);
    EXPECT_EQ(engine->Open(folder.File(name)).status, OpenStatus::NothingToRender);
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
