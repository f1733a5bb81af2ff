// Stage 1: a perspective meadow the camera turns over early on, falling
// particles, one tune, waves of popcorn and medium fairies, the mid-boss at
// 4400 and the boss with its conversation at 7000.
#include "game/Game.h"
#include "play/Enemies.h"
#include "play/Spawn.h"
#include "stages/BgPanels.h"
#include "stages/Stage1.h"
#include "stages/Timeline.h"
#include "stages/StageTunes.h"

namespace korvid {

namespace {

constexpr float kEnemyZ = 0.7f;

// --- enemies of the stage (texture 6) ---

// popcorn (row, x, y, heading, speed): type 2, hp 0.5.
void popcorn(Game& game, const CueArgs& a, int) {
    SpawnEnemy(game, 6, 0, static_cast<int>(a[0]), 32, 32, a[1], a[2], 1, 1, a[3], kEnemyZ, a[4], 2, 0.5f, 255);
}

// medium (x): type 3, shootable only for a moment.
void medium(Game& game, float x) { SpawnEnemy(game, 6, 0, 384, 64, 64, x, 0, 1, 1, 180, kEnemyZ, 0, 3, 550, 255); }

// Mediums come in pairs: medium (left) then medium (right).
void mediumPair(Game& game, const CueArgs& a, int) {
    medium(game, a[0]);
    medium(game, a[1]);
}

// large (type, x, hp): glides in from alpha 0.
void large(Game& game, const CueArgs& a, int) {
    SpawnEnemy(game, 6, 0, 448, 80, 64, a[1], 0, 1, 1, 180, kEnemyZ, 0, static_cast<int>(a[0]), a[2], 0);
}

// diver (row, heading, easiest only): type 5 from the top at speed 4. Row 0
// alternates 256 and 288 every 12 frames.
void diver(Game& game, const CueArgs& a, int) {
    const GameState& s = game.state;
    if (a[2] != 0 && s.difficulty != 0) return;
    const int row = a[0] != 0 ? static_cast<int>(a[0]) : 256 + 32 * ((s.stageFrame % 24) / 12);
    SpawnEnemy(game, 6, 0, row, 32, 32, 250, 0, 1, 1, a[1], kEnemyZ, 4, 5, 500, 255);
}

// --- the stage's other cues ---

void scroll(Game& game, const CueArgs& a, int) { game.state.scrollSpeed = a[0]; }

void music(Game& game, const CueArgs&, int) { StartStageTune(game); }

// The tune fades in over its first 100 frames.
void musicFadeIn(Game& game, const CueArgs&, int) {
    const GameState& s = game.state;
    game.engine.Channel_SetVolume(s.bgmChannel, (s.stageFrame - 2) * s.bgmVolume / 100);
}

void titleCard(Game& game, const CueArgs&, int) { SpawnTitleCard(game, 0.6f); }

// The camera, the meadow (9 rows of 17 panels), the trees scattered over
// it and the fog beyond. Every (i, j) draws its two numbers, the centre
// column's included, though nothing grows there.
void setUp(Game& game, const CueArgs&, int) {
    GameState& s = game.state;
    s.camX = 0;
    s.camHeight = 0;
    s.camPitch = 18.001f;
    s.camYaw = 10.001f;
    s.camDepth = 0;
    for (int i = 0; i <= 8; ++i)
        for (int j = -6; j <= 10; ++j)
            SpawnBgPanel(game, (j >= -5 && j <= 5) ? 34 : 35, 0, 0, 512, 512, static_cast<float>(512 * j + 1),
                         static_cast<float>(4790 - 512 * i), 1101, 0, 90, 1);
    for (int i = 0; i <= 8; ++i) {
        for (int j = -6; j <= 6; ++j) {
            const int r1 = game.rand();
            const int r2 = game.rand();
            if (j == 0) continue;
            SpawnBgPanel(game, 38, 0, 0, 512, 512, static_cast<float>(400 * j + 1 + r1 % 450 - 225),
                         static_cast<float>(4790 - 512 * i + r2 % 320), 1101, 0, 30, 1);
        }
    }
    constexpr EffectColour kWhite{255, 255, 255, 255};
    SpawnEffect(game, {7, 0, 0, 512, 512}, -256, 256, 1, 1, 0, 0.9f, 5, kWhite, 2, 0);
    SpawnEffect(game, {7, 0, 0, 512, 512}, 256, 256, 1, 1, 0, 0.9f, 5, kWhite, 2, 0);
    s.scrollSpeed = 4;
}

void midBoss(Game& game, const CueArgs&, int) { BringInBoss(game, kStage1MidBoss); }

void boss(Game& game, const CueArgs&, int) { BringInBoss(game, kStage1Boss); }

// --- the timeline ---

constexpr ExactCue kExact[] = {
    {-62, setUp},
    {2, music},
    {5, large, {1, 224, 2500}},
    {525, titleCard},
    {800, scroll, {1}},
    {1020, scroll, {2}},
    {1080, mediumPair, {128, 320}},
    {1110, mediumPair, {128, 320}},
    {1140, mediumPair, {128, 320}},
    {1170, mediumPair, {128, 320}},
    {1200, mediumPair, {128, 320}},
    {1600, mediumPair, {128, 352}},
    {2000, mediumPair, {128, 352}},
    {2220, mediumPair, {128, 352}},
    {2310, mediumPair, {128, 352}},
    {1630, mediumPair, {192, 256}},
    {2030, mediumPair, {192, 256}},
    {2060, mediumPair, {192, 256}},
    {2250, mediumPair, {192, 256}},
    {2280, mediumPair, {192, 256}},
    {2350, large, {4, 224, 2500}},
    {4100, scroll, {1}},
    {4400, midBoss},
    {4800, mediumPair, {192, 256}},
    {4900, mediumPair, {192, 256}},
    {5000, mediumPair, {192, 256}},
    {5100, mediumPair, {192, 256}},
    {5400, large, {1, 224, 200}},
    {5700, large, {1, 224, 200}},
    {6000, large, {1, 100, 80}}, {6000, large, {1, 348, 80}},
    {6300, large, {1, 224, 400}},
    {6700, scroll, {1}},
    {7000, boss},
};

constexpr WindowCue kWindows[] = {
    {2, 102, 1, musicFadeIn},
    {1000, 1340, 10, popcorn, {256, 64, 0, 180, 4}},
    {1000, 1340, 10, popcorn, {288, 384, 0, 180, 4}},
    {1500, 1700, 10, popcorn, {288, 0, 128, 90, 3}},
    {1500, 1700, 10, popcorn, {256, 448, 128, 270, 3}},
    {1900, 2100, 10, popcorn, {256, 64, 0, 180, 5.5f}},
    {1900, 2100, 10, popcorn, {288, 384, 0, 180, 5.5f}},
    {2150, 2500, 12, popcorn, {288, 0, 224, 90, 3}},
    {2150, 2500, 12, popcorn, {256, 448, 224, 270, 3}},
    {3120, 3300, 12, diver, {256, 230}},
    {3120, 3300, 12, diver, {256, 130, 1}},
    {3350, 3600, 12, diver, {288, 230}},
    {3350, 3600, 12, diver, {288, 130, 1}},
    {3650, 3900, 12, diver, {0, 230}},
    {3650, 3900, 12, diver, {0, 130, 1}},
    {4600, 5249, 10, popcorn, {256, 64, 0, 180, 4}},
    {4600, 5249, 10, popcorn, {288, 384, 0, 180, 4}},
    {4750, 5249, 10, popcorn, {256, 112, 0, 180, 4}},
    {4750, 5249, 10, popcorn, {288, 336, 0, 180, 4}},
    {4900, 5249, 10, popcorn, {256, 160, 0, 180, 4}},
    {4900, 5249, 10, popcorn, {288, 288, 0, 180, 4}},
    {5050, 5249, 10, popcorn, {256, 208, 0, 180, 4}},
    {5050, 5249, 10, popcorn, {288, 240, 0, 180, 4}},
};

constexpr Timeline kTimeline{kExact, kWindows};

// Before the gate: they fall on every fourth frame whatever else happens,
// in the fade-in, during boss fights and after the stage's end.
void fallingParticles(Game& game) {
    if (game.state.stageFrame % 4 != 0) return;
    const int x = game.rand() % 480 + 30;
    SpawnEffect(game, {0, 56, 248, 8, 8}, static_cast<float>(x), 0, 1, 1, 0, 0.8f, 7, {155, 255, 255, 255}, 2, 0);
}

// Frames 500..800: the camera swings round to face straight down the
// meadow while every panel sinks and draws back.
void cameraTurn(Game& game) {
    GameState& s = game.state;
    if (s.stageFrame < 500 || s.stageFrame > 800) return;
    for (int i = 0; i < kBgPanelCapacity; ++i) {
        if (s.bgPanels.free[i]) continue;
        BgPanel& p = s.bgPanels.slot[i];
        p.height = static_cast<float>(p.height - 1.5);
        p.depth = static_cast<float>(p.depth + 3.0);
    }
    s.camYaw = static_cast<float>(s.camYaw - 0.0333);
}

}  // namespace

void RunStage1(Game& game) {
    fallingParticles(game);
    if (BossGate(game)) return;
    cameraTurn(game);
    RunTimeline(game, kTimeline);
}
}  // namespace korvid
