// One frame of a full scenery list: 800 tunnel faces (200 rings of four)
// moved, projected and drawn in strips, then sorted by distance with as
// many bubble passes as there are records, as stage 6 does every frame.
// Headless without pictures, one core.
#include <benchmark/benchmark.h>

#include <memory>

#include "engine/HeadlessEngine.h"
#include "game/Game.h"
#include "game/PoolSteps.h"
#include "play/SceneList.h"
#include "play/StageFlow.h"

namespace korvid {
namespace {

void BM_SceneryFrame(benchmark::State& state) {
    auto engine = CreateHeadlessEngine(HeadlessOptions{false});
    engine->System_Initiate();
    auto game = std::make_unique<Game>(*engine);
    GameState& s = game->state;
    s.screen = 10;
    s.stage = 6;
    StageLoadReset(s);
    s.stageFrame = 9000;
    s.sceneFocal = 1000;
    s.sceneCamera = {0, 0, 256, 0, 0, 0};
    s.textures[34] = engine->Texture_Create(256, 256);
    // Rings 12.8 apart so the whole list stays inside the tunnel's 2560 wrap.
    for (int b = 0; b < 200; ++b) {
        const float z = 12.8f * b - 256;
        SpawnSceneObject(*game, {34, 0, 0, 256, 256}, 0, -128, z, 0, 1.57068f, 0, 0, 1);
        SpawnSceneObject(*game, {34, 0, 0, 256, 256}, 0, 128, z, 0, 4.71204f, 0, 0, 1);
        SpawnSceneObject(*game, {34, 0, 0, 256, 256}, 128, 0, z, 4.71204f, 0, 0, 0, 1);
        SpawnSceneObject(*game, {34, 0, 0, 256, 256}, -128, 0, z, 1.57068f, 0, 0, 0, 1);
    }
    long quads = 0;
    for (auto _ : state) {
        s.stageFrame += 1;
        engine->Gfx_BeginScene();
        for (int i = 0; i < s.sceneObjectCount; ++i) UpdateSceneObject(*game, i);
        SortSceneObjects(s, s.sceneObjectCount, false);
        engine->Gfx_EndScene();
        quads += engine->Gfx_GetStats().quads;
    }
    state.counters["objects"] = s.sceneObjectCount;
    state.counters["quads"] = state.iterations() ? static_cast<double>(quads) / state.iterations() : 0;
    state.counters["frames_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SceneryFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvid
