// Processor time spent playing a 10-second 1280x720 film in a 1280x720 window,
// the way the program plays it: the UI loop waits for libmpv's wake-ups,
// renders each frame into the video layer and presents it, and the info timer
// polls for the end every 100 ms. Prints the processor time as a share of one
// core over the playing time, and the frames shown per second.
//
// Needs a display: xvfb-run -a -s "-screen 0 1920x1080x24" build/bench/bench_playback_cpu

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "base/TimerTable.h"
#include "bench/BenchRenderer.h"
#include "platform/GlVideoTarget.h"
#include "platform/MpvEngine.h"
#include "platform/SdlLoopWakeup.h"
#include "platform/SdlMainWindow.h"
#include "platform/SdlUiLoop.h"
#include "platform/WindowPresenter.h"

namespace {

constexpr int32_t kWidth = 1280;
constexpr int32_t kHeight = 720;

// Processor seconds of the whole process, libmpv's threads included.
double ProcessorSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& time) { return time.tv_sec + time.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_PlayFilm720p(benchmark::State& state) {
  auto window = SdlMainWindow::Create("bench_playback_cpu", kWidth, kHeight);
  if (!window) {
    state.SkipWithError("no window (run under xvfb-run)");
    return;
  }
  window->Show();
  auto presenter = std::make_unique<WindowPresenter>(*window);
  if (!presenter->Gl()) {
    state.SkipWithError("no OpenGL presenter");
    return;
  }
  SteadyClock clock;
  TimerTable timers(clock);
  SdlUiLoop loop(*window, timers);
  loop.SetPresenter(presenter.get());
  presenter->SetSize(kWidth, kHeight);
  const std::vector<uint32_t> key(static_cast<size_t>(kWidth) * kHeight, 0x100010);
  presenter->UploadRect(key.data(), kWidth, 0, 0, kWidth, kHeight);

  GlVideoTarget target(*window, *presenter);
  auto engine = MpvEngine::Create(target, SdlLoopWakeup::Create(loop));
  if (!engine) {
    state.SkipWithError("no media engine");
    return;
  }
  timers.SetTickHandler([&](TimerId id) {
    if (id != TimerId::InfoUpdate) return;
    int32_t code = 0;
    if (engine->GetEvent(code) && code == kMediaEventComplete) loop.RequestQuit();
  });
  timers[TimerId::DXJoystickPoll].Disable();

  const std::string film = std::string(TAVIZO_SOURCE_DIR) + "/tests/fixtures/bench-720p.mp4";
  double processor = 0;
  double seconds = 0;
  int64_t frames = 0;
  for (auto _ : state) {
    if (engine->Open(film).status != OpenStatus::Opened) {
      state.SkipWithError("the film does not open");
      return;
    }
    engine->SetVideoWindow({0, 0, kWidth, kHeight});
    engine->SetDestination({0, 0, kWidth, kHeight});
    timers[TimerId::InfoUpdate].SetInterval(100);
    timers[TimerId::InfoUpdate].Enable();
    const double processorBefore = ProcessorSeconds();
    const auto start = std::chrono::steady_clock::now();
    engine->Run();
    loop.Run();
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    processor += ProcessorSeconds() - processorBefore;
    frames += engine->FramesRendered();
    engine->Close();
  }
  state.counters["cpu_percent_of_one_core"] = seconds > 0 ? 100 * processor / seconds : 0;
  state.counters["frames_per_second"] = seconds > 0 ? frames / seconds : 0;
  state.counters["playing_seconds"] = seconds;
  LabelRenderer(state, presenter->RendererName());
}
BENCHMARK(BM_PlayFilm720p)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
