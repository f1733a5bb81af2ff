// A real replay played headless without pictures, one core: the stage-1
// golden fixture (its ground, its enemies, its bosses) from its first frame
// to its last, loading and start-up left out of the time.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "app/Boot.h"
#include "app/CommandLine.h"
#include "bench/BenchOptions.h"
#include "support/TestPaths.h"

namespace fs = std::filesystem;

namespace korvid {
namespace {

void BM_ReplayFixture(benchmark::State& state, const char* name) {
    using Clock = std::chrono::steady_clock;
    const fs::path dir = fs::temp_directory_path() / ("korvid-bench-" + std::to_string(::getpid()));
    long long frames = 0;
    for (auto _ : state) {
        Options o = test::HeadlessBenchOptions(dir);
        o.replayFile = test::SourceDir() + "/tests/fixtures/" + name + "/replay.rpy";
        Clock::time_point first{};
        int last = 0;
        o.beforeFrame = [&](int frame) {
            if (frame <= 1) first = Clock::now();
            last = frame;
        };
        if (RunGame(o) != 0) state.SkipWithError("the replay did not play to its end");
        const double seconds = std::chrono::duration<double>(Clock::now() - first).count();
        state.SetIterationTime(seconds);
        frames += last;
    }
    fs::remove_all(dir);
    state.counters["frames"] = static_cast<double>(frames) / static_cast<double>(state.iterations());
    state.counters["frames_per_second"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}
BENCHMARK_CAPTURE(BM_ReplayFixture, stage1, "stage1")->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReplayFixture, stage1_boss, "stage1-boss")
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvid
