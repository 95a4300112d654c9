#pragma once

// Google Benchmark (1.7) takes the statistics of a benchmark's repetitions
// from its first repetition and crashes when that one was skipped with an
// error, losing every figure of the run. Benchmarks of the real program meet
// errors now and then on a busy machine (a deadline missed, a key lost), so
// each repetition tries its run again before it gives up, and when the first
// repetition of a series gave up, the others are skipped as well.

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>

inline constexpr int kAttemptsPerRepetition = 3;

// Runs one repetition; call it inside the benchmark's loop. series names the
// benchmark with its arguments; attempt runs once and returns why it failed,
// empty when it set the repetition's figures. False when the repetition was
// skipped.
inline bool RunRepetition(benchmark::State& state, const std::string& series,
                          const std::function<std::string()>& attempt) {
  struct Series {
    int repetitions = 0;
    bool firstGaveUp = false;
  };
  static std::map<std::string, Series> allSeries;
  Series& current = allSeries[series];
  const bool first = current.repetitions++ == 0;
  if (current.firstGaveUp) {
    state.SkipWithError("skipped: the first repetition failed");
    return false;
  }
  std::string error;
  for (int attempts = 0; attempts < kAttemptsPerRepetition; ++attempts) {
    error = attempt();
    if (error.empty()) return true;
  }
  current.firstGaveUp = first;
  state.SkipWithError(error.c_str());
  return false;
}
