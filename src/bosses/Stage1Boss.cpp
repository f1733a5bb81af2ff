// The stage-1 fights: one character (texture 36, cell (0, 0, 48, 64)).
//
//   mid-boss, from stage frame 4400, one time limit of 2400 for the three:
//     1 (ring) -> 2 (two turning emitters) -> 3 (spray and streams) -> defeat:
//     the stage music comes back and the stage resumes at frame 4501
//   boss, from stage frame 7000, after the conversation:
//     4 (sparkles and rings) -> 5 (spell card) -> 6 (falling sparkles and
//     rings) -> 7 (spell card) -> defeat: the stage is cleared
//
// t is the boss timer, d the difficulty, (x, y) the boss. Per-difficulty
// numbers sit in tables next to the pattern that uses them, indexed by d.
#include "bosses/Stage1Boss.h"

#include <algorithm>
#include <climits>

#include "game/Game.h"
#include "play/PatternKit.h"
#include "play/Spawn.h"
#include "stages/StageTunes.h"

namespace korvid {

namespace {

constexpr const char* kBossMusic = kStage1BossTune;
constexpr const char* kStageMusic = "Music/music1.ogg";
constexpr float kStageMusicResumeAt = 16;

// ---------------------------------------------------------------- helpers

int difficulty(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }

BulletPlan bullet(int texX, int texY, double speed, int behavior, int alpha = 255) {
    BulletPlan b;
    b.rect = TexRect{0, texX, texY, 16, 16};
    b.speed = speed;
    b.behavior = behavior;
    b.alpha = alpha;
    return b;
}

// The sparkle of pattern 5's bursts: a white flash twice and a half the usual size.
void bigFlash(Game& game, float x, float y) {
    SpawnEffect(game, TexRect{0, 0, 208, 32, 32}, x, y, 2.5f, 2.5f, 0, 0.6f, 1, EffectColour{255, 255, 255, 255}, 0,
                0);
}

// ---------------------------------------------------- pattern 1: the ring

constexpr bool kRingSideShots[4] = {false, false, true, true};

void attack1(Game& game, int t) {
    const Enemy& b = Boss(game);
    if (t % 60 != 0) return;
    RequestSound(game, 1);
    MuzzleFlash(game, 96, b.x, b.y);
    const int base = game.rand() % 18;
    FireRing(game, bullet(96, 96, 2, 5, 254), b.x, b.y, 20, static_cast<float>(base));
    if (kRingSideShots[difficulty(game)]) {
        MuzzleFlash(game, 32, b.x, b.y);
        const BulletPlan still = bullet(32, 96, 0, 4);
        Fire(game, still, b.x, b.y, 40);
        Fire(game, still, b.x, b.y, 320);
    }
}

// ------------------------------------- pattern 2: two turning emitters

struct Pattern2Numbers {
    int aimedRows;     // d^3 rows of the aimed fan (none on Easy)
    int aimedHalf;     // the fan spans -half..half, 10 degrees apart
    int emitterShots;  // bullets per emitter per volley, 90 degrees apart
};
constexpr Pattern2Numbers kPattern2[4] = {{0, 0, 2}, {1, 0, 4}, {8, 3, 4}, {27, 6, 4}};

void attack2(Game& game, int t) {
    const Enemy& b = Boss(game);
    const Pattern2Numbers& n = kPattern2[difficulty(game)];
    if (t > 199 && t % 100 == 0 && n.aimedRows > 0) {
        RequestSound(game, 0);
        const double aim = AimAtPlayer(game, b.x, b.y);
        MuzzleFlash(game, 16, b.x, b.y);
        for (int r = 0; r < n.aimedRows; ++r)
            FireFan(game, bullet(16, 96, 4.4 - 0.3 * r, 10), b.x, b.y, aim, -n.aimedHalf, n.aimedHalf, 10);
    }
    const int chance = game.rand() % 20;
    if (t % 7 == 0) RequestSound(game, 1);
    if ((t > 300 && chance < 3) || (t <= 250 && t % 4 == 0)) {
        const float lx = b.x - 20, rx = b.x + 20, ey = b.y - 4;
        MuzzleFlash(game, 96, lx, ey);
        MuzzleFlash(game, 96, rx, ey);
        const BulletPlan shot = bullet(96, 96, 2.4, 0);
        const int turn = 3 * (t % 120);
        for (int i = 0; i < n.emitterShots; ++i) {
            Fire(game, shot, lx, ey, static_cast<float>(90 * i - turn + 360));
            Fire(game, shot, rx, ey, static_cast<float>(90 * i + turn));
        }
    }
}

// ---------------------------------------- pattern 3: spray and streams

struct Pattern3Numbers {
    int interval;  // 12 / (d / 2 + 1)
    int layers;    // speeds per stream bullet, 2d + 1
};
constexpr Pattern3Numbers kPattern3[4] = {{12, 1}, {12, 3}, {6, 5}, {6, 7}};
void fogBrightens(Game& game) {
    EffectPool& fx = game.state.effects;
    for (int i = 0; i < kEffectCapacity; ++i)
        if (!fx.free[i] && fx.slot[i].type == 5 && fx.slot[i].alpha < 250) fx.slot[i].alpha += 4;
}

void midBossLeaves(Game& game, int t) {
    fogBrightens(game);
    if (t < -250) MusicVolume(game, -2 * t - 500);
    if (t == -250) SwitchMusic(game, kStageMusic, kStageMusicResumeAt);
}

void attack3(Game& game, int t) {
    const Enemy& b = Boss(game);
    const Pattern3Numbers& n = kPattern3[difficulty(game)];
    if (t % n.interval != 0) return;
    RequestSound(game, 1);
    MuzzleFlash(game, 96, b.x, b.y);
    MuzzleFlash(game, 128, b.x, b.y);
    BulletPlan spray = bullet(64, 96, 3, 0);
    spray.z = 0.502f;
    for (int i = 0; i < 12; ++i) {
        const int angle = game.rand() % 240 - 120;
        spray.speed = 3 + 0.1 * i;
        Fire(game, spray, b.x, b.y, static_cast<float>(angle));
    }
    for (int s = 0; s < 4; ++s) {
        int q = t > 250 ? 120 + game.rand() % 120 : (8 * t % 360) + 12 * s;
        if (q < 90 || q > 270) q = 180 - q;
        FireLayeredFan(game, bullet(96 + 32 * (s % 2), 96, 3, 0), b.x, b.y, q, 0, 0, 0, n.layers, 0.1);
    }
}

// ------------------------------------ pattern 4: sparkles and rings

struct BossRingNumbers {
    int sparkles;    // 4d + 3 per sparkle burst (pattern 4)
    int lastRing;    // rings while the cycle position is at most this (pattern 4)
    int directions;  // bullets per ring
    int layers;      // speeds per direction, 2d + 1
};
constexpr BossRingNumbers kPattern4[4] = {{3, 40, 6, 1}, {7, 50, 12, 3}, {11, 60, 30, 5}, {15, 70, 60, 7}};

// A ring of alternating colours (cells 96 and 160 of row 64), layered.
void bossRing(Game& game, int pos, int directions, int layers) {
    const Enemy& b = Boss(game);
    MuzzleFlash(game, 96, b.x, b.y, 255);
    const int a = game.rand() % 10;
    RequestSound(game, 1);
    FireRingShaped(game, bullet(96, 64, 2, 10), b.x, b.y, directions, static_cast<float>(pos + a), layers, 0.3,
                   [](int o, int, BulletPlan& s) { s.rect.x = 96 + 64 * (o % 2); });
}

void attack4(Game& game, int t) {
    const Enemy& b = Boss(game);
    const BossRingNumbers& n = kPattern4[difficulty(game)];
    const int c = t % 250;
    if (c >= 100 && c <= 220 && t % 10 == 0) {
        RequestSound(game, 1);
        const Point centre = DrawSprayCentre(game, b.x, b.y);
        FireRandomSpray(game, bullet(96, 48, 0.9, 8, 0), centre.x, centre.y, n.sparkles);
    }
    MovementLeg(game, t, c, 0, 0, 72);
    if (c % 10 == 0 && c <= n.lastRing) bossRing(game, c, n.directions, n.layers);
}

// ----------------------------------------- pattern 5: the first card

constexpr int kPattern5Cadence[4] = {4, 4, 5, 5};  // d / 2 + 4
constexpr int kSpellCellX[4] = {96, 240, 240, 240};

void attack5(Game& game, int t) {
    Enemy& b = Boss(game);
    const int d = difficulty(game);
    const int c = (t - 170) % 400;
    if (c >= 70 && c <= 200 && t % kPattern5Cadence[d] == 0) {
        if (t % 12 == 0) bigFlash(game, b.x, b.y);
        RequestSound(game, 1);
        game.rand();
        game.rand();
        for (int i = 0; i < 2; ++i) {
            const int speed = (game.rand() % 80) / 20 + 1;
            const int angle = game.rand() % 360;
            const int slot = Fire(game, bullet(kSpellCellX[d], 48, speed, 9), b.x, b.y, static_cast<float>(angle));
            // One burst's bullets all turn at the same moment.
            if (EnemyBullet* shot = JustFired(game, slot)) shot->age = c - 70;
        }
    }
    MovementLeg(game, t, c, 280, INT_MIN, 352);
}

// -------------------------------- pattern 6: falling sparkles and rings

struct Pattern6Numbers {
    int lowSparkles;   // d + 2, from y 112..191
    int highSparkles;  // d / 2 + 2, from y 1..80
    int directions;    // 6d + 6 per ring
    int layers;        // 2d + 1
};
constexpr Pattern6Numbers kPattern6[4] = {{2, 2, 6, 1}, {3, 2, 12, 3}, {4, 3, 18, 5}, {5, 3, 24, 7}};

void fallingSparkle(Game& game, int top, bool easy) {
    const int turn = game.rand() % 30;
    const int y = game.rand() % 80;
    const int x = game.rand() % 448;
    const float angle = static_cast<float>(easy ? 165 + 15 : 165 + turn);
    Fire(game, bullet(96, 48, 0.9, 8, 0), static_cast<float>(16 + x), static_cast<float>(top + y), angle);
}

void attack6(Game& game, int t) {
    const int d = difficulty(game);
    const Pattern6Numbers& n = kPattern6[d];
    const int c = t % 250;
    if (c >= 50 && c <= 140 && t % 10 == 0) {
        RequestSound(game, 1);
        for (int i = 0; i < n.lowSparkles; ++i) fallingSparkle(game, 112, d == 0);
        for (int i = 0; i < n.highSparkles; ++i) fallingSparkle(game, 1, d == 0);
    }
    MovementLeg(game, t, c, 172, 172, INT_MAX);
    if (c % 10 == 0 && c >= 200 - d) bossRing(game, c, n.directions, n.layers);
}

// ---------------------------------------- pattern 7: the second card

struct Pattern7Numbers {
    int fountainEvery;  // frames between side fountains
    int fountainShots;  // bullets per fountain
    bool rightFountain; // a second fountain from the right edge
    int rainUntil;      // rain while the cycle position is at most this, 120 (d / 2) + 150
};
constexpr Pattern7Numbers kPattern7[4] = {
    {18, 10, false, 150}, {10, 10, false, 150}, {8, 8, true, 270}, {10, 8, true, 270}};

void attack7(Game& game, int t) {
    const int d = difficulty(game);
    const Pattern7Numbers& n = kPattern7[d];
    const int c = (t - 170) % 400;
    if ((t - 170) % n.fountainEvery == 0 && c >= 90 && c <= 240) {
        RequestSound(game, 0);
        for (int i = 0; i < n.fountainShots; ++i) {
            const int speed = (game.rand() % 50) / 10;
            const int angle = game.rand() % 90;
            Fire(game, bullet(kSpellCellX[d], 48, speed, 11), 0, 128, static_cast<float>(angle));
            if (!n.rightFountain) continue;
            const int back = -((game.rand() % 50) / 10);
            const int across = 90 + game.rand() % 90;
            Fire(game, bullet(kSpellCellX[d], 48, back, 11), 448, 128, static_cast<float>(across));
        }
    }
    if (c >= 0 && c <= n.rainUntil && t % 6 == 0) {
        RequestSound(game, 1);
        BulletPlan rain = bullet(128, 48, 6, 0);
        if (d > 0) rain.rect = TexRect{2, 64, 32, 32, 32};
        FireWallRain(game, rain, 0, 0, 64, 0, 8, 180);
    }
}

// ------------------------------------------------------------ the rows

// Openings: hp held, charge burst, glide, music, attack from.
constexpr OpeningPlan kOpening1{.holdFrom = 1, .holdTo = 100, .chargeFrom = 55, .chargeTo = 80, .glideTo = 61,
                                .music = kBossMusic, .fadeFrom = 1, .attackAfter = 100};
constexpr OpeningPlan kOpening2{
    .holdFrom = 1, .holdTo = 50, .chargeFrom = 1, .chargeTo = 50, .attackAfter = 50, .castPoseTo = 50};
constexpr OpeningPlan kOpening3{.holdFrom = 1, .holdTo = 30, .chargeFrom = 1, .chargeTo = 30, .attackAfter = 30};
constexpr OpeningPlan kOpening4{
    .holdFrom = 0, .holdTo = 100, .chargeFrom = 55, .chargeTo = 80, .music = kBossMusic, .attackAfter = 100};
constexpr OpeningPlan kOpening6{.holdFrom = 0, .holdTo = 50, .chargeFrom = 5, .chargeTo = 30, .attackAfter = 50};
// The cards: the bar is held and the charge gathers for 170 frames, and
// the charge comes again at the start of every 400-frame cycle.
constexpr OpeningPlan kCardOpening{
    .holdFrom = 0, .holdTo = 170, .chargeFrom = 170, .chargeTo = 195, .attackAfter = 170, .chargeEvery = 400};

// The mid-boss's patterns end without a speed of their own: it only rises
// or sinks while its bar refills.
constexpr PatternEndPlan kMidBossEnd{.motion = EndMotion::Keep};
constexpr PatternEndPlan kMidBossPoseEnd{.motion = EndMotion::Keep, .restPose = true};
constexpr PatternEndPlan kMidBossLastEnd{.chargeSound = true, .motion = EndMotion::Keep, .bonusItemKind = 6};
constexpr PatternEndPlan kLastCardEnd{.dropItems = false, .motion = EndMotion::Keep};

constexpr DefeatPlan kMidBossDefeat{.endAt = -240,
                                    .after = AfterDefeat::ResumeStage,
                                    .resumeFrame = 4501,
                                    .scrollSpeed = 2.0f,
                                    .during = midBossLeaves};
constexpr DefeatPlan kBossDefeat{.endAt = -230, .after = AfterDefeat::ClearStage};

// The mid-boss: one time limit of 2400 for the three patterns; it enters by
// refilling its bar on the spawn frame. The 700 written by pattern 3 is
// never read.
constexpr PatternRow kMidBossRows[] = {
    {.id = 1, .endMaxHp = 620, .next = 2, .opening = kOpening1, .end = kMidBossEnd,
     .interlude = InterludeKind::Refill, .refillDy = -1, .interludeBelow = 1, .attack = attack1},
    {.id = 2, .endMaxHp = 900, .next = 3, .opening = kOpening2, .end = kMidBossPoseEnd,
     .interlude = InterludeKind::Refill, .refillDy = 0.8f, .attack = attack2},
    {.id = 3, .endMaxHp = 700, .opening = kOpening3, .end = kMidBossLastEnd, .interlude = InterludeKind::Defeat,
     .defeat = &kMidBossDefeat, .attack = attack3},
};

constexpr PatternRow kBossRows[] = {
    {.id = 4, .endMaxHp = 1200, .next = 5, .limit = 1500, .opening = kOpening4, .attack = attack4},
    {.id = 5, .endMaxHp = 900, .next = 6, .limit = 1500, .spell = true, .opening = kCardOpening, .attack = attack5},
    {.id = 6, .endMaxHp = 1400, .next = 7, .limit = 2100, .opening = kOpening6, .attack = attack6},
    {.id = 7, .spell = true, .opening = kCardOpening, .end = kLastCardEnd, .interlude = InterludeKind::Defeat,
     .defeat = &kBossDefeat, .attack = attack7},
};

}  // namespace

std::span<const PatternRow> Stage1MidBossRows() { return kMidBossRows; }
std::span<const PatternRow> Stage1BossRows() { return kBossRows; }

}  // namespace korvid
