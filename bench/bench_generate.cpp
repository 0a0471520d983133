// Time to make one level and write its text, per map dimension, at High
// complexity and skill. The seeds come from a fixed sequence so runs compare.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <sstream>

#include "labyrinth/Labyrinth.h"

namespace {

void GenerateAndWrite(benchmark::State& state) {
  LabyrinthOptions options;
  options.MapDim = static_cast<int>(state.range(0));
  options.MapCompl = 2;
  options.Skill = 2;

  std::uint32_t seed = 1;
  std::int64_t attempts = 0;
  std::int64_t bytes = 0;
  for (auto _ : state) {
    Labyrinth lab(options, seed);
    const int attempt = lab.GenerateLevel();
    if (attempt == 0) {
      state.SkipWithError("all attempts rejected");
      break;
    }
    std::ostringstream text;
    lab.Write(text);
    const std::int64_t size = static_cast<std::int64_t>(text.tellp());
    benchmark::DoNotOptimize(size);
    attempts += attempt;
    bytes += size;
    seed = seed * 1664525u + 1013904223u;
  }
  state.counters["levels/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
  state.counters["attempts/level"] =
      benchmark::Counter(static_cast<double>(attempts), benchmark::Counter::kAvgIterations);
  state.SetBytesProcessed(bytes);
}

}  // namespace

BENCHMARK(GenerateAndWrite)
    ->ArgName("dimension")
    ->DenseRange(0, 4)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
