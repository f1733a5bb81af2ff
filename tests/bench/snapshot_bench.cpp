// Snapshots of play: taking one and restoring it, over a field of a dense
// stage-2 fight (the airship's pattern 9 on Hard, about 300 bullets).
#include <benchmark/benchmark.h>

#include <memory>

#include "app/FrameDriver.h"
#include "bosses/FightRegistry.h"
#include "engine/HeadlessEngine.h"
#include "game/Game.h"
#include "game/PlaySnapshot.h"
#include "play/Player.h"
#include "play/StageFlow.h"

namespace korvid {
namespace {

struct DenseField {
    std::unique_ptr<Engine> engine = CreateHeadlessEngine(HeadlessOptions{false});
    std::unique_ptr<Game> game;
    DenseField() {
        engine->System_Initiate();
        game = std::make_unique<Game>(*engine);
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
        for (int i = 0; i < 600; ++i) {
            s.invincibleTimer = 100;
            engine->Gfx_BeginScene();
            PlayFrame(*game);
            engine->Gfx_EndScene();
        }
    }
};

void BM_PlaySnapshotSave(benchmark::State& state) {
    DenseField field;
    auto snap = std::make_unique<PlaySnapshot>();
    for (auto _ : state) {
        SavePlay(field.game->state, *snap);
        benchmark::DoNotOptimize(snap.get());
    }
    const GameState& s = field.game->state;
    const double copied = sizeof(PlayFlow) + sizeof(GamePlay) + sizeof(StageCounters) + sizeof(EnemyPool) +
                          s.enemyBullets.used * sizeof(EnemyBullet) + s.effects.used * sizeof(EffectSprite) +
                          s.items.used * sizeof(Item) + s.playerShots.used * sizeof(PlayerShot) +
                          s.bgPanels.used * sizeof(BgPanel) + s.sceneObjectsUsed * sizeof(SceneObject);
    state.counters["bytes_copied"] = copied;
    state.counters["bytes_whole"] = static_cast<double>(sizeof(PlaySnapshot));
}
BENCHMARK(BM_PlaySnapshotSave)->Unit(benchmark::kMicrosecond);

void BM_PlaySnapshotRestore(benchmark::State& state) {
    DenseField field;
    auto snap = std::make_unique<PlaySnapshot>();
    SavePlay(field.game->state, *snap);
    for (auto _ : state) {
        RestorePlay(*snap, field.game->state);
        benchmark::DoNotOptimize(&field.game->state);
    }
}
BENCHMARK(BM_PlaySnapshotRestore)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvid
