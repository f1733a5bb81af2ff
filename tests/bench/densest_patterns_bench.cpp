// Each stage's densest boss pattern measured headless without pictures, one
// core: whole play frames once its field has built up. One row per stage:
//   stage 2  pattern 9 on Hard: turret bursts and rings every 4 frames
//   stage 3  pattern 19 on Hard: a ring of 8 directions in 5 speed layers
//            every 10 frames, slow rings of 36 every 50
//   stage 5  card 38 on Hard, past its last ring of eighteen blade devices
//            (1260), each firing its own streams and lasers
//   stage 6  card 51 on Hard: rings of 36 at two speeds every 24 frames
//   stage 6  of cards 54-60, card 54 on Hard: four emitters riding round the
//            boss and firing outward every 6 frames, rings of 16 drifting
//            balls and waiting rings of 18 from the centre, bouncers
//   stage 7  mid-boss card 68: columns down both walls every 5 frames that
//            scatter, and rings of 36
//   extra    card 88: four large-bullet sprays never cleared by a hand-over
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

struct DensestPattern {
    const char* name;
    int stage;
    int difficulty;
    int stageFrame;
    int pattern;
    int warmUp;  // frames played before measuring
};

constexpr DensestPattern kDensest[] = {
    {"BM_Stage2DensestPattern", 2, 2, 5001, 9, 600},
    {"BM_Stage3DensestPattern", 3, 2, 9300, 19, 600},
    {"BM_Stage5DensestPattern", 5, 2, 10400, 38, 1500},
    {"BM_Stage6DensestCard", 6, 2, 7000, 51, 600},
    {"BM_Stage6DensestLastCard", 6, 2, 7000, 54, 1500},
    {"BM_Stage7DensestMidBossCard", 7, 3, 3800, 68, 600},
    {"BM_ExtraBossDensestCard", 7, 3, 12200, 88, 900},
};

void densest(benchmark::State& state, const DensestPattern& row) {
    std::unique_ptr<Engine> engine = CreateHeadlessEngine(HeadlessOptions{false});
    engine->System_Initiate();
    auto game = std::make_unique<Game>(*engine);
    GameState& s = game->state;
    s.screen = 10;
    s.stage = row.stage;
    s.character = 1;
    s.difficulty = row.difficulty;
    StageLoadReset(s);
    s.lives = 9;
    CreatePlayerSprites(*game);
    s.stageFrame = row.stageFrame;
    BringInFightAt(*game, row.pattern);
    auto frame = [&] {
        s.invincibleTimer = 100;
        s.bossTimeLeft = 1000;
        s.enemies.slot[kBossSlot].hp = s.enemies.slot[kBossSlot].maxHp;
        engine->Gfx_BeginScene();
        PlayFrame(*game);
        engine->Gfx_EndScene();
    };
    for (int i = 0; i < row.warmUp; ++i) frame();
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

const bool kRegistered = [] {
    for (const DensestPattern& row : kDensest)
        benchmark::RegisterBenchmark(row.name, densest, row)->Unit(benchmark::kMicrosecond);
    return true;
}();

}  // namespace
}  // namespace korvid
