// Stage 4: a forge fortress. The ground scrolls in at 1136 and pulses red
// before the wall map slides over the field (7000..11959); light laser rain,
// weavers, orbiter rings and walkers; the mid-boss at 3050 and the boss with
// its conversation at 12700. The script draws the ground and the map, applies
// the map's rules, and runs its timeline only while no boss is present.
#include "stages/Stage4.h"

#include <cmath>

#include "game/Game.h"
#include "play/Enemies.h"
#include "play/PatternKit.h"
#include "play/Spawn.h"
#include "stages/Timeline.h"
#include "stages/StageTunes.h"

namespace korvid {

namespace {

constexpr float kEnemyZ = 0.7f;
constexpr int kMapTexture = 40;
constexpr int kMapLoadFrame = 7000;
constexpr int kMidBossFrame = 3050, kBossFrame = 12700;

// --- enemies of the stage ---

// weaver (x, y, heading): type 17 from the common sheet, row 256 or 288 by
// the clock, weaving about the x it was spawned at.
void weaver(Game& game, const CueArgs& a, int) {
    const int row = 256 + 32 * ((game.state.stageFrame % 30) / 15);
    const int slot = SpawnEnemy(game, 6, 0, row, 32, 32, a[0], a[1], 1, 1, a[2], kEnemyZ, 3, 17, 5, 255);
    if (slot >= 0) game.state.enemies.slot[slot].auxC = a[0];
}
void weaverPair(Game& game, const CueArgs& a, int k) {
    weaver(game, {a[0], a[1], 180}, k);
    weaver(game, {a[2], a[3], 180}, k);
}
void weaverTrio(Game& game, const CueArgs& a, int k) {
    weaverPair(game, a, k);
    weaver(game, {a[4], a[5], 180}, k);
}

// dart ship (x): type 18, row 256, falling at 2 then turning back.
void dartShip(Game& game, float x) { SpawnEnemy(game, 6, 0, 256, 32, 32, x, 0, 1, 1, 180, kEnemyZ, 2, 18, 10, 255); }
void dartShips(Game& game, const CueArgs& a, int) {
    for (float x : a)
        if (x > 0) dartShip(game, x);
}

// tank (x, hp): type 21, creeping down at 0.8.
void tank(Game& game, const CueArgs& a, int) {
    SpawnEnemy(game, 6, 0, 288, 32, 32, a[0], 0, 1, 1, 180, kEnemyZ, 0.8f, 21, a[1], 255);
    if (a[2] > 0) SpawnEnemy(game, 6, 0, 288, 32, 32, a[2], 0, 1, 1, 180, kEnemyZ, 0.8f, 21, a[1], 255);
}

// satellite ship (x): type 20, row 320, glides in.
void satelliteShip(Game& game, const CueArgs& a, int) {
    SpawnEnemy(game, 6, 0, 320, 32, 32, a[0], 0, 1, 1, 180, kEnemyZ, 0, 20, 100, 255);
}

// A ring of ten orbiters round one centre (cx, cy), packed as cx * 1000 + cy.
void orbiter(Game& game, int j, float centre) {
    const int slot = SpawnEnemy(game, 6, 192, 192, 32, 32, 0, 0, 0, 0, static_cast<float>(36 * j), kEnemyZ, 0, 23,
                                10000, 0);
    if (slot >= 0) game.state.enemies.slot[slot].auxC = centre;
}
void orbiterRing(Game& game, const CueArgs& a, int) {
    for (int j = 0; j <= 9; ++j) orbiter(game, j, a[0]);
}
// Two rings at once, their orbiters spawned alternately.
void orbiterRings(Game& game, const CueArgs& a, int) {
    for (int j = 0; j <= 9; ++j) {
        orbiter(game, j, a[0]);
        orbiter(game, j, a[1]);
    }
}

// swoopers (y, left heading, hp): a type-22 pair from both sides.
void swoopers(Game& game, const CueArgs& a, int) {
    SpawnEnemy(game, 6, 160, 192, 32, 32, 0, a[0], 1, 1, a[1], kEnemyZ, 6, 22, a[2], 255);
    SpawnEnemy(game, 6, 160, 192, 32, 32, 448, a[0], 1, 1, 360 - a[1], kEnemyZ, 6, 22, a[2], 254);
}

// walker (x, hp): type 24, the large stage-sheet machine.
void walker(Game& game, const CueArgs& a, int) {
    SpawnEnemy(game, 36, 0, 340, 120, 160, a[0], -64, 1, 1, 180, kEnemyZ, 0, 24, a[1], 255);
    if (a[2] > 0) SpawnEnemy(game, 36, 0, 340, 120, 160, a[2], -64, 1, 1, 180, kEnemyZ, 0, 24, a[1], 255);
}

// turret orb (x): type 26, drifting down at 0.5, never hittable.
void turretOrb(Game& game, const CueArgs& a, int) {
    SpawnEnemy(game, 6, 128, 192, 32, 32, a[0], 0, 1, 1, 180, kEnemyZ, 0.5f, 26, 120, 255);
}

// sprinkle (band): type 25, small, standing; y drawn first, then x.
// Bands: 0 x 48..399, 1 x 248..447, 2 x 48..247.
constexpr int kSprinkleSpan[3] = {352, 200, 200};
constexpr int kSprinkleFrom[3] = {48, 248, 48};
void sprinkle(Game& game, const CueArgs& a, int) {
    const int band = static_cast<int>(a[0]);
    const int y = game.rand() % 140 + 200;
    const int x = game.rand() % kSprinkleSpan[band] + kSprinkleFrom[band];
    SpawnEnemy(game, 6, 0, 288, 32, 32, static_cast<float>(x), static_cast<float>(y), 0.4f, 0.4f, 180, kEnemyZ, 0,
               25, 5, 255);
}

// Light rain: two growing lasers from above the field, each x jittered by
// one draw, (r % 20 - 10) / 10 in real division: up to a pixel either way.
void rainLaser(Game& game, float centre) {
    const int r = game.rand();
    const double x = centre + (r % 20 - 10) / 10.0;
    SpawnEnemyBullet(game, {4, 224, 0, 16, 0}, static_cast<float>(x), -64, 8, 1, 180, 0.71f, 16, 0, 255);
}
void rain(Game& game, const CueArgs&, int) {
    rainLaser(game, 64);
    rainLaser(game, 384);
}

// --- the stage's other cues ---

void setUp(Game& game, const CueArgs&, int) {
    GameState& s = game.state;
    s.scrollSpeed = 0;
    s.camPitch = 0.001f;
    s.camYaw = 10.001f;
    s.bossScroll = 0;
    s.bossFade = 0;
}

void music(Game& game, const CueArgs&, int) { StartStageTune(game); }

void titleCard(Game& game, const CueArgs&, int) { SpawnTitleCard(game, 0.6f); }

void midBoss(Game& game, const CueArgs&, int) { BringInBoss(game, kStage4MidBoss); }

// The boss's sheet (its entry loads it) takes the wall map's place.
void boss(Game& game, const CueArgs&, int) {
    GameState& s = game.state;
    s.wallMapLoaded = 0;
    s.bossScroll = 0;
    BringInBoss(game, kStage4Boss);
}

// --- the timeline ---

constexpr ExactCue kExact[] = {
    {-62, setUp},
    {2, music},
    {200, tank, {224, 80}},
    {400, tank, {160, 70, 288}},
    {500, dartShips, {160, 288}},
    {600, dartShips, {224, 352}},
    {700, dartShips, {192, 128}},
    {800, dartShips, {224, 96, 352}},
    {900, dartShips, {224}},
    {1100, dartShips, {224, 96, 352, 160, 288}},
    {1181, titleCard},
    {1550, orbiterRing, {320240}},
    {1600, satelliteShip, {64}},
    {1650, satelliteShip, {128}},
    {1700, satelliteShip, {192}},
    {1870, orbiterRing, {128240}},
    {1920, satelliteShip, {384}},
    {1970, satelliteShip, {352}},
    {2020, satelliteShip, {320}},
    {2070, satelliteShip, {320}},
    {2120, satelliteShip, {320}},
    {2450, orbiterRings, {128100, 320100}},
    {2750, swoopers, {80, 60, 120}},
    {kMidBossFrame, midBoss},
    {4400, swoopers, {80, 60, 50}},
    {5150, swoopers, {80, 60, 50}},
    {5900, swoopers, {80, 60, 50}},
    {4650, swoopers, {160, 30, 50}},
    {5400, swoopers, {160, 30, 50}},
    {4900, swoopers, {16, 90, 50}},
    {5650, swoopers, {16, 90, 50}},
    {6200, walker, {224, 600}},
    {11250, walker, {224, 600}},
    {7200, walker, {320, 500}},
    {7900, tank, {352, 80}},
    {8050, tank, {352, 80}},
    {8200, tank, {352, 80}},
    {7980, turretOrb, {182}},
    {8520, turretOrb, {182}},
    {9060, turretOrb, {182}},
    {9600, turretOrb, {182}},
    {10140, turretOrb, {182}},
    {9330, turretOrb, {300}},
    {9870, turretOrb, {300}},
    {10410, turretOrb, {300}},
    {11850, walker, {96, 200, 352}},
    {kBossFrame, boss},
};

constexpr WindowCue kWindows[] = {
    {400, 1249, 4, rain},
    {45, 150, 15, weaver, {224, 0, 180}},
    {120, 220, 15, weaverPair, {352, -16, 96, -16}},
    {300, 400, 15, weaverPair, {304, -16, 144, -16}},
    {500, 600, 15, weaver, {64, 0, 180}},
    {600, 700, 15, weaver, {384, 0, 180}},
    {900, 1000, 15, weaverPair, {352, -16, 96, -16}},
    {2250, 2350, 15, weaverPair, {304, -16, 144, -16}},
    {2350, 2450, 15, weaverTrio, {352, -16, 96, -16, 224, 0}},
    {8100, 8400, 15, weaver, {96, 448, 0}},
    {7000, 7050, 5, sprinkle, {0}},
    {7500, 7550, 3, sprinkle, {1}},
    {8600, 8650, 3, sprinkle, {1}},
    {9000, 9050, 3, sprinkle, {1}},
    {9400, 9450, 3, sprinkle, {1}},
    {10900, 10950, 3, sprinkle, {1}},
    {7700, 7750, 3, sprinkle, {2}},
    {8800, 8850, 3, sprinkle, {2}},
    {9200, 9250, 3, sprinkle, {2}},
    {10700, 10750, 3, sprinkle, {2}},
    {11100, 11150, 3, sprinkle, {2}},
};

constexpr Timeline kTimeline{kExact, kWindows};

// The wall map replaces the mid-boss's effect sheet on the first timeline
// frame from 7000 on: a mid-boss still fighting then keeps its sheet, and
// the map comes once it has gone.
void loadWallMap(Game& game) {
    GameState& s = game.state;
    if (s.wallMapLoaded || s.stageFrame < kMapLoadFrame || s.stageFrame >= 12000) return;
    HTEXTURE& slot = s.textures[kMapTexture];
    if (slot) game.engine.Texture_Free(slot);
    slot = game.engine.Texture_Load("Graphics/stage4map.png");
    s.wallMapLoaded = 1;
}

// --- the ground ---

std::uint32_t argb(int a, int r, int g, int b) {
    return static_cast<std::uint32_t>(a & 0xFF) << 24 | static_cast<std::uint32_t>(r & 0xFF) << 16 |
           static_cast<std::uint32_t>(g & 0xFF) << 8 | static_cast<std::uint32_t>(b & 0xFF);
}

bool midBossCard(const GameState& s) { return s.bossActive && s.spellActive && s.bossPattern() <= 24; }

// Scrolls in from 1136, fading in to 1386; pulses red over 6240..7000;
// scrolls twice as fast under the boss; fades out under the mid-boss's cards.
void drawGround(Game& game) {
    GameState& s = game.state;
    const int f = s.stageFrame;
    if (f < 1136 || !game.uiSprite) return;
    Sprite& sp = *game.uiSprite;
    int offset = 2 * (f % 272);
    std::uint32_t colour;
    if (s.bossScroll != 0) {
        colour = 0xFFFFFFFFu;
        offset = 4 * ((static_cast<int>(std::trunc(s.bossScroll)) / 8 + f) % 136);
    } else if (f <= 1386) {
        colour = argb((f - 112) % 256, 255, 255, 255);
    } else {
        const int e = f >= 6240 && f <= 7000 ? static_cast<int>(std::trunc(12 * std::abs((f - 6240) % 40 - 20))) : 240;
        colour = argb(255, 255, e + 15, e + 15);
    }
    if (midBossCard(s)) colour = (colour & 0x00FFFFFFu) | static_cast<std::uint32_t>(255 - s.bossFade) << 24;
    sp.SetBlendMode(BLEND_ALPHABLEND);
    sp.SetTexture(s.textures[34]);
    sp.SetTextureRect(0, 0, 544, 544);
    sp.SetHotSpot(0, 0);
    sp.SetZ(0.92f);
    sp.SetColor(colour);
    sp.Render(0, static_cast<float>(offset));
    sp.Render(0, static_cast<float>(offset - 544));
    sp.SetColor(0xFFFFFFFFu);
}

// The map as it stands: the part slid in, the scrolling window, the part
// sliding out. The hot spot is set here: the shared sprite keeps whatever
// the last user left.
void drawWallMap(Game& game, const WallMapPhase& at) {
    const GameState& s = game.state;
    if (at.phase == 0 || !game.uiSprite) return;
    Sprite& sp = *game.uiSprite;
    sp.SetBlendMode(BLEND_ALPHABLEND);
    sp.SetTexture(s.textures[kMapTexture]);
    sp.SetHotSpot(0, 0);
    sp.SetZ(0.91f);
    sp.SetColor(0xFFFFFFFFu);
    const float b = static_cast<float>(at.edge);
    if (at.phase == 1) {
        sp.SetTextureRect(0, 2000 - b, 480, b);
        sp.Render(0, 0);
    } else if (at.phase == 2) {
        sp.SetTextureRect(0, static_cast<float>(1520 - (s.stageFrame - 7961) / 2.0), 480, 480);
        sp.Render(0, 0);
    } else {
        sp.SetTextureRect(0, 0, 480, 480 - b);
        sp.Render(0, b);
    }
}

// Reads the map through the engine's lock for this frame's rules. A map
// that failed to load (or is not there yet) has no walls.
void wallMap(Game& game) {
    GameState& s = game.state;
    if (!s.wallMapLoaded) return;
    const WallMapPhase at = WallMapAt(s.stageFrame);
    if (at.phase == 0) return;
    drawWallMap(game, at);
    const HTEXTURE tex = s.textures[kMapTexture];
    Engine& e = game.engine;
    if (!tex) return;
    const std::uint32_t* pixels = e.Texture_Lock(tex, true, 0, 0, 0, 0);
    if (!pixels) return;
    WallMapView view{pixels, e.Texture_GetWidth(tex), e.Texture_GetWidth(tex, true), e.Texture_GetHeight(tex, true)};
    WallMapRules(game, view, at);
    e.Texture_Unlock(tex);
}

}  // namespace

// A fight brought in at the stage's start is played on the clock it has in
// play, over the ground scrolling by (and after the mid-boss the stage goes
// on from there).
void DirectFightInStage4(Game& game) {
    GameState& s = game.state;
    if (s.stageFrame >= kMidBossFrame - 1) return;
    s.stageFrame = (s.bossPattern() >= kStage4Boss.pattern ? kBossFrame : kMidBossFrame) - 1;
}

void RunStage4(Game& game) {
    drawGround(game);
    wallMap(game);
    if (BossGate(game)) return;
    loadWallMap(game);
    RunTimeline(game, kTimeline);
}

}  // namespace korvid
