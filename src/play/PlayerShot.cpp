// One frame of a player shot: age and colour, the kind's pre-step, the move,
// the removal at the field's edge, the kind's own step, contact with the
// enemies, and the final draw.
#include "game/Game.h"
#include "game/PoolSteps.h"
#include "play/Geometry.h"
#include "play/PlayerShotKinds.h"

namespace korvid {

namespace {

void preStep(Game& game, int slot) {
    PlayerShot& p = game.state.playerShots.slot[slot];
    switch (p.kind) {
        case kShotFirstBomb: FirstBombStep(game, slot); break;
        case kShotSubBomb: SubBombStep(game, slot); break;
        case kShotSeeker:
            if (p.age == 1) AimSeeker(game, slot);
            break;
        default: break;
    }
}

void move(PlayerShot& p) {
    p.x += DirX(p.angle) * p.speed;
    p.y += DirY(p.angle) * p.speed;
}

bool outsideField(const GameState& s, const PlayerShot& p) {
    if (s.wideField) return p.x < -32 || p.y < -480 || p.x > 650 || p.y > 512;
    if (s.screen == 10) return p.x < -32 || p.y < -32 || p.x > 480 || p.y > 512;
    return p.x < 0 || p.y < 0 || p.x > 640 || p.y > 332;  // the title screen's demonstration
}

// A plain copy of the shot under an additive tint of one colour.
void drawPlainThenTint(Game& game, PlayerShot& p, int red, int green, int blue) {
    DrawShot(game, p);
    sprite::SetBlendMode(p.sprite, 0);
    sprite::SetColor(p.sprite, ShotColour(game.state, 255, red, green, blue));
}

void tint(Game& game, PlayerShot& p, int red, int green, int blue) {
    sprite::SetBlendMode(p.sprite, 0);
    sprite::SetColor(p.sprite, ShotColour(game.state, 255, red, green, blue));
}

void kindStep(Game& game, int slot) {
    PlayerShot& p = game.state.playerShots.slot[slot];
    switch (p.kind) {
        case kShotMain: tint(game, p, 255, 0, 0); break;
        case kShotSide: tint(game, p, 136, 85, 0); break;
        case kShotSeeker: drawPlainThenTint(game, p, 255, 0, 0); break;
        case kShotBolt:
        case kShotCrescent: drawPlainThenTint(game, p, 0, 0, 255); break;
        case kShotDamage: game.state.playerShots.free[slot] = 1; break;  // it lives for one update
        case kShotLaser: LaserStep(game, slot); break;
        case kShotSecondBomb: SecondBombStep(game, slot); break;
        case kShotMine: MineStep(game, slot); break;
        case kShotBlast: BlastStep(game, slot); break;
        case kShotThirdBomb: ThirdBombStep(game, slot); break;
        case kShotMarker:
            if (p.age > 30) game.state.playerShots.free[slot] = 1;
            break;
        default: break;
    }
}

// The two bombs that draw themselves in their step have no final draw.
bool drawsItself(int kind) { return kind == kShotSecondBomb || kind == kShotThirdBomb; }

}  // namespace

float ShotRotation(const PlayerShot& p) {
    if (p.kind == kShotSubBomb) return DegToRad(static_cast<float>((p.age % 90) * 4));
    if (p.kind == kShotMine) return DegToRad(static_cast<float>((p.age % 20) * 18));
    return DegToRad(p.angle);
}

void DrawShot(Game& game, PlayerShot& p) {
    sprite::RenderEx(game.engine, p.sprite, p.x, p.y, ShotRotation(p), p.scaleX, p.scaleY);
}

void UpdatePlayerShot(Game& game, int slot) {
    GameState& s = game.state;
    PlayerShot& p = s.playerShots.slot[slot];
    p.age += 1;
    p.angle = NormaliseAngle(p.angle);
    sprite::SetBlendMode(p.sprite, BLEND_DEFAULT);
    sprite::SetColor(p.sprite, ShotColour(s, p.alpha, 255, 255, 255));
    preStep(game, slot);
    move(p);
    // Leaving the field frees the slot; the rest of the frame still runs.
    if (outsideField(s, p)) s.playerShots.free[slot] = 1;
    kindStep(game, slot);
    TouchEnemies(game, slot);
    if (!drawsItself(p.kind)) DrawShot(game, p);
    if (p.kind == kShotLaser) s.playerShots.free[slot] = 1;  // rebuilt by the next frame's burst
}

}  // namespace korvid
