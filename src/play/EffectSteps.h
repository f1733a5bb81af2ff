// The effect types' steps, shared by the effect family files. UpdateEffect
// (EffectUpdate.cpp) ages the effect, sets its colour and blend, runs the
// type's step, draws it, and only then frees it if the step said so: an
// effect is drawn in the frame it ends.
#pragma once

#include <cstdint>
#include <optional>

#include "game/Game.h"

namespace korvid {

struct EffectFrame {
    Game& game;
    GameState& s;
    EffectSprite& e;
    int slot;
    bool draw = true;                // drawn after the step
    std::optional<float> rotation;   // radians; angle / 57.3 when not set
    bool free = false;               // freed after the draw
};

using EffectStep = void (*)(EffectFrame&);

// ARGB with every channel clamped to 0..255.
std::uint32_t PackArgb(int alpha, int red, int green, int blue);

// Which shared boss values the linked effects read.
inline constexpr int kEffectLinkVar = 0;  // bossVar entry: type 30 ends when it reaches 0

// Field x and y limits beyond which moving devices leave.
inline constexpr float kDeviceMinX = -64, kDeviceMaxX = 512, kDeviceMinY = -64, kDeviceMaxY = 544;

// Plain visuals: one table row each (EffectMotion.cpp); null for other types.
EffectStep PlainStep(int type);

// Visuals with their own motion (EffectMotion.cpp).
void StepGrazeSpark(EffectFrame& f);    // 3
void StepChargeMote(EffectFrame& f);    // 8
void StepAuraMote(EffectFrame& f);      // 9
void StepShard(EffectFrame& f);         // 29
void StepGlimmer(EffectFrame& f);       // 41, 42
void StepWanderer(EffectFrame& f);      // 45
void StepDrift(EffectFrame& f);         // 54
void StepWhiteout(EffectFrame& f);      // 63
void StepBloom(EffectFrame& f);         // 66

// Followers, captions and scripted actors (EffectActors.cpp).
void StepFog(EffectFrame& f);           // 5
void StepTitleCard(EffectFrame& f);     // 10
void StepHpRing(EffectFrame& f);        // 11
void StepBossCircle(EffectFrame& f);    // 12, 15
void StepLinkedGrowth(EffectFrame& f);  // 30
void StepPartnerLink(EffectFrame& f);   // 32, 33
void StepDeath(EffectFrame& f);         // 46
void StepBalloon(EffectFrame& f);       // 55
void StepShipsFlyIn(EffectFrame& f);    // 60

// Zones and hazards (EffectZones.cpp).
void StepDisarmCross(EffectFrame& f);   // 24
void StepEraseRing(EffectFrame& f);     // 39
void StepBombBlast(EffectFrame& f);     // 50, 53
void StepDevice(EffectFrame& f);        // 31, 38
void StepMissile(EffectFrame& f);       // 57

// Hits the player when the hazard touches: the collision rules' hit with
// invincibility, recorded only while the player is neither invincible nor
// already hit.
void HazardHit(Game& game);

// Emitters (EffectEmitters.cpp): one table row per type.
void StepEmitter(EffectFrame& f);       // 22, 25, 26, 27, 37, 43, 44, 58, 59, 61, 62, 67

}  // namespace korvid
