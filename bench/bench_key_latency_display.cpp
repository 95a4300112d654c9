// The time from a key press to the frame on screen for a focus move, in the
// real program with its OpenGL presenter: run under a display, e.g.
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/bench/bench_key_latency_display
// The program runs full screen (1920 x 1080 on such a display) on the default
// skin; Right and Left alternate between the first two tiles of the start
// window, and each press is timed from the key-down handler until the batch of
// events has been presented (texture upload, draw and buffer swap) and the
// GL pipeline has finished.

#include <SDL.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "base/Log.h"
#include "platform/SdlMainWindow.h"
#include "platform/SdlUiLoop.h"
#include "platform/TavizoProgram.h"
#include "platform/WindowPresenter.h"
#include "program/frmMain.h"
#include "tests/support/QuietServices.h"

namespace {

namespace fs = std::filesystem;

constexpr int kMoves = 1000;

double Percentile(const std::vector<double>& sorted, double share) {
  if (sorted.empty()) return 0;
  const size_t index = std::min(sorted.size() - 1, static_cast<size_t>(share * sorted.size()));
  return sorted[index];
}

}  // namespace

int main() {
  if (!std::getenv("DISPLAY")) {
    std::printf("bench_key_latency_display needs a display (run it under xvfb-run)\n");
    return 0;
  }
  const fs::path folder = fs::temp_directory_path() / "tavizo-bench-keys";
  fs::remove_all(folder);
  fs::create_directories(folder);
  fs::copy(fs::path(TAVIZO_EXECUTABLE).parent_path() / "skins", folder / "skins",
           fs::copy_options::recursive);
  std::ofstream(folder / "Tavizo.ini") << "\"gIsFormFullScreen\",1\r\n";

  NoMessageBox messageBox;
  std::unique_ptr<TavizoProgram> program = TavizoProgram::Create(folder.string(), &messageBox);
  if (!program || !program->Form().Load()) return 1;
  for (int i = 0; i < 20; ++i) program->Loop().PumpPendingEvents();

  int logLines = 0;
  const LogSink previous = SetLogSink([&logLines](const std::string&) { ++logLines; });
  std::vector<double> latencies;
  latencies.reserve(kMoves);
  for (int move = 0; move < kMoves; ++move) {
    const int32_t key = move % 2 == 0 ? 39 : 37;
    const auto start = std::chrono::steady_clock::now();
    program->Form().OnKeyDown(key, 0);
    program->Loop().PumpPendingEvents();
    program->Window().MakeContextCurrent();
    glFinish();
    const auto end = std::chrono::steady_clock::now();
    program->Form().OnKeyUp(key, 0);
    latencies.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  SetLogSink(previous);
  std::sort(latencies.begin(), latencies.end());
  std::printf("key press to frame on screen, %d focus moves at %dx%d, OpenGL presenter\n", kMoves,
              program->Window().ClientWidth(), program->Window().ClientHeight());
  std::printf("  median %.3f ms\n", Percentile(latencies, 0.5));
  std::printf("  p99    %.3f ms (target: under 8 ms)\n", Percentile(latencies, 0.99));
  std::printf("  worst  %.3f ms\n", latencies.back());
  std::printf("OpenGL renderer: %s\n", program->ScreenPresenter().RendererName().c_str());
  program->Form().Unload();
  program.reset();
  fs::remove_all(folder);
  return 0;
}
