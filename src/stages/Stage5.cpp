// Stage 5: a corridor of tiles and gates after a storm of lightning. The
// corridor turns and scales (bgCamTurn, bgCamScale) while four sections run
// by bodies in the boss slot (1950, 4600, 5920, 8500, 10100) count the gates
// the ship flies through; the more gates, the more rows the last section
// shows and the weaker its body. The boss comes down the corridor from
// 10300.
//
// Every frame: the pictures, the pairs of type 29 (they come even while a
// section runs), the corridor's own motion (neither in a fight started
// directly), the boss gate, then the timeline (no boss).
#include "stages/Stage5.h"

#include "game/Game.h"
#include "play/Enemies.h"
#include "play/PatternKit.h"
#include "play/Spawn.h"
#include "stages/BgPanels.h"
#include "stages/Timeline.h"
#include "stages/StageTunes.h"

namespace korvid {

namespace {

constexpr float kEnemyZ = 0.7f;

// ------------------------------------------------------------ pairs of type 29

// One of a pair: x = x0 + dx f, y = y0 + dy f on stage frame f.
struct PairSpot {
    float x0, dx, y0, dy, heading;
};
struct PairWindow {
    int from, to;
    PairSpot first, second;
};
constexpr PairWindow kPairs[] = {
    {120, 210, {-296, 3, 0, 0, 180}, {448, 0, 280, -1, 270}},
    {320, 410, {1312, -3, 0, 0, 180}, {0, 0, 480, -1, 90}},
    {580, 670, {-1676, 3, 0, 0, 180}, {448, 0, 740, -1, 270}},
    {780, 870, {2692, -3, 0, 0, 180}, {0, 0, 940, -1, 90}},
    {3770, 3860, {448, 0, 3930, -1, 270}, {0, 0, 3930, -1, 90}},
    {3970, 4060, {-11846, 3, 0, 0, 180}, {12262, -3, 0, 0, 180}},
    {7500, 7590, {-22436, 3, 0, 0, 180}, {22852, -3, 0, 0, 180}},
};

void pairEnemy(Game& game, const PairSpot& p, int f) {
    SpawnEnemy(game, 6, 0, 256, 32, 32, p.x0 + p.dx * f, p.y0 + p.dy * f, 1, 1, p.heading, kEnemyZ, 0, 29, 2, 255);
}

void pairs(Game& game) {
    const int f = game.state.stageFrame;
    if (f % 10 != 0) return;
    for (const PairWindow& w : kPairs) {
        if (f < w.from || f > w.to) continue;
        pairEnemy(game, w.first, f);
        pairEnemy(game, w.second, f);
    }
}

// ------------------------------------------------------------ the corridor's motion

void corridorMotion(GameState& s) {
    const int f = s.stageFrame;
    if (f >= 1901 && f <= 1950) {
        s.bgCamX = static_cast<float>(s.bgCamX - 5.4);
        s.bgCamY = static_cast<float>(s.bgCamY + 3.4);
        s.bgCamTurn = static_cast<float>(s.bgCamTurn - 1.2);
    } else if (f >= 1951 && f <= 2050) {
        s.stage5Work = static_cast<float>(s.stage5Work - (2050 - f) / 8.0);
    } else if (f >= 2051 && f <= 2550) {
        s.stage5Work = static_cast<float>(s.stage5Work + 0.2);
    }
}

// The turns of the timeline (no boss): back from the first turn over
// 3001..4000, and out of any turn a section left over 6001..8000, zooming
// out a little.
void cameraTurns(GameState& s) {
    const int f = s.stageFrame;
    if (f >= 3001 && f <= 4000 && s.bgCamTurn < 0) {
        s.bgCamTurn = static_cast<float>(s.bgCamTurn + 0.5);
        s.bgCamX = static_cast<float>(s.bgCamX + 1.8);
        s.bgCamY = static_cast<float>(s.bgCamY - 0.8);
    }
    if (f >= 6001 && f <= 8000) {
        if (s.bgCamTurn > 0) {
            s.bgCamTurn -= 1;
            s.bgCamX = static_cast<float>(s.bgCamX + 1.8);
            s.bgCamY = static_cast<float>(s.bgCamY + 5.6);
            s.bgCamScale = static_cast<float>(s.bgCamScale - 0.002);
        } else {
            s.bgCamTurn = 0;
        }
    }
}

// ------------------------------------------------------------ cues

void setUp(Game& game, const CueArgs&, int) {
    GameState& s = game.state;
    s.gateTotal = 0;
    s.bgCamX = s.bgCamY = s.bgCamTurn = 0;
    s.bgCamScale = 1;
    s.stage5Work = 300;
    s.gateRows = 2;
    s.gatesPassed = 0;
    s.gateFlag = 0;
    s.bossApproach = {};
}

void music(Game& game, const CueArgs&, int) { StartStageTune(game); }
void titleCard(Game& game, const CueArgs&, int) { SpawnTitleCard(game, 0.6f); }

// turret (x, hp): type 30 drifting down the middle lanes.
void turret(Game& game, float x, float hp) {
    SpawnEnemy(game, 6, 0, 384, 64, 64, x, 0, 1, 1, 180, kEnemyZ, 0.5f, 30, hp, 255);
}
void turretAt(Game& game, const CueArgs& a, int) { turret(game, a[0], 100); }
void turretPair(Game& game, const CueArgs&, int) {
    turret(game, 128, 50);
    turret(game, 320, 50);
}

// The sideliners of 7500 (type 32) from both edges at y 410.
void sideliners(Game& game, const CueArgs&, int) {
    for (float x : {0.0f, 448.0f}) SpawnEnemy(game, 6, 0, 352, 32, 32, x, 410, 1, 1, 0, kEnemyZ, 6.3f, 32, 50, 255);
}

void sweepToItems(Game& game, const CueArgs&, int) { BulletsToItems(game); }

// A section after the first: the gates of the stretch before are added up
// (`weight` times), the gate rows start afresh and its body comes.
void nextSection(GameState& s, int weight) {
    s.gateTotal += weight * s.gatesPassed;
    s.gatesPassed = 0;
    s.gateRows = 2;
    s.stage5Work = 200;
}

void section1(Game& game, const CueArgs&, int) { BringInBossQuietly(game, kStage5Section1); }
void section2(Game& game, const CueArgs&, int) {
    nextSection(game.state, 1);
    BringInBossQuietly(game, kStage5Section2);
}
void section3(Game& game, const CueArgs&, int) { BringInBossQuietly(game, kStage5Section3); }
void section3b(Game& game, const CueArgs&, int) {
    nextSection(game.state, 2);  // the gates of this stretch count double
    BringInBossQuietly(game, kStage5Section3b);
}
void section4(Game& game, const CueArgs&, int) {
    BringInBossQuietly(game, kStage5Section4);
    CloseCorridor(game);
}

// The shaft under the boss's fight: 29 rows of the shaft sheet lying flat
// ahead of the camera (kind 5, a loop 4640 deep) and eight motes sinking
// through it (kind 6), seen from above as the stage-2 floor is. They show
// from the boss's entry, fade as it arrives and come back; cards hide them.
constexpr float kMoteX[8] = {-301, 199, -101, 301, -201, 101, -1, 251};

void shaftPanels(Game& game) {
    GameState& s = game.state;
    s.camX = 0.01f;
    s.camHeight = 0.01f;
    s.camDepth = 0;
    s.camYaw = 0.001f;
    s.camPitch = 10.001f;
    for (int i = 0; i < 29; ++i) SpawnBgPanel(game, 34, 167, 0, 281, 160, 1, 4790 - 160.0f * i, 401, 0, 90, 5);
    for (int i = 0; i < 8; ++i) SpawnBgPanel(game, 34, 270, 190, 100, 160, kMoteX[i], 700 + 580.0f * i, 100, 0, 0, 6);
}

// The boss, on the first frame from 10300 without a section running. Slot
// 0 is moved off the field first; the second flash's effects (kinds 33, 33,
// 32) last only while slot 0 holds an enemy, so they go with the one moved
// off (or at once when slot 0 is empty).
void boss(Game& game, const CueArgs&, int) {
    GameState& s = game.state;
    s.enemies.slot[0].x = -100;
    s.enemies.slot[0].y = -100;
    BringInBossQuietly(game, kStage5Boss);
    constexpr EffectColour kWhite{255, 255, 255, 255};
    SpawnEffect(game, {2, 256, 0, 128, 128}, 224, 240, 0.86f, 0.86f, 0, 0.7f, 33, kWhite, 2, 0);
    SpawnEffect(game, {2, 256, 0, 128, 128}, 224, 240, 0.79f, 0.79f, 0, 0.7f, 33, kWhite, 2, 0);
    SpawnEffect(game, {0, 65, 192, 4, 1}, 224, 240, 1, 1, 0, 0.7f, 32, kWhite, 2, 0);
    shaftPanels(game);
}

void cameraStep(Game& game, const CueArgs&, int) { cameraTurns(game.state); }

// ------------------------------------------------------------ the timeline

constexpr ExactCue kExact[] = {
    {-63, setUp},
    {540, music},
    {950, turretAt, {224}},
    {1120, turretAt, {128}},
    {1290, turretAt, {320}},
    {1500, titleCard},
    {1950, section1},
    {3000, turretAt, {128}},
    {3200, turretAt, {320}},
    {3400, turretAt, {128}},
    {3600, turretAt, {320}},
    {3800, turretAt, {224}},
    {4050, turretPair},
    {4250, turretPair},
    {4600, section2},
    {5500, turretAt, {224}},
    {5700, turretPair},
    {5920, section3},
    {6500, turretAt, {224}},
    {6700, turretPair},
    {6900, turretAt, {224}},
    {7100, turretPair},
    {7300, turretAt, {224}},
    {7500, sideliners},
    {8400, sweepToItems},
    {8500, section3b},
    {9100, turretPair},
    {9300, turretPair},
    {9500, turretPair},
    {9700, turretPair},
    {9900, turretPair},
    {10100, section4},
};

constexpr WindowCue kWindows[] = {
    {3001, 4000, 1, cameraStep},
    {6001, 8000, 1, cameraStep},
    {10300, 12200, 1, boss},
};

constexpr Timeline kTimeline{kExact, kWindows};

}  // namespace

void CloseCorridor(Game& game) {
    GameState& s = game.state;
    s.gateTotal += s.gatesPassed;
    s.gatesPassed = 0;
    s.gateRows = s.gateTotal + 1;
    s.stage5Work = static_cast<float>(-300 - 332 * s.gateRows);
    if (s.gateRows == 1) {
        Enemy& body = s.enemies.slot[kBossSlot];
        body.maxHp = body.hp = 1000;
    }
}

void RunStage5(Game& game) {
    DrawStage5Scene(game);
    // A fight brought in at the stage's start flies no pairs and turns no
    // corridor: they belong to the stretch before the fights.
    if (!game.state.directFight) {
        pairs(game);
        corridorMotion(game.state);
    }
    if (BossGate(game)) return;
    RunTimeline(game, kTimeline);
}

}  // namespace korvid
