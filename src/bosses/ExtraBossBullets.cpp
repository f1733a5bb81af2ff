// The bullet behaviours the extra boss's cards own: the paddle game of 83
// (128 the paddle's links, 129 the ball) and the flower of broad lasers
// of 87 (135).
#include <algorithm>
#include <cmath>

#include "bosses/ExtraBoss.h"
#include "bosses/ExtraBossAttacks.h"
#include "game/Game.h"
#include "play/Geometry.h"

namespace korvid {

namespace {

EnemyBullet& at(Game& game, int slot) { return game.state.enemyBullets.slot[slot]; }
void drop(Game& game, int slot) { game.state.enemyBullets.free[slot] = 1; }

// The live bullet `work` names (its slot + 1), or null.
const EnemyBullet* followed(const Game& game, const EnemyBullet& b) {
    const int slot = static_cast<int>(b.work) - 1;
    const GameState& s = game.state;
    if (slot < 0 || slot >= kEnemyBulletCapacity || s.enemyBullets.free[slot]) return nullptr;
    return &s.enemyBullets.slot[slot];
}

float wrapDegrees(double a) {
    const double w = std::fmod(a, 360.0);
    return static_cast<float>(w < 0 ? w + 360 : w);
}

// 128: a link of the paddle. Behind another link it keeps 10 pixels to its
// right on its line; the leader (which follows the ball) slides under the
// ball, at most 3 pixels a frame, keeping the paddle's middle beneath it.
// With nothing (or something else) to follow it is gone.
void paddleLink(Game& game, int slot) {
    EnemyBullet& b = at(game, slot);
    const EnemyBullet* o = followed(game, b);
    b.speed = 0;
    if (o && o->behavior == 128) {
        b.x = o->x + 10;
        b.y = o->y;
        return;
    }
    if (!o || o->behavior != 129) {
        drop(game, slot);
        return;
    }
    const float want = std::clamp(o->x - 35.0f, 0.0f, 378.0f);
    b.x += std::clamp(want - b.x, -3.0f, 3.0f);
}

// 129: the ball. It rebounds from the sides and the top; falling onto a
// link of the paddle (within 10 pixels across, 0..16 above it) it bounces
// back up, 0.15 faster (to 5 at most); otherwise it homes on the ship by
// up to 2 degrees a frame.
void paddleBall(Game& game, int slot) {
    EnemyBullet& b = at(game, slot);
    const GameState& s = game.state;
    const float dx = DirX(b.angle), dy = DirY(b.angle);
    if ((b.x < 8 && dx < 0) || (b.x > 440 && dx > 0)) b.angle = wrapDegrees(360.0 - b.angle);
    if (b.y < 8 && dy < 0) b.angle = wrapDegrees(180.0 - b.angle);
    if (DirY(b.angle) > 0 && b.y >= 440) {
        for (int j = 0; j < kEnemyBulletCapacity; ++j) {
            if (s.enemyBullets.free[j]) continue;
            const EnemyBullet& o = s.enemyBullets.slot[j];
            if (o.behavior != 128 || std::fabs(o.x - b.x) > 10 || o.y - b.y < 0 || o.y - b.y > 16) continue;
            b.angle = wrapDegrees(180.0 - b.angle);
            b.speed = std::min(5.0f, b.speed + 0.15f);
            return;
        }
    }
    const double aim = BearingTo(b.x, b.y, s.playerX, s.playerY, 0);
    const double turn = std::fmod(aim - b.angle + 540.0, 360.0) - 180.0;
    b.angle = wrapDegrees(b.angle + std::clamp(turn, -2.0, 2.0));
}

// The flower's reach by angle / 4: five petals, 60 at their gaps and 120
// at their tips (a triangle wave of 18 steps a petal).
constexpr std::array<float, 90> kFlowerRadius = [] {
    std::array<float, 90> r{};
    for (int k = 0; k < 90; ++k) {
        const int phase = k % 18;
        const int fromTip = phase < 9 ? phase : 18 - phase;
        r[k] = 120.0f - 60.0f * static_cast<float>(fromTip) / 9.0f;
    }
    return r;
}();

// 135: a broad laser of the flower. `work` is its bearing from the boss in
// degrees, turning one a frame; it reaches from the boss out to the table's
// radius for that bearing, opening over its first 40 frames (its middle at
// half that reach, its length the reach). A beam found more than 24 pixels
// from where it sat (the boss gone or swept away) is removed, and every
// one after 120 frames.
void flowerBeam(Game& game, int slot) {
    EnemyBullet& b = at(game, slot);
    const GameState& s = game.state;
    const Enemy& boss = s.enemies.slot[kBossSlot];
    if (b.age > 120 || !s.bossActive) {
        drop(game, slot);
        return;
    }
    const float place = b.work;
    const float open = std::min(1.0f, static_cast<float>(b.age) / 40.0f);
    const float reach = kFlowerRadius[static_cast<std::size_t>(place / 4) % 90] * open;
    const float x = boss.x + reach / 2 * DirX(place), y = boss.y + reach / 2 * DirY(place);
    if (b.age > 1 && std::fabs(b.x - x) + std::fabs(b.y - y) > 24) {
        drop(game, slot);
        return;
    }
    b.speed = 0;
    b.x = x;
    b.y = y;
    b.angle = place;
    b.texH = reach / b.scaleY;
    sprite::SetHotSpot(b.sprite, static_cast<float>(b.texW / 2), b.texH / 2);
    b.work = wrapDegrees(place + 1.0);
}

constexpr BossBulletEntry kBullets[] = {
    {128, paddleLink},
    {129, paddleBall},
    {135, flowerBeam},
};

}  // namespace

std::span<const BossBulletEntry> ExtraBossBullets() { return kBullets; }

}  // namespace korvid
