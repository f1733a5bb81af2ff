// What contact with a bullet does: the graze (paid once per bullet, or on
// every sixth frame beside a laser) and the hit that starts the death
// countdown.
#include <cmath>

#include "game/Game.h"
#include "play/BulletContact.h"
#include "play/BulletShapes.h"
#include "play/Collisions.h"
#include "play/Spawn.h"

namespace korvid {

namespace {

constexpr int kGrazeSound = 12;
constexpr int kHitSound = 13;
constexpr float kFullPower = 84;

void gainPower(GameState& s) {
    if (s.power < kFullPower)
        s.power += 1;
    else
        s.power = static_cast<float>(s.power + 0.03);
}

}  // namespace

bool RecordPlayerHit(Game& game, bool withInvincibility) {
    GameState& s = game.state;
    if (s.invincibleTimer != 0 || s.hitPending != 0) return false;
    s.soundRequests[kHitSound] = 1;
    s.hitPending = 11;
    if (withInvincibility) s.invincibleTimer = 31;
    return true;
}

void PayGraze(Game& game, int gains) {
    GameState& s = game.state;
    s.soundRequests[kGrazeSound] = 1;
    s.grazeCount += 1;
    s.score += 100;
    if (s.invincibleTimer == 0)
        for (int i = 0; i < gains; ++i) gainPower(s);
    // The spark's angle is drawn even when the effect pool is full.
    const int spin = game.rand() % 360;
    SpawnEffect(game, {1, 192, 0, 16, 16}, s.playerX, s.playerY, 0.8f, 0.8f, static_cast<float>(spin), 0.6f, 3,
                {155, 255, 255, 255}, 0, 0);
}

void LaserContact(Game& game, int slot, float dx, float dy) {
    if (BulletHitTest(game, dx, dy, slot, 0)) RecordPlayerHit(game, true);
}

void GrazeContact(Game& game, int slot, float dx, float dy, float gx, float gy, float m, float o, bool doubled) {
    if (!BulletShapeHit(game, slot, gx, gy, m, o)) return;
    EnemyBullet& b = game.state.enemyBullets.slot[slot];
    if (!b.grazed) {
        b.grazed = 1;
        PayGraze(game, doubled ? 2 : 1);
    }
    if (BulletHitTest(game, dx, dy, slot, 0)) RecordPlayerHit(game, true);
}

void TestBulletAgainstPlayer(Game& game, int slot) { BulletContact(game, slot); }

}  // namespace korvid
