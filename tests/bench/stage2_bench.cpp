// Stage 2 measured headless without pictures, one core: whole play frames
// of the densest of the airship's patterns on Hard (pattern 9: turret
// bursts and rings every 4 frames, about 290 bullets on the field), its
// field built up first.
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

void BM_Stage2DensestPattern(benchmark::State& state) {
    std::unique_ptr<Engine> engine = CreateHeadlessEngine(HeadlessOptions{false});
    engine->System_Initiate();
    auto game = std::make_unique<Game>(*engine);
    GameState& s = game->state;
    s.screen = 10;
    s.stage = 2;
    s.character = 1;
    s.difficulty = 2;
    StageLoadReset(s);
    s.lives = 9;
    CreatePlayerSprites(*game);
    s.stageFrame = 5001;
    BringInFightAt(*game, 9);
    auto frame = [&] {
        s.invincibleTimer = 100;
        s.bossTimeLeft = 1000;
        s.enemies.slot[kBossSlot].hp = s.enemies.slot[kBossSlot].maxHp;
        engine->Gfx_BeginScene();
        PlayFrame(*game);
        engine->Gfx_EndScene();
    };
    for (int i = 0; i < 600; ++i) frame();  // past the opening, the rings building up
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
BENCHMARK(BM_Stage2DensestPattern)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvid
