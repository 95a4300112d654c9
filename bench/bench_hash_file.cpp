// Load, save and look-up times of a hash file of 10,000 pairs, the size of a
// large skin. Each should stay under 10 ms.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/BenchRenderer.h"
#include "store/clsHashFile.h"

namespace {

constexpr int kPairCount = 10000;

// A skin-like store: element keys with texts, whole numbers and decimals.
void FillStore(clsHashFile& store) {
  for (int i = 0; i < kPairCount; ++i) {
    const std::string key = "wndVidMain.element" + std::to_string(i) + ".ctrlPos";
    switch (i % 4) {
      case 0:
        store.SetValue(key, "pictures\\button" + std::to_string(i) + "_idle.png");
        break;
      case 1:
        store.SetValue(key, i * 37);
        break;
      case 2:
        store.SetValue(key, i / 128.0);
        break;
      default:
        store.SetValue(key, "!.elemMoveN");
        break;
    }
  }
}

class Folder {
 public:
  Folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavizo-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data())) mPath = pattern;
  }
  ~Folder() {
    std::error_code ignored;
    if (!mPath.empty()) std::filesystem::remove_all(mPath, ignored);
  }
  std::string File(const std::string& name) const { return mPath + "/" + name; }

 private:
  std::string mPath;
};

void BM_LoadHash(benchmark::State& state) {
  Folder folder;
  const std::string file = folder.File("skin.tvs");
  clsHashFile source;
  FillStore(source);
  if (source.SaveHash(file) != 1) {
    state.SkipWithError("could not write the file");
    return;
  }
  clsHashFile store;
  for (auto _ : state) {
    benchmark::DoNotOptimize(store.LoadHash(file, false));
  }
  state.counters["pairs"] = store.NumKeys();
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file));
}
BENCHMARK(BM_LoadHash)->Unit(benchmark::kMillisecond);

void BM_SaveHash(benchmark::State& state) {
  Folder folder;
  const std::string file = folder.File("Tavizo.ini");
  clsHashFile store;
  FillStore(store);
  for (auto _ : state) {
    benchmark::DoNotOptimize(store.SaveHash(file));
  }
  state.counters["pairs"] = store.NumKeys();
}
BENCHMARK(BM_SaveHash)->Unit(benchmark::kMillisecond);

// The text that a save writes, without the file system's flush to disk.
void BM_FormatText(benchmark::State& state) {
  clsHashFile store;
  FillStore(store);
  for (auto _ : state) {
    benchmark::DoNotOptimize(store.FormatText());
  }
}
BENCHMARK(BM_FormatText)->Unit(benchmark::kMillisecond);

void BM_LookUpEveryKey(benchmark::State& state) {
  clsHashFile store;
  FillStore(store);
  std::vector<std::string> keys;
  for (std::string key = store.GetNextKey(-1); !key.empty(); key = store.GetNextKey()) {
    keys.push_back(key);
  }
  for (auto _ : state) {
    for (const std::string& key : keys) benchmark::DoNotOptimize(store.GetValue(key));
  }
  state.counters["keys"] = static_cast<double>(keys.size());
}
BENCHMARK(BM_LookUpEveryKey)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return RunHeadlessBenchmarks(argc, argv);
}
