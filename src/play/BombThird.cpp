// Character 3's bomb: a spinning disc and widening rings around the ship.
// It fades in for 42 frames, then hurts every enemy and erases every bullet
// each frame until it fades out again; the automatic one also fills the
// gauge while it runs.
#include <algorithm>

#include "game/Game.h"
#include "play/Geometry.h"
#include "play/PlayerShotKinds.h"

namespace korvid {

namespace {

constexpr int kFadeInAge = 42;
constexpr int kFadeOutAfter = 199;
constexpr int kFadeStep = 6;
constexpr float kPowerCapAtEnd = 92;

void feedGauge(GameState& s) {
    if (s.power >= 84) s.power = static_cast<float>(s.power + 0.1);
    else if (s.power >= 0.5) s.power = static_cast<float>(s.power + 0.3);
}

void hurtEverything(Game& game, float damage) {
    GameState& s = game.state;
    for (int i = 0; i <= kBossSlot; ++i)
        if (IsHittable(s, i)) SpawnDamageObject(game, s.enemies.slot[i].x, s.enemies.slot[i].y, damage);
    EraseAllBullets(s);
}

// A ring at phase t of its 60-frame cycle: grows to twice its size and
// fades over the last third.
void drawRing(Game& game, PlayerShot& bomb, int t) {
    SpriteData& sp = bomb.sprite;
    sprite::SetColor(sp, ShotColour(game.state, t > 40 ? 735 - t * 12 : 255, 0, 0, 0));
    sprite::RenderEx(game.engine, sp, bomb.x, bomb.y, DegToRad(static_cast<float>(-t * 6)), static_cast<float>(t / 30.0));
}

void drawBomb(Game& game, PlayerShot& bomb, bool automatic) {
    SpriteData& sp = bomb.sprite;
    const int t = bomb.age % 60;
    const float spin = DegToRad(static_cast<float>(t * 6));
    sprite::SetBlendMode(sp, BLEND_COLORADD);
    sprite::SetTextureRect(sp, 0, 0, 512, 512);
    sprite::SetHotSpot(sp, 256, 256);
    sprite::SetColor(sp, ShotColour(game.state, bomb.alpha, 0, 0, 0));
    sprite::RenderEx(game.engine, sp, bomb.x, bomb.y, spin, bomb.scaleX, -bomb.scaleY);
    sprite::RenderEx(game.engine, sp, bomb.x, bomb.y, spin, bomb.scaleX, bomb.scaleY);
    sprite::SetTextureRect(sp, 512, 0, 512, 512);
    drawRing(game, bomb, t);
    if (automatic && bomb.age >= 30) drawRing(game, bomb, (bomb.age - 30) % 60);
}

}  // namespace

void ThirdBombStep(Game& game, int slot) {
    GameState& s = game.state;
    PlayerShot& bomb = s.playerShots.slot[slot];
    bomb.x = s.playerX;
    bomb.y = s.playerY;
    const bool automatic = bomb.scaleX > 0.95;
    if (automatic) feedGauge(s);
    if (bomb.age > kFadeInAge) hurtEverything(game, bomb.scaleX >= 0.95 ? 4.0f : 2.4f);
    else bomb.alpha += kFadeStep;
    drawBomb(game, bomb, automatic);
    if (bomb.age > kFadeOutAfter) bomb.alpha -= kFadeStep;
    if (bomb.age > kFadeOutAfter && bomb.alpha <= 0) {
        EndBomb(game, slot);
        s.power = std::min(s.power, kPowerCapAtEnd);
    }
}

}  // namespace korvid
