// Time to read a folder of 10,000 files (and 200 sub-folders) into the play
// list, natural sort included, and to read the volume list. A folder of that
// size should be listed in under 50 ms.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "base/EventPump.h"
#include "bench/BenchRenderer.h"
#include "library/Browser.h"
#include "render/FocusState.h"
#include "render/InfoDisplay.h"
#include "render/Screen.h"
#include "render/StatusLine.h"
#include "render/UiTexts.h"
#include "store/Settings.h"

namespace {

constexpr int kFileCount = 10000;
constexpr int kFolderCount = 200;

class NullScreen final : public Screen {
 public:
  void RepaintWindow() override {}
  void RedrawElement(std::string_view, bool) override {}
  void ShowRemotePanel(int32_t) override {}
  void HideRemotePanel() override {}
  void RedrawRemotePanel() override {}
  void PaintPictureArea() override {}
};

class NullInfo final : public InfoDisplay {
 public:
  void ShowInfo(std::string_view, std::string_view, bool) override {}
  void HideInfo(std::string_view) override {}
};

class NullPump final : public EventPump {
 public:
  void PumpPendingEvents() override {}
  void RequestQuit() override {}
};

// A folder like a large media collection: numbered episodes of several shows
// in mixed letter case, so the natural compare meets long shared prefixes.
class MediaFolder {
 public:
  MediaFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavizo-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) return;
    mPath = pattern;
    const char* shows[] = {"The Long Show", "another show", "NEWS", "Cartoons"};
    for (int i = 0; i < kFileCount; ++i) {
      const std::string name = std::string(shows[i % 4]) + " - Episode " + std::to_string(i) +
                               (i % 3 == 0 ? ".MKV" : ".mp4");
      std::ofstream(mPath + "/" + name) << 'x';
    }
    for (int i = 0; i < kFolderCount; ++i) {
      std::filesystem::create_directory(mPath + "/Season " + std::to_string(i));
    }
  }
  ~MediaFolder() {
    std::error_code ignored;
    if (!mPath.empty()) std::filesystem::remove_all(mPath, ignored);
  }
  const std::string& Path() const { return mPath; }

 private:
  std::string mPath;
};

struct BrowserFixture {
  Settings settings;
  BrowseState browse;
  UiTexts texts;
  FocusState focus;
  NullScreen screen;
  StatusLine status{texts, focus, screen};
  NullInfo info;
  NullPump pump;
  Browser browser{BrowserServices{settings, browse, status, focus, screen, info, pump, {}, {}}};
};

void BM_ScanFolder10000Files(benchmark::State& state) {
  // Made once: the library runs this function several times to calibrate.
  static const MediaFolder folder;
  if (folder.Path().empty()) {
    state.SkipWithError("could not make the folder");
    return;
  }
  BrowserFixture fixture;
  EntryList list;
  for (auto _ : state) {
    std::string path = folder.Path();
    fixture.browser.ScanFolder(path, list);
    benchmark::DoNotOptimize(list.data());
  }
  if (EntryCount(list) != kFileCount + kFolderCount + 1) state.SkipWithError("rows missing");
  state.counters["rows"] = EntryCount(list);
}
BENCHMARK(BM_ScanFolder10000Files)->Unit(benchmark::kMillisecond);

void BM_ReadVolumeList(benchmark::State& state) {
  BrowserFixture fixture;
  EntryList list;
  for (auto _ : state) {
    std::string path;
    fixture.browser.ScanFolder(path, list);
    benchmark::DoNotOptimize(list.data());
  }
  state.counters["rows"] = EntryCount(list);
}
BENCHMARK(BM_ReadVolumeList)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return RunHeadlessBenchmarks(argc, argv);
}
