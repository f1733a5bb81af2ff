// The extra boss measured headless without pictures, one core: whole play
// frames of its densest pattern, the last card 88 (four large-bullet
// sprays that are never cleared by a hand-over), its field built up first.
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

void BM_ExtraBossDensestCard(benchmark::State& state) {
    std::unique_ptr<Engine> engine = CreateHeadlessEngine(HeadlessOptions{false});
    engine->System_Initiate();
    auto game = std::make_unique<Game>(*engine);
    GameState& s = game->state;
    s.screen = 10;
    s.stage = 7;
    s.character = 1;
    s.difficulty = 3;
    StageLoadReset(s);
    s.lives = 9;
    CreatePlayerSprites(*game);
    s.stageFrame = 12200;
    BringInFightAt(*game, 88);
    auto frame = [&] {
        s.invincibleTimer = 100;
        s.bossTimeLeft = 1000;
        s.enemies.slot[kBossSlot].hp = s.enemies.slot[kBossSlot].maxHp;
        engine->Gfx_BeginScene();
        PlayFrame(*game);
        engine->Gfx_EndScene();
    };
    for (int i = 0; i < 900; ++i) frame();  // into the card, the sprays filling the field
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
BENCHMARK(BM_ExtraBossDensestCard)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvid
