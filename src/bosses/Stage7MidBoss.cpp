// The extra stage's first mid-boss (texture 34, 64 x 96), from stage frame
// 3800, with one limit of 3000 for its first attack:
//   67 (turning bursts, large rings, familiars from below) -> 68 (card:
//   columns down the walls that scatter, rings) -> 69 (card: a twin spiral
//   and aimed large bullets) -> defeat: a large falling item below it and a
//   bomb item above it; the stage's clock has run on all along.
//
// t is the boss timer, d the difficulty, (x, y) the boss.
#include "bosses/Stage7MidBoss.h"

#include <algorithm>

#include "game/Game.h"
#include "play/Enemies.h"
#include "play/PatternKit.h"
#include "play/Spawn.h"

namespace korvid {

namespace {

int difficulty(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }

// ---------------------------------------------- pattern 67: turning bursts
//
// Glides in from the left (a push of 8 dying away over 60 frames), held
// full to t 100. From t 120 a 240-frame cycle, position p = (t - 120) % 240:
//   p in the burst table: a burst from the boss, n directions x 3 speeds
//     (2.0, 2.4, 2.8), rice bullets of behaviour 118 (they turn 0.7 a frame
//     for ages 40..169), all one way in one cycle and the other way in the
//     next (alpha 255 / 254); one rand() % 20 for the burst's offset.
//   p 150: a ring of large bullets (texture 2) at 1.8 (Hard: a second ring
//     at 2.4), one rand() % 12 for its offset.
//   p 200: a movement leg (its own rand() draws), kicked over 201..239.
// At t 1130, 1230 and 1330 two scouts (type 64) rise from the bottom
// corners; with the boss there they are untouchable, climb at 3 and fire
// an aimed wedge at their frame 50.
//            Easy  Normal  Hard  Lunatic
// burst dirs   12     18    18     24
// burst at   0,60  0,30,60 (each)
// ring n       20     30    30     30   (second ring: Hard, Lunatic)
struct Pattern67Numbers {
    int directions;
    int bursts;  // bursts at p 0, 30, 60 (the first `bursts` of them)
    int ring;
    int rings;
};
constexpr Pattern67Numbers kPattern67[4] = {{12, 2, 20, 1}, {18, 3, 30, 1}, {18, 3, 30, 2}, {24, 3, 30, 2}};
constexpr int kBurstAt[3] = {0, 60, 30};

void familiars(Game& game) {
    for (float x : {40.0f, 408.0f})
        SpawnEnemy(game, 6, 0, 256, 32, 32, x, 480, 1, 1, 0, 0.7f, 0, 64, 60, 255);
}

void attack67(Game& game, int t) {
    const Enemy& b = Boss(game);
    if (t <= 60) SpeedRamp(game, 8, 60, 0, kBossSlot);
    if (t == 1130 || t == 1230 || t == 1330) familiars(game);
    if (t < 120) return;
    const Pattern67Numbers& n = kPattern67[difficulty(game)];
    const int p = (t - 120) % 240, cycle = (t - 120) / 240;
    for (int i = 0; i < n.bursts; ++i) {
        if (p != kBurstAt[i]) continue;
        RequestSound(game, 1);
        MuzzleFlash(game, 64, b.x, b.y);
        const int base = game.rand() % 20;
        const BulletPlan rice{{0, 64 + 32 * (cycle % 2), 64, 16, 16}, 2.0, 118, cycle % 2 == 0 ? 255 : 254};
        FireLayeredRing(game, rice, b.x, b.y, n.directions, static_cast<float>(base), 3, 0.4);
    }
    if (p == 150) {
        RequestSound(game, 0);
        const int base = game.rand() % 12;
        BulletPlan big{{2, 64, 32, 32, 32}, 1.8, 0};
        for (int r = 0; r < n.rings; ++r) {
            big.speed = 1.8 + 0.6 * r;
            FireRing(game, big, b.x, b.y, n.ring, static_cast<float>(base + 6 * r));
        }
    }
    MovementLeg(game, t, p, 200, 201, 239);
}

// ------------------------------------- pattern 68: the walls' columns (card)
//
// Held full to t 99; at t 100 its own bar of 1200. From then:
//   every `every` frames: from `columns` points down each wall (x 12, 32,
//     52 and mirrored 436, 416, 396) a small bullet straight down at 0.5,
//     behaviour 119 (falls faster until its age 120, then flies off at 1.5
//     at an angle the bullet draws itself);
//   every 100 frames: a ring of `ring` small bullets at 1.5 from the boss,
//     one rand() % 12 for its offset;
//   a movement leg every 200 frames (p 100).
//            Easy  Normal  Hard  Lunatic
// every        12      8     6      5
// columns       1      2     3      3
// ring         20     30    30     36
struct Pattern68Numbers {
    int every, columns, ring;
};
constexpr Pattern68Numbers kPattern68[4] = {{12, 1, 20}, {8, 2, 30}, {6, 3, 30}, {5, 3, 36}};

void attack68(Game& game, int t) {
    Enemy& b = Boss(game);
    if (t == 100) {
        b.maxHp = 1200;
        b.hp = 1200;
    }
    const Pattern68Numbers& n = kPattern68[difficulty(game)];
    if (t % n.every == 0) {
        const BulletPlan drop{{0, 160, 16, 16, 16}, 0.5, 119};
        for (int c = 0; c < n.columns; ++c) {
            Fire(game, drop, static_cast<float>(12 + 20 * c), -8, 180);
            Fire(game, drop, static_cast<float>(436 - 20 * c), -8, 180);
        }
    }
    if (t % 100 == 0) {
        RequestSound(game, 1);
        MuzzleFlash(game, 96, b.x, b.y);
        const int base = game.rand() % 12;
        FireRing(game, BulletPlan{{0, 96, 32, 16, 16}, 1.5, 0}, b.x, b.y, n.ring, static_cast<float>(base));
    }
    MovementLeg(game, t, t % 200, 100, 101, 170);
}

// --------------------------------- pattern 69: twin spiral and large shots
//
// Held full to t 100 while it gathers. From then, every `every` frames two
// small bullets at 1.6 from the boss along two arms turning opposite ways
// (180 +- 3.3 t); every 90 frames an aimed fan of large bullets (texture 2,
// speed 2.5, 12 degrees apart). No rand() draws. Its end leaves the large
// falling item and the bomb item (the defeat's first frame).
//            Easy  Normal  Hard  Lunatic
// every         8      4     3      3
// fan           3      5     7      9
struct Pattern69Numbers {
    int every, fan;
};
constexpr Pattern69Numbers kPattern69[4] = {{8, 3}, {4, 5}, {3, 7}, {3, 9}};

void attack69(Game& game, int t) {
    const Enemy& b = Boss(game);
    const Pattern69Numbers& n = kPattern69[difficulty(game)];
    if (t % n.every == 0) {
        const BulletPlan arm{{0, 32, 48, 16, 16}, 1.6, 0};
        const double turn = 3.3 * t;
        Fire(game, arm, b.x, b.y, static_cast<float>(180 + turn));
        Fire(game, arm, b.x, b.y, static_cast<float>(180 - turn));
    }
    if (t % 90 == 0) {
        RequestSound(game, 0);
        MuzzleFlash(game, 128, b.x, b.y);
        FireAimedFan(game, BulletPlan{{2, 128, 32, 32, 32}, 2.5, 0}, b.x, b.y, n.fan / 2, 12);
    }
}

// The defeat's first frame: a large item-shaped bullet sinks from below the
// boss, and a bomb item is left above it.
void leaveItems(Game& game, int t) {
    if (t != -299) return;
    const Enemy& b = Boss(game);
    SpawnEnemyBullet(game, {3, 80, 96, 16, 16}, b.x, b.y + 48, 3, 3, 180, 0.31f, 0, 116, 255);
    SpawnItem(game, {1, 80, 208, 16, 16}, b.x, b.y - 48, 0, 10);
}

// ------------------------------------------------------------ the rows

constexpr OpeningPlan kOpening67{.holdFrom = 0, .holdTo = 100, .chargeFrom = 70, .chargeTo = 95};
constexpr OpeningPlan kCardOpening68{
    .holdFrom = 0, .holdTo = 99, .chargeFrom = 40, .chargeTo = 70, .attackAfter = 99, .castPoseTo = 70};
constexpr OpeningPlan kCardOpening69{
    .holdFrom = 0, .holdTo = 100, .chargeFrom = 40, .chargeTo = 70, .attackAfter = 100, .castPoseTo = 70};
constexpr PatternEndPlan kEnd{.restPose = true};
constexpr PatternEndPlan kLastEnd{.chargeSound = true, .restPose = true};
constexpr DefeatPlan kDefeat{.endAt = -230, .after = AfterDefeat::ResumeStage, .during = leaveItems};

constexpr PatternRow kRows[] = {
    {.id = 67, .endMaxHp = 4000, .next = 68, .limit = 1200, .opening = kOpening67, .end = kEnd,
     .attack = attack67},
    {.id = 68, .endMaxHp = 1200, .next = 69, .limit = 1200, .spell = true, .opening = kCardOpening68, .end = kEnd,
     .attack = attack68},
    {.id = 69, .spell = true, .opening = kCardOpening69, .end = kLastEnd, .interlude = InterludeKind::Defeat,
     .defeat = &kDefeat, .attack = attack69},
};

}  // namespace

std::span<const PatternRow> Stage7MidBoss1Rows() { return kRows; }

}  // namespace korvid
