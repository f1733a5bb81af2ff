// Character 1's bomb: a stationary controller that hurts every enemy each
// frame and releases sub-bombs, which grow, slow down, then home on the
// nearest enemy (or fly to a point of a triangle) and explode.
#include <cmath>

#include "game/Game.h"
#include "play/Geometry.h"
#include "play/PlayerShotKinds.h"
#include "play/Spawn.h"

namespace korvid {

namespace {

constexpr int kHomingTag = 255;  // sub-bombs of this alpha home; 254..252 fly to a point
constexpr int kSubBombSound = 19;

// One controller variant: how many random sub-bombs, when it ends.
struct FirstBombTiming {
    int lastRandomAge;  // random sub-bombs at ages 10, 20, ... up to this one
    int tripleAge;      // the three aimed sub-bombs of the automatic bomb (0: none)
    int endAge;
};
constexpr FirstBombTiming kManual{80, 0, 200};
constexpr FirstBombTiming kAutomatic{40, 120, 460};

// The point each fixed-point sub-bomb flies to, by tag.
struct FixedPoint {
    int tag;
    float x, y;
};
constexpr FixedPoint kPoints[] = {{254, 224, 190}, {253, 272, 270}, {252, 176, 270}};
constexpr int kTripleAngles[3][2] = {{254, 0}, {253, 120}, {252, 240}};

void releaseSubBomb(Game& game, int tag, float angle) {
    const GameState& s = game.state;
    SpawnPlayerShot(game, {55, 512, 512, 256, 256}, s.playerX, s.playerY, 0, 0, angle, 0.85f, 4, kShotSubBomb, tag,
                    0.5f);
}

// The hittable enemy nearest to (x, y) by squared distance; -1 for none.
int nearestEnemy(const GameState& s, float x, float y, float& distance2) {
    int best = -1;
    for (int i = 0; i <= kBossSlot; ++i) {
        if (!IsHittable(s, i)) continue;
        const float dx = x - s.enemies.slot[i].x, dy = y - s.enemies.slot[i].y;
        const float d2 = dx * dx + dy * dy;
        if (best < 0 || d2 < distance2) {
            best = i;
            distance2 = d2;
        }
    }
    return best;
}

// Turns 7 degrees a frame toward the target unless already within 6.
void steerToward(PlayerShot& p, float tx, float ty) {
    double t = BearingTo(p.x, p.y, tx, ty, 0);
    if (p.angle > t) t += 360;
    if (std::abs(t - p.angle) <= 6) return;
    if (t - p.angle > 180) p.angle -= 7;
    else if (t - p.angle < 180) p.angle += 7;
}

bool outsideField(const GameState& s, const PlayerShot& p) {
    return p.x < 0 || p.y < 0 || p.x > (s.wideField ? 635 : 448) || p.y > 480;
}

void explode(Game& game, int slot, int effectType) {
    GameState& s = game.state;
    const PlayerShot& p = s.playerShots.slot[slot];
    s.playerShots.free[slot] = 1;
    s.soundRequests[kSubBombSound] = 1;
    SpawnEffect(game, {55, 0, 512, 512, 512}, p.x, p.y, 0, 0, 0, 0.21f, effectType, {255, 0, 0, 0}, 1, 0);
}

void grow(PlayerShot& p, double step) {
    p.scaleX = static_cast<float>(p.scaleX + step);
    p.scaleY = static_cast<float>(p.scaleY + step);
    p.speed = static_cast<float>(p.speed - 0.1);
}

void homingSubBomb(Game& game, int slot) {
    const GameState& s = game.state;
    PlayerShot& p = game.state.playerShots.slot[slot];
    if (p.age <= 40) grow(p, 0.01);
    if (p.age < 40) return;
    float d2 = 0;
    const int target = nearestEnemy(s, p.x, p.y, d2);
    if (target >= 0) steerToward(p, s.enemies.slot[target].x, s.enemies.slot[target].y);
    if (p.age >= 80 && ((target >= 0 && d2 <= 300) || p.speed >= 18 || outsideField(s, p))) explode(game, slot, 50);
    p.speed = static_cast<float>(p.speed + 0.1);
}

void fixedPointSubBomb(Game& game, int slot) {
    const GameState& s = game.state;
    PlayerShot& p = game.state.playerShots.slot[slot];
    if (p.age <= 40) grow(p, 0.015);
    if (p.age < 40) return;
    const float w = s.wideField ? 96.0f : 0.0f;
    for (const FixedPoint& fp : kPoints) {
        if (fp.tag != p.alpha) continue;
        steerToward(p, fp.x + w, fp.y);
        if (std::abs(p.x - (fp.x + w)) <= 5 && std::abs(p.y - fp.y) <= 5) p.speed = 0;
    }
    if (p.age > 119) explode(game, slot, 53);
    p.speed = static_cast<float>(p.speed + 0.1);
}

}  // namespace

void FirstBombStep(Game& game, int slot) {
    const PlayerShot& p = game.state.playerShots.slot[slot];
    const FirstBombTiming& t = (p.alpha == 254) ? kAutomatic : kManual;
    if (p.age % 10 == 0 && p.age >= 10 && p.age <= t.lastRandomAge) {
        const int angle = game.rand() % 360;
        releaseSubBomb(game, kHomingTag, static_cast<float>(angle));
    }
    if (t.tripleAge && p.age == t.tripleAge)
        for (const auto& [tag, angle] : kTripleAngles) releaseSubBomb(game, tag, static_cast<float>(angle));
    if (p.age >= t.endAge) EndBomb(game, slot);
}

void SubBombStep(Game& game, int slot) {
    PlayerShot& p = game.state.playerShots.slot[slot];
    SpawnEffect(game, {33, 0, 0, 32, 32}, p.x, p.y, 1.3f, 1.3f, 0, 0.88f, 49, {255, 70, 10, 255}, 0, 0);
    if (p.alpha == kHomingTag) homingSubBomb(game, slot);
    else fixedPointSubBomb(game, slot);
}

}  // namespace korvid
