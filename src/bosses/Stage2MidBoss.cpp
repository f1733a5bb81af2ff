// The stage-2 mid-boss: the airship at stage frame 4850 (pattern 8). It
// fades in where it stands, fights one pattern, and when beaten drops its
// items and a bomb piece, shakes and goes; the stage resumes at 4851 with
// the floor racing (scroll speed 32).
//
// t is the boss timer, d the difficulty, (x, y) the boss.
#include <algorithm>

#include "bosses/FightRegistry.h"
#include "bosses/Stage2Airship.h"
#include "game/Game.h"
#include "play/PatternKit.h"
#include "play/Spawn.h"

namespace korvid {

namespace {

int difficulty(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }

// A thin laser (texture 4) from far above the right edge, aimed at the ship.
void skyLaser(Game& game) {
    RequestSound(game, 22);
    BulletPlan b{{4, 32, 0, 16, 0}, 8, 0};
    b.scaleX = 1.5f;
    b.z = 0.55f;
    FireAimed(game, b, 512, -96, 0);
}

// ------------------------------------------------ pattern 8: broadsides
//
// Fades in (alpha 6t to t 42) while drifting up 45 pixels (SpeedRamp 1.5
// over 60 frames); hit points held to t 60; fires from t 61.
// Cycle of 100 frames:
//   0..39  aims: the body turns toward the ship (2 degrees a frame, 3 on
//          Hard), nothing fired.
//   40..79 every 10/8/6/5 frames, from each gun port, a spread of three
//          (texture 0, cell (row colour, 96), behaviour 12) along the nose
//          and 12 degrees either side, speed 2.4/2.8/3.2/3.4.
//   60, 90 a ring of 16/24/32/36 from the centre (texture 0, cell (64, 16),
//          behaviour 1, speed 1.6); one rand() for its start angle
//          (r % (360 / n)).
//   85     (Hard and up) a laser from (512, -96) aimed at the ship; also
//          every 30 frames of the defeat sequence.
// Dodging: the spreads leave along the nose, which lags the ship by the
// turn rate, so a steady sidestep outruns them; the rings are sparse and slow.
struct Pattern8Numbers {
    int spreadEvery;
    double spreadSpeed;
    int ring;
};
constexpr Pattern8Numbers kPattern8[4] = {{10, 2.4, 16}, {8, 2.8, 24}, {6, 3.2, 32}, {5, 3.4, 36}};

void attack8(Game& game, int t) {
    Enemy& b = game.state.enemies.slot[kBossSlot];
    const int d = difficulty(game);
    const Pattern8Numbers& n = kPattern8[d];
    if (t <= 42) b.alpha = std::min(255, 6 * t);
    if (t == 43) b.alpha = 255;
    if (t <= 60) {
        SpeedRamp(game, 1.5f, 60, 0, kBossSlot);
        return;
    }
    const int c = (t - 61) % 100;
    if (c < 40) TurnTowardShip(game, AimTurnRate(game));
    if (c >= 40 && c < 80 && c % n.spreadEvery == 0) {
        RequestSound(game, 1);
        const BulletPlan spread{{0, 160, 96, 16, 16}, n.spreadSpeed, 12};
        for (int side : {-1, 1}) {
            const PortPoint p = GunPort(game, side);
            MuzzleFlash(game, 160, p.x, p.y);
            FireFan(game, spread, p.x, p.y, NoseHeading(game), -1, 1, 12);
        }
    }
    if (c == 60 || c == 90) {
        RequestSound(game, 0);
        const int r = game.rand();
        const int step = RingStep(n.ring);
        FireArc(game, {{0, 64, 16, 16, 16}, 1.6, 1}, b.x, b.y, n.ring, static_cast<float>(r % step), step);
    }
    if (c == 85 && d >= 2) skyLaser(game);
}

// The defeat sequence: the lasers keep coming on Hard.
void defeatLasers(Game& game, int t) {
    if (difficulty(game) >= 2 && t % 30 == 0) skyLaser(game);
}

// ------------------------------------------------------------ the rows

constexpr OpeningPlan kOpening8{.holdFrom = 0, .holdTo = 60, .attackAfter = 0};
constexpr PatternEndPlan kMidBossEnd{.chargeSound = true, .motion = EndMotion::Keep, .bonusItemKind = 6};
constexpr DefeatPlan kMidBossDefeat{.endAt = -230,
                                    .after = AfterDefeat::ResumeStage,
                                    .resumeFrame = 4851,
                                    .scrollSpeed = 32,
                                    .during = defeatLasers};

constexpr PatternRow kMidBossRows[] = {
    {.id = 8, .opening = kOpening8, .end = kMidBossEnd, .interlude = InterludeKind::Defeat,
     .defeat = &kMidBossDefeat, .attack = attack8},
};

}  // namespace

std::span<const PatternRow> Stage2MidBossRows() { return kMidBossRows; }

}  // namespace korvid
