// Stage 5's corridor sections: bodies in the boss slot that run the attacks
// while the corridor's gates come down the shaft. Every frame of every
// section counts the gates the ship flies through (CountGates, Stage5.h),
// lets the gates drift down (stage5Work is their offset) and places the body
// on the corridor.
//
//   30 -> 31 (section 1: the rotating bar; 31 only when 30 was shot down,
//             a time-out ends the section)
//   32       (section 2: corridor points)
//   33       (section 3: the small mid-boss, visible; its defeat ends the
//             section, the stage brings 34 at 8500)
//   34 -> 35 (section 3b; 35 only when 34 was shot down)
//   36       (section 4: the closing gate)
//
// The invisible bodies are hit where the shot-hit test says (the bar for
// 30/31, the upper field for 32, boxes for 34..36). t is the body's timer,
// d the difficulty, (x, y) the body.
#include <algorithm>
#include <cmath>
#include <iterator>

#include "bosses/FightRegistry.h"
#include "bosses/Stage5Fights.h"
#include "game/Game.h"
#include "play/Enemies.h"
#include "play/Geometry.h"
#include "play/PatternKit.h"
#include "play/Spawn.h"
#include "stages/Stage5.h"

namespace korvid {

namespace {

int difficulty(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }
Enemy& body(Game& game) { return game.state.enemies.slot[kBossSlot]; }

BulletPlan small(int column, int row, double speed, int behavior = 0) {
    return BulletPlan{{0, column, row, 16, 16}, speed, behavior};
}
BulletPlan large(int column, double speed, int behavior = 0) {
    return BulletPlan{{1, column, 0, 32, 32}, speed, behavior};
}

// ------------------------------------------------------------ the corridor's part

// The bar of 30/31: on the shaft's axis, at the point nearest (224, 150),
// lying along the shaft (its angle is the corridor's turn).
void placeOnShaft(GameState& s, Enemy& b) {
    const double a = s.bgCamTurn / 57.3;
    const ScreenPoint top = CorridorToScreen(s, s.bgCamX + 341.5, 0);
    const double dx = -std::sin(a), dy = std::cos(a);
    const double along = (224 - top.x) * dx + (150 - top.y) * dy;
    b.x = static_cast<float>(top.x + along * dx);
    b.y = static_cast<float>(top.y + along * dy);
    s.bossVar[1] = b.x;
    s.bossVar[2] = b.y;
    s.bossVar[3] = s.bgCamTurn;
}

// Sections 2 and 3b rush their gates up into view over the first 100
// frames (as the stage does for section 1), then every section lets them
// drift down half a pixel a frame.
void driftGates(GameState& s, int t, bool rush) {
    if (rush && t >= 1 && t <= 100) {
        s.stage5Work = static_cast<float>(s.stage5Work - (100 - t) / 8.0);
    } else if (t >= 0) {
        s.stage5Work = static_cast<float>(s.stage5Work + 0.5);
    }
}

// A pattern that goes on to the next only when shot down: a time-out ends
// the section instead.
constexpr DefeatPlan kSectionEnd{.endAt = -230, .after = AfterDefeat::ResumeStage, .shake = 0};

void runRow(Game& game, int id) {
    const FightTable::Found f = Fights(game).find(id);
    const PatternRow& row = *f.row;
    const Enemy& b = body(game);
    if (row.next != 0 && b.timer < 0 && game.state.bossTimedOut) {
        DefeatSequence(game, b.timer, kSectionEnd);
        return;
    }
    PatternRow plain = row;
    plain.own = nullptr;
    RunPatternRow(game, *f.fight, plain);
}

// ------------------------------------------ pattern 30: the rotating bar
//
// On its first frame two companions (type 31) come, into ordinary slots
// (bossActive is cleared around the spawn). In each 300-frame cycle,
// positions 0..119 every 20: an aimed fan from the bar's centre, 3/5/7/7
// bullets 12 degrees apart, two speeds (2.2, 2.8). No rand().
constexpr int kFan30Half[4] = {1, 2, 3, 3};

void companions(Game& game) {
    GameState& s = game.state;
    const Enemy& b = body(game);
    s.bossActive = 0;
    SpawnEnemy(game, 6, 0, 256, 32, 32, b.x, b.y, 1, 1, 180, 0.7f, 0, 31, 60, 255);
    SpawnEnemy(game, 6, 0, 256, 32, 32, b.x, b.y, 1, 1, 180, 0.7f, 0, 31, 60, 254);
    s.bossActive = 1;
}

void attack30(Game& game, int t) {
    const Enemy& b = body(game);
    const int c = t % 300;
    if (c < 120 && c % 20 == 0) {
        RequestSound(game, 0);
        MuzzleFlash(game, 32, b.x, b.y);
        FireLayeredFan(game, small(32, 64, 2.2), b.x, b.y, AimAtPlayer(game, b.x, b.y), -kFan30Half[difficulty(game)],
                       kFan30Half[difficulty(game)], 12, 2, 0.6);
    }
}

void run30(Game& game) {
    GameState& s = game.state;
    Enemy& b = body(game);
    if (b.timer == 0) {
        placeOnShaft(s, b);
        companions(game);
    }
    placeOnShaft(s, b);
    CountGates(s);
    driftGates(s, b.timer, false);
    runRow(game, 30);
}

// ------------------------------------------ pattern 31: bar, second half
//
// Sprays from the point 48 left of and 100 above the bar's centre: every
// 6/4/3/3 frames one bullet at rand() % 360 (speed 1.6). Tilted streams from
// 48 right and 80 below: every 5 frames two bullets at 150 + 30 sin(2t) and
// 210 - 30 sin(2t) degrees (speed 3). Every 120 frames an aimed burst of
// 5 + 2d at speeds 2..3.2. rand(): one per spray bullet.
constexpr int kSpray31Every[4] = {6, 4, 3, 3};

void attack31(Game& game, int t) {
    const Enemy& b = body(game);
    const int d = difficulty(game);
    if (t % kSpray31Every[d] == 0) FireRandomSpray(game, small(128, 48, 1.6), b.x - 48, b.y - 100, 1);
    if (t % 5 == 0) {
        const double sway = 30 * std::sin(2 * t / 57.3);
        const BulletPlan stream = small(96, 64, 3);
        Fire(game, stream, b.x + 48, b.y + 80, static_cast<float>(150 + sway));
        Fire(game, stream, b.x + 48, b.y + 80, static_cast<float>(210 - sway));
    }
    if (t % 120 == 60) {
        MuzzleFlash(game, 16, b.x, b.y);
        FireAimedSpread(game, small(16, 96, 2), b.x, b.y, 0, 0, 0, 5 + 2 * d, 0.3);
    }
}

void run31(Game& game) {
    GameState& s = game.state;
    Enemy& b = body(game);
    placeOnShaft(s, b);
    CountGates(s);
    driftGates(s, b.timer, false);
    runRow(game, 31);
}

// ------------------------------------------ pattern 32: corridor points
//
// Four points of the corridor, on the shaft's walls at corridor rows 40 and
// 200 (so they turn and slide with it): each every 8/6/4/4 frames a stream
// bullet down the corridor (its angle 180 + turn), the two of a row offset
// by +-10 degrees (speed 2.6). On Normal and Hard every 90 frames an aimed
// burst of three from the body's point (224, 100) at speeds 2.5, 3, 3.5.
// The section also turns the corridor: 0.03 degrees a frame, up to 30
// (the timeline turns it back after 6000). No rand().
constexpr int kStream32Every[4] = {8, 6, 4, 4};
constexpr double kPoint32U[2] = {220, 462}, kPoint32V[2] = {40, 200};

void attack32(Game& game, int t) {
    GameState& s = game.state;
    const int d = difficulty(game);
    if (t % kStream32Every[d] == 0) {
        for (double v : kPoint32V) {
            for (int side = 0; side < 2; ++side) {
                const ScreenPoint p = CorridorToScreen(s, s.bgCamX + kPoint32U[side], s.bgCamY + v);
                const float angle = static_cast<float>(180 + s.bgCamTurn + (side == 0 ? -10 : 10));
                Fire(game, small(160, 64, 2.6), static_cast<float>(p.x), static_cast<float>(p.y), angle);
            }
        }
    }
    if ((d == 1 || d == 2) && t % 90 == 0) {
        const Enemy& b = body(game);
        FireAimedSpread(game, small(0, 96, 2.5), b.x, b.y, 0, 0, 0, 3, 0.5);
    }
}

void run32(Game& game) {
    GameState& s = game.state;
    Enemy& b = body(game);
    b.x = 224;
    b.y = 100;
    if (b.timer >= 0 && s.bgCamTurn < 30) s.bgCamTurn = static_cast<float>(s.bgCamTurn + 0.03);
    CountGates(s);
    driftGates(s, b.timer, true);
    runRow(game, 32);
}

// ------------------------------------------ pattern 33: the small mid-boss
//
// A dash cycle of 1480 frames counted from frame 60:
//   0, 370, 740, 1110: a dash: heading to a point drawn x then y
//     (rand() % 256 + 96, rand() % 80 + 80), speed = distance / 40, braking
//     by SpeedRamp over 40 frames;
//   60..300 every 60: a star ring, 8 arms x 5 speeds (1.2 + 0.3 k), the arms
//     at base 45 j + 9 (position / 60), behaviour 40 (they pulse out, then
//     re-aim at age 45), alpha 253..255 by arm (the re-aim offset);
//   430..670 every 30: an aimed spread of nine large bullets 8 degrees
//     apart, speed 2.4 (Easy: every 60);
//   800..1100: twin rotating streams every 4/3/2/2 frames, at 3.3 t and
//     3.3 t + 180 degrees, speed 2.2.
constexpr int kStream33Every[4] = {4, 3, 2, 2};

void dash(Game& game, Enemy& b, int t) {
    const int x = game.rand() % 256 + 96;
    const int y = game.rand() % 80 + 80;
    const double dx = x - b.x, dy = y - b.y;
    b.angle = static_cast<float>(BearingTo(b.x, b.y, x, y, 0));
    b.auxD = static_cast<float>(std::sqrt(dx * dx + dy * dy) / 20);
    b.auxC = static_cast<float>(t);
}

void attack33(Game& game, int t) {
    Enemy& b = body(game);
    const int d = difficulty(game);
    const int c = (t - 60) % 1480;
    if (c % 370 == 0) dash(game, b, t);
    const int leg = static_cast<int>(b.auxC);
    if (t > leg && t <= leg + 41) SpeedRamp(game, b.auxD, leg + 40, leg, kBossSlot);
    if (c >= 60 && c <= 300 && c % 60 == 0) {
        RequestSound(game, 1);
        MuzzleFlash(game, 128, b.x, b.y, 255);
        for (int j = 0; j < 8; ++j) {
            BulletPlan arm = small(128, 48, 1.2, 40);
            arm.alpha = 253 + j % 3;
            FireLayeredFan(game, arm, b.x, b.y, 45.0 * j + 9 * (c / 60), 0, 0, 0, 5, 0.3);
        }
    }
    const int spreadEvery = d == 0 ? 60 : 30;
    if (c >= 430 && c <= 670 && c % spreadEvery == 10) {
        RequestSound(game, 0);
        FireAimedSpread(game, large(64, 2.4), b.x, b.y, -4, 4, 8);
    }
    if (c >= 800 && c <= 1100 && c % kStream33Every[d] == 0) {
        const BulletPlan stream = small(64, 80, 2.2);
        Fire(game, stream, b.x, b.y, static_cast<float>(3.3 * t));
        Fire(game, stream, b.x, b.y, static_cast<float>(3.3 * t + 180));
    }
}

void run33(Game& game) {
    GameState& s = game.state;
    CountGates(s);
    driftGates(s, body(game).timer, false);
    runRow(game, 33);
}

// ------------------------------------------ pattern 34: rings from above
//
// The body stands at (224, 250); every 6 frames a ring of 8/10/12/12 from
// the point 155 above it (224, 95), its base turning 7 degrees a ring,
// speed 1.5; every third ring tagged (behaviour 71: speeding up to age 60,
// column 160). No rand().
constexpr int kRing34[4] = {8, 10, 12, 12};

void attack34(Game& game, int t) {
    const Enemy& b = body(game);
    if (t % 6 != 0) return;
    const int n = t / 6;
    BulletPlan ring = small(32, 48, 1.5);
    if (n % 3 == 0) {
        ring.rect.x = 160;
        ring.behavior = 71;
        ring.speed = 0.8;
    }
    FireRing(game, ring, b.x, b.y - 155, kRing34[difficulty(game)], static_cast<float>((7 * n) % 360));
}

void runBoxed(Game& game, int id) {
    GameState& s = game.state;
    Enemy& b = body(game);
    b.x = 224;
    b.y = 250;
    CountGates(s);
    driftGates(s, b.timer, id == 34);
    runRow(game, id);
}
void run34(Game& game) { runBoxed(game, 34); }

// ------------------------------------------ pattern 35: cycling rings
//
// Under a dark veil: every 20 frames a ring of 15/20/30/30 from the point
// 155 above the body, speed 1 speeding up to age 60 (behaviour 71), its
// colour column stepping every 8 frames (32 (t / 8 % 8)), the base at
// rand() % 24 (one rand() a ring).
constexpr int kRing35[4] = {15, 20, 30, 30};

void attack35(Game& game, int t) {
    const Enemy& b = body(game);
    if (t % 20 != 0) return;
    const int base = game.rand() % 24;
    BulletPlan ring = small(32 * ((t / 8) % 8), 48, 1, 71);
    RequestSound(game, 1);
    FireRing(game, ring, b.x, b.y - 155, kRing35[difficulty(game)], static_cast<float>(base));
}

void run35(Game& game) { runBoxed(game, 35); }

// ------------------------------------------ pattern 36: the closing gate
//
// The gates come down a pixel a frame until the closing gate (row 0) stands
// with its middle at screen y 160; the body is the closing gate. Phase one,
// while rows below the closing gate are left to pass: every 10/8/6/6 frames
// a hexagonal spray, six bullets at 60 j + 2.5 t (speed 2), from the
// body. Phase two, once they are passed (at once when no gate was counted
// in the stage): every 30 frames a ring of 12 at rand() % 30, speeds 1.4
// and 2. Shot down (not timed out) with every row passed, the closing gate
// included, it drops an extra life (kind 6).
constexpr int kHex36Every[4] = {10, 8, 6, 6};

void attack36(Game& game, int t) {
    GameState& s = game.state;
    const Enemy& b = body(game);
    const int d = difficulty(game);
    const bool firstPhase = s.gatesPassed < s.gateRows - 1;
    if (firstPhase) {
        if (t % kHex36Every[d] == 0) FireRing(game, small(96, 96, 2), b.x, b.y, 6, static_cast<float>(2.5 * t));
    } else if (t % 30 == 0) {
        const int base = game.rand() % 30;
        FireLayeredRing(game, small(0, 64, 1.4), b.x, b.y, 12, static_cast<float>(base), 2, 0.6);
    }
}

// Brought in directly (before the stage's own 10100), the section closes
// the corridor itself on its first frame.
void run36(Game& game) {
    GameState& s = game.state;
    Enemy& b = body(game);
    if (b.timer == 0 && s.stageFrame < 10100) CloseCorridor(game);
    const ScreenPoint gate = CorridorToScreen(s, GateCentreU(s), GateTop(s, 0) - 88 + kGateHalfHeight);
    if (b.timer >= 0 && gate.y < 160) s.stage5Work += 1;
    b.x = static_cast<float>(gate.x);
    b.y = static_cast<float>(gate.y);
    CountGates(s);
    if (b.timer > 60 && b.hp <= 0 && !s.bossTimedOut && s.gatesPassed >= s.gateRows)
        SpawnItem(game, TexRect{3, 80, 96, 16, 16}, b.x, b.y, 0, 6);
    runRow(game, 36);
}

// ------------------------------------------------------------ the rows

constexpr OpeningPlan kSectionOpening{.holdFrom = 0, .holdTo = 60, .attackAfter = 60};
constexpr OpeningPlan kMidBossOpening{
    .holdFrom = 0, .holdTo = 60, .chargeFrom = 5, .chargeTo = 30, .glideTo = 61, .attackAfter = 60};
constexpr PatternEndPlan kQuietEnd{.dropItems = true, .motion = EndMotion::Keep};
constexpr DefeatPlan kBodyGone{.endAt = -230, .after = AfterDefeat::ResumeStage, .shake = 0};

constexpr PatternRow kRows[] = {
    {.id = 30, .endMaxHp = 700, .next = 31, .limit = 900, .opening = kSectionOpening, .end = kQuietEnd,
     .interlude = InterludeKind::Refill, .attack = attack30, .own = run30},
    {.id = 31, .opening = kSectionOpening, .end = kQuietEnd, .interlude = InterludeKind::Defeat,
     .defeat = &kBodyGone, .attack = attack31, .own = run31},
    {.id = 32, .opening = kSectionOpening, .end = kQuietEnd, .interlude = InterludeKind::Defeat,
     .defeat = &kBodyGone, .attack = attack32, .own = run32},
    {.id = 33, .opening = kMidBossOpening, .end = {.motion = EndMotion::Keep}, .interlude = InterludeKind::Defeat,
     .defeat = &kBodyGone, .attack = attack33, .own = run33},
    {.id = 34, .endMaxHp = 700, .next = 35, .limit = 600, .opening = kSectionOpening, .end = kQuietEnd,
     .interlude = InterludeKind::Refill, .attack = attack34, .own = run34},
    {.id = 35, .opening = kSectionOpening, .end = kQuietEnd, .interlude = InterludeKind::Defeat,
     .defeat = &kBodyGone, .attack = attack35, .own = run35},
    {.id = 36, .opening = kSectionOpening, .end = kQuietEnd, .interlude = InterludeKind::Defeat,
     .defeat = &kBodyGone, .attack = attack36, .own = run36},
};

}  // namespace

std::span<const PatternRow> Stage5SectionRows(int first, int last) {
    std::size_t from = 0, to = 0;
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
        if (kRows[i].id == first) from = i;
        if (kRows[i].id == last) to = i + 1;
    }
    return std::span<const PatternRow>(kRows).subspan(from, to - from);
}

}  // namespace korvid
