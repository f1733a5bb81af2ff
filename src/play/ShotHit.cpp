// Player shots against enemies: by shot kind, with the shapes some boss
// cards give the boss slot instead of its cell.
#include <cmath>

#include "game/Game.h"
#include "play/Collisions.h"

namespace korvid {

namespace {

enum class Verdict { Hit, Miss, ByShape };

// Bombs' controllers and damage objects hurt everything; the sub-bomb, the
// laser, the character 2 bomb, mines, the character 3 bomb and the graze
// marker hurt in their own ways and never touch here.
Verdict byKind(int kind) {
    switch (kind) {
        case 4: case 6: return Verdict::Hit;
        case 5: case 8: case 9: case 11: case 12: case 13: case kMarkerShotKind: return Verdict::Miss;
        default: return Verdict::ByShape;
    }
}

bool within(double x, double y, double r) { return x * x + y * y <= r * r; }

// The corridor's rotating bar: within reach of its centre and close to its line.
bool rotatingBar(const GameState& s, const PlayerShot& p) {
    const double vx = p.x - s.bossVar[1], vy = p.y - s.bossVar[2];
    const double a = s.bossVar[3] / 57.3;
    const double acrossLine = std::fabs(vx * -std::cos(a) - vy * std::sin(a));
    return within(vx, vy, 166) && acrossLine <= 54;
}

double ringRadius(const Enemy& boss) {
    if (boss.hp <= 0.07 * boss.maxHp) return 100;
    if (boss.hp <= 0.13 * boss.maxHp) return 150;
    return 210;
}

// The boss shapes, or Verdict::ByShape where the card keeps the boss's cell.
Verdict bossShape(const GameState& s, const PlayerShot& p, float dx, float dy) {
    const Enemy& boss = s.enemies.slot[kBossSlot];
    const int pattern = boss.type;
    auto verdict = [](bool hit) { return hit ? Verdict::Hit : Verdict::Miss; };
    if (pattern == 30 || pattern == 31) return verdict(rotatingBar(s, p));
    if (pattern == 32) return verdict(p.y <= 190);
    if (pattern == 34 || pattern == 35) return verdict(std::fabs(p.x - 224) <= 45 && std::fabs(p.y - 190) <= 144);
    if (pattern == 36) return verdict(std::fabs(p.x - 224) <= 45 && std::fabs(p.y - boss.y) <= 160);
    if (pattern == 59 && s.difficulty > 0 && boss.timer >= 0)
        return verdict(within(p.x - 224.0, p.y - 160.0, ringRadius(boss)));
    if (pattern >= 63 && pattern <= 66) return verdict(std::fabs(dx) <= 210 && std::fabs(dy) <= 60);
    if (pattern >= 73) return verdict(std::fabs(dx) <= 160 && std::fabs(dy) <= 50);
    return Verdict::ByShape;
}

}  // namespace

bool ShotHitTest(Game& game, float dx, float dy, int shot, float radius, int enemy) {
    const GameState& s = game.state;
    if (shot < 0 || shot >= kPlayerShotCapacity) return false;
    const PlayerShot& p = s.playerShots.slot[shot];
    const Verdict kindVerdict = byKind(p.kind);
    if (kindVerdict != Verdict::ByShape) return kindVerdict == Verdict::Hit;
    if (enemy == kBossSlot) {
        const Verdict v = bossShape(s, p, dx, dy);
        if (v != Verdict::ByShape) return v == Verdict::Hit;
    }
    const double d2 = static_cast<double>(dx) * dx + static_cast<double>(dy) * dy;
    const double r2 = static_cast<double>(radius) * radius;
    switch (p.kind) {
        case 1: case 2: case 7: case 10: return d2 <= r2 + 1024;  // a 32 px allowance
        case 3: return d2 <= r2;
        default: return false;
    }
}

}  // namespace korvid
