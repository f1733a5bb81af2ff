// A player shot against the enemies: the hit test, the damage and its
// sound, score, and the death of ordinary enemies whose hit points are
// used up.
#include <algorithm>
#include <cmath>

#include "game/Game.h"
#include "play/Collisions.h"
#include "play/Enemies.h"
#include "play/Geometry.h"
#include "play/PlayerShotKinds.h"

namespace korvid {

namespace {

constexpr int kDamageSound = 9;

// Half the enemy's smaller side, each side at its own scale.
float enemyRadius(const Enemy& e) {
    return e.texW <= e.texH ? e.texW * e.scaleX / 2 : e.texH * e.scaleY / 2;
}

// Sturdy enemies sound louder the more they are hurt; hit points outside
// 0..maxHp are held to the ends of that range.
float damageSoundPercent(const Enemy& e) {
    if (e.maxHp < 200) return 25;
    const float hp = std::clamp(e.hp, 0.0f, e.maxHp);
    return 66 - hp * 65 / e.maxHp;
}

void applyHit(Game& game, int slot, int enemy) {
    GameState& s = game.state;
    PlayerShot& p = s.playerShots.slot[slot];
    Enemy& e = s.enemies.slot[enemy];
    s.damageSoundPercent = damageSoundPercent(e);
    if (p.kind != kShotFirstBomb) s.playerShots.free[slot] = 1;
    DrawShot(game, p);
    p.x += DirX(p.angle) * p.speed * 0.5;
    p.y += DirY(p.angle) * p.speed * 0.5;
    if (e.maxHp >= 100 && (!s.bossActive || s.bossTimeLeft > 0)) s.soundRequests[kDamageSound] = 1;
    if (s.character == 1) FirstCharacterSparks(game, slot, enemy);
    s.score += 10;
    if (e.timer < 0) return;
    const double f = (enemy == kBossSlot) ? 0.8 : 1.0;
    e.hp = static_cast<float>(e.hp - p.damage * f);
    if (s.power >= 84) e.hp = static_cast<float>(e.hp - p.damage * 0.18 * f);
}

}  // namespace

void TouchEnemies(Game& game, int slot) {
    GameState& s = game.state;
    if (s.dialogueActive) return;
    for (int i = 0; i <= kBossSlot; ++i) {
        if (s.enemies.free[i] || s.enemies.slot[i].noHit) continue;
        const PlayerShot& p = s.playerShots.slot[slot];
        const Enemy& e = s.enemies.slot[i];
        const float dx = std::abs(p.x - e.x), dy = std::abs(p.y - e.y);
        if (ShotHitTest(game, dx, dy, slot, enemyRadius(e), i)) applyHit(game, slot, i);
        // A shot already spent still reaches the enemies after it until one dies.
        if (i < kBossSlot && s.enemies.slot[i].hp <= 0) {
            KillEnemy(game, i);
            if (s.playerShots.free[slot]) return;
        }
    }
}

}  // namespace korvid
