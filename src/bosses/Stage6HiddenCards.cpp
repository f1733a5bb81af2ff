// The hidden boss's last two cards: 65 (laser emitters in three directions,
// behaviour 112, and turning rings) and 66 (columns of light straight down
// whose width grows; bombs do it no harm).
#include <algorithm>
#include <cmath>

#include "bosses/Stage6Hidden.h"
#include "game/Game.h"
#include "play/BulletKit.h"
#include "play/PatternKit.h"

namespace korvid {

namespace {

int difficulty(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }

// A laser segment: texture 4 (64, 0), lengthened as it flies; a negative
// behaviour makes the thin warning line harmless.
BulletPlan beam(double width, bool harmful) {
    BulletPlan b{{4, 64, 0, 16, 0}, 34, harmful ? 0 : -1, 255, 0.61f};
    b.scaleX = static_cast<float>(width);
    return b;
}

// Widest beam of the emitters of 65, by difficulty.
constexpr double kEmitterWidth[4] = {1.0, 1.3, 1.55, 1.8};
constexpr int kEmitterLife = 100 + 2 * 290;

}  // namespace

// ------------------------------------ behaviour 112: a boss laser emitter
//
// A large bullet that brakes (speed -0.075 a frame over ages 40..79), then
// from age 100 runs 290-frame cycles, p = (age - 100) % 290:
//   p 0        its beam's bearing (work) turns 4 degrees: clockwise for
//              alpha 255, the other way otherwise
//   p 0..59    a thin warning line (width 0.15, harmless)
//   p 60..99   the beam widens to the difficulty's width (above)
//   p 100..219 full width
//   p 220..259 it narrows back
//   p 260..289 nothing
// Each frame of p 0..259 it sends one marked segment along work at speed
// 34 (texture 4 (64, 0), z 0.61). Two cycles, then it is gone. No rand().
void LaserEmitter112(Game& game, int slot) {
    EnemyBullet& b = bullet::At(game, slot);
    if (b.age >= 40 && b.age <= 79) bullet::AddSpeed(b, -0.075);
    if (b.age >= kEmitterLife) {
        bullet::Free(game, slot);
        return;
    }
    if (b.age < 100) return;
    const int p = (b.age - 100) % 290;
    if (p == 0) b.work = static_cast<float>(b.work + (b.alpha == 255 ? 4 : -4));
    if (p >= 260) return;
    const double full = kEmitterWidth[difficulty(game)];
    double width = full;
    if (p < 60) width = 0.15;
    else if (p < 100) width = 0.15 + (full - 0.15) * (p - 60) / 40.0;
    else if (p >= 220) width = full - (full - 0.15) * (p - 220) / 40.0;
    const float x = b.x, y = b.y, angle = b.work;
    if (EnemyBullet* segment = JustFired(game, Fire(game, beam(width, p >= 60), x, y, angle))) segment->marked = 1;
}

// ------------------------------- pattern 65 (card): emitters and rings
//
// Cycle of 700 frames from t 60, position c:
//   c 0    three emitters (behaviour 112, texture 1 (0, 144), scale 1.5,
//          speed 3) at 180 and 180 +- 55 degrees; each aims its beam along
//          its own launch bearing; the middle one (alpha 255) turns its
//          beam clockwise a cycle, the side ones (alpha 254) the other way
//   every F frames a ring of N small bullets (texture 0 (64, 96), speed
//          1.4, behaviour 113) that fly straight until the card has run
//          780 frames, then curl (alpha 255 and 254 in turn: clockwise or
//          not)
//
//   difficulty   F   N
//   Easy         50  10
//   Normal       40  14
//   Hard         32  18
//   Lunatic      28  22
// rand() order: each ring's start (r % 360).
struct Pattern65Numbers {
    int ringEvery, ringCount;
};
constexpr Pattern65Numbers kPattern65[4] = {{50, 10}, {40, 14}, {32, 18}, {28, 22}};

void Attack65(Game& game, int t) {
    Enemy& boss = Boss(game);
    boss.noHit = 0;
    boss.alpha = 255;
    HiddenBossHover(game, t);
    if (t < 60) return;
    const Pattern65Numbers& n = kPattern65[difficulty(game)];
    const int c = (t - 60) % 700;
    if (c == 0) {
        RequestSound(game, 22);
        for (int k = -1; k <= 1; ++k) {
            BulletPlan emitter{{1, 0, 144, 32, 32}, 3, 112, k == 0 ? 255 : 254, 0.62f};
            emitter.scaleX = emitter.scaleY = 1.5f;
            const float angle = static_cast<float>(180 + 55 * k);
            if (EnemyBullet* e = JustFired(game, Fire(game, emitter, boss.x, boss.y, angle))) e->work = angle;
        }
    }
    if (t % n.ringEvery == 0) {
        RequestSound(game, 0);
        const int r = game.rand();
        const int tag = (t / n.ringEvery) % 2 == 0 ? 255 : 254;
        FireRing(game, {{0, 64, 96, 16, 16}, 1.4, 113, tag}, boss.x, boss.y, n.ringCount,
                 static_cast<float>(r % 360));
    }
}

// -------------------------- pattern 66 (card): columns of light straight down
//
// No shot or bomb hurts the boss while a bomb is in progress: it is made
// unhittable for the bomb's frames, and the hit points it had when the bomb
// began are given back should anything slip through on the bomb's first
// frame. (Its bonus is paid in 64 bits: its base is ten thousand million
// per unit.)
// Cycle of 150 frames from t 60, position c:
//   c 0        K columns are chosen, x = 40 + r % 560 each, in order
//   c 0..39    a thin warning line down each column (harmless)
//   c 40..119  the beam down each column grows by G in width a frame
//   c 120..149 nothing
//   every 45 frames an aimed fan of 2m + 1 (texture 2 (96, 96), speed 2.5,
//              8 degrees apart) from the boss
//
//   difficulty   K  G      m
//   Easy         3  0.020  1
//   Normal       4  0.025  2
//   Hard         5  0.030  2
//   Lunatic      6  0.035  3
// rand() order: the K columns' x at c 0, in order.
struct Pattern66Numbers {
    int columns;
    double grow;
    int fanHalf;
};
constexpr Pattern66Numbers kPattern66[4] = {{3, 0.020, 1}, {4, 0.025, 2}, {5, 0.030, 2}, {6, 0.035, 3}};
constexpr int kColumnVar = 10;  // bossVarArr[10..15]: the columns' x
constexpr int kHpBeforeBomb = 16;  // bossVarArr[16]

void guardAgainstBombs(Game& game) {
    GameState& s = game.state;
    Enemy& b = Boss(game);
    float& kept = s.bossVarArr[kHpBeforeBomb];
    b.alpha = 255;
    b.noHit = s.bombActive ? 1 : 0;
    if (!s.bombActive) {
        kept = b.hp;
    } else if (b.hp < kept) {
        b.hp = kept;
    }
}

void Attack66(Game& game, int t) {
    GameState& s = game.state;
    guardAgainstBombs(game);
    HiddenBossHover(game, t);
    if (t < 60) return;
    const Pattern66Numbers& n = kPattern66[difficulty(game)];
    const int c = (t - 60) % 150;
    if (c == 0) {
        RequestSound(game, 22);
        for (int k = 0; k < n.columns; ++k) {
            const int r = game.rand();
            s.bossVarArr[kColumnVar + k] = static_cast<float>(40 + r % 560);
        }
    }
    if (c < 120) {
        const bool harmful = c >= 40;
        const double width = harmful ? 0.1 + (c - 40) * n.grow : 0.1;
        for (int k = 0; k < n.columns; ++k) Fire(game, beam(width, harmful), s.bossVarArr[kColumnVar + k], 0, 180);
    }
    if (t % 45 == 0) {
        const Enemy& b = Boss(game);
        FireAimedFan(game, {{2, 96, 96, 32, 32}, 2.5, 0}, b.x, b.y, n.fanHalf, 8);
    }
}

}  // namespace korvid
