// The pieces the player-shot update shares with the per-character shot and
// bomb files: the kind steps, and the small rules every kind uses (which
// enemies can be hit, damage objects, bullet clearing, the end of a bomb).
#pragma once

#include <cstdint>

namespace korvid {

struct Game;
struct GameState;

// Shot kinds.
enum ShotKind : int {
    kShotMain = 1,        // character 1, unfocused main shot
    kShotSide = 2,        // character 1, unfocused side shot
    kShotSeeker = 3,      // character 1, focused shot
    kShotFirstBomb = 4,   // character 1 bomb: the stationary controller
    kShotSubBomb = 5,     // character 1 bomb: the homing orbs
    kShotDamage = 6,      // invisible damage object
    kShotBolt = 7,        // character 2, unfocused shot
    kShotLaser = 8,       // character 2, focused beam
    kShotSecondBomb = 9,  // character 2 bomb: the beam column
    kShotCrescent = 10,   // character 3, unfocused shot
    kShotMine = 11,       // character 3, focused mine
    kShotBlast = 12,      // character 3, the mine's blast
    kShotThirdBomb = 13,  // character 3 bomb: the disc and ring
    kShotMarker = 14,     // where a drain bullet touched the ship: never hurts, gone after 30 frames
};

// In use, not passed through by shots, and not still arriving (timer >= 0).
bool IsHittable(const GameState& s, int enemy);

// The colour a shot draws with: the stage-7 ending fades every alpha; the
// channels are clamped when packed.
std::uint32_t ShotColour(const GameState& s, int alpha, int red, int green, int blue);

// An invisible object at (x, y) that hurts every hittable enemy once.
void SpawnDamageObject(Game& game, float x, float y, float damage);

// Frees the enemy bullets a bomb may erase (not marked, not behaviour 20)
// that lie within halfWidth of centreX and not below maxY.
void EraseBullets(GameState& s, float centreX, double halfWidth, float maxY);
// Frees every bullet a bomb may erase.
void EraseAllBullets(GameState& s);

// The bomb in `slot` is over: the slot is freed and a new bomb may start.
void EndBomb(Game& game, int slot);

// Plays a sound file at a percentage of the sound-effect volume, now.
void PlayBombSound(Game& game, int entry, int percent);

struct PlayerShot;

// Drawing rotation (radians) and the shot's own draw at its place and scale.
float ShotRotation(const PlayerShot& p);
void DrawShot(Game& game, PlayerShot& p);

// Contact of shot `slot` with every enemy: hits, damage, score, sparks,
// and the death of ordinary enemies left without hit points.
void TouchEnemies(Game& game, int slot);

// Kind steps. Pre-steps run before the move, steps after the removal test.
void AimSeeker(Game& game, int slot);        // kind 3, first frame
void FirstBombStep(Game& game, int slot);    // kind 4
void SubBombStep(Game& game, int slot);      // kind 5
void LaserStep(Game& game, int slot);        // kind 8
void SecondBombStep(Game& game, int slot);   // kind 9
void MineStep(Game& game, int slot);         // kind 11
void BlastStep(Game& game, int slot);        // kind 12
void ThirdBombStep(Game& game, int slot);    // kind 13

// Character 1's sparks where one of its shots hit `enemy`.
void FirstCharacterSparks(Game& game, int slot, int enemy);

}  // namespace korvid
