// The hidden boss (its own sheet in texture 38, 64 x 96), from stage frame
// 9000 in the tunnel, when card 60 ended with the route flag set. The whole
// screen is the field; it rests at (320, 130) and drifts about it.
//
//   62 (attack: ghosting, whirling streams) -> 63 (card: falling lasers from
//   two moving points, accelerating rings) -> 64 (attack: turning streams,
//   two or four familiars of type 63) -> 65 (card: laser emitters in three
//   directions, turning rings) -> 66 (card: columns of light straight down;
//   no harm from bombs) -> the stage clears.
//
// t is the boss timer, c the position in a pattern's cycle, d the
// difficulty, (bx, by) the boss.
#include "bosses/Stage6Hidden.h"

#include <algorithm>
#include <cmath>

#include "game/Game.h"
#include "play/Enemies.h"
#include "play/PatternKit.h"

namespace korvid {

namespace {

int difficulty(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }

// Every pattern but 62 (which ghosts) and 66 (which guards against bombs)
// leaves the boss solid and hittable.
void solid(Game& game) {
    Enemy& b = Boss(game);
    b.noHit = 0;
    b.alpha = 255;
}

// --------------------------------- pattern 62: ghosting, whirling streams
//
// Opening: glides in from the far left to its resting place (t 1..100,
// held full). Cycle of 240 frames from t 100, position c:
//   c 0..59    ghosted: no shot or bomb hurts it (noHit), drawn at alpha
//              120; every W frames A bullets (texture 1 (0, 144), speed 2,
//              behaviour 106) leave it at 12c + 360k / A: they whirl for 30
//              frames, then dart at the ship (Normal) or 64 px above it
//   c 90, 110 (and 130 from Hard): a ring of P pairs (texture 1 (32, 144),
//              speed 1.5, behaviour 107): alpha 255 darts 80 px left of the
//              ship, 254 right of it, so the ship that holds still is
//              passed on both sides
//   c 170      B bullets (texture 1 (64, 144), behaviour 108) at
//              150 + r % 60, speed 3: they stop, then burst into two
//              45-way rings
//
//   difficulty   W  A   P   B
//   Easy         6  1   4   1
//   Normal       4  2   6   1
//   Hard         3  2   8   2
//   Lunatic      3  3   8   3
// rand() order: at c 170 one angle per burster, in firing order (then the
// bursters' own ring starts at their age 100).
struct Pattern62Numbers {
    int every, arms, pairs, bursters;
};
constexpr Pattern62Numbers kPattern62[4] = {{6, 1, 4, 1}, {4, 2, 6, 1}, {3, 2, 8, 2}, {3, 3, 8, 3}};
constexpr int kPattern62Start = 100;

void attack62(Game& game, int t) {
    Enemy& b = Boss(game);
    HiddenBossHover(game, t);
    if (t <= kPattern62Start) return;
    const Pattern62Numbers& n = kPattern62[difficulty(game)];
    const int d = difficulty(game);
    const int c = (t - kPattern62Start) % 240;
    const bool ghost = c < 60;
    b.noHit = ghost ? 1 : 0;
    b.alpha = ghost ? 120 : 255;
    if (ghost && c % n.every == 0) {
        RequestSound(game, 1);
        const BulletPlan whirl{{1, 0, 144, 32, 32}, 2, 106};
        FireArc(game, whirl, b.x, b.y, n.arms, static_cast<float>(12 * c), 360.0 / n.arms);
    }
    if (c == 90 || c == 110 || (c == 130 && d >= 2)) {
        RequestSound(game, 2);
        for (int i = 0; i < n.pairs; ++i) {
            const float angle = static_cast<float>(i * 360 / n.pairs + c);
            Fire(game, {{1, 32, 144, 32, 32}, 1.5, 107, 255}, b.x, b.y, angle);
            Fire(game, {{1, 32, 144, 32, 32}, 1.5, 107, 254}, b.x, b.y, angle + 180.0f / n.pairs);
        }
    }
    if (c == 170) {
        for (int i = 0; i < n.bursters; ++i) {
            const int r = game.rand();
            Fire(game, {{1, 64, 144, 32, 32}, 3, 108}, b.x, b.y, static_cast<float>(150 + r % 60));
        }
    }
}

// -------------- pattern 63 (card): falling lasers from two moving points
//
// Two points glide to and fro along the top of the field, mirrored:
// x = 320 +- 260 sin(t / 90), y 24. Every E frames each lets fall a laser
// (texture 4 (64, 0), width 1, behaviour 110, speed 1.5) at
// 180 +- 20 sin(t / 40): it drops ever faster and bends as it ages.
// Every R frames the boss fires a ring of N small bullets (texture 0
// (32, 112), speed 0.5, behaviour 109) that speed up to 5.
//
//   difficulty   E   R   N
//   Easy         6   60  12
//   Normal       5   45  16
//   Hard         4   36  20
//   Lunatic      3   30  24
// rand() order: the ring's start (r % 360), once per ring.
struct Pattern63Numbers {
    int laserEvery, ringEvery, ringCount;
};
constexpr Pattern63Numbers kPattern63[4] = {{6, 60, 12}, {5, 45, 16}, {4, 36, 20}, {3, 30, 24}};

void attack63(Game& game, int t) {
    solid(game);
    HiddenBossHover(game, t);
    const Enemy& b = Boss(game);
    const Pattern63Numbers& n = kPattern63[difficulty(game)];
    if (t % n.laserEvery == 0) {
        const double swing = 260 * std::sin(t / 90.0);
        const double bend = 20 * std::sin(t / 40.0);
        BulletPlan laser{{4, 64, 0, 16, 0}, 1.5, 110, 255, 0.55f};
        for (int side : {-1, 1}) {
            const float x = static_cast<float>(320 + side * swing);
            MuzzleFlash(game, 96, x, 24);
            Fire(game, laser, x, 24, static_cast<float>(180 + side * bend));
        }
    }
    if (t % n.ringEvery == 0) {
        RequestSound(game, 0);
        const int r = game.rand();
        FireRing(game, {{0, 32, 112, 16, 16}, 0.5, 109}, b.x, b.y, n.ringCount, static_cast<float>(r % 360));
    }
}

// ------------------- pattern 64: turning streams and the familiars (type 63)
//
// At t 60 F familiars (type 63, hp 300) leave the boss for their places at
// y 240 (alpha 254), spread across the field; they sway while this pattern
// runs and leave with it. From t 100, every S frames, A arms of bullets
// (texture 2 (32, 128), speed 2.2, behaviour 111) turn out of the boss at
// 2.5 t + 360k / A; every 320 frames each of them far from the ship sends a
// slow aimed shot. Every 2S frames each familiar fires one bullet (texture 0
// (96, 48), speed 1.8) turning the other way (-2.5 t).
//
//   difficulty   S  A  F   familiar places (x)
//   Easy         8  2  2   160, 480
//   Normal       6  3  2   160, 480
//   Hard         5  4  4   100, 240, 400, 540
//   Lunatic      4  4  4   100, 240, 400, 540
// No rand() draws.
struct Pattern64Numbers {
    int every, arms, familiars;
};
constexpr Pattern64Numbers kPattern64[4] = {{8, 2, 2}, {6, 3, 2}, {5, 4, 4}, {4, 4, 4}};
constexpr float kTwoPlaces[2] = {160, 480};
constexpr float kFourPlaces[4] = {100, 240, 400, 540};
constexpr int kFamiliarType = 63;

void sendFamiliars(Game& game, int count) {
    const Enemy& b = Boss(game);
    const float* places = count == 2 ? kTwoPlaces : kFourPlaces;
    for (int i = 0; i < count; ++i) {
        const int slot =
            SpawnEnemy(game, 38, 256, 0, 256, 256, b.x, b.y, 0.25f, 0.25f, 180, 0.71f, 0, kFamiliarType, 300, 254);
        if (slot >= 0) game.state.enemies.slot[slot].auxC = places[i];
    }
}

void attack64(Game& game, int t) {
    GameState& s = game.state;
    solid(game);
    HiddenBossHover(game, t);
    const Enemy& b = Boss(game);
    const Pattern64Numbers& n = kPattern64[difficulty(game)];
    if (t == 60) sendFamiliars(game, n.familiars);
    if (t < 100) return;
    if (t % n.every == 0) {
        const BulletPlan arm{{2, 32, 128, 32, 32}, 2.2, 111};
        FireArc(game, arm, b.x, b.y, n.arms, static_cast<float>(2.5 * t), 360.0 / n.arms);
    }
    if (t % (2 * n.every) == 0) {
        const BulletPlan shot{{0, 96, 48, 16, 16}, 1.8, 0};
        for (int i = 0; i < kEnemyCapacity; ++i) {
            if (i == kBossSlot || s.enemies.free[i] || s.enemies.slot[i].type != kFamiliarType) continue;
            const Enemy& e = s.enemies.slot[i];
            Fire(game, shot, e.x, e.y, static_cast<float>(-2.5 * t));
        }
    }
}

// The openings: 62 glides in held full; the cards gather a charge.
constexpr OpeningPlan kOpening62{.holdFrom = 0, .holdTo = kPattern62Start, .attackAfter = 0};
constexpr OpeningPlan kOpeningAttack{.holdFrom = 0, .holdTo = 60, .attackAfter = 0};
constexpr OpeningPlan kOpeningCard{.holdFrom = 0, .holdTo = 60, .chargeFrom = 0, .chargeTo = 60,
                                   .attackAfter = 0};
constexpr DefeatPlan kClearStage{.endAt = -230, .after = AfterDefeat::ClearStage};

constexpr PatternRow kRows[] = {
    {.id = 62, .endMaxHp = 3000, .next = 63, .limit = 6000, .opening = kOpening62, .attack = attack62},
    {.id = 63, .endMaxHp = 3200, .next = 64, .limit = 6000, .spell = true, .opening = kOpeningCard,
     .attack = attack63},
    {.id = 64, .endMaxHp = 2500, .next = 65, .limit = 6000, .opening = kOpeningAttack, .attack = attack64},
    {.id = 65, .endMaxHp = 3000, .next = 66, .limit = 12000, .spell = true, .opening = kOpeningCard,
     .attack = Attack65},
    {.id = 66, .spell = true, .opening = kOpeningCard, .interlude = InterludeKind::Defeat, .defeat = &kClearStage,
     .attack = Attack66},
};

constexpr BossBulletEntry kBullets[] = {{112, LaserEmitter112}};

}  // namespace

// Toward a point that wanders about the resting place, 5% of the way a
// frame: from wherever the boss is (its entry far to the left, the end of an
// interlude) it eases in without a jump.
void HiddenBossHover(Game& game, int t) {
    Enemy& b = Boss(game);
    const double tx = kStage6HiddenParams.homeX + 90 * std::sin(t / 120.0);
    const double ty = kStage6HiddenParams.homeY + 20 * std::sin(t / 60.0);
    b.speed = 0;
    b.x = static_cast<float>(b.x + (tx - b.x) * 0.05);
    b.y = static_cast<float>(b.y + (ty - b.y) * 0.05);
}

std::span<const PatternRow> Stage6HiddenBossRows() { return kRows; }
std::span<const BossBulletEntry> Stage6HiddenBossBullets() { return kBullets; }

}  // namespace korvid
