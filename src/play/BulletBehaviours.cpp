// The behaviour step of a bullet, picked by its code. Codes without a row
// (0, 10, 22, 31, 41, 52, -1 among them) have no step of their own; the
// boss-bound codes (85/86, 103, 112, 120, 128/129, 135) are registered by the
// fights that own them and found through the game's boss bullet hooks.
#include "play/BulletSteps.h"

#include "game/Game.h"

namespace korvid {

namespace {

using Step = void (*)(Game&, int);

Step stepFor(int code) {
    using namespace bullet;
    switch (code) {
        case 1: case 18: return PulseBurst;
        case 2: case 3: return PulseThenSideTurn;
        case 4: case 23: case 55: case 56: return PulseThenAim;
        case 5: return SplitIntoPairs;
        case 6: case 7: return SlideApart;
        case 8: return PulseThenFadeIn;
        case 9: return Fountain;
        case 11: return CurlAndSink;
        case 12: case 13: case 14: return LightUp;
        case 15: return [](Game& g, int i) { auto& b = At(g, i); b.scaleX = static_cast<float>(b.scaleX * 1.01); };
        case 16: case 17: return Spiral;
        case 19: return Flip;
        case 20: return Wheel;
        case 21: return LaserSpinner;
        case 24: case 25: return PulseThenVeer;
        case 26: return RampUp;
        case 27: return PulseThenStraight;
        case 28: return RainbowSparkle;
        case 29: return GlowAndFade;
        case 30: return AimedDrip;
        case 32: return GrowIntoGiant;
        case 33: case 57: case 71: case 104: case 109: case 122: return Accelerate;
        case 34: case 35: case 58: case 113: case 114: case 118: case 123: case 127: case 136: return TurnByTag;
        case 36: return DieAtBoss;
        case 37: return LaserWeaver;
        case 38: case 116: return SinkDown;
        case 39: return StageTimedSpeed;
        case 40: return AimWithSpread;
        case 42: return TurnBack;
        case 43: return Shatter;
        case 44: case -44: return Vanish;
        case 45: case 46: case 47: case 48: return Split;
        case 49: case -8: case 82: case -13: case 84: case -14: return BlinkPhases;
        case 50: return BounceOnce;
        case 51: return GroupRelease;
        case 53: return StretchThenSettle;
        case 54: return RingVolleys;
        case 59: return SideStreams;
        case 60: case 87: case 102: return SetSpeedAt;
        case 61: return PulseThenScatter;
        case 62: return AimWhileHeld;
        case 63: return PulseAndTurnBack;
        case 64: case 66: return OrbitingLaser;
        case 65: case -12: return FollowBossGlow;
        case 67: return BurstIntoRings;
        case 68: return ShieldLaser;
        case 69: return AimedVolley;
        case 70: return WhirlOrFade;
        case 72: return SideWalls;
        case 73: return BrakeToStop;
        case 74: return ProximityBurst;
        case 75: return RisingFloor;
        case 76: return DriftAgainstClock;
        case 77: return SquareTurns;
        case 78: return BrakeAndMirror;
        case 79: return HoldThenGo;
        case 80: case 125: return WhirlThenGo;
        case 83: return WhirlTrailThenDash;
        case 88: return FadeByLength;
        case 89: return SlowThenAim;
        case 90: case 91: return StopThenScatter;
        case 92: return SlowThenCruise;
        case 93: return SwellAndExpire;
        case 94: return Satellite;
        case 95: case 96: return CircleDancer;
        case 97: case 98: return ReflectOnce;
        case 99: return Homing;
        case 100: return SwerveThenSlow;
        case 101: return ReleaseOnBossWound;
        case 105: return RiseAndFall;
        case 106: case 107: return WhirlThenDart;
        case 108: return DoubleRingBurst;
        case 110: return SwingAndFall;
        case 111: return Sniper;
        case 115: return CurveLeft;
        case 117: return FallLikeItem;
        case 119: return FallThenScatter;
        case 121: return LaserBender;
        case 124: return StopFireOrSpiral;
        case 126: return PulseThenAimLoosely;
        case 130: return Sweeper;
        case 131: return Planter;
        case 132: return StandThenDrift;
        case 133: return RingSower;
        case 134: return ShrinkingPulse;
        case -2: return Fuse;
        case -3: return Sparkle;
        case -4: return NearFarCell;
        case -5: case -6: return Converter;
        case -7: return FadeAway;
        case -9: case -10: case -11: return GaugeDrain;
        default: return nullptr;
    }
}

}  // namespace

void RunBulletBehaviour(Game& game, int slot) {
    const int code = game.state.enemyBullets.slot[slot].behavior;
    if (const Step step = stepFor(code)) {
        step(game, slot);
        return;
    }
    const BossBulletHooks* hooks = game.rules ? game.rules->bossBullets : nullptr;
    if (hooks && code >= 0 && code < kBossBulletCodeLimit && (*hooks)[code]) (*hooks)[code](game, slot);
}

}  // namespace korvid
