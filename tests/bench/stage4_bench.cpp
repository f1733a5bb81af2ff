// Stage 4 measured headless without pictures, one core: whole play frames
// of the boss's densest card on Hard (pattern 28: three broad lasers every
// 5 frames and turning rings every 12), and the wall map's rules for one
// frame with the shot pool full over the scrolling maze.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "app/FrameDriver.h"
#include "bosses/FightRegistry.h"
#include "engine/HeadlessEngine.h"
#include "game/Game.h"
#include "play/Player.h"
#include "play/Spawn.h"
#include "play/StageFlow.h"
#include "stages/Stage4.h"

namespace korvid {
namespace {

struct Stage4Field {
    std::unique_ptr<Engine> engine = CreateHeadlessEngine(HeadlessOptions{false});
    std::unique_ptr<Game> game;
    Stage4Field() {
        engine->System_Initiate();
        game = std::make_unique<Game>(*engine);
        GameState& s = game->state;
        s.screen = 10;
        s.stage = 4;
        s.character = 1;
        s.difficulty = 2;
        StageLoadReset(s);
        s.lives = 9;
        CreatePlayerSprites(*game);
    }
    void frame() {
        GameState& s = game->state;
        s.invincibleTimer = 100;
        s.bossTimeLeft = 1000;
        engine->Gfx_BeginScene();
        PlayFrame(*game);
        engine->Gfx_EndScene();
    }
};

void BM_Stage4DensestCard(benchmark::State& state) {
    Stage4Field field;
    GameState& s = field.game->state;
    s.stageFrame = 12699;
    BringInFightAt(*field.game, 28);
    for (int i = 0; i < 600; ++i) field.frame();  // into the card, bullets building up
    int bullets = 0, samples = 0;
    for (auto _ : state) {
        field.frame();
        int n = 0;
        for (auto f : s.enemyBullets.free) n += f ? 0 : 1;
        bullets += n;
        ++samples;
    }
    state.counters["frames_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["bullets"] = samples ? static_cast<double>(bullets) / samples : 0;
}
BENCHMARK(BM_Stage4DensestCard)->Unit(benchmark::kMicrosecond);

// A maze of vertical bars 40 pixels wide every 120, on a 512-wide surface;
// all 200 shots spread over the field, the ship on a wall.
void BM_Stage4WallTests(benchmark::State& state) {
    Stage4Field field;
    GameState& s = field.game->state;
    constexpr int kW = 480, kH = 2480, kStride = 512;
    std::vector<std::uint32_t> pixels(std::size_t(kStride) * kH, 0x00FFFFFFu);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            if (x % 120 < 40) pixels[std::size_t(y) * kStride + x] = 0xFF403020u;
    const WallMapView map{pixels.data(), kStride, kW, kH};
    const WallMapPhase at = WallMapAt(9000);
    int removed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        s.playerShots.free.fill(1);
        for (int i = 0; i < kPlayerShotCapacity; ++i)
            SpawnPlayerShot(*field.game, {54, 0, 0, 16, 16}, static_cast<float>(12 + (i * 37) % 440),
                            static_cast<float>(10 + (i * 53) % 460), 1, 1, 0, 0.6f, 10, 0, 255, 1);
        s.playerX = 20;
        s.playerY = 300;
        state.ResumeTiming();
        WallMapRules(*field.game, map, at);
        int n = 0;
        for (auto f : s.playerShots.free) n += f;
        removed += n;
    }
    state.counters["shots_stopped"] =
        state.iterations() ? static_cast<double>(removed) / static_cast<double>(state.iterations()) : 0;
}
BENCHMARK(BM_Stage4WallTests)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvid
