// Character 2's focused laser, rebuilt every frame: a beam from the ship
// that grows to its full reach, stops at the first sturdy enemy (or at the
// shape of some bosses), burns weak enemies inside it and throws sparks.
#include <algorithm>
#include <cmath>

#include "game/Game.h"
#include "play/PlayerShotKinds.h"
#include "play/Spawn.h"

namespace korvid {

namespace {

constexpr double kGrowthStep = 9.6;  // reach gained per frame of focused fire
constexpr double kFullReach = 384;
constexpr double kStretch = 1.3;     // the beam's drawn height per unit of reach
constexpr float kSturdyHp = 100;     // from here on an enemy stops the beam
constexpr float kUnblockingHp = 40000;

// The window above the ship that the beam covers for reach g.
struct Beam {
    float shipX, shipY;
    double reach;
    // The enemy's lower edge, which is what the beam meets.
    static float lowerEdge(const Enemy& e) { return e.y + e.texH / 2 - 16; }
    bool covers(const Enemy& e) const {
        const float edge = lowerEdge(e);
        return std::abs(e.x - shipX) < e.texW / 2 + 16 && edge >= shipY - 32 - kStretch * reach && edge <= shipY + 32;
    }
    // Reach that ends the beam at an enemy's lower edge.
    double reachTo(float edge) const { return (shipY - 40 - edge) / kStretch + 8; }
    // Reach that ends the beam at the screen height y.
    double reachToY(double y) const { return (shipY - 32 - y) / kStretch; }
};

// The sturdy enemy lowest on the screen inside the beam, or -1.
int blockingEnemy(const GameState& s, const Beam& beam) {
    int best = -1;
    for (int i = 0; i <= kBossSlot; ++i) {
        if (s.enemies.free[i]) continue;
        const Enemy& e = s.enemies.slot[i];
        if (e.maxHp >= kUnblockingHp || e.maxHp < kSturdyHp || !beam.covers(e)) continue;
        if (best < 0 || Beam::lowerEdge(e) > Beam::lowerEdge(s.enemies.slot[best])) best = i;
    }
    return best;
}

// Where some boss patterns' shapes stop the beam, as a screen height.
bool bossShapeStop(const GameState& s, float shipX, double& stopY) {
    if (!s.bossActive || s.enemies.free[kBossSlot]) return false;
    const Enemy& boss = s.enemies.slot[kBossSlot];
    const int pattern = boss.type;
    const double off = std::abs(shipX - boss.x);
    if (pattern == 59 && s.difficulty > 0) {
        const double radius = boss.hp <= 0.07 * boss.maxHp ? 80 : (boss.hp <= 0.13 * boss.maxHp ? 130 : 190);
        const double across = shipX - 224;
        if (std::abs(across) > radius) return false;
        stopY = 160 + std::abs(radius * std::sin(std::acos(across / radius)));
        return true;
    }
    if (pattern >= 63 && pattern <= 66 && off <= 210) {
        stopY = boss.y + 48 - off / 8;
        return true;
    }
    if (pattern > 72 && off <= 150) {
        stopY = boss.y + 54 - off / 8;
        return true;
    }
    return false;
}

// Damage once, and once more on even frames of fire when the enemy is
// close above the ship.
void burn(GameState& s, Enemy& e, float shipY, double damage) {
    e.hp = static_cast<float>(e.hp - damage);
    if (s.laserFrames % 2 == 0 && std::abs(Beam::lowerEdge(e) + 16 - shipY) <= 64)
        e.hp = static_cast<float>(e.hp - damage);
}

void sparks(Game& game, double reach) {
    const GameState& s = game.state;
    const int count = static_cast<int>(reach / 32);
    for (int i = 0; i < count; ++i) {
        if (game.rand() % 5 > 1) continue;
        const int ry = game.rand() % 32;
        const int rx = game.rand() % 48;
        const float x = s.playerX + rx - 24;
        const float y = static_cast<float>(s.playerY - 32 - 41.6 * i + ry - 16);
        SpawnEffect(game, {19, 0, 192, 64, 64}, x, y, 0.8f, 0.8f, 0, 0.85f, 2, {255, 251, 181, 0}, 0, 2);
    }
    SpawnEffect(game, {54, 294, (s.laserFrames % 4) * 118 + 121, 90, 118}, s.playerX, static_cast<float>(s.laserEndY),
                1, 0.6f, 0, 0.8f, 52, {255, 215, 215, 215}, 0, 999);
    SpawnEffect(game, {54, 112, (s.laserFrames % 3) * 159 + 130, 142, 150}, s.playerX, s.playerY, 0.7f, 0.7f, 0, 0.8f,
                52, {352 - s.optionSpread * 11, 255, 255, 255}, 0, 999);
}

}  // namespace

void LaserStep(Game& game, int slot) {
    GameState& s = game.state;
    PlayerShot& p = s.playerShots.slot[slot];
    Beam beam{s.playerX, s.playerY, s.laserFramesB > 40 ? kFullReach : s.laserFramesB * kGrowthStep};

    int blocker = blockingEnemy(s, beam);
    if (blocker >= 0) beam.reach = beam.reachTo(Beam::lowerEdge(s.enemies.slot[blocker]));
    for (int i = 0; i <= kBossSlot; ++i) {
        Enemy& e = s.enemies.slot[i];
        if (IsHittable(s, i) && e.maxHp < kSturdyHp && beam.covers(e)) burn(s, e, beam.shipY, p.damage);
    }
    // Boss shapes can only shorten the beam.
    double stopY = 0;
    if (bossShapeStop(s, beam.shipX, stopY) && beam.reachToY(stopY) < beam.reach) {
        beam.reach = beam.reachToY(stopY);
        blocker = kBossSlot;
    }
    if (blocker >= 0) {
        s.score += 10;
        s.laserFramesB = static_cast<int>(beam.reach / kGrowthStep);
        const double f = (blocker == kBossSlot && !s.wideField) ? 0.88 : 1.0;
        if (IsHittable(s, blocker)) burn(s, s.enemies.slot[blocker], beam.shipY, p.damage * f);
    }

    const double g = beam.reach;
    s.laserEndY = static_cast<int>(beam.shipY - 32 - kStretch * g);
    sprite::SetTextureRect(p.sprite, 0, static_cast<float>(128 + (s.laserFrames % 25) * 15.36), 72,
                           static_cast<float>(std::max(g, 0.0)));
    p.x = beam.shipX;
    p.y = static_cast<float>(beam.shipY - kStretch * g - 32);
    sparks(game, g);
}

}  // namespace korvid
