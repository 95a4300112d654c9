// The real program sitting idle with its start window open, nothing playing
// and nobody touching it: the share of one core it takes (target: under
// 0.05 %) and how often it wakes up (target: under once a second with no pad
// attached). Wake-ups are the voluntary context switches of all its threads,
// read from /proc; unlike the processor share they hardly depend on how busy
// the machine is.
//
// A second figure comes from the same program run inside this process with a
// virtual pad plugged in: then the pad's poll runs, twenty times a second.
//
// Needs a display:
//   xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" build/bench/bench_idle_cpu
// The idle time is 60 s; --idle_seconds=10 makes a quick run.

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "base/Log.h"
#include "bench/BenchProgram.h"
#include "bench/BenchRenderer.h"
#include "platform/SdlUiLoop.h"
#include "platform/TavizoProgram.h"
#include "platform/WindowPresenter.h"
#include "program/frmMain.h"
#include "tests/support/QuietServices.h"

namespace {

// Start-up work (skin, fonts, the first frame) is done well within this.
constexpr int kSettleMs = 3000;
constexpr const char* kSecondsFlag = "--idle_seconds=";

int gIdleSeconds = 60;

// What one thread of a process has done so far.
struct ThreadCounts {
  std::string name;
  long long wakeups = 0;  // voluntary context switches: each sleep ends in a wake-up
  long long runNs = 0;    // time on a processor, in nanoseconds
};
using ProcessCounts = std::map<pid_t, ThreadCounts>;

// The counts of every thread of the process, from /proc. The processor time
// comes from schedstat, which counts nanoseconds where /proc/<pid>/stat counts
// ticks of 10 ms, too coarse for a share of a few hundredths of a percent.
ProcessCounts CountsOf(pid_t pid) {
  namespace fs = std::filesystem;
  ProcessCounts threads;
  std::error_code error;
  for (const fs::directory_entry& task :
       fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
    ThreadCounts thread;
    std::getline(std::ifstream(task.path() / "comm"), thread.name);
    std::ifstream(task.path() / "schedstat") >> thread.runNs;
    std::ifstream status(task.path() / "status");
    for (std::string line; std::getline(status, line);) {
      if (line.rfind("voluntary_ctxt_switches:", 0) == 0) {
        thread.wakeups = std::atoll(line.c_str() + line.find(':') + 1);
      }
    }
    threads[static_cast<pid_t>(std::atol(task.path().filename().c_str()))] = thread;
  }
  return threads;
}

struct IdleFigures {
  double wallSeconds = 0;
  double processorSeconds = 0;
  long long wakeups = 0;
  std::string byThread;  // the threads that woke, with their wake-ups
};

// What the threads did between two counts; threads that came up meanwhile
// count from zero.
void AddCounts(const ProcessCounts& before, const ProcessCounts& after, IdleFigures& figures) {
  for (const auto& [id, thread] : after) {
    const auto found = before.find(id);
    const ThreadCounts start = found == before.end() ? ThreadCounts{} : found->second;
    const long long woke = thread.wakeups - start.wakeups;
    figures.wakeups += woke;
    figures.processorSeconds += static_cast<double>(thread.runNs - start.runNs) / 1e9;
    if (woke > 0) figures.byThread += " " + thread.name + " " + std::to_string(woke);
  }
}

void Report(benchmark::State& state, const std::string& renderer, const char* pads,
            const IdleFigures& figures) {
  const double wall = figures.wallSeconds;
  const double percent = wall > 0 ? 100 * figures.processorSeconds / wall : 0;
  const double perSecond = wall > 0 ? static_cast<double>(figures.wakeups) / wall : 0;
  state.counters["idle_seconds"] = wall;
  state.counters["cpu_percent_of_one_core"] = percent;
  state.counters["wakeups_per_second"] = perSecond;
  LabelRenderer(state, renderer);
  std::printf(
      "idle %.0f s with %s: %.3f %% of one core (target: under 0.05 %%), %.2f wake-ups per "
      "second (target: under 1 with no pad attached)\n  wake-ups by thread:%s\n",
      wall, pads, percent, perSecond,
      figures.byThread.empty() ? " none" : figures.byThread.c_str());
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
  SleepMs(kSettleMs);
  if (program.VisibleWindow() == 0) {
    state.SkipWithError("the main window is not shown");
    return;
  }
  IdleFigures figures;
  for (auto _ : state) {
    const ProcessCounts before = CountsOf(program.Pid());
    const auto start = std::chrono::steady_clock::now();
    SleepMs(gIdleSeconds * 1000);
    const ProcessCounts after = CountsOf(program.Pid());
    figures.wallSeconds = SecondsSince(start);
    AddCounts(before, after, figures);
  }
  const bool padAttached = program.Log().find("joystick attached:") != std::string::npos;
  Report(state, program.GlRenderer(), padAttached ? "a pad attached" : "no pad attached", figures);
}

BENCHMARK(BM_IdleStartWindow)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void BM_IdleWithAPadAttached(benchmark::State& state) {
  namespace fs = std::filesystem;
  const fs::path folder =
      fs::temp_directory_path() / ("tavizo-bench-idle-" + std::to_string(getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  fs::copy(fs::path(TAVIZO_EXECUTABLE).parent_path() / "skins", folder / "skins",
           fs::copy_options::recursive);
  std::ofstream(folder / "Tavizo.ini") << "\"gFormLastWidth\",800\r\n\"gFormLastHeight\",600\r\n"
                                       << "\"gIsFormFullScreen\",0\r\n";
  const LogSink previousSink = SetLogSink([](const std::string&) {});
  NoMessageBox messageBox;
  std::unique_ptr<TavizoProgram> program = TavizoProgram::Create(folder.string(), &messageBox);
  if (!program || !program->Form().Load()) {
    SetLogSink(previousSink);
    state.SkipWithError("the program does not come up (run under xvfb-run)");
    return;
  }
  SDL_VirtualJoystickDesc pad;
  SDL_zero(pad);
  pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  pad.naxes = 6;
  pad.nbuttons = 12;
  pad.nhats = 1;
  pad.name = "Bench Pad";
  const int index = SDL_JoystickAttachVirtualEx(&pad);
  IdleFigures figures;
  for (auto _ : state) {
    // The program's own loop runs on this thread; another one counts and
    // then asks it to close, as the desktop would. It leaves itself out.
    std::thread counter([&] {
      const pid_t self = getpid();
      SleepMs(kSettleMs);
      ProcessCounts before = CountsOf(self);
      const auto start = std::chrono::steady_clock::now();
      SleepMs(gIdleSeconds * 1000);
      ProcessCounts after = CountsOf(self);
      figures.wallSeconds = SecondsSince(start);
      before.erase(static_cast<pid_t>(gettid()));
      after.erase(static_cast<pid_t>(gettid()));
      AddCounts(before, after, figures);
      SDL_Event quit;
      SDL_zero(quit);
      quit.type = SDL_QUIT;
      SDL_PushEvent(&quit);
    });
    program->Loop().Run();
    counter.join();
  }
  const std::string renderer = program->ScreenPresenter().RendererName();
  program->Form().Unload();
  if (index >= 0) SDL_JoystickDetachVirtual(index);
  program.reset();
  SetLogSink(previousSink);
  fs::remove_all(folder);
  Report(state, renderer, index >= 0 ? "a virtual pad attached" : "no pad (none could be made)",
         figures);
}
BENCHMARK(BM_IdleWithAPadAttached)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  // The idle time comes as an argument of its own, taken out before the
  // benchmark library reads the others.
  std::vector<char*> arguments;
  for (int i = 0; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument.rfind(kSecondsFlag, 0) == 0) {
      gIdleSeconds = std::max(1, std::atoi(argument.c_str() + std::string(kSecondsFlag).size()));
    } else {
      arguments.push_back(argv[i]);
    }
  }
  int count = static_cast<int>(arguments.size());
  benchmark::Initialize(&count, arguments.data());
  if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
