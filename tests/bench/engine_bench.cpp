// Cost of a dense frame through the headless engine: 5000 quads, as many as
// the game draws in its busiest moments, batched and drawn with OpenGL on the
// offscreen driver (llvmpipe on machines without a GPU). Timed by the wall
// clock: software GL rasterises on its own threads.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/Engine.h"
#include "engine/HeadlessEngine.h"

namespace korvid {
namespace {

constexpr int kQuadsPerFrame = 5000;

Quad BulletQuad(int i, HTEXTURE tex, int blend) {
    const float x = float((i * 37) % 620), y = float((i * 53) % 460);
    Quad q{};
    q.v[0] = {x, y, 0.5f, 0xFFFFFFFF, 0.0f, 0.0f};
    q.v[1] = {x + 16, y, 0.5f, 0xFFFFFFFF, 0.25f, 0.0f};
    q.v[2] = {x + 16, y + 16, 0.5f, 0xFFFFFFFF, 0.25f, 0.25f};
    q.v[3] = {x, y + 16, 0.5f, 0xFFFFFFFF, 0.0f, 0.25f};
    q.tex = tex;
    q.blend = blend;
    return q;
}

struct BenchEngine {
    std::unique_ptr<Engine> engine;
    std::vector<HTEXTURE> textures;

    explicit BenchEngine(bool pictures = true) : engine(CreateHeadlessEngine(HeadlessOptions{pictures})) {
        engine->System_Initiate();
        for (int i = 0; i < 4; ++i) {
            const HTEXTURE t = engine->Texture_Create(64, 64);
            std::uint32_t* p = engine->Texture_Lock(t, false);
            for (int k = 0; k < 64 * 64; ++k) p[k] = 0x80000000u | std::uint32_t(k * 2654435761u >> 8);
            engine->Texture_Unlock(t);
            textures.push_back(t);
        }
    }

    // The quads of one frame, switching texture and blend mode every
    // `run` quads (run = kQuadsPerFrame: one texture for the whole frame).
    std::vector<Quad> frameQuads(int run) const {
        std::vector<Quad> quads;
        for (int i = 0; i < kQuadsPerFrame; ++i) {
            const int group = i / run;
            quads.push_back(BulletQuad(i, textures[std::size_t(group) % textures.size()], group % 2 ? 0 : 2));
        }
        return quads;
    }

    void drawFrame(const std::vector<Quad>& quads) {
        engine->Gfx_BeginScene();
        engine->Gfx_Clear(0xFF000000);
        for (const Quad& q : quads) engine->Gfx_RenderQuad(&q);
        engine->Gfx_EndScene();
    }
};

void ReportFrame(benchmark::State& state, const Engine& engine) {
    const FrameStats s = engine.Gfx_GetStats();
    state.counters["quads"] = s.quads;
    state.counters["batches"] = s.batches;
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

// One texture, one blend mode: the best case, two draw calls (buffer size).
void BM_Headless5000QuadsOneTexture(benchmark::State& state) {
    BenchEngine b;
    const std::vector<Quad> quads = b.frameQuads(kQuadsPerFrame);
    for (auto _ : state) b.drawFrame(quads);
    ReportFrame(state, *b.engine);
}
BENCHMARK(BM_Headless5000QuadsOneTexture)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Texture and blend change every 50 quads: a hundred draw calls.
void BM_Headless5000QuadsMixed(benchmark::State& state) {
    BenchEngine b;
    const std::vector<Quad> quads = b.frameQuads(50);
    for (auto _ : state) b.drawFrame(quads);
    ReportFrame(state, *b.engine);
}
BENCHMARK(BM_Headless5000QuadsMixed)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The engine's own share: the same frame with pictures turned off.
void BM_Headless5000QuadsNoPictures(benchmark::State& state) {
    BenchEngine b(false);
    const std::vector<Quad> quads = b.frameQuads(50);
    for (auto _ : state) b.drawFrame(quads);
    ReportFrame(state, *b.engine);
}
BENCHMARK(BM_Headless5000QuadsNoPictures)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The whole loop around it: events, key snapshot, audio step, one frame.
void BM_HeadlessLoopFrame5000Quads(benchmark::State& state) {
    BenchEngine b;
    const std::vector<Quad> quads = b.frameQuads(kQuadsPerFrame);
    b.engine->System_SetStateFunc(HGE_FRAMEFUNC, [] { return false; });
    b.engine->System_SetStateFunc(HGE_RENDERFUNC, [&] {
        b.drawFrame(quads);
        return false;
    });
    b.engine->Shell_SetFrameLimit(1);
    for (auto _ : state) b.engine->System_Start();
    ReportFrame(state, *b.engine);
}
BENCHMARK(BM_HeadlessLoopFrame5000Quads)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
}  // namespace korvid
