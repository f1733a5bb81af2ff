// Small rules every shot and bomb kind shares.
#include <cmath>

#include "game/Game.h"
#include "play/PlayerShotKinds.h"
#include "play/Spawn.h"

namespace korvid {

namespace {

constexpr int kStage7FadeEntry = 5;  // bossVarArr entry of the extra stage's final fade
constexpr int kFinalPattern = 88;

std::uint32_t channel(int v) { return static_cast<std::uint32_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); }

bool mayErase(const EnemyBullet& b) { return !b.marked && b.behavior != 20; }

}  // namespace

bool IsHittable(const GameState& s, int enemy) {
    return !s.enemies.free[enemy] && !s.enemies.slot[enemy].noHit && s.enemies.slot[enemy].timer >= 0;
}

std::uint32_t ShotColour(const GameState& s, int alpha, int red, int green, int blue) {
    if (s.stage == 7 && ((s.bossActive && s.bossPattern() == kFinalPattern) || s.stageCleared))
        alpha = static_cast<int>(alpha * ((255 - s.bossVarArr[kStage7FadeEntry]) / 255.0));
    return channel(alpha) << 24 | channel(red) << 16 | channel(green) << 8 | channel(blue);
}

void SpawnDamageObject(Game& game, float x, float y, float damage) {
    SpawnPlayerShot(game, {54, 0, 0, 0, 0}, x, y, 1, 1, 0, 0.85f, 0, kShotDamage, 255, damage);
}

void EraseBullets(GameState& s, float centreX, double halfWidth, float maxY) {
    for (int i = 0; i < kEnemyBulletCapacity; ++i) {
        if (s.enemyBullets.free[i]) continue;
        const EnemyBullet& b = s.enemyBullets.slot[i];
        if (mayErase(b) && std::abs(centreX - b.x) <= halfWidth && maxY >= b.y) s.enemyBullets.free[i] = 1;
    }
}

void EraseAllBullets(GameState& s) {
    for (int i = 0; i < kEnemyBulletCapacity; ++i)
        if (!s.enemyBullets.free[i] && mayErase(s.enemyBullets.slot[i])) s.enemyBullets.free[i] = 1;
}

void EndBomb(Game& game, int slot) {
    game.state.playerShots.free[slot] = 1;
    game.state.bombActive = 0;
}

void PlayBombSound(Game& game, int entry, int percent) {
    const GameState& s = game.state;
    game.engine.Stream_Play(s.sounds[entry], false, s.seVolume * percent / 100);
}

}  // namespace korvid
