// The stage-6 boss's cards 54..57, and the bullet pair (85/86) card 54's
// emitters fly as. t is the boss timer, d the difficulty (0..2), (x, y) the
// boss. Per-difficulty numbers sit in tables next to the card that uses
// them, indexed by d.
#include <algorithm>
#include <cmath>

#include "bosses/Stage6Bar.h"
#include "bosses/Stage6Cards.h"
#include "game/Game.h"
#include "game/Input.h"
#include "play/BulletKit.h"
#include "play/Geometry.h"
#include "play/PatternKit.h"
#include "play/PlayerCharacter.h"

namespace korvid {

namespace {

int difficulty(const Game& game) { return std::clamp(game.state.difficulty, 0, 2); }

// The field's centre, where card 54's volleys are born.
constexpr float kCentreX = 224, kCentreY = 240;

// Texture 1's 32-pixel bullets animate four cells to the right of the one
// named: each colour below starts a row of four (a cell named mid-row would
// run into the next picture on the sheet).

// Card 54's cycle: its emitters fly out at its start, ride round the boss
// and fire from its position kEmitterFiresAt until its end.
constexpr int kCard54Cycle = 400;
constexpr int kEmitterFiresAt = 280;
constexpr int kEmitterEvery = 6;
constexpr TexRect kEmitterChild{0, 32, 288, 16, 16};
constexpr double kEmitterRadius = 96;  // the circle round the boss the emitters gather on
// From Normal up a cycle's drifting balls fade over its last frames and go
// with its emitters: left to stay, the 12 or 16 of each cycle piled up into
// a solid ring over a card. Easy's eight stay, as few as they are.
constexpr int kDrifterFade = 30;

struct Card54Numbers {
    int emitters;
    int drifters;
    int waiting;
    bool aroundShip;
    bool driftersGo;  // the drifting balls fade and go at the cycle's end
};
constexpr Card54Numbers kCard54[3] = {
    {2, 8, 10, false, false}, {3, 12, 14, true, true}, {4, 16, 18, true, true}};

int card54Position(const Game& game) {
    const int t = game.state.bossTimer();
    return t >= 60 ? (t - 60) % kCard54Cycle : -1;
}

}  // namespace

// ---------------------------------------------- the emitter pair (85, 86)
//
// 85 with texX not 0: a drifting ball, SpeedPulse(2.2, 60, 0) (it coasts
// about 67 pixels out and stops); from Normal up it fades over the cycle's
// last 30 frames and is freed at its end.
// 85 with texX 0: an emitter. SpeedPulse(4.1, 60, 0) carries it about 125
// pixels out from where it was born; on its age 61 it locks onto the boss:
// work keeps its distance, its angle its bearing from the boss, and it
// becomes 86. As 86 it rides round the boss (1 degree a frame, on the
// boss's clock), its distance easing to 96 (a twentieth a frame), until the cycle reaches 280, when it is 85 again: it stays
// where it is and fires a child (texture 0 (32, 288), speed 4) outward
// along its bearing from the boss every 6 frames to the cycle's end,
// when it is freed.
void Stage6EmitterBullet(Game& game, int slot) {
    using namespace bullet;
    EnemyBullet& b = At(game, slot);
    const Enemy& boss = game.state.enemies.slot[kBossSlot];
    const int pos = card54Position(game);
    if (b.behavior == 86) {
        b.speed = 0;
        Turn(b, 1);
        b.work = static_cast<float>(b.work + (kEmitterRadius - b.work) * 0.05);
        PlaceOnCircle(b, boss.x, boss.y, b.work);
        if (pos == kEmitterFiresAt) b.behavior = 85;
        return;
    }
    if (b.texX != 0) {
        SpeedPulse(b, 2.2f, 60, 0);
        if (!kCard54[difficulty(game)].driftersGo) return;
        if (pos >= kCard54Cycle - kDrifterFade) b.alpha = std::max(b.alpha - 255 / kDrifterFade, 0);
        if (pos < 0 || pos == kCard54Cycle - 1 || game.state.bossPattern() != 54) Free(game, slot);
        return;
    }
    SpeedPulse(b, 4.1f, 60, 0);
    if (b.age == 61) {
        const double dx = b.x - boss.x, dy = b.y - boss.y;
        b.work = static_cast<float>(std::sqrt(dx * dx + dy * dy));
        b.angle = static_cast<float>(BearingTo(boss.x, boss.y, b.x, b.y, 0));
        b.speed = 0;
        b.behavior = 86;
        return;
    }
    if (b.age <= 61) return;
    if (pos < 0 || pos == kCard54Cycle - 1 || game.state.bossPattern() != 54) {
        Free(game, slot);
        return;
    }
    if (pos > kEmitterFiresAt && pos % kEmitterEvery == 0) {
        const float out = static_cast<float>(BearingTo(boss.x, boss.y, b.x, b.y, 0));
        Child(game, b, kEmitterChild, out, 0.31f, 4, 0);
    }
}

// ------------------------------------------- card 54: the centre's volleys
//
// Cycle: 400 frames from t 60 (position p). Everything is born at the
// field's centre (224, 240):
//   p 0     a flash (texture 1 (0, 176), scale 1.5, kind 88: fades out by
//           age 41); e = 2/3/4 emitters (kind 85, texX 0) at 360 / e apart
//           from a random start, and a ring of 8/12/16 drifting balls
//           (kind 85, texture 1 (128, 288)) between them, gone by the
//           cycle's end from Normal up. The emitters fly
//           out, lock onto the boss and ride round it; from p 280 each
//           fires outward every 6 frames.
//   p 100, 200  a waiting ring of 10/14/18 (kind 87, texture 0 (64, 48)):
//           still for 100 frames, then speed 3; turned half a step each
//           time. Each is marked by a small flash (kind 88, texture 0
//           (64, 48), fades after 119).
//   p 160, 320 (Normal up)  six bouncing bullets (kind 50) on a circle of
//           150 round the ship heading out, speed 0.5 and gaining: they
//           turn back off the walls once.
// rand(): the emitters' start at p 0 only. The centre is empty at p 0:
// stay low; the rings leave it only after they have been seen for 100
// frames.

void Card54(Game& game, int t) {
    ComeHome(game, t);
    const Card54Numbers& n = kCard54[difficulty(game)];
    const int p = card54Position(game);
    if (p < 0) return;
    if (p == 0) {
        RequestSound(game, 1);
        const BulletPlan flash{{1, 0, 176, 32, 32}, 0, 88, 255, 0.5f, 1.5f, 1.5f};
        Fire(game, flash, kCentreX, kCentreY, 0);
        const int start = game.rand() % 360;
        const BulletPlan emitter{{1, 0, 176, 32, 32}, 0, 85};
        FireRing(game, emitter, kCentreX, kCentreY, n.emitters, static_cast<float>(start));
        const BulletPlan drifter{{1, 128, 288, 32, 32}, 0, 85};
        FireRing(game, drifter, kCentreX, kCentreY, n.drifters,
                 static_cast<float>(start + 180.0 / n.drifters));
    }
    if (p == 100 || p == 200) {
        const BulletPlan mark{{0, 64, 48, 16, 16}, 0, 88, 255, 0.5f, 2, 2};
        Fire(game, mark, kCentreX, kCentreY, 0);
        const BulletPlan waiting{{0, 64, 48, 16, 16}, 0, 87};
        FireRing(game, waiting, kCentreX, kCentreY, n.waiting, static_cast<float>(p == 200 ? 180.0 / n.waiting : 0));
    }
    if (n.aroundShip && (p == 160 || p == 320)) {
        const GameState& s = game.state;
        const BulletPlan bouncer{{0, 32, 64, 16, 16}, 0.5, 50};
        FireEach(game, bouncer, s.playerX, s.playerY, 6, [&](int i, BulletPlan&, Shot& shot) {
            shot.angle = static_cast<float>(60 * i + 30);
            shot.x = static_cast<float>(s.playerX + 150 * DirX(shot.angle));
            shot.y = static_cast<float>(s.playerY + 150 * DirY(shot.angle));
        });
    }
}

// ------------------------------------------------ card 55: edge columns
//
// Cycle: 120 frames from t 60 (position p, cycle number k).
//   p 0     from the top edge, a row of c = 3/5/7 large
//           balls (texture 1 (0, 176), kind 89) at x spread evenly across
//           the field (shifted 32 every other cycle): they fall, slowing to
//           a stop at age 120, then turn on the ship (on Normal 20 degrees
//           off, left of it for the left half and right for the right
//           half: alpha 255 / 254) and speed up.
//   p 60    from the bottom edge, between the top row's columns, c - 1
//           large balls (texture 1 (128, 256), kind 91) rising at 2.4: they
//           stop at age 90, about a third of the way up; at age 200 - 40d
//           Normal's drop back the way they came, the others scatter at 1
//           along a random bearing (their own draw).
//   every 240 (Normal up)  from the side edges a ball at x 16 and 432
//           (texture 1 (0, 288), kind 90) falling at 3: it stops at age
//           90 and waits to scatter on the boss's clock (599 past each
//           960).
// No rand() draws in the card itself. The columns leave lanes a ship's
// width and more; the risers come up between the fallers' columns.
struct Card55Numbers {
    int columns;
    bool sides;
};
constexpr Card55Numbers kCard55[3] = {{3, false}, {5, true}, {7, true}};

void Card55(Game& game, int t) {
    ComeHome(game, t);
    const Card55Numbers& n = kCard55[difficulty(game)];
    if (t < 60) return;
    const int p = (t - 60) % 120, k = (t - 60) / 120;
    const double gap = 448.0 / n.columns;
    const double shift = k % 2 ? 32 : 0;
    if (p == 0) {
        RequestSound(game, 1);
        BulletPlan faller{{1, 0, 176, 32, 32}, 6, 89};
        for (int i = 0; i < n.columns; ++i) {
            const double x = gap * (i + 0.5) + shift - 16;
            faller.alpha = x < 224 ? 255 : 254;
            Fire(game, faller, static_cast<float>(x), -16, 180);
        }
    }
    if (p == 60) {
        const BulletPlan riser{{1, 128, 256, 32, 32}, 2.4, 91};
        for (int i = 1; i < n.columns; ++i)
            Fire(game, riser, static_cast<float>(gap * i + shift - 16), 496, 0);
    }
    if (n.sides && (t - 60) % 240 == 0) {
        const BulletPlan side{{1, 0, 288, 32, 32}, 3, 90};
        Fire(game, side, 16, -16, 180);
        Fire(game, side, 432, -16, 180);
    }
}

// ----------------------------------------------- card 56: leading bursts
//
// Cycle: 60/48/40 frames from t 60. The boss reads where the ship is
// heading from the held keys, at its focused speed while Slow is held and
// its normal speed otherwise, and fires a burst of 5/7/9 bullets (texture
// 0 (96, 96), kind 92) at the point the ship would reach in 40 frames
// (kept inside the field), spread 10 degrees apart; each starts at the
// speed that brings it to a stop by that point at age 100 (distance / 50,
// 1.5 .. 7), then curls (+1 a frame) and cruises up to 2.2.
// Every third burst comes from the boss's sides (x +- 80) instead.
// No rand() draws. Keep moving, and change course as the burst comes.
struct Card56Numbers {
    int every;
    int half;  // the burst is -half..half
};
constexpr Card56Numbers kCard56[3] = {{60, 2}, {48, 3}, {40, 4}};
constexpr int kLeadFrames = 40;

// Where the ship will be in `frames` frames if it keeps to its keys.
Point LeadPoint(Game& game, int frames) {
    const GameState& s = game.state;
    const CharacterTraits& c = Traits(s.character);
    const double v = IsKeyHeld(game, KeySlow) ? c.focusedSpeed : c.normalSpeed;
    const int dx = (IsKeyHeld(game, KeyRight) ? 1 : 0) - (IsKeyHeld(game, KeyLeft) ? 1 : 0);
    const int dy = (IsKeyHeld(game, KeyDown) ? 1 : 0) - (IsKeyHeld(game, KeyUp) ? 1 : 0);
    const double diagonal = dx != 0 && dy != 0 ? 1 / 1.41 : 1;
    const double x = std::clamp(s.playerX + dx * v * diagonal * frames, 16.0, 432.0);
    const double y = std::clamp(s.playerY + dy * v * diagonal * frames, 32.0, 464.0);
    return {static_cast<float>(x), static_cast<float>(y)};
}

void Card56(Game& game, int t) {
    ComeHome(game, t);
    const Enemy& b = Boss(game);
    const Card56Numbers& n = kCard56[difficulty(game)];
    if (t < 60 || (t - 60) % n.every != 0) return;
    const int burst = (t - 60) / n.every;
    const Point target = LeadPoint(game, kLeadFrames);
    RequestSound(game, 1);
    for (int side : {-1, 1}) {
        const float x = burst % 3 == 2 ? static_cast<float>(b.x + 80 * side) : b.x;
        const double dx = target.x - x, dy = target.y - b.y;
        const double speed = std::clamp(std::sqrt(dx * dx + dy * dy) / 50, 1.5, 7.0);
        const BulletPlan lead{{0, 96, 96, 16, 16}, speed, 92};
        const double bearing = BearingTo(x, b.y, target.x, target.y, 0);
        MuzzleFlash(game, 96, x, b.y);
        FireFan(game, lead, x, b.y, bearing, -n.half, n.half, 10);
        if (burst % 3 != 2) break;
    }
}

// --------------------------------------------- card 57: unseen emitters
//
// Cycle: 240/200/160 frames from t 60.
//   p 0     an unseen emitter (texture 0 (0, 0, 1, 1), kind 93, scale 0.3)
//           leaves the boss at 0.35 toward the ship; round it a ring of
//           12/16/20 satellites (texture 0 (32, 48), kind 94) whose circle
//           is 100 times its scale: it widens as the emitter swells
//           (+0.005 a frame to age 500), turning 0.4 a frame. They fade in
//           and out and go at age 400d + 500.
//   every 60  an aimed fan of 1/2/3 on each side (texture 0 (128, 96),
//           speed 2, 15 degrees apart).
// No rand() draws. The rings widen slowly: step through one where its
// satellites are dim, or keep outside it.
struct Card57Numbers {
    int every;
    int satellites;
    int fan;
};
constexpr Card57Numbers kCard57[3] = {{240, 12, 1}, {200, 16, 2}, {160, 20, 3}};

void Card57(Game& game, int t) {
    ComeHome(game, t);
    const Enemy& b = Boss(game);
    const Card57Numbers& n = kCard57[difficulty(game)];
    if (t < 60) return;
    if ((t - 60) % n.every == 0) {
        RequestSound(game, 1);
        const BulletPlan emitter{{0, 0, 0, 1, 1}, 0.35, 93, 255, 0.5f, 0.3f, 0.3f};
        const int host = FireAimed(game, emitter, b.x, b.y, 0);
        if (host >= 0) {
            const BulletPlan satellite{{0, 32, 48, 16, 16}, 0, 94};
            for (int i = 0; i < n.satellites; ++i) {
                const int k = Fire(game, satellite, b.x, b.y, static_cast<float>(i * 360 / n.satellites));
                if (EnemyBullet* e = JustFired(game, k)) e->work = static_cast<float>(host);
            }
        }
    }
    if ((t - 60) % 60 == 30) {
        const BulletPlan fan{{0, 128, 96, 16, 16}, 2, 0};
        FireAimedFan(game, fan, b.x, b.y, n.fan, 15);
    }
}

}  // namespace korvid
