// Start-up time of the real program: from the fork of a copy of tavizo, with
// the default skin and an empty play list, to the first presented frame of
// the start window on the screen. The frame is seen by reading the screen
// back: the start window has no black of its own, while the empty screen
// under it is black. The median of ten starts is the figure (target: under
// 150 ms). OpenGL and libmpv are loaded only after that frame, so neither
// is in it; the start window's pictures come from the picture cache after the
// first of the ten starts.
//
// Needs a display with room for an 800 x 600 window at the top left:
//   xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" build/bench/bench_startup

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

#include "bench/BenchProgram.h"
#include "bench/BenchRenderer.h"
#include "bench/BenchRepetition.h"
// X11 last: its macros would clash with the benchmark library's names.
#include "bench/LoadedXlib.h"

namespace {

constexpr int kTimeoutMs = 20000;

bool IsBlackPixel(uint32_t pixel) {
  return ((pixel >> 16) & 0xFF) <= 6 && ((pixel >> 8) & 0xFF) <= 6 && (pixel & 0xFF) <= 6;
}

// The share of black pixels on a line across the window and one down it.
double BlackShare(LoadedXlib& xlib) {
  std::vector<uint32_t> across;
  std::vector<uint32_t> down;
  if (!xlib.ReadPixels(100, 300, 600, 1, across) || !xlib.ReadPixels(400, 100, 1, 400, down)) {
    return 1;
  }
  int black = 0;
  for (uint32_t pixel : across) black += IsBlackPixel(pixel) ? 1 : 0;
  for (uint32_t pixel : down) black += IsBlackPixel(pixel) ? 1 : 0;
  return static_cast<double>(black) / static_cast<double>(across.size() + down.size());
}

void BM_StartToFirstFrame(benchmark::State& state) {
  std::unique_ptr<LoadedXlib> xlib = LoadedXlib::Open();
  if (!xlib) {
    state.SkipWithError("no display (run under xvfb-run)");
    return;
  }
  static BenchProgram program(
      "\"gFormLastLeft\",0\r\n\"gFormLastTop\",0\r\n\"gFormLastWidth\",800\r\n"
      "\"gFormLastHeight\",600\r\n\"gIsFormFullScreen\",0\r\n");
  for (auto _ : state) {
    RunRepetition(state, "start", [&]() -> std::string {
      // The screen where the window will be must be empty again.
      for (int waited = 0; BlackShare(*xlib) < 0.99 && waited < kTimeoutMs; waited += 10) {
        SleepMs(10);
      }
      const auto start = std::chrono::steady_clock::now();
      if (!program.Start()) return "the program does not start";
      // Polled every 2 ms: often enough for the figure, seldom enough to leave
      // the processor and the X server to the program.
      bool shown = false;
      while (!shown && SecondsSince(start) * 1000 < kTimeoutMs) {
        shown = BlackShare(*xlib) < 0.1;
        if (!shown) SleepMs(2);
      }
      const double seconds = SecondsSince(start);
      // How much of the wait was the program's own work, all threads together.
      state.counters["program_cpu_ms"] = 1000 * ProcessorSecondsOf(program.Pid());
      program.Stop();
      if (!shown) return "the start window never appeared";
      state.SetIterationTime(seconds);
      return "";
    });
  }
  LabelRenderer(state, program.GlRenderer());
}
BENCHMARK(BM_StartToFirstFrame)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
