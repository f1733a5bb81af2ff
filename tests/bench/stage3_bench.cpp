// Stage 3 measured headless without pictures, one core: whole play frames
// of the densest of the boss's patterns on Hard (pattern 19: every 10
// frames a ring of 8 directions in 5 speed layers, and slow rings of 36
// every 50), its field built up first.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/FrameDriver.h"
#include "bosses/FightRegistry.h"
#include "engine/HeadlessEngine.h"
#include "game/Game.h"
#include "play/Player.h"
#include "play/StageFlow.h"

namespace korvid {
namespace {

void BM_Stage3DensestPattern(benchmark::State& state) {
    std::unique_ptr<Engine> engine = CreateHeadlessEngine(HeadlessOptions{false});
    engine->System_Initiate();
    auto game = std::make_unique<Game>(*engine);
    GameState& s = game->state;
    s.screen = 10;
    s.stage = 3;
    s.character = 1;
    s.difficulty = 2;
    StageLoadReset(s);
    s.lives = 9;
    CreatePlayerSprites(*game);
    s.stageFrame = 9300;
    BringInFightAt(*game, 19);
    auto frame = [&] {
        s.invincibleTimer = 100;
        s.bossTimeLeft = 1000;
        s.enemies.slot[kBossSlot].hp = s.enemies.slot[kBossSlot].maxHp;
        engine->Gfx_BeginScene();
        PlayFrame(*game);
        engine->Gfx_EndScene();
    };
    for (int i = 0; i < 600; ++i) frame();  // into the pattern, rings building up
    int bullets = 0, samples = 0;
    for (auto _ : state) {
        frame();
        int n = 0;
        for (auto f : s.enemyBullets.free) n += f ? 0 : 1;
        bullets += n;
        ++samples;
    }
    state.counters["frames_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["bullets"] = samples ? static_cast<double>(bullets) / samples : 0;
}
BENCHMARK(BM_Stage3DensestPattern)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvid
