// Playback in the real program against the mpv player on the same display.
//
// BM_TavizoPlays720p/1: processor seconds the whole program (every thread)
// spends playing tests/fixtures/bench-720p.mp4 (10 s, 1280x720, no sound) to
// its end in full-screen video mode in a 1280x720 window, from the key that
// starts it to the end of the film. BM_TavizoPlays720p/0: the same in the
// default skin's player window, the film in its video area.
// BM_MpvPlays720p: the same for mpv in a 1280x720 window of its own, started
// idle like the program is and handed the file over its IPC socket, with the
// options the program gives libmpv that change the work (software decoding,
// no sound device, OpenGL on the same software renderer; this mpv has EGL
// only, where SDL takes GLX). The medians, and the ratios to mpv's (targets:
// at most 1.15 full screen, at most 1.35 windowed), are printed at the end.
// BM_ReturnToFirstFrame: from the Enter key on a list row to the film's first
// frame in the video area of the player window (800x600), read back from the
// screen.
//
// Needs a display and mpv:
//   xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" build/bench/bench_playback

#include <benchmark/benchmark.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchProgram.h"
#include "bench/BenchRenderer.h"
#include "bench/BenchRepetition.h"
#include "tests/support/SkinGeometry.h"
// X11 last: its macros would clash with the benchmark library's names.
#include "bench/LoadedXlib.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr int kPlayTimeoutMs = 60000;
const std::string kFilm = std::string(TAVIZO_SOURCE_DIR) + "/tests/fixtures/bench-720p.mp4";

std::vector<double> gTavizoSeconds[2];  // windowed, full screen
std::vector<double> gMpvSeconds;
std::string gTavizoRenderer;

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

size_t CountOf(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

bool IsDarkPixel(uint32_t pixel) {
  return ((pixel >> 16) & 0xFF) < 40 && ((pixel >> 8) & 0xFF) < 40 && (pixel & 0xFF) < 40;
}

// The share of pixels on three lines across a rectangle that are not dark:
// the empty video area and the black screen are dark, a picture is not.
double BrightShare(LoadedXlib& xlib, int x, int y, int width, int height) {
  std::vector<uint32_t> line;
  int bright = 0;
  int count = 0;
  for (int quarter = 1; quarter <= 3; ++quarter) {
    if (!xlib.ReadPixels(x, y + height * quarter / 4, width, 1, line)) return 0;
    for (uint32_t pixel : line) bright += IsDarkPixel(pixel) ? 0 : 1;
    count += width;
  }
  return count ? static_cast<double>(bright) / count : 0;
}

// Presses a key and waits until the program has logged it as handled.
bool PressKey(LoadedXlib& xlib, const BenchProgram& program, const char* key, int code) {
  const std::string line = ": key." + std::to_string(code) + ".0\n";
  const size_t before = CountOf(program.Log(), line);
  if (!xlib.PressKey(key)) return false;
  for (int waited = 0; waited < 5000; waited += 5) {
    if (CountOf(program.Log(), line) > before) return true;
    SleepMs(5);
  }
  return false;
}

// Starts the program and waits until its window is drawn and has the focus;
// the window's id, or 0.
unsigned long StartDrawn(BenchProgram& program, LoadedXlib& xlib, int width, int height) {
  if (!program.Ready() || !program.Start()) return 0;
  const auto start = std::chrono::steady_clock::now();
  while (BrightShare(xlib, 0, 0, width, height) < 0.5) {
    if (SecondsSince(start) > 20) return 0;
    SleepMs(20);
  }
  // Let the splash go and the start-up settle.
  SleepMs(500);
  const unsigned long window = program.VisibleWindow();
  if (window == 0) return 0;
  RunCommand("xdotool windowfocus --sync " + std::to_string(window) + " 2>/dev/null");
  return window;
}

void BM_TavizoPlays720p(benchmark::State& state) {
  const bool fullScreen = state.range(0) != 0;
  std::unique_ptr<LoadedXlib> xlib = LoadedXlib::Open();
  if (!xlib) {
    state.SkipWithError("no display (run under xvfb-run)");
    return;
  }
  for (auto _ : state) {
    RunRepetition(state, fullScreen ? "full screen" : "windowed", [&]() -> std::string {
      // F switches to full-screen video, P plays the row under the cursor. In
      // continuous play the clip after the film follows at its end; it is too
      // short to play, so its stream entry in the log marks the film's end.
      BenchProgram program("\"gFormLastLeft\",0\r\n\"gFormLastTop\",0\r\n\"gFormLastWidth\"," +
                               std::to_string(kWidth) + "\r\n\"gFormLastHeight\"," +
                               std::to_string(kHeight) + "\r\n\"gPlayMode\",1\r\n",
                           "\"key.70.0\",\"*.cmdFullsize\"\r\n\"key.80.0\",\"*.cmdPlay\"\r\n");
      program.AddMedia("bench-720p.mp4", "1 film.mp4");
      program.AddMedia("short-clip.mp4", "2 end.mp4");
      if (StartDrawn(program, *xlib, kWidth, kHeight) == 0) return "the program does not come up";
      if (!PressKey(*xlib, program, "Return", 13) || !PressKey(*xlib, program, "Down", 40) ||
          (fullScreen && !PressKey(*xlib, program, "f", 70))) {
        return "the program does not take the keys";
      }
      SleepMs(500);
      const double before = ProcessorSecondsOf(program.Pid());
      const auto start = std::chrono::steady_clock::now();
      xlib->PressKey("p");
      const bool opened = program.WaitForLog("video: h264 1280x720", 10000);
      const bool ended = opened && program.WaitForLog("video: h264 160x90", kPlayTimeoutMs);
      const double seconds = SecondsSince(start);
      const double processor = ProcessorSecondsOf(program.Pid()) - before;
      if (!ended) return opened ? "the film never ended" : "the film never opened";
      gTavizoSeconds[fullScreen ? 1 : 0].push_back(processor);
      gTavizoRenderer = program.GlRenderer();
      LabelRenderer(state, gTavizoRenderer);
      state.counters["cpu_seconds"] = processor;
      state.counters["wall_seconds"] = seconds;
      state.SetIterationTime(seconds);
      return "";
    });
  }
}
BENCHMARK(BM_TavizoPlays720p)
    ->Arg(1)
    ->Arg(0)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kSecond);

