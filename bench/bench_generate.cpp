// Time to make one level and write its text, per map dimension, at High
// complexity and skill, as one command makes it: up to 500 attempts. The
// seeds come from a fixed sequence so runs compare.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "labyrinth/Labyrinth.h"
#include "map/MapText.h"

namespace {

void GenerateAndWrite(benchmark::State& state) {
  LabyrinthOptions options;
  options.MapDim = static_cast<int>(state.range(0));
  options.MapCompl = 2;
  options.Skill = 2;

  std::uint32_t seed = 1;
  std::int64_t attempts = 0;
  std::int64_t bytes = 0;
  std::int64_t rejected = 0;
  for (auto _ : state) {
    Labyrinth lab(options, seed);
    const int attempt = lab.GenerateLevel();
    seed = seed * 1664525u + 1013904223u;
    // A command that gives up after every attempt still costs the user its
    // time, so it stays in the timing and is counted.
    if (attempt == 0) {
      ++rejected;
      attempts += Labyrinth::kMaxAttempts;
      continue;
    }
    MapText text;
    lab.Write(text);
    const auto size = static_cast<std::int64_t>(text.View().size());
    benchmark::DoNotOptimize(size);
    attempts += attempt;
    bytes += size;
  }
  state.counters["levels/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
  state.counters["attempts/level"] =
      benchmark::Counter(static_cast<double>(attempts), benchmark::Counter::kAvgIterations);
  state.counters["rejected"] =
      benchmark::Counter(static_cast<double>(rejected), benchmark::Counter::kAvgIterations);
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
