// The enemy pool: spawning into the ordinary slots or the boss slot, one
// frame of an ordinary enemy (move, bank, cull, body contact, behaviour,
// draw) and the death of one.
#include "play/Enemies.h"

#include <algorithm>
#include <cmath>

#include "game/Game.h"
#include "game/PoolSteps.h"
#include "play/Collisions.h"
#include "play/Drops.h"
#include "play/EnemyDraw.h"
#include "play/Geometry.h"
#include "play/Spawn.h"

namespace korvid {

namespace {

constexpr int kOrdinarySlots = kBossSlot;  // slots 0..99

int firstFreeOrdinary(const EnemyPool& pool) {
    for (int i = 0; i < kOrdinarySlots; ++i)
        if (pool.free[i]) return i;
    return -1;
}

// The boss slot takes a spawn only while a boss is due and the slot is
// empty; a second boss spawn becomes an ordinary enemy.
int routeSpawn(const GameState& s) {
    if (s.bossActive && s.enemies.free[kBossSlot]) return kBossSlot;
    return firstFreeOrdinary(s.enemies);
}

}  // namespace

int SpawnEnemy(Game& game, int tex, int texX, int texY, int texW, int texH, float x, float y, float scaleX,
               float scaleY, float angle, float z, float speed, int type, float hp, int alpha) {
    GameState& s = game.state;
    const float heading = NormaliseAngle(angle);
    const int slot = routeSpawn(s);
    if (slot < 0) return -1;
    const bool boss = slot == kBossSlot;

    Enemy& e = s.enemies.slot[slot];
    const HTEXTURE handle = (tex >= 0 && tex < kTextureTableSize) ? s.textures[tex] : 0;
    sprite::SetTexture(game.engine, e.sprite, handle);
    sprite::SetTextureRect(e.sprite, static_cast<float>(texX), static_cast<float>(texY), static_cast<float>(texW),
                           static_cast<float>(texH), true);
    if (!boss && s.stage == 7 && s.character == 2) hp = static_cast<float>(hp * 1.3);
    e.x = x;
    e.y = y;
    e.angle = heading;
    e.speed = speed;
    e.type = type;
    e.hp = hp;
    e.maxHp = hp;
    e.alpha = alpha;
    e.scaleX = scaleX;
    e.scaleY = scaleY;
    e.texX = texX;
    e.texY = texY;
    e.texW = texW;
    e.texH = texH;
    e.tilt = 0;
    sprite::SetZ(e.sprite, z);
    sprite::SetHotSpot(e.sprite, static_cast<float>(texW / 2), static_cast<float>(texH / 2));
    e.timer = 0;
    e.auxA = e.auxB = e.auxC = e.auxD = 0;
    e.noHit = 0;
    e.spriteKey = SpriteKey(tex, texY);
    s.enemies.occupy(slot);
    if (!boss) {
        s.lastEnemySlot = slot;
        return slot;
    }
    if (type == 8) sprite::SetHotSpot(e.sprite, 64, 56);
    s.bossVar[0] = 180;
    s.bossRotation = 360;
    s.enemies.slot[kBossSlot - 1].auxC = 0;
    s.enemies.slot[kBossSlot].auxC = 0;
    return slot;
}

namespace {

// The banking counter follows the heading's side (whole degrees) while the
// enemy moves, and relaxes toward 0 when it goes straight or crawls.
void bank(Enemy& e) {
    const float c = DirX(std::trunc(e.angle));
    if (c > 0 && e.speed > 0 && e.tilt < 16) e.tilt += 1;
    if (c < 0 && e.speed > 0 && e.tilt > -16) e.tilt -= 1;
    if (c == 0 || e.speed == 0) e.tilt = 0;
    if (c == 0 || std::trunc(e.speed) == 0) {
        if (e.tilt > 0) e.tilt = std::max(0.0f, e.tilt - 1);
        else if (e.tilt < 0) e.tilt = std::min(0.0f, e.tilt + 1);
    }
    e.tilt = std::clamp(e.tilt, -16.0f, 16.0f);
}

float cullMargin(int type) {
    if (type == 28) return 10000;
    if (type == 58) return 100;
    return 0;
}

bool offScreen(const GameState& s, const Enemy& e) {
    if (e.type == 43 || e.type == 47) return false;
    const float m = cullMargin(e.type);
    const float top = s.stage == 7 ? -256.0f : -64.0f;
    const float right = (s.wideField ? 704.0f : 512.0f) + m;
    return e.x < -64 - m || e.y < top || e.x > right || e.y > e.texH / 1.5 + 544;
}

// Only an opaque, ordinary body that is not marked harmless hurts; the hit
// itself gives no invincibility.
void bodyContact(Game& game, int slot) {
    GameState& s = game.state;
    const Enemy& e = s.enemies.slot[slot];
    if (s.invincibleTimer != 0 || e.timer < 0) return;
    if (e.alpha <= 159 || e.maxHp > 8000 || e.auxB != 0) return;
    const float dx = std::fabs(e.x - s.playerX), dy = std::fabs(e.y - s.playerY);
    if (BulletHitTest(game, 2 * dx, 2 * dy, slot, 2)) RecordPlayerHit(game, false);
}

}  // namespace

void UpdateEnemy(Game& game, int slot) {
    GameState& s = game.state;
    Enemy& e = s.enemies.slot[slot];
    const int clock = std::abs(e.timer);
    e.angle = NormaliseAngle(e.angle);
    e.timer += 1;
    const int k = DirectionIndex(e.angle);  // one look-up for both steps
    e.x += Directions().dirX[k] * e.speed;
    e.y += Directions().dirY[k] * e.speed;
    bank(e);
    if (offScreen(s, e)) s.enemies.free[slot] = 1;  // this frame still runs to the end
    bodyContact(game, slot);
    EnemyBehaviour(game, slot);
    DrawEnemy(game, slot, clock);
}

namespace {

struct BurstCell {
    int x, y;
    bool any;
};

BurstCell burstCell(const Enemy& e) {
    if (e.texY == 192) {
        switch (e.texX) {
            case 128: return {128, 16, true};
            case 160: return {64, 80, true};
            case 192: return {192, 80, true};
            case 224: return {128, 80, true};
            default: return {0, 0, false};
        }
    }
    switch (e.texY) {
        case 288: return {128, 16, true};
        case 256:
        case 384: return {192, 16, true};
        case 320: return {64, 80, true};
        case 352: return {0, 80, true};
        default: return {0, 0, false};
    }
}

}  // namespace

void KillEnemy(Game& game, int slot) {
    if (slot < 0 || slot >= kOrdinarySlots) return;
    GameState& s = game.state;
    const Enemy& e = s.enemies.slot[slot];
    const BurstCell b = burstCell(e);
    if (b.any) {
        const int spin = game.rand() % 360;
        const TexRect r{1, b.x, b.y, 64, 64};
        SpawnEffect(game, r, e.x, e.y, 0.3f, 1, static_cast<float>(spin), 0.6f, 19, {255, 255, 255, 255}, 0, 0);
        SpawnEffect(game, r, e.x, e.y, 1.2f, 1.2f, 0, 0.6f, 20, {255, 255, 255, 255}, 0, 0);
    }
    s.soundRequests[6] = 1;
    DropEnemyItems(game, slot);
    s.enemies.free[slot] = 1;
}

}  // namespace korvid
