// The stage-6 boss's familiars: the orbiters of card 47 (43), the lanterns
// of card 48 (44) and the great orbs of card 49 (45). Each goes with its
// card: once the boss is on another card, or its bar has fallen to the
// card's end, it is freed. t is the familiar's timer after this frame's
// tick, d the difficulty (0..3).
#include <algorithm>
#include <cmath>

#include "game/Game.h"
#include "play/Collisions.h"
#include "play/Geometry.h"
#include "play/PatternKit.h"

namespace korvid {

namespace {

int difficultyRow(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }

const Enemy& boss(const Game& game) { return game.state.enemies.slot[kBossSlot]; }

// True once the familiar's card is over: the boss on another card, or its
// bar at or below `endsAt`. Without a boss a familiar only waits (nothing
// culls these types off screen; the stage's end clears them).
bool cardOver(const Game& game, int card, double endsAt) {
    const GameState& s = game.state;
    const Enemy& b = boss(game);
    return s.bossActive && (s.bossPattern() != card || b.timer < 0 || b.hp <= endsAt * b.maxHp);
}

bool near(const GameState& s, const Enemy& e, double radius) {
    const double dx = s.playerX - e.x, dy = s.playerY - e.y;
    return dx * dx + dy * dy <= radius * radius;
}

void release(Game& game, int slot) { game.state.enemies.free[slot] = 1; }

}  // namespace

// --- type 43: card 47's orbiters ---
//
// They leave the boss along their heading at speed 3, slowing to a stop by
// t 60 (about 90 pixels out), then circle the boss at that radius, 0.8
// degrees a frame; auxC keeps the bearing from the boss. Each fires along
// its bearing from the boss, turning with it, every 10/7/5/4 frames, and a
// slow aimed pair every 60 frames. Freed when the bar falls to 0.6 (the
// card's end) or the card ends otherwise.
constexpr int kOrbiterEvery[4] = {10, 7, 5, 4};
void Stage6Familiar43(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const int t = e.timer, d = difficultyRow(game);
    if (cardOver(game, 47, 0.6)) {
        release(game, slot);
        return;
    }
    if (!game.state.bossActive) return;
    const Enemy& b = boss(game);
    if (t == 1) {
        e.auxC = e.angle;
        e.auxA = 0;
    }
    if (t <= 60) {
        e.auxA = static_cast<float>(e.auxA + 3.0 * (60 - t) / 60.0 * 1.0);
    } else {
        e.auxC = static_cast<float>(e.auxC + 0.8);
    }
    e.speed = 0;
    e.x = static_cast<float>(b.x + DirX(e.auxC) * e.auxA);
    e.y = static_cast<float>(b.y + DirY(e.auxC) * e.auxA);
    if (t > 60 && t % kOrbiterEvery[d] == 0) {
        const BulletPlan spoke{{0, 32 * (slot % 4 + 1), 48, 16, 16}, 2, 0, 255, 0.31f};
        Fire(game, spoke, e.x, e.y, e.auxC);
    }
    if (t > 60 && t % 60 == 0) {
        const BulletPlan pair{{2, 96, 32, 32, 32}, 1.6, 0};
        FireAimedSpread(game, pair, e.x, e.y, -1, 1, 20);
    }
}

// --- type 44: card 48's lanterns ---
//
// Fall from the top. A lantern spawned below alpha 255 burns down (0.5 hp a
// frame) and brightens 1 a frame; one at 255 lasts until shot. It hurts the
// ship by itself within 20 pixels of its centre (times its scale), and eats
// every enemy bullet within 40 pixels (they fade away): the lanterns clear
// lanes through the card's streams. Freed below the field or when the card
// ends.
void Stage6Familiar44(Game& game, int slot) {
    GameState& s = game.state;
    Enemy& e = s.enemies.slot[slot];
    if (cardOver(game, 48, 0.4) || e.y > 520) {
        release(game, slot);
        return;
    }
    if (e.alpha < 255) {
        e.hp = static_cast<float>(e.hp - 0.5);
        e.alpha = std::min(e.alpha + 1, 255);
    }
    if (near(s, e, 20.0 * e.scaleX)) RecordPlayerHit(game, true);
    for (std::size_t i = 0; i < s.enemyBullets.free.size(); ++i) {
        if (s.enemyBullets.free[i]) continue;
        EnemyBullet& bullet = s.enemyBullets.slot[i];
        const double dx = bullet.x - e.x, dy = bullet.y - e.y;
        if (bullet.behavior >= 0 && dx * dx + dy * dy <= 40.0 * 40.0) bullet.behavior = -7;
    }
}

// --- type 45: card 49's great orbs ---
//
// Never hittable. Thrown out from the boss, they slow (speed / 1.012 a
// frame) to t 150, turn back along the reverse heading and speed up
// (speed * 1.03, to at most 9) so they sweep back past the boss and off.
// Each hurts the ship within 63 pixels (times its scale over 0.5). When
// the bar falls to 0.2 (the card's end) each is freed leaving a point item.
void Stage6Familiar45(Game& game, int slot) {
    GameState& s = game.state;
    Enemy& e = s.enemies.slot[slot];
    const int t = e.timer;
    e.noHit = 1;
    if (cardOver(game, 49, 0.2)) {
        SpawnItem(game, {3, 16, 96, 16, 16}, e.x, e.y, 0, 4);
        release(game, slot);
        return;
    }
    if (t <= 150) {
        e.speed = static_cast<float>(e.speed / 1.012);
    } else {
        if (t == 151) e.angle = static_cast<float>(e.angle + 180);
        e.speed = static_cast<float>(std::min(e.speed * 1.03, 9.0));
    }
    e.tilt = static_cast<float>(e.tilt + 2);
    if (near(s, e, 63.0 * e.scaleX / 0.5)) RecordPlayerHit(game, true);
    if (t > 160 && (e.x < -200 || e.x > 648 || e.y < -200 || e.y > 680)) release(game, slot);
}

}  // namespace korvid
