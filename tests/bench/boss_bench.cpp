// Simulated play frames per second during the stage-1 boss's densest
// attacks on Hard (whole play frames: script, pools, boss, player, HUD),
// headless without pictures, one core. Pattern 4 rings of 30 directions in
// five speeds; pattern 7 is the rain and both fountains of its card.
#include <benchmark/benchmark.h>

#include "support/BossField.h"

namespace korvid {
namespace {

void BM_Stage1BossPattern(benchmark::State& state) {
    const int id = static_cast<int>(state.range(0));
    test::BossField field(2);
    field.startPattern(id, id == 5 || id == 7);
    for (int i = 0; i < 600; ++i) field.holdPattern();  // into the attack, bullets building up
    int bullets = 0, samples = 0;
    for (auto _ : state) {
        field.holdPattern();
        bullets += field.liveBullets();
        ++samples;
    }
    state.counters["frames_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["bullets"] = samples ? static_cast<double>(bullets) / samples : 0;
}
BENCHMARK(BM_Stage1BossPattern)->Arg(2)->Arg(4)->Arg(6)->Arg(7)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvid
