// Character 2's bomb: a beam column above the ship, 240 frames long, that
// widens, hurts every enemy in it, erases the bullets in it and (the
// automatic bomb) shakes gauge items out of sturdy targets.
#include <cmath>

#include "game/Game.h"
#include "play/PlayerShotKinds.h"
#include "play/Resources.h"
#include "play/Spawn.h"

namespace korvid {

namespace {

constexpr int kAutomaticTag = 254;
constexpr int kEndAge = 240;
constexpr int kSoundPercent = 24;

// Everything in the column: within the width of the beam, at least 48 px
// above the ship.
bool inColumn(const GameState& s, float x, float y, double halfWidth) {
    return std::abs(s.playerX - x) <= halfWidth && s.playerY - 48 >= y;
}

void hurtColumn(Game& game, const PlayerShot& bomb) {
    GameState& s = game.state;
    const bool automatic = bomb.alpha == kAutomaticTag;
    const double s200 = 200 * bomb.scaleX;
    for (int i = 0; i <= kBossSlot; ++i) {
        if (s.enemies.free[i]) continue;
        const Enemy& e = s.enemies.slot[i];
        if (e.timer < 0 || !inColumn(s, e.x, e.y, s200)) continue;
        if (!e.noHit) SpawnDamageObject(game, e.x, e.y, automatic ? 6.0f : 4.0f);
        // The automatic bomb also draws gauge items out of sturdy targets.
        const bool target = s.wideField || (i == kBossSlot && s.bossActive);
        if (automatic && bomb.age % 8 == 0 && e.hp >= 50 && target) {
            const int item = SpawnItem(game, {3, 32, 96, 16, 16}, e.x, e.y, 0, 2);
            if (item >= 0) s.items.slot[item].attracted = 1;
        }
    }
}

void drawColumn(Game& game, PlayerShot& bomb, float s) {
    const GameState& st = game.state;
    SpriteData& sp = bomb.sprite;
    const float x = st.playerX, y = st.playerY;
    sprite::SetBlendMode(sp, BLEND_COLORADD);
    if (bomb.age >= 2) {
        sprite::SetTextureRect(sp, 0, 0, 512, 512);
        sprite::SetHotSpot(sp, 256, 256);
        sprite::SetColor(sp, ShotColour(st, std::abs(bomb.age % 12 - 6) * 30 + 70, 0, 0, 0));
        sprite::RenderEx(game.engine, sp, x, y - 40, 0, 0.5f, static_cast<float>(s / 6.5));
    }
    const int jitter = game.rand() % 4 - 2;
    sprite::SetTextureRect(sp, 0, 512, 512, 512);
    sprite::SetHotSpot(sp, 256, 256);
    sprite::SetColor(sp, ShotColour(st, 255, 0, 0, 0));
    sprite::RenderEx(game.engine, sp, x + jitter, y - 212, 0, s, bomb.scaleY);

    sprite::SetTextureRect(sp, 512, 512, 256, 192);
    sprite::SetHotSpot(sp, 128, 96);
    auto ring = [&](int r) {
        const bool rising = r <= 10 && s > 0.6;
        const float hscale = static_cast<float>(rising ? 0.87 * s + 0.03 * r : 1.25 * s);
        const float ry = y - 40 - 15 * r - (rising ? 40 : 0);
        sprite::RenderEx(game.engine, sp, x, ry, 0, hscale, 0.99f);
    };
    ring(bomb.age % 32);
    if (bomb.age > 11) ring((bomb.age - 16) % 32);
}

}  // namespace

void SecondBombStep(Game& game, int slot) {
    GameState& s = game.state;
    PlayerShot& bomb = s.playerShots.slot[slot];
    hurtColumn(game, bomb);
    EraseBullets(s, s.playerX, 150 * bomb.scaleX, s.playerY - 48);
    drawColumn(game, bomb, bomb.scaleX);
    if (bomb.age == 2) PlayBombSound(game, kBombChargeSound, kSoundPercent);
    if (bomb.age % 15 == 0 && bomb.age <= 200) PlayBombSound(game, kBombSparkSound, kSoundPercent);
    if (bomb.age <= 40) bomb.scaleX = static_cast<float>(bomb.scaleX + 0.02);
    if (bomb.age > 199) bomb.scaleX = static_cast<float>(bomb.scaleX - 0.02);
    if (bomb.age >= kEndAge) EndBomb(game, slot);
}

}  // namespace korvid