// mpv started idle with its window open, driven over its IPC socket.
class IdleMpv {
 public:
  explicit IdleMpv(const std::string& socketPath) : mSocketPath(socketPath) {
    std::remove(socketPath.c_str());
    mPid = fork();
    if (mPid != 0) return;
    const std::string ipc = "--input-ipc-server=" + socketPath;
    const std::string geometry =
        "--geometry=" + std::to_string(kWidth) + "x" + std::to_string(kHeight) + "+0+0";
    execlp("mpv", "mpv", "--no-config", "--vo=gpu", "--gpu-api=opengl", "--gpu-context=x11egl",
           "--hwdec=no", "--ao=null", "--audio-display=no", "--keep-open=no", "--idle=yes",
           "--force-window=yes", "--no-border", "--osc=no", "--input-default-bindings=no",
           "--really-quiet", geometry.c_str(), ipc.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }

  ~IdleMpv() {
    if (mSocket >= 0) close(mSocket);
    if (mPid > 0) {
      kill(mPid, SIGTERM);
      waitpid(mPid, nullptr, 0);
    }
    std::remove(mSocketPath.c_str());
  }

  pid_t Pid() const { return mPid; }

  bool Connect(int timeoutMs) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, mSocketPath.c_str(), sizeof address.sun_path - 1);
    for (int waited = 0; waited <= timeoutMs; waited += 20) {
      mSocket = socket(AF_UNIX, SOCK_STREAM, 0);
      if (connect(mSocket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        return true;
      }
      close(mSocket);
      mSocket = -1;
      SleepMs(20);
    }
    return false;
  }

  bool Send(const std::string& json) {
    const std::string line = json + "\n";
    return write(mSocket, line.data(), line.size()) == static_cast<ssize_t>(line.size());
  }

  // Reads what mpv says until the text shows up; false after the timeout.
  bool WaitFor(const std::string& text, int timeoutMs) {
    const auto start = std::chrono::steady_clock::now();
    while (mReceived.find(text) == std::string::npos) {
      const int left = timeoutMs - static_cast<int>(SecondsSince(start) * 1000);
      if (left <= 0) return false;
      pollfd ready{mSocket, POLLIN, 0};
      if (poll(&ready, 1, left) <= 0) return false;
      char buffer[4096];
      const ssize_t read = ::read(mSocket, buffer, sizeof buffer);
      if (read <= 0) return false;
      mReceived.append(buffer, static_cast<size_t>(read));
    }
    return true;
  }

 private:
  std::string mSocketPath;
  pid_t mPid = -1;
  int mSocket = -1;
  std::string mReceived;
};

