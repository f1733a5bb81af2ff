// The extra boss's first eight patterns (72..79 and 80, which shares 78's
// function). t is the boss timer (attacks run from 61), c a position in a
// pattern's cycle counted from 61, d the difficulty (the extra stage plays
// at 3; the tables keep a row for each), (x, y) the boss.
#include <algorithm>
#include <cstdlib>

#include "bosses/BossSkeleton.h"
#include "bosses/ExtraBossAttacks.h"
#include "game/Game.h"
#include "play/Geometry.h"
#include "play/Enemies.h"
#include "play/PatternKit.h"

namespace korvid {

namespace {

int difficulty(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }

BulletPlan small(int column, int row, double speed, int behavior = 0) {
    return BulletPlan{{0, column, row, 16, 16}, speed, behavior};
}
BulletPlan large(int column, int row, double speed, int behavior = 0) {
    return BulletPlan{{2, column, row, 32, 32}, speed, behavior};
}

}  // namespace

// ------------------------------------------ 72, 74, 76: muzzle streams
//
// Cycle of 320, c = (t - 61) % 320.
//   c 0 and 230   a movement leg (one rand() each).
//   c 100..220, every 15: from three muzzles m (the left hand (x - 32,
//                 y + 8), the right hand (x + 32, y + 8), below (x, y + 40))
//                 an aimed stream: `len` arrows one behind the other
//                 (speeds 2.4 + 0.35 k), fanned `fan` lines either side of
//                 the aim, 9 degrees apart (texture 0 cell (32 + 64 m, 128));
//                 each is tagged with its muzzle (work = m + 1).
//   every 40      a ring of `ring` slow balls (cell (96, 32), speed 1.2),
//                 its start turning 7 degrees a ring.
// Numbers by density (72: 0; 74 and 76: 1) and difficulty: stream length,
// fan half-width, ring.
struct StreamNumbers {
    int len, fan, ring;
};
constexpr StreamNumbers kStreams[2][4] = {
    {{3, 0, 10}, {3, 0, 14}, {4, 0, 18}, {4, 1, 20}},
    {{4, 1, 12}, {4, 1, 16}, {5, 1, 20}, {5, 1, 24}},
};

void MuzzleStreams(Game& game, int t, int density) {
    const Enemy& b = Boss(game);
    const StreamNumbers& n = kStreams[std::clamp(density, 0, 1)][difficulty(game)];
    const int c = (t - 61) % 320;
    MovementLeg(game, t, c, 0, 1, 70);
    MovementLeg(game, t, c, 230, 231, 300);
    if (c >= 100 && c <= 220 && c % 15 == 10) {
        const float mx[3] = {b.x - 32, b.x + 32, b.x};
        const float my[3] = {b.y + 8, b.y + 8, b.y + 40};
        for (int m = 0; m < 3; ++m) {
            MuzzleFlash(game, 32 + 64 * (m % 2), mx[m], my[m]);
            for (int j = -n.fan; j <= n.fan; ++j) {
                for (int k = 0; k < n.len; ++k) {
                    BulletPlan arrow = small(32 + 64 * m, 128, 2.4 + 0.35 * k);
                    if (EnemyBullet* e = JustFired(game, FireAimed(game, arrow, mx[m], my[m], 9.0f * j)))
                        e->work = static_cast<float>(m + 1);
                }
            }
        }
    }
    if ((t - 61) % 40 == 0) {
        const float base = static_cast<float>((7 * ((t - 61) / 40)) % 360);
        FireRing(game, small(96, 32, 1.2), b.x, b.y, n.ring, base);
    }
}

// ------------------------------------------- 73: slow tagged spirals
//
// Every 6 frames two spirals of slow stars (cell (64, 48), speed 1.1,
// kind 52) leave the boss: `arms` bullets at base + k * 360 / arms with
// base = 11 (t / 6), and `arms` more at -base, those tagged alpha 254 (a
// shade paler). Every 120 frames on Normal and up an aimed fan of five
// large balls (texture 2 cell (64, 32), speed 2.2, 14 degrees apart).
// No rand() draws; the boss stays home.
constexpr int kSpiralArms[4] = {3, 4, 5, 6};

void SlowTaggedSpirals(Game& game, int t, int) {
    const Enemy& b = Boss(game);
    const int d = difficulty(game);
    if (t % 6 == 0) {
        const float base = static_cast<float>((11 * (t / 6)) % 360);
        BulletPlan star = small(64, 48, 1.1, 52);
        FireRing(game, star, b.x, b.y, kSpiralArms[d], base);
        star.alpha = 254;
        FireRing(game, star, b.x, b.y, kSpiralArms[d], -base);
    }
    if (d >= 1 && (t - 61) % 120 == 60) FireAimedFan(game, large(64, 32, 2.2), b.x, b.y, 2, 14);
}

// --------------------------------------------- 75: laser pairs and benders
//
// Cycle of 150, c = (t - 61) % 150.
//   c 0           a movement leg (one rand()).
//   c 30..60, every 10: a pair of thin lasers (texture 4 column 96, speed 7,
//                 width 1.5) from (x - 48, y) and (x + 48, y) aimed at the
//                 ship (60 - c) / 2 degrees outside it, closing in.
//   every 24      `benders` tagged lasers (kind 121: when the tip of their
//                 128-pixel arm passes x 24 or 424 they go straight and
//                 throw a mirrored laser back): texture 4 cell (208, 0, 16,
//                 10), width 0.99, speed 2.5, to the right at 60 + r % 60
//                 or to the left at 240 + r % 60 in turn (one rand() each,
//                 in spawn order).
constexpr int kBenders[4] = {2, 2, 3, 4};

void LaserPairs(Game& game, int t, int) {
    const Enemy& b = Boss(game);
    const int c = (t - 61) % 150;
    MovementLeg(game, t, c, 0, 1, 70);
    if (c >= 30 && c <= 60 && c % 10 == 0) {
        BulletPlan laser{{4, 96, 0, 16, 0}, 7, 0};
        laser.scaleX = 1.5f;
        laser.z = 0.55f;
        const float spread = (60.0f - static_cast<float>(c)) / 2;
        FireAimed(game, laser, b.x - 48, b.y, -spread);
        FireAimed(game, laser, b.x + 48, b.y, spread);
    }
    if ((t - 61) % 24 == 0) {
        BulletPlan bender{{4, 208, 0, 16, 10}, 2.5, 121};
        bender.scaleX = 0.99f;
        bender.z = 0.55f;
        for (int i = 0; i < kBenders[difficulty(game)]; ++i) {
            const int r = game.rand();
            const int angle = i % 2 == 0 ? 60 + r % 60 : 240 + r % 60;
            Fire(game, bender, b.x, b.y, static_cast<float>(angle));
        }
    }
}

// ------------------------------------- 77: two companions, rings, streams
//
// t 61: two companions (type 72; texture 34 cell (0, 167, 25, 25), scale
//       1.6, never hittable) at (x - 80, y + 16) and (x + 80, y + 16); they
//       aim and fire fast streams in opposite phases (their type's rule).
// Every 60 frames: a ring of `ring` large balls (texture 2 cell (0, 32),
//       speed 1.4) from the boss, its start rand() % 360 (one rand()).
// Every 60 frames, 30 after the ring: a fast aimed line of five needles
//       (cell (160, 144), speeds 4..6) from the boss.
// The boss stays home (the companions aim from where they were put).
constexpr int kCompanionRing[4] = {16, 20, 24, 28};

void CompanionRings(Game& game, int t, int) {
    const Enemy& b = Boss(game);
    if (t == 61) {
        for (int side = 0; side < 2; ++side) {
            const float x = b.x + (side == 0 ? -80.0f : 80.0f);
            const int slot = SpawnEnemy(game, 34, 0, 167, 25, 25, x, b.y + 16, 1.6f, 1.6f, 0, 0.7f, 0, 72, 1, 255);
            if (slot >= 0) game.state.enemies.slot[slot].auxB = static_cast<float>(side);
        }
    }
    const int c = (t - 61) % 60;
    if (c == 0) {
        const int start = game.rand() % 360;
        FireRing(game, large(0, 32, 1.4), b.x, b.y, kCompanionRing[difficulty(game)], static_cast<float>(start));
    }
    if (c == 30) {
        for (int k = 0; k < 5; ++k) FireAimed(game, small(160, 144, 4 + 0.5 * k), b.x, b.y + 20, 0);
    }
}

// -------------------------------- 78, 80, 82: sprays and tagged bullets
//
// Every 5 frames a spray of `spray` rings (cell (160, 96), speed 1.8) at
// random angles from a centre near the boss (DrawSprayCentre: x then y,
// then one rand() per bullet). The mix adds tagged volleys:
//   bit 1 (78, 82), every 36 frames: a ring of `turners` scales (kind 123:
//         they turn 1.5 degrees a frame for 100 frames; cell (96, 112),
//         speed 1.6), all turning right (alpha 255) or all left (254) by
//         turns, its start t % 360.
//   bit 2 (80, 82), every 50 frames: a ring of `snipers` rice (kind 126:
//         they spurt out, stop, and at 60 frames take aim give or take 3
//         degrees and fly at 5; cell (32, 64)), start 45 degrees.
// A movement leg every 200 frames (one rand()).
struct SprayNumbers {
    int spray, turners, snipers;
};
constexpr SprayNumbers kSprays[4] = {{1, 8, 4}, {2, 10, 6}, {2, 12, 8}, {3, 14, 8}};

void SpraysAndTags(Game& game, int t, int mix) {
    const Enemy& b = Boss(game);
    const SprayNumbers& n = kSprays[difficulty(game)];
    const int c = (t - 61) % 200;
    MovementLeg(game, t, c, 0, 1, 70);
    if (t % 5 == 0) {
        const Point p = DrawSprayCentre(game, b.x, b.y);
        FireRandomSpray(game, small(160, 96, 1.8), p.x, p.y, n.spray);
    }
    if ((mix & 1) && (t - 61) % 36 == 0) {
        BulletPlan turner = small(96, 112, 1.6, 123);
        turner.alpha = ((t - 61) / 36) % 2 == 0 ? 255 : 254;
        FireRing(game, turner, b.x, b.y, n.turners, static_cast<float>(t % 360));
    }
    if ((mix & 2) && (t - 61) % 50 == 25) FireRing(game, small(32, 64, 0, 126), b.x, b.y, n.snipers, 45);
}

// ---------------------------------------------- 79: effects only
//
// The boss fires nothing itself. Every 45 frames a star of `runners`
// runners (effect 44: 6 pixels a frame along its heading, dropping small
// bullets to both sides every 4 frames) leaves the boss at base + k * 360
// / runners, base = rand() % 360 (one rand()). Every 90 frames, between
// the stars, two runners from the top corners (0, 0) and (448, 0) head
// for the ship. A movement leg every 180 frames (one rand(), before the
// star's when both fall on one frame).
constexpr int kRunners[4] = {3, 4, 5, 6};

void RunnerEffects(Game& game, int t, int) {
    GameState& s = game.state;
    const Enemy& b = Boss(game);
    const int c = (t - 61) % 180;
    MovementLeg(game, t, c, 0, 1, 70);
    const TexRect runner{0, 32, 208, 32, 32};
    const EffectColour white{255, 255, 255, 255};
    if ((t - 61) % 45 == 0) {
        const int base = game.rand() % 360;
        const int n = kRunners[difficulty(game)];
        for (int k = 0; k < n; ++k) {
            const float angle = static_cast<float>(base + k * 360 / n);
            SpawnEffect(game, runner, b.x, b.y, 1, 1, angle, 0.6f, 44, white, 2, 0);
        }
    }
    if ((t - 61) % 90 == 67) {
        for (float x : {0.0f, 448.0f}) {
            const float angle = static_cast<float>(BearingTo(x, 0, s.playerX, s.playerY, 0));
            SpawnEffect(game, runner, x, 0, 1, 1, angle, 0.6f, 44, white, 2, 0);
        }
    }
}

}  // namespace korvid
