// Simulated play frames per second in a dense fight: 1,500 enemy bullets of
// mixed behaviours and 100 enemies, headless without pictures, one core;
// and the worst case of 1,500 homing orbs.
#include <benchmark/benchmark.h>

#include "support/CombatField.h"

namespace korvid {
namespace {

void BM_CombatFrame(benchmark::State& state) {
    test::CombatField field(static_cast<test::CombatMix>(state.range(0)));
    for (int i = 0; i < 120; ++i) field.frame();  // past the enemies' glide-in
    for (auto _ : state) field.frame();
    state.SetItemsProcessed(state.iterations());
    state.counters["frames_per_second"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                             benchmark::Counter::kIsRate);
    state.counters["bullets"] = field.liveBullets();
    state.counters["enemies"] = field.liveEnemies();
}
BENCHMARK(BM_CombatFrame)
    ->ArgName("mix")
    ->Arg(static_cast<int>(test::CombatMix::Mixed))
    ->Arg(static_cast<int>(test::CombatMix::NoLasers))
    ->Arg(static_cast<int>(test::CombatMix::Homing))
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvid
