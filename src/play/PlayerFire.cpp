// The shot bursts of the three characters. A burst runs 20 frames; most
// volleys go out on the even values of the burst timer.
#include <span>

#include "game/Game.h"
#include "play/Player.h"
#include "play/Spawn.h"

namespace korvid {

namespace {

// One shot of a volley, relative to the ship.
struct ShotPlan {
    float dx, dy;
    float scaleX, scaleY;
    float angle;
};

struct Volley {
    TexRect rect;  // texture 54: the character's shot sheet
    float speed;
    int kind;
    int alpha;
    float damage, bossDamage;
    double tiltFactor;  // angle += tilt x factor (character 3), in double
    std::span<const ShotPlan> shots;
};

constexpr ShotPlan kFirstPair[] = {{-12, 16, 1, 1, 0}, {12, 16, 1, 1, 0}};
constexpr ShotPlan kFirstSideFan[] = {{26, 16, 1, 1, 5},   {-26, 16, -1, 1, -5}, {26, 16, 1, 1, 10},
                                   {-26, 16, -1, 1, -10}, {26, 16, 1, 1, 15},   {-26, 16, -1, 1, -15}};
constexpr ShotPlan kFirstFocusedPair[] = {{16, -16, 1, 1, 0}, {-16, -16, 1, 1, 0}};
constexpr ShotPlan kSecondSpread[] = {{-12, 0, 1, 1, 0}, {12, 0, 1, 1, 0}, {-24, 0, 1, 1, -5}, {24, 0, 1, 1, 5}};
constexpr ShotPlan kThirdFan[] = {{-12, 16, 0.3f, 0.3f, 0},  {12, 16, 0.3f, 0.3f, 0},  {-26, 16, 0.3f, 0.3f, -3},
                                  {26, 16, 0.3f, 0.3f, 3},   {-40, 16, 0.3f, 0.3f, -6}, {40, 16, 0.3f, 0.3f, 6}};
constexpr ShotPlan kThirdFocused[] = {{20, -16, 0.35f, 0.35f, 0}, {-20, -16, 0.35f, 0.35f, 0}};
constexpr ShotPlan kSecondLaser[] = {{0, -24, 1.2f, 1.3f, 0}};

constexpr Volley kFirstMain{{54, 96, 120, 48, 56}, 24, 1, 155, 1.0f, 0.7f, 0, kFirstPair};
constexpr Volley kFirstSide{{54, 92, 0, 52, 60}, 24, 2, 155, 0.5f, 0.3f, 0, kFirstSideFan};
constexpr Volley kFirstFocused{{54, 12, 278, 46, 100}, 24, 3, 155, 1.8f, 1.8f, 0, kFirstFocusedPair};
constexpr Volley kSecondMain{{54, 12, 0, 38, 68}, 24, 7, 155, 1.6f, 1.0f, 0, kSecondSpread};
constexpr Volley kThirdMain{{54, 0, 0, 104, 124}, 24, 10, 155, 0.75f, 0.75f, 1.3, kThirdFan};
constexpr Volley kThirdSlow{{54, 9, 201, 124, 130}, 8, 11, 155, 0.0f, 0.0f, 0, kThirdFocused};

void fire(Game& game, const Volley& v, float damage) {
    const GameState& s = game.state;
    const float x = s.playerX, y = s.playerY;
    for (const ShotPlan& shot : v.shots) {
        const float angle = v.tiltFactor != 0 ? static_cast<float>(s.tilt * v.tiltFactor + shot.angle) : shot.angle;
        SpawnPlayerShot(game, v.rect, x + shot.dx, y + shot.dy, shot.scaleX, shot.scaleY, angle, 0.85f, v.speed, v.kind,
                        v.alpha, damage);
    }
}

void fireVolley(Game& game, const Volley& v) { fire(game, v, game.state.bossActive ? v.bossDamage : v.damage); }

void secondCharacterLaser(Game& game, bool slowHeld) {
    GameState& s = game.state;
    if (!slowHeld) {
        s.laserFrames = 0;
        s.laserFramesB = 0;
        return;
    }
    s.laserFrames += 1;
    s.laserFramesB += 1;
    if (s.laserFrames < 0 || s.dialogueActive) return;
    const float damage = (s.bossActive && s.dialoguePage >= 6) ? 2.7f : 1.9f;
    const float x = s.playerX, y = s.playerY;
    SpawnPlayerShot(game, {54, 0, 0, 72, 0}, x + kSecondLaser[0].dx, y + kSecondLaser[0].dy, kSecondLaser[0].scaleX,
                    kSecondLaser[0].scaleY, 0, 0.85f, 0, 8, 255, damage);
}

}  // namespace

void EmitShots(Game& game, bool slowHeld, bool unfocused) {
    const GameState& s = game.state;
    const bool even = s.shotTimer % 2 == 0;
    switch (s.character) {
        case 2:
            if (even && unfocused) fireVolley(game, kSecondMain);
            secondCharacterLaser(game, slowHeld);
            break;
        case 3:
            if (even && unfocused) fireVolley(game, kThirdMain);
            if (s.shotTimer % 8 == 0 && slowHeld) fireVolley(game, kThirdSlow);
            break;
        default:
            if (even && unfocused) {
                fireVolley(game, kFirstMain);
                fireVolley(game, kFirstSide);
            }
            if (even && slowHeld) fireVolley(game, kFirstFocused);
            break;
    }
}

}  // namespace korvid
