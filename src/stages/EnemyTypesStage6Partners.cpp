// The stage-6 boss's two partners of card 59, who leave as its bar falls:
// 61 at 0.13 of the bar, 62 at 0.07 (the same fractions at which the card's
// waiting rings are let go). Card 59 spawns them on its frame 60, 61 to the
// boss's left and 62 to its right. While they stay they cannot be hurt;
// leaving, they can. Once the boss is on another card they are freed.
// t is the partner's timer, d the difficulty (0..2).
#include <algorithm>
#include <cmath>

#include "game/Game.h"
#include "play/Geometry.h"
#include "play/PatternKit.h"

namespace korvid {

namespace {

constexpr int kPartnerCard = 59;

int difficulty(const Game& game) { return std::clamp(game.state.difficulty, 0, 2); }

const Enemy& boss(const Game& game) { return game.state.enemies.slot[kBossSlot]; }

// The boss's bar at or below `share` of its length.
bool barAtOrBelow(const Game& game, double share) {
    const Enemy& b = boss(game);
    return b.hp <= b.maxHp * share;
}

// Freed once their card is over, or when they have flown off the top.
bool partnerGone(Game& game, int slot) {
    const GameState& s = game.state;
    const Enemy& e = s.enemies.slot[slot];
    const bool cardOver = s.bossActive && (s.bossPattern() != kPartnerCard || boss(game).timer < 0);
    if (cardOver || (!s.bossActive && e.timer > 1) || e.y < -96) {
        game.state.enemies.free[slot] = 1;
        return true;
    }
    return false;
}

// The partner's cell follows the boss's clock: four poses of 64 x 96.
void animate(Game& game, Enemy& e) {
    const int column = (game.state.bossTimer() % 64 + 64) % 64 / 16;
    e.texX = 64 * column;
    sprite::SetTextureRect(e.sprite, static_cast<float>(e.texX), static_cast<float>(e.texY),
                           static_cast<float>(e.texW), static_cast<float>(e.texH));
}

// Leaving: hittable, flying up at `speed`.
void leave(Enemy& e, float speed) {
    e.noHit = 0;
    e.angle = 0;
    e.speed = speed;
}

}  // namespace

// --- type 61: the left partner ---
//
// Sways 2 pixels over a 120-frame cycle where it was set down. From boss
// frame 130, every 90 frames, it fires in turn a ring of 4d + 4 (texture 0
// (64, 48), speed 1.2, kind 8: it pulses out and fades in) from a random
// start (one rand()), and an aimed spread of 2d + 3 (texture 0 (64, 96),
// speed 2, 12 degrees apart). Leaves at 2.5 once the bar is at 0.13.
void Stage6Partner61(Game& game, int slot) {
    if (partnerGone(game, slot)) return;
    Enemy& e = game.state.enemies.slot[slot];
    animate(game, e);
    if (barAtOrBelow(game, 0.13)) {
        leave(e, 2.5f);
        return;
    }
    e.noHit = 1;
    e.speed = 0;
    e.x = static_cast<float>(e.x + std::sin(e.timer / 19.1) * 0.1);
    const int t = game.state.bossTimer();
    const int d = difficulty(game);
    if (t < 130 || (t - 130) % 90 != 0) return;
    if ((t - 130) / 90 % 2 == 0) {
        const int start = game.rand() % 360;
        const BulletPlan ring{{0, 64, 48, 16, 16}, 1.2, 8};
        FireRing(game, ring, e.x, e.y, 4 * d + 4, static_cast<float>(start));
    } else {
        const BulletPlan spread{{0, 64, 96, 16, 16}, 2, 0};
        FireAimedSpread(game, spread, e.x, e.y, -(d + 1), d + 1, 12);
    }
}

// --- type 62: the right partner ---
//
// Waits beside the boss while the bar is above 0.13. Between 0.13 and 0.125
// it drains the boss by 0.2 a frame (it hands the fight over to itself).
// Below 0.125 it circles (224, 160) at radius 95, 1.2 degrees a frame
// (auxC keeps its bearing), firing every 10 (Hard 9) boss frames 2 (Hard 3)
// bullets (texture 0 (128, 48), speed 2) at the ship, 15 degrees apart
// (the pair either side of it, the three centred on it). Leaves at 3.5 once the bar is at 0.07.
void Stage6Partner62(Game& game, int slot) {
    if (partnerGone(game, slot)) return;
    GameState& s = game.state;
    Enemy& e = s.enemies.slot[slot];
    animate(game, e);
    if (barAtOrBelow(game, 0.07)) {
        leave(e, 3.5f);
        return;
    }
    e.noHit = 1;
    e.speed = 0;
    if (!barAtOrBelow(game, 0.13)) {
        e.auxC = static_cast<float>(BearingTo(224, 160, e.x, e.y, 0));
        return;
    }
    if (!barAtOrBelow(game, 0.125)) {
        Enemy& b = s.enemies.slot[kBossSlot];
        b.hp = static_cast<float>(b.hp - 0.2);
    }
    e.auxC = static_cast<float>(e.auxC + 1.2);
    e.x = static_cast<float>(224 + 95 * DirX(e.auxC));
    e.y = static_cast<float>(160 + 95 * DirY(e.auxC));
    const bool hard = s.difficulty >= 2;
    const int t = s.bossTimer();
    if (t % (hard ? 9 : 10) != 0) return;
    const BulletPlan aimed{{0, 128, 48, 16, 16}, 2, 0};
    if (hard) {
        FireAimedSpread(game, aimed, e.x, e.y, -1, 1, 15);
    } else {
        FireAimed(game, aimed, e.x, e.y, -7.5f);
        FireAimed(game, aimed, e.x, e.y, 7.5f);
    }
}

}  // namespace korvid
