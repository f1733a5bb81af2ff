// The records of the object pools. A pool is fixed-capacity storage with a
// free flag per slot (1 = free); the slot index is the object's identity.
// Fields keep their last values after a free until the next spawn.
//
// Each pool knows how far play has reached into it since it was cleared
// (`used`): every slot at or past it is as clear() left it. A snapshot of
// play copies only the slots below it.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>

#include "engine/Sprite.h"

namespace korvid {

template <typename Record, int N>
struct Pool {
    static constexpr int kCapacity = N;
    std::array<std::uint8_t, N> free{};
    std::array<Record, N> slot{};
    int used = N;  // slots [used, N) are free and cleared; a pool never cleared may hold anything

    // Marks every slot free and zeroes every record, so no game depends on
    // what an earlier one left behind.
    void clear() {
        free.fill(1);
        for (int i = 0; i < N; ++i) clearSlot(i);
        used = 0;
    }
    void clearSlot(int i) {
        slot[i] = Record{};
        sprite::Reset(slot[i].sprite);
    }
    // A spawn takes slot i.
    void occupy(int i) {
        free[i] = 0;
        if (i >= used) used = i + 1;
    }
    // First free slot from 0, or -1 when the pool is full.
    int firstFree() const {
        const void* hit = std::memchr(free.data(), 1, N);
        return hit ? static_cast<int>(static_cast<const std::uint8_t*>(hit) - free.data()) : -1;
    }
};

struct EnemyBullet {
    SpriteData sprite;
    int texX = 0, texY = 0, texW = 0;
    float texH = 0;  // lasers lengthen it
    float x = 0, y = 0;
    float scaleX = 0, scaleY = 0;
    float angle = 0;  // bearing, degrees
    float speed = 0;
    int behavior = 0;  // negative codes make the bullet harmless
    int alpha = 0, red = 0, green = 0, blue = 0;
    int spriteKey = 0;
    int age = 0;
    std::uint8_t grazed = 0;
    std::uint8_t marked = 0;
    float work = 0;
    float laserSlope = 0, laserIntercept = 0;
    int owner = 0;  // the emitter effect that fired it: its slot + 1 (0: none)
};

struct EffectSprite {
    SpriteData sprite;
    int texX = 0, texY = 0, texW = 0, texH = 0;
    float x = 0, y = 0;
    float scaleX = 0, scaleY = 0;
    float angle = 0;
    int type = 0;
    int alpha = 0, red = 0, green = 0, blue = 0;
    int age = 0;
    float workA = 0, workB = 0;
};

struct Item {
    SpriteData sprite;
    float x = 0, y = 0;
    float heading = 0;
    int kind = 0;
    int timer = 0;
    std::uint8_t attracted = 0;
    std::uint8_t halfValue = 0;
};

struct PlayerShot {
    SpriteData sprite;
    float x = 0, y = 0;
    float scaleX = 0, scaleY = 0;
    float angle = 0;
    float speed = 0;
    int kind = 0;
    int alpha = 0;  // bombs: also a variant tag
    float damage = 0;
    int age = 0;
};

struct Enemy {
    SpriteData sprite;
    float x = 0, y = 0;
    float angle = 0;
    float speed = 0;
    int type = 0;  // in the boss slot: the boss pattern id
    float hp = 0, maxHp = 0;
    int timer = 0;  // in the boss slot: the boss timer
    int alpha = 0;
    float scaleX = 0, scaleY = 0;
    int texX = 0, texY = 0, texW = 0, texH = 0;
    int spriteKey = 0;
    float tilt = 0;
    std::uint8_t noHit = 0;
    float auxA = 0, auxB = 0, auxC = 0, auxD = 0;
};

struct BgPanel {
    SpriteData sprite;
    float x = 0, depth = 0, height = 0;
    float halfW = 0, halfH = 0;
    float turn = 0, slope = 0;
    int kind = 0;
    int timer = 0;
};

// Scenery is a packed list (the first sceneObjectCount are live), no free flags.
struct SceneObject {
    SpriteData sprite;
    float texX = 0, texY = 0, texW = 0, texH = 0;
    float x = 0, y = 0, z = 0;
    float yaw = 0, pitch = 0;
    float flatX = 0;
    int kind = 0;
    float flatY = 0;
    float distance = 0;
    int timer = 0;
};

// A scenery record as a stage load leaves it: its z spread by its index.
inline constexpr double kSceneBaseZ = 0.899;
inline void ResetSceneObject(SceneObject& o, int i) {
    o = SceneObject{};
    sprite::Reset(o.sprite);
    sprite::SetZ(o.sprite, static_cast<float>(kSceneBaseZ + i * 0.00001));
}

inline constexpr int kEnemyBulletCapacity = 1500;
inline constexpr int kEffectCapacity = 800;
inline constexpr int kItemCapacity = 1200;
inline constexpr int kPlayerShotCapacity = 200;
inline constexpr int kBossSlot = 100;
inline constexpr int kEnemyCapacity = 101;  // 100 ordinary slots and the boss slot
inline constexpr int kBgPanelCapacity = 400;
inline constexpr int kSceneObjectCapacity = 800;

using EnemyBulletPool = Pool<EnemyBullet, kEnemyBulletCapacity>;
using EffectPool = Pool<EffectSprite, kEffectCapacity>;
using ItemPool = Pool<Item, kItemCapacity>;
using PlayerShotPool = Pool<PlayerShot, kPlayerShotCapacity>;
using EnemyPool = Pool<Enemy, kEnemyCapacity>;
using BgPanelPool = Pool<BgPanel, kBgPanelCapacity>;

}  // namespace korvid
