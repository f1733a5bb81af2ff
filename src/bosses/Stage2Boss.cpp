// The stage-2 boss: the airship again, from stage frame 5000. It flies in
// during the conversation and stops at y 128.
//
//   9 (turrets and ring streams; boss music) -> 10 (card: legs, turrets,
//   turning rings, a laser astern) -> 11 (opening ring with a gap below,
//   turrets, ring fans) -> 12 (card: lasers) -> 13 (card: broad laser fans
//   and coloured rain) -> 70 frames later the closing conversation; the
//   stage clears after its last page.
//
// The body turns toward the ship only while a pattern aims (Stage2Airship).
// t is the boss timer, c the position in a pattern's cycle, d the
// difficulty, (x, y) the boss.
#include <algorithm>

#include "bosses/FightRegistry.h"
#include "bosses/Stage2Airship.h"
#include "game/Game.h"
#include "play/PatternKit.h"
#include "play/Spawn.h"
#include "stages/StageTunes.h"

namespace korvid {

namespace {

int difficulty(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }

// One turret burst from both gun ports: three bullets along the nose and
// `spread` degrees either side.
void turretBurst(Game& game, const BulletPlan& b, double spread) {
    RequestSound(game, 1);
    for (int side : {-1, 1}) {
        const PortPoint p = GunPort(game, side);
        MuzzleFlash(game, b.rect.x, p.x, p.y);
        FireFan(game, b, p.x, p.y, NoseHeading(game), -1, 1, spread);
    }
}

// A ring of n from the boss starting at `base`.
void ring(Game& game, const BulletPlan& b, int n, double base) {
    const Enemy& boss = game.state.enemies.slot[kBossSlot];
    FireRing(game, b, boss.x, boss.y, n, static_cast<float>(base));
}

// A thin laser (texture 4) of colour `column`.
BulletPlan laser(int column, double speed, float width = 1.5f) {
    BulletPlan b{{4, column, 0, 16, 0}, speed, 0};
    b.scaleX = width;
    b.z = 0.55f;
    return b;
}

// ------------------------------------- pattern 9: turrets and ring streams
//
// Cycle of 90 frames. 0..39 aims (the body turns 2, on Hard 3, degrees a
// frame). 40, 55, 70: turret burst k = 0, 1, 2 (behaviour 12 + k, speed
// 4 + k^2 / 2, texture 0 cell (32 + 64 k, 96), 10 degrees apart).
// Throughout: every 8/6/5/4 frames a ring of 6/8/10/12 (behaviour 1,
// speed 1.5, cell (128, 16)) whose start turns 7 degrees a shot, the
// turning direction changing every 25 frames. No rand() draws.
struct Pattern9Numbers {
    int ringEvery, ringCount;
};
constexpr Pattern9Numbers kPattern9[4] = {{8, 6}, {6, 8}, {5, 10}, {4, 12}};

void attack9(Game& game, int t) {
    GameState& s = game.state;
    const Pattern9Numbers& n = kPattern9[difficulty(game)];
    const int c = t % 90;
    if (c < 40) TurnTowardShip(game, AimTurnRate(game));
    for (int k = 0; k < 3; ++k) {
        if (c != 40 + 15 * k) continue;
        const BulletPlan b{{0, 32 + 64 * k, 96, 16, 16}, 4 + k * k / 2.0, 12 + k};
        turretBurst(game, b, 10);
    }
    if (t % n.ringEvery == 0) {
        const float turn = (t / 25) % 2 == 0 ? 7.0f : -7.0f;
        s.bossVarX = static_cast<float>(s.bossVarX + turn);
        ring(game, {{0, 128, 16, 16, 16}, 1.5, 1}, n.ringCount, s.bossVarX);
    }
}

// Pattern 9 ends with a bigger drop: twenty point items and five power
// items (y offset drawn first, as every drop).
void bigDrop(Game& game) {
    const Enemy& b = game.state.enemies.slot[kBossSlot];
    auto drop = [&](int cell, int kind) {
        const int dy = game.rand() % 64 - 32;
        const int dx = game.rand() % 64 - 32;
        SpawnItem(game, TexRect{3, cell, 96, 16, 16}, b.x + dx, b.y + dy, 0, kind);
    };
    for (int i = 0; i < 20; ++i) drop(16, 3);
    for (int i = 0; i < 5; ++i) drop(32, 2);
}

// --------------------------- pattern 10 (card): legs, turrets, a laser astern
//
// Cycle of 50 frames. 0: a movement leg (rand() for its heading), the
// kick over 1..49; the body aims all the time. 0: a ring of 12/16/20/24
// of behaviour 63 (cell (96, 48), speed 2.2: they pulse and turn back).
// 20 and 35: a turret burst (behaviour 12, speed 3, 14 degrees apart).
// 10: a laser astern, up along the body's axis (speed 6), so the ship is
// safe below the boss and the rings that turn back cross the field twice.
constexpr int kPattern10Ring[4] = {12, 16, 20, 24};

void attack10(Game& game, int t) {
    const int c = t % 50;
    MovementLeg(game, t, c, 0, 1, 49);
    TurnTowardShip(game, AimTurnRate(game));
    if (c == 0) {
        RequestSound(game, 0);
        const int n = kPattern10Ring[difficulty(game)];
        ring(game, {{0, 96, 48, 16, 16}, 2.2, 63}, n, t % 360);
    }
    if (c == 20 || c == 35) turretBurst(game, {{0, 160, 96, 16, 16}, 3, 12}, 14);
    if (c == 10) {
        const Enemy& b = game.state.enemies.slot[kBossSlot];
        RequestSound(game, 22);
        Fire(game, laser(96, 6), b.x, b.y, static_cast<float>(NoseHeading(game) + 180));
    }
}

// ---------------------------- pattern 11: the gap below, turrets, ring fans
//
// First frame after the opening (Normal and Hard only): a ring of 87 at 4
// degrees from 188 on, which leaves one 16-degree gap centred straight
// below the boss (180): stand under it. Cycle of 100 frames: 0..29 and
// 50..79 aim; 30 and 80: a turret burst (behaviour 13, speed 3.5, 9
// degrees apart); 0, 25, 50, 57: a ring fan of 20/28/36/40 (behaviour 1,
// speed 1.8) starting at 4.5 c. No rand() draws.
constexpr int kPattern11Fan[4] = {20, 28, 36, 40};
constexpr int kPattern11Start = 61;

void attack11(Game& game, int t) {
    const int d = difficulty(game);
    if (t == kPattern11Start && d >= 1) {
        const Enemy& b = game.state.enemies.slot[kBossSlot];
        RequestSound(game, 2);
        FireArc(game, {{0, 32, 48, 16, 16}, 2.2, 0}, b.x, b.y, 87, 188, 4);
    }
    const int c = (t - kPattern11Start) % 100;
    if (c < 30 || (c >= 50 && c < 80)) TurnTowardShip(game, AimTurnRate(game));
    if (c == 30 || c == 80) turretBurst(game, {{0, 96, 96, 16, 16}, 3.5, 13}, 9);
    if (c == 0 || c == 25 || c == 50 || c == 57) {
        RequestSound(game, 0);
        ring(game, {{0, 64, 16, 16, 16}, 1.8, 1}, kPattern11Fan[d], 4.5 * c);
    }
}

// ----------------------------------------------- pattern 12 (card): lasers
//
// Easy: every 6 frames four lasers 90 degrees apart turning 3 degrees a
// frame (speed 4): a slow wheel. Others, cycle of 120 frames: 0..39 aim;
// 40: a laser along the nose (speed 8), on Hard two more at +-30; 50..110
// every 4/3/3 frames a beam from each gun port swinging outward from 10
// to 100 degrees off the nose (speed 5): the middle stays open until the
// next aim. No rand() draws.
constexpr int kPattern12SweepEvery[4] = {4, 4, 3, 3};

void attack12(Game& game, int t) {
    const int d = difficulty(game);
    const Enemy& b = game.state.enemies.slot[kBossSlot];
    if (d == 0) {
        if (t % 6 == 0) FireRing(game, laser(32, 4), b.x, b.y, 4, static_cast<float>(3 * t % 360));
        return;
    }
    const int c = t % 120;
    if (c < 40) TurnTowardShip(game, AimTurnRate(game));
    if (c == 40) {
        RequestSound(game, 22);
        const BulletPlan aimed = laser(160, 8, 2);
        Fire(game, aimed, b.x, b.y, static_cast<float>(NoseHeading(game)));
        if (d >= 2) {
            Fire(game, aimed, b.x, b.y, static_cast<float>(NoseHeading(game) + 30));
            Fire(game, aimed, b.x, b.y, static_cast<float>(NoseHeading(game) - 30));
        }
    }
    if (c >= 50 && c <= 110 && c % kPattern12SweepEvery[d] == 0) {
        const double off = 10 + 1.5 * (c - 50);
        for (int side : {-1, 1}) {
            const PortPoint p = GunPort(game, side);
            Fire(game, laser(64, 5), p.x, p.y, static_cast<float>(NoseHeading(game) + side * off));
        }
    }
}

// ---------------------------- pattern 13 (card): broad fans, coloured rain
//
// Cycle of 160 frames. 0, 40, 80, 120: a fan of 3/5/7/7 broad lasers
// (scale 3, speed 3.5), 8 + c / 8 degrees apart (the fans widen through the
// cycle), centred half a step off straight down, to the left at 0 and 80,
// to the right at 40 and 120: straight below the boss is always the middle
// of a gap one step wide, and the outer lanes change side from fan to fan.
// Every 7 frames a ring from `start` + r % `jitter` degrees (r one rand()):
// Easy, 8 stretched bullets (scale y 2, behaviour 22); Normal, 8 pairs 3
// degrees apart; Hard, 8 thin lasers. Easy and Normal scatter the rain all
// round; Hard keeps its lasers in eight spokes 9 degrees wide that leave
// the 37 degrees from 161 to 198, straight below the boss, to the fans alone:
// the way through is there, between the broad lasers, at focused speed.
// The body does not aim.
constexpr int kPattern13Fan[4] = {1, 2, 3, 3};

struct Pattern13Rain {
    int count;   // in each ring
    int start;   // degrees
    int jitter;  // r % jitter degrees added to the start
};
constexpr Pattern13Rain kPattern13Rain[4] = {{8, 0, 45}, {8, 0, 45}, {8, 18, 9}, {8, 18, 9}};

void attack13(Game& game, int t) {
    const int d = difficulty(game);
    const Enemy& b = game.state.enemies.slot[kBossSlot];
    const int c = t % 160;
    if (c % 40 == 0) {
        RequestSound(game, 22);
        const int k = kPattern13Fan[d];
        const double step = 8 + c / 8.0;
        const double side = (c / 40) % 2 == 0 ? -0.5 : 0.5;
        FireFan(game, laser(0, 3.5, 3), b.x, b.y, 180 + side * step, -k, k, step);
    }
    if (t % 7 != 0) return;
    const Pattern13Rain& rain = kPattern13Rain[d];
    const int base = rain.start + game.rand() % rain.jitter;
    if (d == 0) {
        BulletPlan stretched{{0, 128, 96, 16, 16}, 1.6, 22};
        stretched.scaleY = 2;
        ring(game, stretched, rain.count, base);
    } else if (d == 1) {
        const BulletPlan pair{{0, 160, 48, 16, 16}, 1.8, 0};
        ring(game, pair, rain.count, base);
        ring(game, pair, rain.count, base + 3);
    } else {
        ring(game, laser(128, 2.5), rain.count, base);
    }
}

// ------------------------------------------------------------ the rows

constexpr const char* kBossMusic = kStage2BossTune;
constexpr OpeningPlan kOpening9{
    .holdFrom = 0, .holdTo = 100, .chargeFrom = 55, .chargeTo = 80, .music = kBossMusic, .attackAfter = 100};
constexpr OpeningPlan kOpening11{.holdFrom = 0, .holdTo = 60, .chargeFrom = 5, .chargeTo = 30, .attackAfter = 60};
constexpr OpeningPlan kCardOpening{
    .holdFrom = 0, .holdTo = 120, .chargeFrom = 90, .chargeTo = 115, .attackAfter = 120};

constexpr PatternEndPlan kBigDropEnd{.dropItems = false};
constexpr PatternEndPlan kLastCardEnd{.dropItems = false, .motion = EndMotion::Keep};

// The closing conversation 70 frames after the end: pages 12..15, or 8..9
// for the third character.
constexpr DefeatPlan kClosing{
    .endAt = -230, .after = AfterDefeat::ClosingTalk, .talk = {.first = 12, .last = {15, 15, 0}}};
constexpr DefeatPlan kClosingThird{
    .endAt = -230, .after = AfterDefeat::ClosingTalk, .talk = {.first = 8, .last = {0, 0, 9}}};

constexpr PatternRow kRow9{
    .id = 9, .endMaxHp = 1000, .next = 10, .limit = 1800, .opening = kOpening9, .end = kBigDropEnd, .attack = attack9};
constexpr PatternRow kRow13{.id = 13, .spell = true, .opening = kCardOpening, .end = kLastCardEnd,
                            .interlude = InterludeKind::Defeat, .defeat = &kClosing, .attack = attack13};
constexpr PatternRow kRow13Third{.id = 13, .spell = true, .opening = kCardOpening, .end = kLastCardEnd,
                                 .interlude = InterludeKind::Defeat, .defeat = &kClosingThird, .attack = attack13};

void pattern9(Game& game) {
    const FightTable::Found found = Fights(game).find(9);
    if (!found.fight) return;
    const Enemy& b = game.state.enemies.slot[kBossSlot];
    if (b.timer > kRow9.opening.attackAfter && b.hp <= 0) bigDrop(game);
    RunPatternRow(game, *found.fight, kRow9);
}

void pattern13(Game& game) {
    const FightTable::Found found = Fights(game).find(13);
    if (!found.fight) return;
    RunPatternRow(game, *found.fight, game.state.character == 3 ? kRow13Third : kRow13);
}

constexpr PatternRow kBossRows[] = {
    {.id = 9, .endMaxHp = 1000, .next = 10, .limit = 1800, .opening = kOpening9, .own = pattern9},
    {.id = 10, .endMaxHp = 800, .next = 11, .limit = 1800, .spell = true, .opening = kCardOpening,
     .attack = attack10},
    {.id = 11, .endMaxHp = 1200, .next = 12, .limit = 1800, .opening = kOpening11, .attack = attack11},
    {.id = 12, .endMaxHp = 2000, .next = 13, .limit = 2100, .spell = true, .opening = kCardOpening,
     .attack = attack12},
    {.id = 13, .spell = true, .opening = kCardOpening, .own = pattern13},
};

}  // namespace

std::span<const PatternRow> Stage2BossRows() { return kBossRows; }

}  // namespace korvid
