// Stage 6's finale measured headless without pictures, one core: whole play
// frames of the densest of the finale's patterns, the hidden boss's 64 on
// Hard (turning arms of four every 5 frames whose far bullets snipe every
// 320 frames, four familiars firing back), with the tunnel's forty faces
// moved, drawn and sorted behind it every frame.
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

void BM_Stage6FinaleDensestPattern(benchmark::State& state) {
    std::unique_ptr<Engine> engine = CreateHeadlessEngine(HeadlessOptions{false});
    engine->System_Initiate();
    auto game = std::make_unique<Game>(*engine);
    GameState& s = game->state;
    s.screen = 10;
    s.stage = 6;
    s.character = 1;
    s.difficulty = 2;
    StageLoadReset(s);
    s.lives = 9;
    CreatePlayerSprites(*game);
    s.wideFieldFightStarted = 1;  // the route flag: the tunnel's way
    s.stageFrame = 8849;
    auto frame = [&] {
        s.invincibleTimer = 100;
        if (s.bossActive) {
            s.bossTimeLeft = 1000;
            s.enemies.slot[kBossSlot].hp = s.enemies.slot[kBossSlot].maxHp;
        }
        engine->Gfx_BeginScene();
        PlayFrame(*game);
        engine->Gfx_EndScene();
    };
    frame();  // 8850: the tunnel
    BringInFightAt(*game, 64);
    for (int i = 0; i < 700; ++i) frame();  // the familiars out, the arms built up
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
    state.counters["scenery"] = s.sceneObjectCount;
}
BENCHMARK(BM_Stage6FinaleDensestPattern)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvid
