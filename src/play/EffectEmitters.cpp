// Emitters: effects that stage and boss scripts place to fire bullets on a
// timetable of their own. Each type is one row: how it moves, turns, grows
// and breathes, what it fires and how often, and when it ends.
#include <cmath>

#include "play/EffectSteps.h"
#include "play/Geometry.h"
#include "play/PatternKit.h"

namespace korvid {

namespace {

enum class Aim { Ring, AtPlayer, Along, Spray };
enum class Turn { None, Fixed, ByAlpha };  // ByAlpha: alpha 255 turns one way, others the other

struct Volley {
    TexRect rect;         // tex < 0: none
    int every, phase;     // fires when age % every == phase
    Aim aim;
    int count;            // ring size, fan half width, spray count
    double spread;        // fan step in degrees
    double speed;
    int behavior;
};

struct EmitterRow {
    int type;
    double move;          // px per frame along the angle
    float turn;           // degrees per frame
    Turn turning;
    double grow;          // both scales per frame (negative: shrinks, down to minScale)
    double minScale;
    double breathe;       // scaleY swing per frame, reversing every 10 frames
    int flashColumn;      // muzzle flash column at each volley; -1 none
    int sound;            // sound request at each volley; -1 none
    bool marked;          // bullets ignored by zones and bombs
    bool animateColumns;  // bullet column steps with the age
    Volley first, second;
    int endAge;           // freed after this age; 0 never
    bool endOnNegativeWork;
    bool endWithBoss;     // freed when no boss is active
    bool endOutside;      // freed beyond the device field
    bool endAfterStage;   // freed once stageFrame passes 100000
    bool endOnBossHpShare;  // freed when the boss has lost a fifth of the hp it had on the first frame
};

constexpr Volley kNone{TexRect{-1, 0, 0, 0, 0}, 1, 1, Aim::Ring, 0, 0, 0, 0};

constexpr EmitterRow kEmitters[] = {
    // 22: a warning mark that closes in and bursts into a ring.
    {22, 0, 0, Turn::None, -0.01, 0.3, 0, 64, 1, false, false,
     {TexRect{0, 64, 48, 16, 16}, 320, 80, Aim::Ring, 24, 0, 1.8, 0}, kNone, 0, false, true, false, false, false},
    // 25: alternating rings from two rows, flashed.
    {25, 0, 0, Turn::None, 0, 0, 0, 32, 1, false, false,
     {TexRect{0, 0, 32, 16, 16}, 60, 0, Aim::Ring, 12, 0, 1.5, 0},
     {TexRect{0, 0, 96, 16, 16}, 60, 30, Aim::Ring, 12, 0, 1.2, 0}, 0, false, false, false, true, false},
    // 26, 27: breathing emitters firing short fans along their angle.
    {26, 0, 0, Turn::None, 0, 0, 0.05, -1, -1, false, false,
     {TexRect{0, 32, 48, 16, 16}, 10, 0, Aim::Along, 1, 15, 2.5, 0}, kNone, 90, true, false, false, false, false},
    {27, 0, 0, Turn::None, 0, 0, 0.05, -1, -1, false, false,
     {TexRect{2, 32, 64, 32, 32}, 20, 0, Aim::Along, 1, 20, 2.0, 0}, kNone, 260, true, false, false, false, false},
    // 37: travels and fires small aimed bullets.
    {37, 1.5, 0, Turn::None, 0, 0, 0, -1, 0, false, false,
     {TexRect{0, 56, 248, 8, 8}, 8, 0, Aim::AtPlayer, 0, 0, 3.0, 0}, kNone, 0, false, true, true, false, true},
    // 43: a turning four-way stream.
    {43, 0, -0.4f, Turn::Fixed, 0, 0, 0, -1, -1, false, false,
     {TexRect{1, 0, 144, 32, 32}, 6, 0, Aim::Ring, 4, 0, 2.0, 0}, kNone, 0, true, false, false, false, false},
    // 44: a fast runner dropping bullets to both sides.
    {44, 6, 0, Turn::None, 0, 0, 0, 32, -1, false, false,
     {TexRect{0, 32, 128, 16, 16}, 4, 0, Aim::Ring, 2, 0, 1.0, 0}, kNone, 0, false, false, true, false, false},
    // 58: aimed fans of small bullets and single large ones; slowly grows.
    {58, 0, 0, Turn::None, 0.005, 0, 0, 32, 0, false, false,
     {TexRect{0, 32, 160, 16, 16}, 30, 0, Aim::AtPlayer, 2, 12, 2.5, 0},
     {TexRect{2, 32, 96, 32, 32}, 60, 30, Aim::AtPlayer, 0, 0, 1.8, 0}, 0, true, false, false, false, false},
    // 59: rings of marked bullets in two shapes.
    {59, 0, 3, Turn::Fixed, 0, 0, 0, -1, 1, true, false,
     {TexRect{0, 224, 48, 16, 16}, 12, 0, Aim::Ring, 8, 0, 1.6, 0},
     {TexRect{3, 160, 0, 32, 32}, 12, 6, Aim::Ring, 8, 0, 1.2, 0}, 180, true, false, false, false, false},
    // 61: a long spiral of marked bullets.
    {61, 0, 3.7f, Turn::Fixed, 0, 0, 0, -1, -1, true, false,
     {TexRect{0, 160, 64, 16, 16}, 3, 0, Aim::Ring, 2, 0, 2.0, 0}, kNone, 1590, false, false, false, false, false},
    // 62: a spiral of marked bullets with cycling colours, turning either way.
    {62, 0, 1.5f, Turn::ByAlpha, 0, 0, 0, -1, -1, true, true,
     {TexRect{0, 0, 176, 16, 16}, 4, 0, Aim::Ring, 2, 0, 2.2, 0}, kNone, 240, false, true, false, false, false},
    // 67: sprays that its own age-160 sweep takes back.
    {67, 0, 0, Turn::None, 0, 0, 0, 0, 1, false, false,
     {TexRect{1, 0, 176, 32, 32}, 10, 0, Aim::Spray, 3, 0, 1.5, 124},
     {TexRect{2, 0, 0, 32, 32}, 20, 5, Aim::Spray, 2, 0, 1.0, 0}, 200, false, false, false, false, false},
};

const EmitterRow* rowFor(int type) {
    for (const EmitterRow& r : kEmitters)
        if (r.type == type) return &r;
    return nullptr;
}

void fire(EffectFrame& f, const EmitterRow& row, const Volley& v) {
    if (v.rect.tex < 0 || f.e.age % v.every != v.phase) return;
    Game& game = f.game;
    EffectSprite& e = f.e;
    BulletPlan plan{v.rect, v.speed, v.behavior};
    plan.owner = f.slot + 1;
    if (row.animateColumns) plan.rect.x = ((e.age / 4) % 8) * 16;
    switch (v.aim) {
        case Aim::Ring: FireRing(game, plan, e.x, e.y, v.count, e.angle); break;
        case Aim::AtPlayer:
            if (v.count == 0) {
                FireAimed(game, plan, e.x, e.y, 0);
            } else {
                FireAimedFan(game, plan, e.x, e.y, v.count, v.spread);
            }
            break;
        case Aim::Along: FireFan(game, plan, e.x, e.y, e.angle, -v.count, v.count, v.spread); break;
        case Aim::Spray: FireRandomSpray(game, plan, e.x, e.y, v.count); break;
    }
    if (row.flashColumn >= 0) MuzzleFlash(game, row.flashColumn, e.x, e.y);
    if (row.sound >= 0) RequestSound(game, row.sound);
}

}  // namespace

void StepEmitter(EffectFrame& f) {
    const EmitterRow* found = rowFor(f.e.type);
    if (!found) return;
    const EmitterRow& row = *found;
    EffectSprite& e = f.e;
    GameState& s = f.s;

    if (row.turning == Turn::Fixed) e.angle += row.turn;
    if (row.turning == Turn::ByAlpha) e.angle += (e.alpha == 255) ? row.turn : -row.turn;
    if (row.move != 0) {
        e.x += DirX(e.angle) * row.move;
        e.y += DirY(e.angle) * row.move;
    }
    if (row.grow != 0 && (row.grow > 0 || e.scaleX > row.minScale)) {
        e.scaleX += row.grow;
        e.scaleY += row.grow;
    }
    if (row.breathe != 0) e.scaleY += ((e.age / 10) % 2 == 0) ? row.breathe : -row.breathe;

    if (row.marked) {
        // Every slot this frame's volleys take is marked.
        const auto freeBefore = s.enemyBullets.free;
        fire(f, row, row.first);
        fire(f, row, row.second);
        for (int i = 0; i < kEnemyBulletCapacity; ++i)
            if (freeBefore[i] && !s.enemyBullets.free[i]) s.enemyBullets.slot[i].marked = 1;
    } else {
        fire(f, row, row.first);
        fire(f, row, row.second);
    }
    if (e.type == 67 && e.age == 160) {
        // Its own sprays only: another emitter's (or a boss's) 124 bullets stay.
        for (int i = 0; i < kEnemyBulletCapacity; ++i) {
            const EnemyBullet& b = s.enemyBullets.slot[i];
            if (!s.enemyBullets.free[i] && b.behavior == 124 && b.owner == f.slot + 1) s.enemyBullets.free[i] = 1;
        }
    }

    bool end = row.endAge > 0 && e.age >= row.endAge;
    end = end || (row.endOnNegativeWork && e.workA < 0);
    end = end || (row.endWithBoss && !s.bossActive);
    end = end || (row.endOutside && (e.x < kDeviceMinX || e.x > kDeviceMaxX || e.y < kDeviceMinY || e.y > kDeviceMaxY));
    end = end || (row.endAfterStage && s.stageFrame > 100000);
    if (row.endOnBossHpShare) {
        const Enemy& boss = s.enemies.slot[kBossSlot];
        if (e.workB == 0) e.workB = boss.hp;  // the boss's hp when the emitter started
        end = end || s.enemies.free[kBossSlot] || boss.hp <= 0.8 * e.workB;
    }
    f.free = end;
}

}  // namespace korvid
