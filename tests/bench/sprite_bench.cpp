// Cost of drawing sprites the way the pools do: re-colour, then RenderEx
// with rotation and scale into the engine's quad batch. Pictures are off so
// the figure is the CPU side only (geometry and batching).
#include <benchmark/benchmark.h>

#include <memory>

#include "engine/HeadlessEngine.h"
#include "engine/Sprite.h"

namespace korvid {
namespace {

void BM_SpriteRenderEx(benchmark::State& state) {
    auto engine = CreateHeadlessEngine(HeadlessOptions{false});
    engine->System_Initiate();
    const HTEXTURE tex = engine->Texture_Create(256, 256);
    Sprite s(*engine, tex, 32, 64, 16, 16);
    s.SetHotSpot(8, 8);
    int i = 0;
    engine->Gfx_BeginScene();
    for (auto _ : state) {
        s.SetColor(0xC0FFFFFFu - static_cast<std::uint32_t>(i & 0xFF));
        s.RenderEx(static_cast<float>(i % 480), static_cast<float>((i * 7) % 480), static_cast<float>(i % 360) / 57.3f,
                   1.25f);
        if (++i % 5000 == 0) {  // a frame's worth: end it and start the next
            engine->Gfx_EndScene();
            engine->Gfx_BeginScene();
        }
    }
    engine->Gfx_EndScene();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SpriteRenderEx);

}  // namespace
}  // namespace korvid
