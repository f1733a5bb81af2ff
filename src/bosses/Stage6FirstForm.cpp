// The half-transparent first form (texture 38, alpha 155), from stage frame
// 8550 when card 60 ended without the route flag on Normal and above. It
// comes in from the right edge with no entry flash and holds one card, 61.
// Its defeat (or its time running out, which drains the bar) clears the
// stage: the tunnel and the hidden boss belong to the route flag only, and
// without it the whole-screen fight would hold a ship that can neither move
// nor be hurt against a boss that ends only by time-outs.
//
// t is the boss timer, d the difficulty, (bx, by) the boss.
#include <algorithm>

#include "bosses/SpellCards.h"
#include "bosses/Stage6Hidden.h"
#include "game/Game.h"
#include "play/BulletKit.h"
#include "play/Geometry.h"
#include "play/PatternKit.h"

namespace korvid {

namespace {

int difficulty(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }

constexpr int kSweeperCode = 103;
constexpr TexRect kSweeperCell{38, 512, 0, 66, 250};
constexpr float kSweeperY = 140;

// ------------------------------------------------- behaviour 103: the sweep
//
// A huge sprite (66 x 250) that charges in from its side (work +1 from the
// left, -1 from the right; it has no speed of its own):
//   age 10       sound 32; to age 40 it sweeps 11 px a frame inwards
//   41..70       rises 5 px a frame
//   71..119      dives 10 px a frame, to the bottom edge
//   120          12 + 6d bullets rise from where it struck (behaviour 105,
//                a fan of -40..40 degrees, speed 1); sound 33
//   127          20 + 10d bullets rain from the top (texture 0 (128, 32),
//                angle 180, behaviour 104); per bullet rand() draws x
//                (16 + r % 416) then its speed (r % 200 / 100, 0..2)
//   128..249     climbs back 2.5 px a frame
//   250..1350    drifts 3.4 px a frame onwards and 2 down, firing a pair
//                of texture 1 (0, 176) bullets at 180 +- 70 (speed 2)
//                every 8 frames, until it leaves the field
void sweep(Game& game, int slot) {
    EnemyBullet& b = bullet::At(game, slot);
    const int d = difficulty(game);
    const double dir = b.work;
    const int age = b.age;
    if (age == 10) RequestSound(game, 32);
    if (age >= 10 && age <= 40) b.x = static_cast<float>(b.x + 11 * dir);
    if (age >= 41 && age <= 70) bullet::AddY(b, -5);
    if (age >= 71 && age <= 119) bullet::AddY(b, 10);
    if (age == 120) {
        RequestSound(game, 33);
        const int n = 12 + 6 * d;
        const BulletPlan rising{{0, 32, 48, 16, 16}, 1, 105, 255, 0.5f};
        for (int i = 0; i < n; ++i) {
            const float angle = static_cast<float>(-40 + 80.0 * i / (n - 1));
            Fire(game, rising, b.x, 470, angle);
        }
    }
    if (age == 127) {
        const int n = 20 + 10 * d;
        BulletPlan rain{{0, 128, 32, 16, 16}, 0, 104, 255, 0.5f};
        for (int i = 0; i < n; ++i) {
            const int rx = game.rand();
            const int rs = game.rand();
            rain.speed = rs % 200 / 100.0;
            Fire(game, rain, static_cast<float>(16 + rx % 416), 0, 180);
        }
    }
    if (age >= 128 && age <= 249) bullet::AddY(b, -2.5);
    if (age >= 250 && age <= 1350) {
        b.x = static_cast<float>(b.x + 3.4 * dir);
        bullet::AddY(b, 2);
        if (age % 8 == 0) {
            const BulletPlan pair{{1, 0, 176, 32, 32}, 2, 0, 255, 0.51f};
            Fire(game, pair, b.x, b.y, 110);
            Fire(game, pair, b.x, b.y, 250);
        }
    }
}

constexpr BossBulletEntry kBullets[] = {{kSweeperCode, sweep}};

// ----------------------------------------------- pattern 61 (card): the sweep
//
// Opening: at t 1 it turns toward (300, 140) and glides in (t 1..60, held
// full), declared on arrival.
// Cycle of 360 frames from t 61, position c:
//   c 0     a sweeper (behaviour 103) from the left edge at y 140
//   c 180   one from the right edge (Normal and above; Easy gets the left
//           one only)
//   every L frames, four lasers (texture 4 (64, 0), width 1.5) from 40
//           pixels above the boss at t x 0.8 + 90k degrees (k = 0..3),
//           turning with the timer
//   c 300   a movement leg (rand() for its heading), its kick over 301..359
//
//   difficulty   L   laser speed
//   Easy         12  4
//   Normal       10  5
//   Hard         8   5.5
//   Lunatic      6   6
// rand() order: each frame, the sweepers' draws (their rain at age 127, in
// slot order), then the leg's heading at c 300.
struct Pattern61Numbers {
    int laserEvery;
    double laserSpeed;
};
constexpr Pattern61Numbers kPattern61[4] = {{12, 4}, {10, 5}, {8, 5.5}, {6, 6}};

void launchSweeper(Game& game, float x, float dir) {
    const BulletPlan plan{kSweeperCell, 0, kSweeperCode, 255, 0.52f};
    if (EnemyBullet* b = JustFired(game, Fire(game, plan, x, kSweeperY, 180))) b->work = dir;
}

void attack61(Game& game, int t) {
    GameState& s = game.state;
    Enemy& b = Boss(game);
    if (t == 1) b.angle = static_cast<float>(BearingTo(b.x, b.y, 300, 140, 0));
    if (!s.spellActive) {
        s.spellActive = 1;
        SpellDeclare(game);
    }
    if (t <= 60) return;
    const Pattern61Numbers& n = kPattern61[difficulty(game)];
    const int c = (t - 61) % 360;
    if (c == 0) launchSweeper(game, -33, 1);
    if (c == 180 && difficulty(game) >= 1) launchSweeper(game, 481, -1);
    if (t % n.laserEvery == 0) {
        BulletPlan laser{{4, 64, 0, 16, 0}, n.laserSpeed, 0, 255, 0.55f};
        laser.scaleX = 1.5f;
        for (int k = 0; k < 4; ++k) Fire(game, laser, b.x, b.y - 40, static_cast<float>(t * 0.8 + 90 * k));
    }
    MovementLeg(game, t, c, 300, 301, 359);
}

constexpr OpeningPlan kOpening61{.holdFrom = 0, .holdTo = 60, .glideTo = 60, .attackAfter = 0};
constexpr DefeatPlan kClearStage{.endAt = -230, .after = AfterDefeat::ClearStage};
constexpr PatternRow kRows[] = {
    {.id = 61, .spell = true, .opening = kOpening61, .interlude = InterludeKind::Defeat, .defeat = &kClearStage,
     .attack = attack61},
};

}  // namespace

std::span<const PatternRow> Stage6FirstFormRows() { return kRows; }
std::span<const BossBulletEntry> Stage6FirstFormBullets() { return kBullets; }

}  // namespace korvid
