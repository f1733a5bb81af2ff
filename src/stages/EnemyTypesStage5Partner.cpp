// The stage-5 boss's partner (type 35), in enemy slot 0 from the end of
// pattern 40 to the end of the fight. Its hit points never go below the
// floor (Stage5.h): at the floor it waits, unhittable, until the fight's
// pattern ends. The boss's patterns say which of the two can be hurt; the
// partner moves and fires by the boss's pattern and clock.
//
//   40 (its interlude): drifts down from (224, 0) to y 96.
//   41..44: sways across the top, 224 +- 150 (a 360-frame swing), at y 96;
//   it fires from boss timer 60 while it has hit points of its own:
//     41  every 90 frames (45 after the boss's) an aimed fan of 5 + 2d,
//         10 degrees apart, speed 2.4
//     42  every 60 frames a column of large bullets straight down, 3 + d
//         at speeds 1.6 + 0.4 k
//     43  every 8 frames a pair from a point circling it at radius 40
//         (6 degrees a frame), along the radius both ways, speed 2
//     44  every 40 frames a ring of 12 + 6d at a random base (one rand()),
//         speed 1.5
#include <algorithm>
#include <cmath>

#include "game/Game.h"
#include "play/PatternKit.h"
#include "stages/Stage5.h"

namespace korvid {

namespace {

void fire(Game& game, Enemy& e, int id, int t, int d) {
    if (t < 60 || e.hp <= kPartnerFloor) return;
    if (id == 41 && t % 90 == 45) {
        MuzzleFlash(game, 32, e.x, e.y);
        FireAimedFan(game, {{0, 32, 96, 16, 16}, 2.4, 0}, e.x, e.y, 2 + d, 10);
    } else if (id == 42 && t % 60 == 0) {
        BulletPlan big{{1, 64, 0, 32, 32}, 1.6, 0};
        for (int k = 0; k < 3 + d; ++k) {
            big.speed = 1.6 + 0.4 * k;
            Fire(game, big, e.x, e.y, 180);
        }
    } else if (id == 43 && t % 8 == 0) {
        const double a = 6.0 * t;
        const float x = static_cast<float>(e.x + 40 * std::sin(a / 57.3));
        const float y = static_cast<float>(e.y - 40 * std::cos(a / 57.3));
        const BulletPlan b{{0, 128, 64, 16, 16}, 2, 0};
        Fire(game, b, x, y, static_cast<float>(a));
        Fire(game, b, x, y, static_cast<float>(a + 180));
    } else if (id == 44 && t % 40 == 0) {
        const int base = game.rand() % 30;
        FireRing(game, {{0, 160, 48, 16, 16}, 1.5, 0}, e.x, e.y, 12 + 6 * d, static_cast<float>(base));
    }
}

}  // namespace

void Stage5Partner(Game& game, int slot) {
    GameState& s = game.state;
    Enemy& e = s.enemies.slot[slot];
    const Enemy& boss = s.enemies.slot[kBossSlot];
    const int id = boss.type;
    if (!s.bossActive || id < 40 || id > 44 || s.enemies.free[kBossSlot]) {
        s.enemies.free[slot] = 1;
        return;
    }
    if (e.hp <= kPartnerFloor) {
        e.hp = kPartnerFloor;
        e.noHit = 1;
    }
    e.speed = 0;
    if (id == 40) {
        if (e.y < 96) e.y += 1.5f;
        return;
    }
    const int t = boss.timer;
    e.x = static_cast<float>(224 + 150 * std::sin(e.timer / 57.3));
    if (e.y < 96) e.y += 1.5f;
    fire(game, e, id, t, std::clamp(s.difficulty, 0, 3));
}

}  // namespace korvid
