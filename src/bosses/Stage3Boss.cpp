// The stage-3 boss, from stage frame 9200: she fades in where she stands
// (224, 180) during the conversation; her music starts at timer 100.
//
//   15 (swept streams, a laser crown) -> 16 (card: wheels, a woven ring,
//   blade fans) -> 17 (legs, rings, great orbs, jittered broad lasers) ->
//   18 (card: fans from two muzzles at her left) -> 19 (two-coloured
//   layered rings) -> 20 (card: spiralling orbs, turning lasers) -> 21
//   (survival card: she charges the ship dragging a fuse line; it ends only
//   when its time runs out) -> 70 frames later the closing conversation;
//   the stage clears after its last page.
//
// t is the boss timer, c the position in a pattern's cycle, d the
// difficulty, (x, y) the boss.
#include <algorithm>
#include <cmath>

#include "bosses/FightRegistry.h"
#include "bosses/Stage3Boss.h"
#include "game/Game.h"
#include "play/Geometry.h"
#include "play/PatternKit.h"
#include "play/Spawn.h"
#include "stages/StageTunes.h"

namespace korvid {

namespace {

int difficulty(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }

// A thin laser (texture 4) of colour `column`.
BulletPlan laser(int column, double speed, float width = 1.5f, int behavior = 0) {
    BulletPlan b{{4, column, 0, 16, 0}, speed, behavior};
    b.scaleX = width;
    b.z = 0.55f;
    return b;
}

// A large bullet of the second sheet: red (0, 256), blue (128, 256), green
// (0, 288), yellow (128, 288).
BulletPlan large(int column, int row, double speed, int behavior = 0) {
    return {{1, column, row, 32, 32}, speed, behavior};
}

// ---------------------- pattern 15: swept streams and a crown of lasers
//
// Opening: hit points held to t 100 while the stage music fades, the boss
// track from t 100, a charge burst over 55..80. Cycle of 250 frames from
// t 101. At 0, 70 and 140 the aim at the ship is kept (bossVarX).
//   0..59    one stream of large red bullets (speed 3/3.5/4/4, every
//            6/4/3/3 frames) sweeping from aim - 60 to aim + 60, 2 degrees
//            a frame;
//   70..129  a blue stream sweeping back from aim + 60 to aim - 60;
//   140..199 both at once (green), crossing over the ship's bearing;
//   215      a crown of 8/12/16/16 thin lasers leaving from points 60
//            pixels around the boss, outward, starting at the kept aim.
// From t 400 on Normal and up every 6 frames of the first two sweeps a
// stream of small bullets (speed 2.5) mirrors the sweep about the aim.
// Dodging: stand off the aim line and slip between two bullets of the arm
// as it passes. No rand() draws.
struct Pattern15Numbers {
    int streamEvery;
    double streamSpeed;
    int crown;
};
constexpr Pattern15Numbers kPattern15[4] = {{6, 3, 8}, {4, 3.5, 12}, {3, 4, 16}, {3, 4, 16}};
constexpr int kPattern15Start = 101;
constexpr int kExtraStreamsFrom = 400;

void attack15(Game& game, int t) {
    GameState& s = game.state;
    const Enemy& b = Boss(game);
    const int d = difficulty(game);
    const Pattern15Numbers& n = kPattern15[d];
    const int c = (t - kPattern15Start) % 250;
    if (c == 0 || c == 70 || c == 140) s.bossVarX = static_cast<float>(AimAtPlayer(game, b.x, b.y));
    const double aim = s.bossVarX;
    const bool extra = d >= 1 && t >= kExtraStreamsFrom;
    auto stream = [&](const BulletPlan& plan, double angle, int from) {
        if ((c - from) % n.streamEvery != 0) return;
        Fire(game, plan, b.x, b.y, static_cast<float>(angle));
        if (extra && from < 140 && (c - from) % 6 == 0)
            Fire(game, {{0, 96, 32, 16, 16}, 2.5, 0}, b.x, b.y, static_cast<float>(2 * aim - angle));
    };
    if (c < 60) stream(large(0, 256, n.streamSpeed), aim - 60 + 2 * c, 0);
    if (c >= 70 && c < 130) stream(large(128, 256, n.streamSpeed), aim + 60 - 2 * (c - 70), 70);
    if (c >= 140 && c < 200) {
        stream(large(0, 288, n.streamSpeed), aim - 60 + 2 * (c - 140), 140);
        stream(large(0, 288, n.streamSpeed), aim + 60 - 2 * (c - 140), 140);
    }
    if (c % 10 == 0 && c < 200) RequestSound(game, 1);
    if (c == 215) {
        RequestSound(game, 22);
        const int step = RingStep(n.crown);
        for (int i = 0; i < n.crown; ++i) {
            const float a = static_cast<float>(aim + i * step);
            Fire(game, laser(32, 4), b.x + DirX(a) * 60, b.y + DirY(a) * 60, a);
        }
    }
}

// ---------------------------- pattern 16 (card): wheels, a woven ring, blades
//
// Casting pose. Cycle of 300 frames from t 121.
//   0        2/3/4/4 rune wheels (texture 39, 192 x 192 at scale 0.5,
//            behaviour 20, tag 254: they slow to rest from age 70 and
//            burst into rings at 280), thrown outward at speed 2.4 from
//            one rand() r: r % 360 + i * 360 / n; on Normal and up one
//            more (tag 255) at the ship at speed 3, which stops at age 60
//            and rolls away sideways from 220. A wheel wipes out every
//            other bullet it touches.
//   60, 210  a ring of 45 slow bullets (speed 0.9/1.0/1.1/1.2) from one
//            rand() r: r % 8 + 8 i; every other bullet turns its own way
//            (behaviour 34, +0.5 a frame after a kick, or 58, -0.4), so
//            the ring weaves into a lattice.
//   120, 240 a fan of 5/7/9/9 blades aimed at the ship, 12 degrees apart:
//            the left ones kick and veer +80 at age 60 (behaviour 24), the
//            right ones -80 (25), the middle one aims again (23).
struct Pattern16Numbers {
    int wheels;
    bool aimedWheel;
    double ringSpeed;
    int bladeHalf;
};
constexpr Pattern16Numbers kPattern16[4] = {{2, false, 0.9, 2}, {3, true, 1.0, 3}, {4, true, 1.1, 4}, {4, true, 1.2, 4}};
constexpr int kCardStart = 121;

void attack16(Game& game, int t) {
    const Enemy& b = Boss(game);
    const Pattern16Numbers& n = kPattern16[difficulty(game)];
    const int c = (t - kCardStart) % 300;
    if (c == 0) {
        RequestSound(game, 2);
        BulletPlan wheel{{39, 0, 0, 192, 192}, 2.4, 20, 254};
        wheel.scaleX = wheel.scaleY = 0.5f;
        const int r = game.rand();
        FireArc(game, wheel, b.x, b.y, n.wheels, static_cast<float>(r % 360), RingStep(n.wheels));
        if (n.aimedWheel) {
            wheel.alpha = 255;
            wheel.speed = 3;
            FireAimed(game, wheel, b.x, b.y, 0);
        }
    }
    if (c == 60 || c == 210) {
        RequestSound(game, 0);
        const int r = game.rand();
        FireRingShaped(game, {{0, 160, 48, 16, 16}, n.ringSpeed, 34}, b.x, b.y, 45, static_cast<float>(r % 8), 1, 0,
                       [](int i, int, BulletPlan& p) {
                           if (i % 2 == 1) p.behavior = 58, p.rect.x = 224;
                       });
    }
    if (c == 120 || c == 240) {
        RequestSound(game, 1);
        const double aim = AimAtPlayer(game, b.x, b.y);
        FireFanShaped(game, {{0, 32, 80, 16, 16}, 2, 24}, b.x, b.y, aim, -n.bladeHalf, n.bladeHalf, 12, 1, 0,
                      [](int i, int, BulletPlan& p) {
                          if (i > 0) p.behavior = 25, p.rect.x = 96;
                          if (i == 0) p.behavior = 23, p.rect.x = 160;
                      });
    }
}

// -------------- pattern 17: legs, rings, great orbs, jittered broad lasers
//
// Cycle of 60 frames from t 61: a movement leg at 0 (rand() for its
// heading), its kick over 1..59.
//   every 15 frames a ring of 12/16/20/24 (behaviour 1: a kick, then
//            speed 1.8), cell (64, 16), starting at 7 t degrees;
//   every 50 frames on Normal and up a great orb (texture 50, 64 x 64)
//            aimed at the ship, speed 1.8;
//   30 of every other cycle: 1/3/3/5 broad lasers (scale 3, speed 5) at
//            the ship, 25 degrees apart, each jittered by its own rand()
//            r % 11 - 5, drawn from the left one to the right one.
struct Pattern17Numbers {
    int ring;
    bool orbs;
    int lasers;
};
constexpr Pattern17Numbers kPattern17[4] = {{12, false, 1}, {16, true, 3}, {20, true, 3}, {24, true, 5}};
constexpr int kPattern17Start = 61;

void attack17(Game& game, int t) {
    const Enemy& b = Boss(game);
    const Pattern17Numbers& n = kPattern17[difficulty(game)];
    const int c = (t - kPattern17Start) % 60;
    MovementLeg(game, t, c, 0, 1, 59);
    if (t % 15 == 0) {
        RequestSound(game, 0);
        FireRing(game, {{0, 64, 16, 16, 16}, 1.8, 1}, b.x, b.y, n.ring, static_cast<float>(7 * t % 360));
    }
    if (n.orbs && t % 50 == 0) FireAimed(game, {{50, 128, 0, 64, 64}, 1.8, 0}, b.x, b.y, 0);
    if (c == 30 && ((t - kPattern17Start) / 60) % 2 == 1) {
        RequestSound(game, 22);
        const double aim = AimAtPlayer(game, b.x, b.y);
        const int half = n.lasers / 2;
        for (int i = -half; i <= half; ++i) {
            const int r = game.rand();
            const double jitter = r % 11 - 5;
            Fire(game, laser(0, 5, 3), b.x, b.y, static_cast<float>(aim + 25 * i + jitter));
        }
    }
}

// --------------------- pattern 18 (card): fans from two muzzles at her left
//
// Over the night landscape. Two muzzles 17 pixels left of the boss, 16
// above and 16 below her centre, take turns: every 12/8/6/5 frames one of
// them fires a fan of 5/7/7/9 aimed at the ship, 10 degrees apart, swung
// by 15 sin(t / 40) (the upper muzzle one way, the lower the other).
// Easy: small balls (texture 0, speed 2.2); Normal: rice (texture 0,
// speed 2.8); Hard: large bullets (texture 1, speed 3). A movement leg
// every 120 frames (rand() for its heading), its kick over 1..70. The
// fans leave a lane between them that the swing opens and closes.
struct Pattern18Numbers {
    int every;
    int half;
    BulletPlan shot;
};
constexpr Pattern18Numbers kPattern18[4] = {
    {12, 2, {{0, 32, 32, 16, 16}, 2.2, 0}},
    {8, 3, {{0, 64, 64, 16, 16}, 2.8, 0}},
    {6, 3, {{1, 128, 288, 32, 32}, 3, 0}},
    {5, 4, {{1, 128, 288, 32, 32}, 3, 0}},
};

void attack18(Game& game, int t) {
    const Enemy& b = Boss(game);
    const Pattern18Numbers& n = kPattern18[difficulty(game)];
    const int c = (t - kCardStart) % 120;
    MovementLeg(game, t, c, 0, 1, 70);
    if (t % n.every != 0) return;
    const int muzzle = (t / n.every) % 2;
    const float mx = b.x - 17, my = b.y + (muzzle == 0 ? -16 : 16);
    const double swing = 15 * std::sin(t / 40.0) * (muzzle == 0 ? 1 : -1);
    RequestSound(game, 1);
    MuzzleFlash(game, 32, mx, my);
    FireFan(game, n.shot, mx, my, AimAtPlayer(game, mx, my) + swing, -n.half, n.half, 10);
}

// --------------------------- pattern 19: two-coloured layered rings
//
// Every 10 frames a layered ring: Easy 4 directions in 4 speed layers,
// otherwise 8 directions in d + 3 layers (speeds 1.8 + 0.4 l), red and
// blue by layer (small bullets, row 0), turning 3 degrees a volley: the
// arms curve slowly and open lanes between them. Every 50 frames a slow ring of 24/30/36/40 (behaviour 1, then
// speed 1.2) from one rand() r: r % 15. Movement: none.
struct Pattern19Numbers {
    int directions, layers, slowRing;
};
constexpr Pattern19Numbers kPattern19[4] = {{4, 4, 24}, {8, 4, 30}, {8, 5, 36}, {8, 6, 40}};

void attack19(Game& game, int t) {
    const Enemy& b = Boss(game);
    const Pattern19Numbers& n = kPattern19[difficulty(game)];
    if (t % 10 == 0) {
        RequestSound(game, 1);
        FireRingShaped(game, {{0, 32, 0, 16, 16}, 1.8, 0}, b.x, b.y, n.directions,
                       static_cast<float>(3 * (t / 10) % 360), n.layers, 0.4,
                       [](int, int layer, BulletPlan& p) { p.rect.x = layer % 2 == 0 ? 32 : 160; });
    }
    if (t % 50 == 0) {
        RequestSound(game, 0);
        const int r = game.rand();
        FireRing(game, {{0, 96, 16, 16, 16}, 1.2, 1}, b.x, b.y, n.slowRing, static_cast<float>(r % 15));
    }
}

// ------------------------ pattern 20 (card): spiralling orbs, turning lasers
//
// Cycle of 120 frames from t 121.
//   0 (Normal and up) a ring of 8/10/12 great orbs (texture 50, scale
//     0.75, speed 1.2), every other one spiralling left (behaviour 16) or
//     right (17), speeding up slowly; one rand() r for the start, r % 45.
//   every 40/36/30/24 frames a ring of 4/4/6/6 thin lasers (behaviour 21,
//     speed 1) that turn as they go, their way set by their tag (255 and
//     254 by turns: the tag is their alpha, so they show at full strength
//     from their first frame); from Normal they brake at age 120 and shed
//     a harmless marker line, drawn faint (alpha 96) so that the lasers
//     that hurt read apart from it. No other draws.
struct Pattern20Numbers {
    int orbs;
    int laserEvery, lasers;
};
constexpr Pattern20Numbers kPattern20[4] = {{0, 40, 4}, {8, 36, 4}, {10, 30, 6}, {12, 24, 6}};

void attack20(Game& game, int t) {
    const Enemy& b = Boss(game);
    const Pattern20Numbers& n = kPattern20[difficulty(game)];
    const int c = (t - kCardStart) % 120;
    if (c == 0 && n.orbs > 0) {
        RequestSound(game, 2);
        const int r = game.rand();
        BulletPlan orb{{50, 0, 0, 64, 64}, 1.2, 16};
        orb.scaleX = orb.scaleY = 0.75f;
        FireRingShaped(game, orb, b.x, b.y, n.orbs, static_cast<float>(r % 45), 1, 0, [](int i, int, BulletPlan& p) {
            if (i % 2 == 1) p.behavior = 17, p.rect.x = 256;
        });
    }
    if (t % n.laserEvery == 0) {
        RequestSound(game, 22);
        BulletPlan spinner = laser(128, 1, 1.2f, 21);
        spinner.alpha = (t / n.laserEvery) % 2 == 0 ? 255 : 254;
        FireRing(game, spinner, b.x, b.y, n.lasers, static_cast<float>(t % 360));
    }
}

// ------------------ pattern 21 (survival card): charges and a fuse line
//
// Cycle of 150 frames from t 121. Hit points 100,000,000: it ends only when
// its time runs out, and so pays no bonus.
//   0       she turns on the ship and charges: speed 7, braking 0.15 a
//           frame (about 160 pixels);
//   while her speed is 3 or more, every 2 frames a fuse bullet (behaviour
//           -2, a needle stretched along her path, still): harmless, but
//           where her next charge crosses the line two fuses touch and
//           burst (aimed rounds on Easy, a ring of 30 otherwise); on Hard
//           a fuse right on the ship hits it;
//   50      she has stopped: a ring of 20/28/36/40 (speed 2) from one
//           rand() r, r % (360 / n);
//   100     she turns home (224, 143) at the speed that gets her there by
//           150.
struct Pattern21Numbers {
    int ring;
};
constexpr Pattern21Numbers kPattern21[4] = {{20}, {28}, {36}, {40}};
constexpr float kChargeSpeed = 7, kChargeBrake = 0.15f;

void attack21(Game& game, int t) {
    Enemy& b = Boss(game);
    const Pattern21Numbers& n = kPattern21[difficulty(game)];
    const int c = (t - kCardStart) % 150;
    if (c == 0) {
        RequestSound(game, 16);
        b.angle = static_cast<float>(AimAtPlayer(game, b.x, b.y));
        b.speed = kChargeSpeed;
    }
    if (c > 0 && c < 100) b.speed = std::max(0.0f, static_cast<float>(b.speed - kChargeBrake));
    if (b.speed >= 3 && c < 100 && c % 2 == 0) {
        BulletPlan fuse{{0, 64, 144, 16, 16}, 0, -2};
        fuse.scaleY = 1.5f;
        Fire(game, fuse, b.x, b.y, b.angle);
    }
    if (c == 50) {
        RequestSound(game, 0);
        const int r = game.rand();
        const int step = RingStep(n.ring);
        FireArc(game, {{0, 160, 32, 16, 16}, 2, 0}, b.x, b.y, n.ring, static_cast<float>(r % step), step);
    }
    if (c == 100) {
        b.angle = static_cast<float>(BearingTo(b.x, b.y, 224, 143, 0));
        b.speed = static_cast<float>(std::hypot(b.x - 224.0, b.y - 143.0) / 50);
    }
    if (c == 149) b.speed = 0;
}

// ------------------------------------------------------------ the rows

constexpr const char* kBossMusic = kStage3BossTune;
constexpr OpeningPlan kOpening15{
    .holdFrom = 0, .holdTo = 100, .chargeFrom = 55, .chargeTo = 80, .music = kBossMusic, .attackAfter = 100};
constexpr OpeningPlan kOpening17{.holdFrom = 0, .holdTo = 60, .chargeFrom = 5, .chargeTo = 30, .attackAfter = 60};
constexpr OpeningPlan kCardOpening{
    .holdFrom = 0, .holdTo = 120, .chargeFrom = 90, .chargeTo = 115, .attackAfter = 120};
constexpr OpeningPlan kCastingOpening{.holdFrom = 0,
                                      .holdTo = 120,
                                      .chargeFrom = 90,
                                      .chargeTo = 115,
                                      .attackAfter = 120,
                                      .castPoseTo = 100000};

constexpr PatternEndPlan kCastEnd{.restPose = true};
constexpr PatternEndPlan kLastCardEnd{.dropItems = false, .motion = EndMotion::Keep};

// The closing conversation 70 frames after the end: pages 15..16, or 8..10
// for the third character.
constexpr DefeatPlan kClosing{
    .endAt = -230, .after = AfterDefeat::ClosingTalk, .talk = {.first = 15, .last = {16, 16, 0}}};
constexpr DefeatPlan kClosingThird{
    .endAt = -230, .after = AfterDefeat::ClosingTalk, .talk = {.first = 8, .last = {0, 0, 10}}};

constexpr PatternRow kRow15{.id = 15, .endMaxHp = 1200, .next = 16, .limit = 2100, .opening = kOpening15,
                            .attack = attack15};
constexpr PatternRow kRow21{.id = 21, .spell = true, .opening = kCardOpening, .end = kLastCardEnd,
                            .interlude = InterludeKind::Defeat, .defeat = &kClosing, .attack = attack21};
constexpr PatternRow kRow21Third{.id = 21, .spell = true, .opening = kCardOpening, .end = kLastCardEnd,
                                 .interlude = InterludeKind::Defeat, .defeat = &kClosingThird, .attack = attack21};

// Brought in without her conversation she has not faded in yet: she does
// now, as she would have while talking.
void pattern15(Game& game) {
    const FightTable::Found found = Fights(game).find(15);
    if (!found.fight) return;
    Enemy& b = Boss(game);
    if (b.timer >= 0 && b.alpha < 255) b.alpha = std::min(255, b.alpha + 5);
    RunPatternRow(game, *found.fight, kRow15);
}

void pattern21(Game& game) {
    const FightTable::Found found = Fights(game).find(21);
    if (!found.fight) return;
    RunPatternRow(game, *found.fight, game.state.character == 3 ? kRow21Third : kRow21);
}

constexpr PatternRow kBossRows[] = {
    {.id = 15, .endMaxHp = 1200, .next = 16, .limit = 2100, .opening = kOpening15, .own = pattern15},
    {.id = 16, .endMaxHp = 1200, .next = 17, .limit = 1800, .spell = true, .opening = kCastingOpening,
     .end = kCastEnd, .attack = attack16},
    {.id = 17, .endMaxHp = 1000, .next = 18, .limit = 2000, .opening = kOpening17, .attack = attack17},
    {.id = 18, .endMaxHp = 1000, .next = 19, .limit = 1800, .spell = true, .opening = kCardOpening,
     .attack = attack18},
    {.id = 19, .endMaxHp = 1200, .next = 20, .limit = 2100, .opening = kOpening17, .attack = attack19},
    {.id = 20, .endMaxHp = 100000000, .next = 21, .limit = 1800, .spell = true, .opening = kCardOpening,
     .attack = attack20},
    {.id = 21, .spell = true, .opening = kCardOpening, .own = pattern21},
};

}  // namespace

std::span<const PatternRow> Stage3BossRows() { return kBossRows; }

}  // namespace korvid
