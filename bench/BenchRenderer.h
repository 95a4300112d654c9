#pragma once

// Every benchmark names the OpenGL renderer its figures come from, so that
// figures drawn by a GPU and figures drawn by the processor (Mesa's llvmpipe,
// as in many virtual machines and remote sessions) are never mixed up.

#include <benchmark/benchmark.h>

#include <string>

// What benchmarks that draw on no display report as their renderer.
inline constexpr const char* kHeadlessRenderer = "none (headless)";

// Shows the renderer beside the benchmark's figures.
inline void LabelRenderer(benchmark::State& state, const std::string& renderer) {
  state.SetLabel("OpenGL renderer: " + (renderer.empty() ? std::string("unknown") : renderer));
}

// The main function of a benchmark that draws on no display: the context
// printed before the figures says so.
inline int RunHeadlessBenchmarks(int argc, char** argv) {
  benchmark::AddCustomContext("OpenGL renderer", kHeadlessRenderer);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
