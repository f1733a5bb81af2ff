// Stage 2: above the clouds at night. A starlit sky with a pale band under
// it, a glowing grid of panels drifting diagonally below, popcorn that comes
// thicker the more power the ship carries, rows of scouts, crossers, and
// the airship: as the mid-boss at 4850 and as the boss, with a conversation
// before and after, at 5000.
#include "stages/Stage2.h"

#include "game/Game.h"
#include "play/Enemies.h"
#include "play/Spawn.h"
#include "stages/BgPanels.h"
#include "stages/MusicLoops.h"
#include "stages/Timeline.h"
#include "stages/StageTunes.h"

namespace korvid {

namespace {

constexpr float kEnemyZ = 0.7f;
constexpr int kPopcornLastFrame = 4799;
constexpr float kBossArrivalY = -32;

// --- enemies of the stage (texture 6, 32 x 32, alpha 0 unless stated) ---

void scout(Game& game, int type, int row, float x, float y, float heading) {
    SpawnEnemy(game, 6, 0, row, 32, 32, x, y, 1, 1, heading, kEnemyZ, 0, type, 0.5f, 0);
}

// A row of type 6 marching in from the left: (first x, y) with x =
// 48 (stageFrame / 10) + first x.
void scoutRow(Game& game, const CueArgs& a, int) {
    const int f = game.state.stageFrame;
    scout(game, 6, 320, static_cast<float>(48 * (f / 10) + a[0]), a[1], 0);
}

// The same leaving toward the left: x = first x - 48 k.
void scoutRowBack(Game& game, const CueArgs& a, int k) {
    scout(game, 6, 320, static_cast<float>(a[0] - 48 * k), a[1], 0);
}
void scoutRowBackHard(Game& game, const CueArgs& a, int k) {
    if (game.state.difficulty >= 1) scoutRowBack(game, a, k);
}
void scoutRowOnHard(Game& game, const CueArgs& a, int k) {
    if (game.state.difficulty >= 1) scout(game, 6, 320, static_cast<float>(48 * k + a[0]), a[1], 0);
}

// Two converging rows at random heights: y1 drawn, then y2.
void scoutPair(Game& game, const CueArgs&, int) {
    const int f = game.state.stageFrame;
    const int x = 48 * (f / 10) - 2154;
    const int y1 = game.rand() % 96 + 128;
    const int y2 = game.rand() % 96 + 128;
    scout(game, 6, 320, static_cast<float>(480 - x), static_cast<float>(y1), 0);
    scout(game, 6, 320, static_cast<float>(x), static_cast<float>(y2), 0);
}

// From both sides at once, one step lower each time.
void scoutSides(Game& game, const CueArgs&, int k) {
    const float y = static_cast<float>(48 * k + 48);
    scout(game, 6, 320, 448, y, 270);
    scout(game, 6, 320, 0, y, 90);
}

// Type 7 singles at y 192 (x, second x or -1).
void ringScout(Game& game, const CueArgs& a, int) {
    scout(game, 7, 352, a[0], 192, 0);
    if (a[1] >= 0) scout(game, 7, 352, a[1], 192, 0);
}

// Type 8 at y 192: x = a0 + a1 k' with k' counted from frame a2 in steps of
// a3; a4 != 0 adds the mirrored one at 480 - a1 k'.
void curtainScouts(Game& game, const CueArgs& a, int) {
    const int k = (game.state.stageFrame - static_cast<int>(a[2])) / static_cast<int>(a[3]);
    scout(game, 8, 256, a[0] + a[1] * k, 192, 0);
    if (a[4] != 0) scout(game, 8, 256, 480 - a[1] * k, 192, 0);
}

// Type 9 crossers from both sides at speed 4, hp difficulty + 2.
void crossers(Game& game, const CueArgs&, int) {
    const float hp = static_cast<float>(game.state.difficulty + 2);
    SpawnEnemy(game, 6, 0, 256, 32, 32, 0, 192, 1, 1, 90, kEnemyZ, 4, 9, hp, 255);
    SpawnEnemy(game, 6, 0, 256, 32, 32, 416, 192, 1, 1, 270, kEnemyZ, 4, 9, hp, 255);
}

// Type 10 at a random place: y drawn, then x.
void starScout(Game& game, const CueArgs&, int) {
    const int y = game.rand() % 96 + 128;
    const int x = game.rand() % 384 + 32;
    scout(game, 10, 320, static_cast<float>(x), static_cast<float>(y), 0);
}

// The popcorn generator, frames 0..4799: the counter rises every frame and,
// from Normal up, once it reaches 80 - power / 2 a type-11 enemy appears at
// a random place (y, then x, then its row drawn in that order). The counter
// lives in the stage's record, so a retry starts it from 0 again.
void popcornGenerator(Game& game) {
    GameState& s = game.state;
    if (s.stageFrame < 0 || s.stageFrame > kPopcornLastFrame) return;
    s.popcornCounter += 1;
    if (s.popcornCounter < 80 - s.power / 2.0 || s.difficulty < 1) return;
    s.popcornCounter = 0;
    const int y = game.rand() % 96 + 128;
    const int x = game.rand() % 384 + 32;
    const int row = 256 + 32 * (game.rand() % 2);
    scout(game, 11, row, static_cast<float>(x), static_cast<float>(y), 0);
}

// --- the stage's other cues ---

// The fog at both sides, the camera, and the floor: 17 rows of 23 panels.
void setUp(Game& game, const CueArgs&, int) {
    GameState& s = game.state;
    constexpr EffectColour kFog{55, 255, 255, 255};
    SpawnEffect(game, {7, 0, 0, 512, 512}, -256, 256, 1, 1, 0, 0.9f, 5, kFog, 2, 0);
    SpawnEffect(game, {7, 0, 0, 512, 512}, 256, 256, 1, 1, 0, 0.9f, 5, kFog, 2, 0);
    s.camPitch = 10.001f;
    s.camYaw = 0.001f;
    s.scrollSpeed = 5;
    for (int i = 0; i <= 16; ++i)
        for (int j = -6; j <= 16; ++j)
            SpawnBgPanel(game, 34, 0, 0, 240, 280, static_cast<float>(240 * j + 1), static_cast<float>(4790 - 280 * i),
                         401, 0, 90, 4);
}

void music(Game& game, const CueArgs&, int) { StartStageTune(game); }

void titleCard(Game& game, const CueArgs&, int) { SpawnTitleCard(game, 0.6f); }

// The wisp that trails under the airship as it arrives.
void wisp(Game& game) {
    SpawnEffect(game, {36, 0, 374, 43, 138}, 224, 240, 1.5f, 1.5f, 0, 0.7f, 15, {255, 255, 255, 255}, 2, 0);
}

void midBoss(Game& game, const CueArgs&, int) {
    BringInBoss(game, kStage2MidBoss);
    wisp(game);
}

// The boss starts above the field and flies in during the conversation.
void boss(Game& game, const CueArgs&, int) {
    BringInBoss(game, kStage2Boss);
    game.state.enemies.slot[kBossSlot].y = kBossArrivalY;
    wisp(game);
}

// --- the timeline ---

constexpr ExactCue kExact[] = {
    {-63, setUp},
    {2, music},
    {650, titleCard},
    {1100, ringScout, {128, 320}},
    {1500, ringScout, {128, -1}},  {1605, ringScout, {128, -1}},  {3450, ringScout, {128, -1}},
    {3555, ringScout, {128, -1}},  {3910, ringScout, {128, -1}},  {4015, ringScout, {128, -1}},
    {1730, ringScout, {320, -1}},  {1835, ringScout, {320, -1}},  {3680, ringScout, {320, -1}},
    {3785, ringScout, {320, -1}},  {4140, ringScout, {320, -1}},  {4245, ringScout, {320, -1}},
    {1980, ringScout, {223.9f, 224}}, {4350, ringScout, {223.9f, 224}}, {4455, ringScout, {223.9f, 224}},
    {4850, midBoss},
    {5000, boss},
};

constexpr WindowCue kWindows[] = {
    {10, 90, 10, scoutRow, {6, 128}},
    {150, 240, 10, scoutRow, {-714, 160}},
    {300, 390, 10, scoutRow, {-1434, 192}},
    {450, 540, 10, scoutPair},
    {900, 950, 10, scoutSides},
    {1300, 1390, 10, curtainScouts, {48, 48, 1300, 10, 1}},
    {1535, 1625, 12, curtainScouts, {480, -64, 1535, 12, 0}},
    {1640, 1730, 12, curtainScouts, {480, -64, 1640, 12, 0}},
    {1765, 1855, 12, curtainScouts, {48, 64, 1765, 12, 0}},
    {1870, 1960, 12, curtainScouts, {48, 64, 1860, 12, 0}},
    {1995, 2085, 20, curtainScouts, {48, 96, 1995, 20, 1}},
    {2380, 2470, 10, crossers},
    {2580, 2670, 10, crossers},
    {2780, 2870, 10, crossers},
    {2980, 3070, 10, crossers},
    {3180, 3270, 10, crossers},
    {2450, 2490, 10, scoutRowBackHard, {454, 128}},
    {2850, 2890, 10, scoutRowBackHard, {454, 128}},
    {2650, 2690, 10, scoutRowOnHard, {6, 128}},
    {3050, 3090, 10, scoutRowOnHard, {6, 128}},
    {3500, 4550, 30, starScout},
};

constexpr Timeline kTimeline{kExact, kWindows};

// Before the gate, every frame: the sky picture and the pale band under it.
void sky(Game& game) {
    if (!game.uiSprite) return;
    Sprite& sp = *game.uiSprite;
    const GameState& s = game.state;
    sp.SetZ(0.91f);
    sp.SetHotSpot(0, 0);
    sp.SetColor(0x9BFFFFFF);
    sp.SetTexture(s.textures[35]);
    sp.SetTextureRect(0, 25, 480, 250);
    sp.Render(10, 0);
    sp.SetColor(0x55FFFFFF);
    sp.SetTexture(s.textures[25]);
    sp.SetTextureRect(72, 104, 8, 8);
    sp.RenderEx(0, 250, 0, 60, 30);
    sp.SetColor(0xFFFFFFFF);
    sp.SetZ(0.21f);
}

// From the boss's first pattern on, its tune loops back to its start (both
// stage-2 tunes share the point: the first row of the stage will do).
void musicLoop(Game& game) {
    const GameState& s = game.state;
    if (!s.bossActive || s.bossPattern() < 9 || s.stageCleared) return;
    for (const MusicLoop& l : kMusicLoops)
        if (l.stage == 2) {
            MusicLoopPoint(game, l.at, l.to);
            return;
        }
}

}  // namespace

void RunStage2(Game& game) {
    musicLoop(game);
    sky(game);
    if (BossGate(game)) return;
    popcornGenerator(game);
    RunTimeline(game, kTimeline);
}

}  // namespace korvid
