#include "play/Spawn.h"

#include <cstring>

#include "game/FrameSteps.h"
#include "game/Game.h"
#include "play/Geometry.h"

namespace korvid {

namespace {

template <typename PoolT>
int takeFirstFree(PoolT& pool) {
    return pool.firstFree();
}

// Re-cuts a slot's sprite: texture, rectangle (drawn size follows), z and a
// centred hot spot.
void recut(Game& game, SpriteData& s, const TexRect& r, float z) {
    const HTEXTURE tex = (r.tex >= 0 && r.tex < kTextureTableSize) ? game.state.textures[r.tex] : 0;
    sprite::SetTexture(game.engine, s, tex);
    sprite::SetTextureRect(s, static_cast<float>(r.x), static_cast<float>(r.y), static_cast<float>(r.w),
                           static_cast<float>(r.h), true);
    sprite::SetZ(s, z);
    sprite::SetHotSpot(s, static_cast<float>(r.w / 2), static_cast<float>(r.h / 2));
}

// Shapes that glow: drawn additively rather than alpha blended.
constexpr int kAdditiveKeys[] = {2288, 2192, 3208, 50000, 50064};

bool bulletIsAdditive(int behavior, int tex, int key, float scaleY, int stage) {
    if (behavior == 22 || tex == 1) return true;
    for (int k : kAdditiveKeys)
        if (key == k) return true;
    return tex == 4 && (scaleY > 0.15 || stage != 4);  // compared in double: a stored 0.15f glows
}

}  // namespace

int SpawnEnemyBullet(Game& game, TexRect r, float x, float y, float scaleX, float scaleY, float angle, float z,
                     float speed, int behavior, int alpha) {
    GameState& s = game.state;
    const int i = takeFirstFree(s.enemyBullets);
    if (i < 0) return -1;
    EnemyBullet& b = s.enemyBullets.slot[i];
    recut(game, b.sprite, r, z);
    NoteBulletZ(game, i, z);
    b.texX = r.x;
    b.texY = r.y;
    b.texW = r.w;
    b.texH = static_cast<float>(r.h);
    b.x = x;
    b.y = y;
    b.scaleX = scaleX;
    b.scaleY = scaleY;
    b.angle = NormaliseAngle(angle);
    b.speed = speed;
    b.behavior = behavior;
    b.alpha = alpha;
    b.red = b.green = b.blue = 255;
    b.age = 0;
    b.grazed = 0;
    b.marked = 0;
    b.work = 0;
    b.laserSlope = 0;
    b.laserIntercept = 0;
    b.owner = 0;
    b.spriteKey = SpriteKey(r.tex, r.y);
    sprite::SetBlendMode(b.sprite, bulletIsAdditive(behavior, r.tex, b.spriteKey, scaleY, s.stage) ? 0 : BLEND_DEFAULT);
    if (b.spriteKey == 51032) sprite::SetHotSpot(b.sprite, 16, 4);
    s.enemyBullets.occupy(i);
    s.lastEnemyBulletSlot = i;
    return i;
}

int SpawnEffect(Game& game, TexRect r, float x, float y, float scaleX, float scaleY, float angle, float z, int type,
                EffectColour colour, int blend, int age) {
    if (type == 13) return -1;
    GameState& s = game.state;
    const int i = takeFirstFree(s.effects);
    if (i < 0) return -1;
    EffectSprite& e = s.effects.slot[i];
    recut(game, e.sprite, r, z);
    NoteEffectZ(game, i, z);
    sprite::SetBlendMode(e.sprite, blend);
    e.texX = r.x;
    e.texY = r.y;
    e.texW = r.w;
    e.texH = r.h;
    e.x = x;
    e.y = y;
    e.scaleX = scaleX;
    e.scaleY = scaleY;
    e.angle = angle;
    e.type = type;
    e.alpha = colour.alpha;
    e.red = colour.red;
    e.green = colour.green;
    e.blue = colour.blue;
    e.age = age;
    e.workA = 0;
    e.workB = 0;
    s.effects.occupy(i);
    s.lastEffectSlot = i;
    return i;
}

namespace {

int spawnItemInto(Game& game, TexRect r, float x, float y, float heading, int kind, bool tracked) {
    GameState& s = game.state;
    const int i = takeFirstFree(s.items);
    if (i < 0) return -1;
    Item& it = s.items.slot[i];
    recut(game, it.sprite, r, 0.75f);
    it.x = x;
    it.y = y;
    it.heading = heading;
    it.kind = kind;
    it.timer = 0;
    if (tracked) {
        it.halfValue = 0;
        it.attracted = (kind == 4 || kind == 5) ? 1 : 0;
        if (kind == 10) it.timer = 50;
    } else {
        it.attracted = (kind == 4) ? 1 : 0;
    }
    s.items.occupy(i);
    if (tracked) s.lastItemSlot = i;
    return i;
}

}  // namespace

int SpawnItem(Game& game, TexRect r, float x, float y, float heading, int kind) {
    return spawnItemInto(game, r, x, y, heading, kind, true);
}

int SpawnItemUntracked(Game& game, TexRect r, float x, float y, float heading, int kind) {
    return spawnItemInto(game, r, x, y, heading, kind, false);
}

int SpawnPlayerShot(Game& game, TexRect r, float x, float y, float scaleX, float scaleY, float angle, float z,
                    float speed, int kind, int alpha, float damage) {
    GameState& s = game.state;
    const int i = takeFirstFree(s.playerShots);
    if (i < 0) return -1;
    PlayerShot& p = s.playerShots.slot[i];
    recut(game, p.sprite, r, z);
    sprite::SetBlendMode(p.sprite, BLEND_DEFAULT);
    sprite::SetColor(p.sprite, 0xFFFFFFFF);
    p.x = x;
    p.y = y;
    p.scaleX = scaleX;
    p.scaleY = scaleY;
    p.angle = NormaliseAngle(angle);
    p.speed = speed;
    p.kind = kind;
    p.alpha = alpha;
    p.damage = damage;
    // The stage-5 boss's later cards halve the damage of a player still invincible.
    if (s.stage == 5 && s.bossActive && s.bossPattern() >= 41 && s.invincibleTimer > 0) p.damage = damage / 2;
    p.age = 0;
    s.playerShots.occupy(i);
    return i;
}

}  // namespace korvid
