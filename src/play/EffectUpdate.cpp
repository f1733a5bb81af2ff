// The effect pool's update and draw, run for each effect in the band of its
// z: age, colour, blend, the type's step, the draw, then the free.
#include <algorithm>

#include "game/PoolSteps.h"
#include "play/EffectSteps.h"
#include "play/Geometry.h"

namespace korvid {

std::uint32_t PackArgb(int alpha, int red, int green, int blue) {
    const auto a = static_cast<std::uint32_t>(alpha), r = static_cast<std::uint32_t>(red),
               g = static_cast<std::uint32_t>(green), b = static_cast<std::uint32_t>(blue);
    if ((a | r | g | b) <= 255) return (a << 24) | (r << 16) | (g << 8) | b;  // nothing to clamp
    auto c = [](int v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 255)); };
    return (c(alpha) << 24) | (c(red) << 16) | (c(green) << 8) | c(blue);
}

namespace {

void stepNothing(EffectFrame&) {}
void stepFreeAtOnce(EffectFrame& f) { f.free = true; }

EffectStep stepFor(int type) {
    switch (type) {
        case 3: return StepGrazeSpark;
        case 5: return StepFog;
        case 8: return StepChargeMote;
        case 9: return StepAuraMote;
        case 10: return StepTitleCard;
        case 11: return StepHpRing;
        case 12: case 15: return StepBossCircle;
        case 13: return stepFreeAtOnce;
        case 22: case 25: case 26: case 27: case 37: case 43: case 44: case 58: case 59: case 61: case 62: case 67:
            return StepEmitter;
        case 24: return StepDisarmCross;
        case 29: return StepShard;
        case 30: return StepLinkedGrowth;
        case 31: case 38: return StepDevice;
        case 32: case 33: return StepPartnerLink;
        case 39: return StepEraseRing;
        case 41: case 42: return StepGlimmer;
        case 45: return StepWanderer;
        case 46: return StepDeath;
        case 50: case 53: return StepBombBlast;
        case 54: return StepDrift;
        case 55: return StepBalloon;
        case 57: return StepMissile;
        case 60: return StepShipsFlyIn;
        case 63: return StepWhiteout;
        case 66: return StepBloom;
        default: break;
    }
    const EffectStep plain = PlainStep(type);
    return plain ? plain : stepNothing;
}

// The steps of the types 0..127 looked up once, when the program loads.
struct StepTable {
    static constexpr int kTypes = 128;
    EffectStep step[kTypes];
};
const StepTable kStepTable = [] {
    StepTable t{};
    for (int type = 0; type < StepTable::kTypes; ++type) t.step[type] = stepFor(type);
    return t;
}();

EffectStep stepOf(int type) {
    return (type >= 0 && type < StepTable::kTypes) ? kStepTable.step[type] : stepFor(type);
}

// The extra stage's closing fade dims every effect with the boss's fade value.
int shownAlpha(const GameState& s, int alpha) {
    const bool closing = s.stage == 7 && ((s.bossActive && s.bossPattern() == 88) || s.stageCleared);
    if (!closing) return alpha;
    return static_cast<int>(alpha * (255 - s.bossVarArr[5]) / 255);
}

}  // namespace

void UpdateEffect(Game& game, int slot) {
    GameState& s = game.state;
    EffectSprite& e = s.effects.slot[slot];
    e.age += 1;
    // The colour and blend are set afresh here every frame before the step
    // (which may change them) and read only when the sprite is drawn, so a
    // run without pictures leaves them be.
    const bool seen = !game.engine.Gfx_OnlyCounts();
    if (seen) {
        sprite::SetColor(e.sprite, PackArgb(shownAlpha(s, e.alpha), e.red, e.green, e.blue));
        sprite::SetBlendMode(e.sprite, BLEND_DEFAULT);
    }

    EffectFrame f{game, s, e, slot, true, std::nullopt, false};
    stepOf(e.type)(f);

    if (f.draw && seen) {
        const float rotation = f.rotation ? *f.rotation : DegToRad(e.angle);
        sprite::RenderEx(game.engine, e.sprite, e.x, e.y, rotation, e.scaleX, e.scaleY);
    }
    if (f.free) s.effects.free[slot] = 1;
}

}  // namespace korvid
