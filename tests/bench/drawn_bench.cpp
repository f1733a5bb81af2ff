// Drawn frames: stage 1's boss on Hard, pattern 4 over the stage's ground,
// played by the real game headless with pictures (OpenGL on the offscreen
// driver; Mesa's software rasteriser where there is no GPU). Frames from 300
// on are timed (wall clock, and the CPU time of the whole process: the
// rasteriser's threads included, so it holds still on a loaded machine);
// draw calls, quads (asked and left out as covering nothing)
// and covered pixels are per frame, coverage in whole pictures.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <time.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "app/Boot.h"
#include "app/CommandLine.h"
#include "bench/BenchOptions.h"

namespace fs = std::filesystem;

namespace korvid {
namespace {

double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

void BM_DrawnPattern4Hard(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    constexpr int kWarmUp = 300, kFrames = 600;
    const fs::path dir = fs::temp_directory_path() / ("korvid-drawn-" + std::to_string(::getpid()));
    FrameStats sum{};
    int counted = 0;
    double cpu = 0;
    for (auto _ : state) {
        Options o = test::HeadlessBenchOptions(dir);
        o.practiceStage = 1;
        o.difficulty = 2;
        o.bossPattern = 4;
        o.frames = kFrames;
        o.screenshots.push_back({kFrames, (dir / "last.png").string()});  // pictures on
        Clock::time_point first{};
        double firstCpu = 0;
        o.beforeFrame = [&](int frame) {
            if (frame != kWarmUp) return;
            first = Clock::now();
            firstCpu = ProcessCpuSeconds();
        };
        int calls = 0;
        o.frameStats = [&](const FrameStats& f) {
            // Called before each render with the frame before it.
            if (++calls <= kWarmUp) return;
            sum.quads += f.quads, sum.batches += f.batches, sum.culled += f.culled, sum.pixels += f.pixels;
            ++counted;
        };
        if (RunGame(o) != 0) state.SkipWithError("the game did not run");
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - first).count());
        cpu += ProcessCpuSeconds() - firstCpu;
    }
    fs::remove_all(dir);
    const double n = counted ? counted : 1;
    state.counters["frames_per_second"] =
        benchmark::Counter(static_cast<double>(kFrames - kWarmUp) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["cpu_ms_per_frame"] = cpu * 1000 / (double(kFrames - kWarmUp) * double(state.iterations()));
    state.counters["draw_calls"] = sum.batches / n;
    state.counters["quads"] = sum.quads / n;
    state.counters["culled"] = sum.culled / n;
    state.counters["pixels"] = sum.pixels / n;
    state.counters["coverage"] = sum.pixels / n / (640.0 * 480.0);
}
BENCHMARK(BM_DrawnPattern4Hard)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvid
