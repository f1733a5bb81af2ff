// Effects that belong to something else: the boss's hit-point ring and
// circles, the partner's marks, the stage title card, the speech balloons,
// the fog sheets, the opening ships of the extra stage and the player's
// death.
#include <algorithm>
#include <cmath>

#include "game/Input.h"
#include "play/EffectSteps.h"
#include "play/Geometry.h"
#include "play/Spawn.h"

namespace korvid {

namespace {

constexpr int kAdditive = 0;
constexpr int kColourAdd = 1;

bool bossGone(const GameState& s) { return s.enemies.free[kBossSlot] != 0; }

void followBoss(EffectSprite& e, const GameState& s) {
    const Enemy& boss = s.enemies.slot[kBossSlot];
    e.x = boss.x;
    e.y = boss.y;
}

}  // namespace

// Fog sheets scroll 2 px a frame; thin fog glows, thick fog covers. The
// script fades them (and raises them) through alpha; at 0 they go.
void StepFog(EffectFrame& f) {
    EffectSprite& e = f.e;
    e.x += 2;
    if (e.x > 768) e.x -= 1024;
    sprite::SetBlendMode(e.sprite, e.alpha < 128 ? kAdditive : BLEND_DEFAULT);
    f.free = e.alpha <= 0;
}

// The stage title card fades in over 127 frames and out after 250. In the
// extra stage it is a falling object instead: after 250 it drops ever
// faster and hurts the player it lands on.
void StepTitleCard(EffectFrame& f) {
    EffectSprite& e = f.e;
    GameState& s = f.s;
    if (e.age <= 127) e.alpha += 2;
    if (s.stage != 7) {
        if (e.age > 250) e.alpha -= 2;
        f.free = e.age >= 377;
        return;
    }
    if (e.age > 250) {
        e.y += (e.age - 250) / 20.0;
        e.alpha -= 2;
        if (std::abs(s.playerX - e.x) <= 160 && std::abs(s.playerY - e.y) <= 125) HazardHit(f.game);
    }
    f.free = e.y > 480 + 125;
}

// The boss's hit-point ring: 720 * hp / maxHp strips of 4 x 1, each turned
// half a degree on from the last, around the boss. In stage 5 a boss with 20
// hit points or less shows a single strip.
void StepHpRing(EffectFrame& f) {
    EffectSprite& e = f.e;
    const GameState& s = f.s;
    if (bossGone(s)) {
        f.free = true;
        f.draw = false;
        return;
    }
    followBoss(e, s);
    const Enemy& boss = s.enemies.slot[kBossSlot];
    double share = (boss.maxHp > 0) ? 720.0 * boss.hp / boss.maxHp : 0;
    int strips = static_cast<int>(std::clamp(share, 0.0, 720.0));
    if (s.stage == 5 && boss.hp <= 20) strips = std::min(strips, 1);
    // The strip sits on the rim: its hot spot is the ring's centre.
    sprite::SetHotSpot(e.sprite, static_cast<float>(e.texW / 2), 62);
    if (!f.game.engine.Gfx_OnlyCounts()) {
        for (int i = 0; i < strips; ++i)
            sprite::RenderEx(f.game.engine, e.sprite, e.x, e.y, DegToRad(i * 0.5f), e.scaleX, e.scaleY);
    }
    f.draw = false;
}

// Magic circles ride on the boss (15 also takes on the boss's alpha) and go
// when the boss slot is freed.
void StepBossCircle(EffectFrame& f) {
    EffectSprite& e = f.e;
    if (bossGone(f.s)) {
        f.free = true;
        return;
    }
    followBoss(e, f.s);
    if (e.type == 15) {
        e.alpha = f.s.enemies.slot[kBossSlot].alpha;
        sprite::SetColor(e.sprite, PackArgb(e.alpha, e.red, e.green, e.blue));
    }
}

// Stretches while a boss value counts down; ends when it reaches 0.
void StepLinkedGrowth(EffectFrame& f) {
    f.e.scaleY += 0.02;
    f.free = f.s.bossVar[kEffectLinkVar] <= 0;
}

// Marks of the partner in enemy slot 0: they go with it (32 only while the
// slot holds one of the later partner types).
void StepPartnerLink(EffectFrame& f) {
    const GameState& s = f.s;
    const bool slotFree = s.enemies.free[0] != 0;
    f.free = (f.e.type == 33) ? slotFree : slotFree && s.enemies.slot[0].type > 35;
}

// The player's death: a sheet of 310 x 100 frames, 17 to a column, drawn in
// black with colour addition, so only its light shows.
void StepDeath(EffectFrame& f) {
    EffectSprite& e = f.e;
    sprite::SetBlendMode(e.sprite, kColourAdd);
    sprite::SetColor(e.sprite, PackArgb(e.alpha, 0, 0, 0));
    const int column = e.age / 34;
    const int row = (e.age % 34) / 2;
    sprite::SetTextureRect(e.sprite, static_cast<float>(column * 310), static_cast<float>(row * 100), 310, 100);
    f.rotation = 0.0f;
    f.free = e.age >= 63;
}

// A speech balloon rides with the boss while one is there. It stays 300
// frames; the Shoot key closes it sooner, once it has been read for a
// while (stage 5: 90 frames, the extra stage 150, others 180).
void StepBalloon(EffectFrame& f) {
    EffectSprite& e = f.e;
    GameState& s = f.s;
    if (s.bossActive && !bossGone(s)) {  // moves as the boss moves
        const Enemy& boss = s.enemies.slot[kBossSlot];
        e.x += boss.speed * DirX(boss.angle);
        e.y += boss.speed * DirY(boss.angle);
    }
    const int readFor = (s.stage == 5) ? 89 : (s.stage == 7) ? 149 : 179;
    const bool closed = e.age > readFor && IsKeyHeld(f.game, KeyShoot);
    f.free = e.age > 299 || closed;
}

// The two other ships of the extra stage's opening: they rise into the field,
// hover with their exhaust burning for the length of the stage, and fly off
// at its end.
void StepShipsFlyIn(EffectFrame& f) {
    EffectSprite& e = f.e;
    if (e.age <= 120) {
        e.y -= (e.y - 380) / 25;
    } else if (e.age > 11000) {
        e.y -= 4;
    } else {
        e.x += (e.age % 240 < 120) ? 0.1f : -0.1f;
    }
    if (e.age % 3 == 0)
        SpawnEffect(f.game, TexRect{33, 0, 0, 32, 32}, e.x, e.y + e.texH / 2.0f, 0.9f, 0.9f, 0, 0.85f, 47,
                    EffectColour{255, 70, 10, 255}, kAdditive, 0);
    f.free = e.age >= 11180;
}

}  // namespace korvid