void BM_MpvPlays720p(benchmark::State& state) {
  for (auto _ : state) {
    RunRepetition(state, "mpv", [&]() -> std::string {
      IdleMpv mpv("/tmp/tavizo-bench-mpv-" + std::to_string(getpid()) + ".sock");
      if (mpv.Pid() < 0 || !mpv.Connect(20000)) {
        return "mpv does not start (is it installed? run under xvfb-run)";
      }
      // The same settling time the program gets after its window is drawn.
      SleepMs(1500);
      const double before = ProcessorSecondsOf(mpv.Pid());
      const auto start = std::chrono::steady_clock::now();
      mpv.Send("{\"command\":[\"loadfile\",\"" + kFilm + "\"]}");
      const bool ended = mpv.WaitFor("\"event\":\"end-file\"", kPlayTimeoutMs);
      const double seconds = SecondsSince(start);
      const double processor = ProcessorSecondsOf(mpv.Pid()) - before;
      if (!ended) return "mpv never finished the film";
      gMpvSeconds.push_back(processor);
      // This mpv draws through EGL on the same display and driver.
      LabelRenderer(state, "mpv's own, EGL on the same display");
      state.counters["cpu_seconds"] = processor;
      state.counters["wall_seconds"] = seconds;
      state.SetIterationTime(seconds);
      return "";
    });
  }
}
BENCHMARK(BM_MpvPlays720p)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kSecond);

void BM_ReturnToFirstFrame(benchmark::State& state) {
  std::unique_ptr<LoadedXlib> xlib = LoadedXlib::Open();
  if (!xlib) {
    state.SkipWithError("no display (run under xvfb-run)");
    return;
  }
  // The player's video area in an 800x600 window, as the default skin places it.
  const SkinRect video = SkinGeometry(std::string(TAVIZO_SOURCE_DIR) + "/skins/default.tvs")
                             .Element("wndVidMain.picVideoWindow");
  if (video.width <= 0) {
    state.SkipWithError("the default skin has no video area");
    return;
  }
  const int videoX = static_cast<int>(800 * video.x / 100);
  const int videoY = static_cast<int>(600 * video.y / 100);
  const int videoW = static_cast<int>(800 * video.width / 100);
  const int videoH = static_cast<int>(600 * video.height / 100);
  for (auto _ : state) {
    RunRepetition(state, "return", [&]() -> std::string {
      BenchProgram program(
          "\"gFormLastLeft\",0\r\n\"gFormLastTop\",0\r\n\"gFormLastWidth\",800\r\n"
          "\"gFormLastHeight\",600\r\n");
      program.AddMedia("bench-720p.mp4", "film.mp4");
      if (StartDrawn(program, *xlib, 800, 600) == 0) return "the program does not come up";
      if (!PressKey(*xlib, program, "Return", 13) || !PressKey(*xlib, program, "Down", 40)) {
        return "the program does not take the keys";
      }
      SleepMs(300);
      if (BrightShare(*xlib, videoX, videoY, videoW, videoH) > 0.1) {
        return "the video area is not empty before the film";
      }
      const auto start = std::chrono::steady_clock::now();
      xlib->PressKey("Return");
      bool shown = false;
      while (!shown && SecondsSince(start) < 20) {
        shown = BrightShare(*xlib, videoX, videoY, videoW, videoH) > 0.5;
        if (!shown) SleepMs(2);
      }
      const double seconds = SecondsSince(start);
      if (!shown) return "the film's picture never appeared";
      LabelRenderer(state, program.GlRenderer());
      state.SetIterationTime(seconds);
      return "";
    });
  }
}
BENCHMARK(BM_ReturnToFirstFrame)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  const double mpv = Median(gMpvSeconds);
  const struct {
    const char* mode;
    double target;
  } modes[] = {{"windowed in the default skin", 1.35}, {"full screen", 1.15}};
  for (int mode = 1; mode >= 0; --mode) {
    if (gTavizoSeconds[mode].empty() || gMpvSeconds.empty()) continue;
    const double tavizo = Median(gTavizoSeconds[mode]);
    std::printf(
        "processor seconds for the 10 s film %s, medians: Tavizo %.2f, mpv %.2f; "
        "ratio %.2f (target at most %.2f); OpenGL renderer: %s\n",
        modes[mode].mode, tavizo, mpv, mpv > 0 ? tavizo / mpv : 0.0, modes[mode].target,
        gTavizoRenderer.c_str());
  }
  return 0;
}
