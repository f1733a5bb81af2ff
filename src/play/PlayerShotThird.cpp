// Character 3's focused mine and its blast: the mine climbs until it is
// level with the lowest enemy, then bursts into a flash that hurts what is
// near it and what lies on its line.
#include <cmath>

#include "game/Game.h"
#include "play/PlayerShotKinds.h"

namespace korvid {

namespace {

// Boss patterns whose whole field is in reach of a blast.
bool bossFillsTheField(const GameState& s) {
    const int pattern = s.bossPattern();
    return s.bossActive && pattern >= 30 && pattern <= 36 && pattern != 33;
}

// The blast's strength: rises over 10 frames, holds, and falls from 20.
double strength(int age) {
    if (age <= 10) return age / 10.0;
    if (age <= 20) return 1;
    return 3 - age / 10.0;
}

void hurtNearby(Game& game, const PlayerShot& blast, double f) {
    const GameState& s = game.state;
    const bool everywhere = bossFillsTheField(s);
    for (int i = 0; i <= kBossSlot; ++i) {
        if (!IsHittable(s, i)) continue;
        const Enemy& e = s.enemies.slot[i];
        const float dx = blast.x - e.x, dy = blast.y - e.y;
        if (std::sqrt(static_cast<double>(dx * dx + dy * dy)) <= 200.0 * blast.scaleX || everywhere)
            SpawnDamageObject(game, e.x, e.y, 0.2f);
        const bool onLine = std::abs(blast.y - e.y) <= f * 16 || (i == kBossSlot && s.bossActive);
        if (blast.age <= 20 && onLine) SpawnDamageObject(game, e.x, e.y, 0.12f);
    }
}

void drawBlast(Game& game, PlayerShot& blast, double f) {
    const GameState& s = game.state;
    SpriteData& sp = blast.sprite;
    sprite::SetZ(sp, 0.86f);
    // The line the blast hurts along, from the ship's own sheet.
    if (blast.age <= 30) {
        sprite::SetTexture(game.engine, sp, s.textures[54]);
        sprite::SetTextureRect(sp, 256, 256, 16, 256);
        sprite::SetHotSpot(sp, 8, 128);
        sprite::SetColor(sp, ShotColour(s, 255, 255, 0, 255));
        sprite::SetBlendMode(sp, 0);
        sprite::RenderEx(game.engine, sp, blast.x, blast.y, 1.5706806f, static_cast<float>(f), 2);
    }
    // The blast itself is the shot's final draw, faded by its alpha.
    sprite::SetTexture(game.engine, sp, s.textures[54]);
    sprite::SetTextureRect(sp, 256, 0, 256, 256);
    sprite::SetHotSpot(sp, 128, 128);
    sprite::SetColor(sp, ShotColour(s, blast.alpha, 255, 0, 255));
    sprite::SetZ(sp, 0.85f);
    sprite::SetBlendMode(sp, BLEND_DEFAULT);
}

void scaleBy(PlayerShot& p, double step) {
    p.scaleX = static_cast<float>(p.scaleX + step);
    p.scaleY = static_cast<float>(p.scaleY + step);
}

}  // namespace

void MineStep(Game& game, int slot) {
    const GameState& s = game.state;
    PlayerShot& mine = game.state.playerShots.slot[slot];
    float bestY = 0;
    int chosen = -1;
    for (int i = 0; i <= kBossSlot; ++i) {
        if (!IsHittable(s, i)) continue;
        if (s.enemies.slot[i].y > bestY && bestY <= mine.y + 16) {
            bestY = s.enemies.slot[i].y;
            chosen = i;
        }
    }
    if (chosen < 0 || std::abs(mine.y - bestY) > 16) return;
    mine.kind = kShotBlast;
    mine.age = 0;
    mine.scaleX = mine.scaleY = 0;
    mine.speed = 0;
}

void BlastStep(Game& game, int slot) {
    GameState& s = game.state;
    PlayerShot& blast = s.playerShots.slot[slot];
    const double f = strength(blast.age);
    if (blast.age <= 30) hurtNearby(game, blast, f);
    drawBlast(game, blast, f);
    if (blast.age <= 15) scaleBy(blast, 0.013);
    if (blast.age > 29) {
        scaleBy(blast, 0.005);
        blast.alpha -= 8;
    }
    if (blast.alpha < 1) s.playerShots.free[slot] = 1;
}

}  // namespace korvid
