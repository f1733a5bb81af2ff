// The stage-3 mid-boss at stage frame 3960 (pattern 14): it glides down
// during its timed conversation, then declares its card and stops time.
// While its freeze value (Enemy.auxC) is exactly 1 the card backdrop holds
// the stage clock and sets timeStop: bullets neither move nor age, the ship
// cannot move, bomb or be hit, and no sound plays. When beaten it drops its
// items and a bomb piece, shakes and goes; the stage runs on where its clock
// stands, the ground racing at scroll speed 2.5.
//
// t is the boss timer, c the position in the card's cycle, d the difficulty.
#include <algorithm>

#include "bosses/FightRegistry.h"
#include "bosses/SpellCards.h"
#include "bosses/Stage3Boss.h"
#include "game/Game.h"
#include "play/BulletKit.h"
#include "play/Geometry.h"
#include "play/PatternKit.h"
#include "play/Spawn.h"

namespace korvid {

namespace {

int difficulty(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }

constexpr int kCycleFrom = 80;  // the freeze cycle counts from this timer value
constexpr int kCycle = 360;
constexpr int kFreezes[2] = {120, 300};  // cycle positions where time stops ...
constexpr int kFreezeLength = 60;        // ... for this many frames
constexpr int kGlowRunning = 255, kGlowFrozen = 125;  // bossVar[1]: the glow behaviour 65 follows

// ------------------------------------------ pattern 14 (card): time stop
//
// Opening: declared on its first frame; hit points held to t 60, a charge
// burst over 30..55; attacks from t 61. Cycle of 360 frames from t 80; on
// Normal and Hard time stands still over positions 120..179 and 300..359.
//   Running (time flows): every 40/30/24/20 frames a ring of 12/18/24/28
//     large bullets (texture 1, cell (0 or 128 by turns, 256, 32, 32),
//     behaviour 65, speed 1.6/2.0/2.3/2.6) from the boss; one rand() r
//     turns it: start r % (360 / n).
//   Frozen: every 8/6/5 frames of the first 52 of a stop, knives (texture 0,
//     cell (64, 80, 16, 16), behaviour 19) planted on a circle around the
//     ship, 8/10/12 of them, radius 56 + 2 (position - stop); one rand() r
//     for the circle's start, r % 360. Each points at the ship and is set
//     off backwards (speed -1.2): when time flows again they fall back,
//     flip over and at age 70 turn on the ship's old place. The card also
//     runs every live bullet's behaviour each frozen frame (the knives turn
//     over, the large bullets dim and rest), and keeps its time limit.
//   Easy never freezes: at positions 120 and 300 one circle of 8 knives at
//     radius 80 is planted and set off at once; no bursts run over the
//     stops, so Easy has two quiet spells per cycle.
// The body does not move once it has arrived.
struct Card14Numbers {
    int burstEvery;
    int burstCount;
    double burstSpeed;
    int plantEvery;  // 0: no freeze (Easy)
    int knives;
};
constexpr Card14Numbers kCard14[4] = {
    {40, 12, 1.6, 0, 8}, {30, 18, 2.0, 8, 8}, {24, 24, 2.3, 6, 10}, {20, 28, 2.6, 5, 12}};

constexpr int kPlantWindow = 52;
constexpr float kArrivalY = 120;
constexpr double kKnifeSpeed = -1.2;

int cyclePos(int t) { return (t - kCycleFrom) % kCycle; }

// Which stop the cycle position is in (its start), or -1.
int stopAt(int c) {
    for (int from : kFreezes)
        if (c >= from && c < from + kFreezeLength) return from;
    return -1;
}

void burst(Game& game, int t, const Card14Numbers& n) {
    const Enemy& b = Boss(game);
    RequestSound(game, 0);
    const int r = game.rand();
    const int step = RingStep(n.burstCount);
    const int column = (t / n.burstEvery) % 2 == 0 ? 0 : 128;
    FireArc(game, {{1, column, 256, 32, 32}, n.burstSpeed, 65}, b.x, b.y, n.burstCount,
            static_cast<float>(r % step), step);
}

// A circle of knives around the ship, each pointing at it and set off
// backwards.
void plantKnives(Game& game, int count, double radius) {
    const GameState& s = game.state;
    const int r = game.rand();
    const int start = r % 360;
    const int step = RingStep(count);
    for (int i = 0; i < count; ++i) {
        const float a = static_cast<float>(start + i * step);
        const float x = static_cast<float>(s.playerX + DirX(a) * radius);
        const float y = static_cast<float>(s.playerY + DirY(a) * radius);
        const float heading = static_cast<float>(BearingTo(x, y, s.playerX, s.playerY, 0));
        Fire(game, {{0, 64, 80, 16, 16}, kKnifeSpeed, 19}, x, y, heading);
    }
}

// While time stands still the card still runs every bullet's own behaviour.
void stirFrozenBullets(Game& game) {
    for (int i = 0; i < kEnemyBulletCapacity; ++i)
        if (!game.state.enemyBullets.free[i]) RunBulletBehaviour(game, i);
}

void attack14(Game& game, int t) {
    GameState& s = game.state;
    Enemy& b = Boss(game);
    const int d = difficulty(game);
    const Card14Numbers& n = kCard14[d];
    // The freeze value set last frame is what holds the world this frame
    // (the backdrop read it before anything moved); this frame's sets the next.
    const bool frozen = b.auxC == 1.0f;
    b.auxC = Card14Frozen(t, d) ? 1.0f : 0.0f;
    s.bossVar[1] = static_cast<float>(b.auxC == 1.0f ? kGlowFrozen : kGlowRunning);
    if (frozen) {
        s.bossTimeLeft += 1;
        stirFrozenBullets(game);
        const int into = cyclePos(t - 1) - stopAt(cyclePos(t - 1));
        if (into < kPlantWindow && into % n.plantEvery == 0) plantKnives(game, n.knives, 56 + 2 * into);
        return;
    }
    const int c = t >= kCycleFrom ? cyclePos(t) : -1;
    const int stop = c >= 0 ? stopAt(c) : -1;
    if (stop >= 0) {
        // Easy: the knives come without a stop; nothing else over the stops.
        if (n.plantEvery == 0 && c == stop) plantKnives(game, n.knives, 80);
        if (n.plantEvery == 0 || d <= 2) return;
    }
    if (t % n.burstEvery == 0) burst(game, t, n);
}

// The card declares itself on its first frame (a fight started at it was
// declared already); a stop still running when it ends is lifted.
void pattern14(Game& game);

constexpr OpeningPlan kOpening14{.holdFrom = 0, .holdTo = 60, .chargeFrom = 30, .chargeTo = 55, .attackAfter = 60};
constexpr PatternEndPlan kMidBossEnd{.chargeSound = true, .motion = EndMotion::Keep, .bonusItemKind = 6};
constexpr DefeatPlan kMidBossDefeat{.endAt = -230, .after = AfterDefeat::ResumeStage, .scrollSpeed = 2.5f};
constexpr PatternRow kRow14{.id = 14, .spell = true, .opening = kOpening14, .end = kMidBossEnd,
                            .interlude = InterludeKind::Defeat, .defeat = &kMidBossDefeat, .attack = attack14};

void pattern14(Game& game) {
    GameState& s = game.state;
    Enemy& b = Boss(game);
    const FightTable::Found found = Fights(game).find(14);
    if (!found.fight) return;
    if (b.timer >= 0 && !s.spellActive && b.hp > 0) {
        s.spellActive = 1;
        SpellDeclare(game);
    }
    // Brought in without its conversation it has not glided down: it does now.
    if (b.timer >= 1 && b.timer <= 60 && b.y < kArrivalY) b.y += 2;
    if (b.timer > kOpening14.attackAfter && b.hp <= 0) {
        b.auxC = 0;
        s.timeStop = 0;
    }
    RunPatternRow(game, *found.fight, kRow14);
}

constexpr PatternRow kMidBossRows[] = {
    {.id = 14, .spell = true, .opening = kOpening14, .own = pattern14},
};

}  // namespace

bool Card14Frozen(int t, int d) {
    if (d < 1 || d > 2 || t < kCycleFrom) return false;
    return stopAt(cyclePos(t)) >= 0;
}

std::span<const PatternRow> Stage3MidBossRows() { return kMidBossRows; }

}  // namespace korvid
