// Processor use of the real program sitting idle with its start window open:
// the share of one core it takes while nobody touches it (target: under
// 0.3 %). Its timers still tick; nothing should be drawn or presented.
//
// Needs a display:
//   xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" build/bench/bench_idle_cpu
// The idle time is 60 s; TAVIZO_IDLE_SECONDS=10 makes a quick run.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "tests/support/BenchProgram.h"

namespace {

// Start-up work (skin, fonts, the first frame) is done well within this.
constexpr int kSettleMs = 3000;

int IdleSeconds() {
  const char* text = std::getenv("TAVIZO_IDLE_SECONDS");
  const int seconds = text ? std::atoi(text) : 0;
  return seconds > 0 ? seconds : 60;
}

void BM_IdleStartWindow(benchmark::State& state) {
  BenchProgram program(
      "\"gFormLastLeft\",0\r\n\"gFormLastTop\",0\r\n\"gFormLastWidth\",800\r\n"
      "\"gFormLastHeight\",600\r\n\"gIsFormFullScreen\",0\r\n");
  if (!program.Ready() || !program.Start()) {
    state.SkipWithError("the program does not start");
    return;
  }
  if (!program.WaitForLog("screen saver", 20000)) {
    state.SkipWithError("the program does not come up (run under xvfb-run)");
    return;
  }
  SleepMilliseconds(kSettleMs);
  if (program.VisibleWindow() == 0) {
    state.SkipWithError("the main window is not shown");
    return;
  }
  const int seconds = IdleSeconds();
  double processor = 0;
  double wall = 0;
  for (auto _ : state) {
    const double before = ProcessorSecondsOf(program.Pid());
    const auto start = std::chrono::steady_clock::now();
    SleepMilliseconds(seconds * 1000);
    processor = ProcessorSecondsOf(program.Pid()) - before;
    wall = SecondsSince(start);
  }
  state.counters["idle_seconds"] = wall;
  state.counters["program_cpu_ms"] = 1000 * processor;
  state.counters["cpu_percent_of_one_core"] = wall > 0 ? 100 * processor / wall : 0;
}
BENCHMARK(BM_IdleStartWindow)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
