// The stage-5 boss (texture 40, 64 x 64), down the corridor from 10300. It
// enters from (464, 160), opens its conversation at its frame 100 and
// starts its tune at 102; a second tune at 40, and at 40's end its partner
// (type 35) comes into enemy slot 0. Patterns 41..44 are fought against
// both bodies and end only when both are at 0 hit points; a body at 0 waits,
// unhittable, for the other.
//
//   37 (sprays) -> 38 (card: blades) -> 39 (bouncing rings) -> 40 (card:
//   second tune, tagged bullets; the partner) -> 41 (both: fans) -> 42
//   (card: curtains) -> 43 (both: rotating sprays) -> 44 (card: lasers) ->
//   defeat: the stage is cleared.
//
// t is the boss timer, d the difficulty, (x, y) the boss.
#include <algorithm>
#include <cmath>

#include "bosses/FightRegistry.h"
#include "bosses/Stage5Fights.h"
#include "game/Game.h"
#include "play/Enemies.h"
#include "play/PatternKit.h"
#include "play/Spawn.h"
#include "stages/Stage5.h"
#include "stages/StageTunes.h"

namespace korvid {

namespace {


int difficulty(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }
Enemy& boss(Game& game) { return game.state.enemies.slot[kBossSlot]; }

BulletPlan small(int column, int row, double speed, int behavior = 0) {
    return BulletPlan{{0, column, row, 16, 16}, speed, behavior};
}
BulletPlan large(int column, double speed, int behavior = 0) {
    return BulletPlan{{1, column, 0, 32, 32}, speed, behavior};
}

bool partnerHere(const GameState& s) {
    return !s.enemies.free[kPartnerSlot] && s.enemies.slot[kPartnerSlot].type == 35;
}

// The partner goes into slot 0 whatever holds it: the slot is freed first,
// and bossActive is cleared around the spawn so it lands there.
void spawnPartner(Game& game) {
    GameState& s = game.state;
    s.enemies.free[kPartnerSlot] = 1;
    s.bossActive = 0;
    SpawnEnemy(game, 36, 0, 0, 64, 64, 224, 0, 1, 1, 180, 0.7f, 0, 35, kPartnerSpawnHp, 255);
    s.bossActive = 1;
}

// A fight brought in directly past its first pattern starts with the boss
// at its home point, not at the right edge where it enters.
void settle(Game& game) {
    Enemy& b = boss(game);
    if (b.timer > 1 || b.x <= 448) return;
    b.x = 224;
    b.y = 143;
    b.speed = 0;
}

// Runs the row of `id` as the skeleton plays it.
void runPlain(Game& game, int id) {
    const FightTable::Found f = Fights(game).find(id);
    PatternRow plain = *f.row;
    plain.own = nullptr;
    RunPatternRow(game, *f.fight, plain);
}

// ------------------------------------------------ pattern 37: sprays
//
// Glides in from the right (SpeedRamp(5, 60, 0) to t 61); the stage tune
// fades over t 1..99; at t 100 the conversation opens and the limit starts
// again at 3000; the tune at 102. Hit points held to 130. Then in a cycle
// of 120: positions 0..40 every 4, a random spray of 1/2/3/3 large bullets
// (texture 1, speed 1.6, each angle one rand()); on Normal and Hard at 60,
// 75 and 90 aimed triple streams, three directions 15 degrees apart at
// speeds 2.5, 3, 3.5, bouncing off the sides once (behaviour 72). A
// movement leg at position 100 whose kick runs its whole 70 frames, on into
// the next cycle (a kick cut off at the cycle's end left speed behind each
// time, and the boss flew off the field faster and faster).
constexpr int kSpray37[4] = {1, 2, 3, 3};

void attack37(Game& game, int t) {
    GameState& s = game.state;
    const Enemy& b = boss(game);
    const int d = difficulty(game);
    if (t >= 1 && t <= 99) MusicVolume(game, 100 - t);
    if (t == 100) {
        StartTalk(game, kStage5BossTalk);
        s.bossTimeLeft = 3000;
    }
    if (t == 102) SwitchMusic(game, kStage5BossTune);
    if (t <= 130) return;
    const int c = t % 120;
    if (c <= 40 && c % 4 == 0) FireRandomSpray(game, large(96, 1.6), b.x, b.y, kSpray37[d]);
    if ((d == 1 || d == 2) && (c == 60 || c == 75 || c == 90)) {
        RequestSound(game, 0);
        FireAimedSpread(game, large(32, 2.5, 72), b.x, b.y, -1, 1, 15, 3, 0.5);
    }
    MovementLeg(game, t, (c + 20) % 120, 0, 0, 72);
}

// ------------------------------------------------ pattern 38: blades
//
// No bullets of its own: spinning blade devices (texture 50, effect kind
// 31) in rings of 2, 8, 8, 18 and 18 at t 61, 460, 860, 1260 and 1660, each
// ring replacing the one before, radius 110 about the boss, turning either
// way (alpha 255 / 254 alternately). The devices fire and hurt by
// themselves: every 20/14/10/10 frames a pair of large bullets (speed 2,
// one along the device's turn and one behind it), every 90 an aimed laser. At the card's end they go, and the drop is thirty kind-3 and
// five kind-2 items.
constexpr int kBladeAt[5] = {61, 460, 860, 1260, 1660};
constexpr int kBladeCount[5] = {2, 8, 8, 18, 18};

void clearBlades(GameState& s) {
    for (int i = 0; i < kEffectCapacity; ++i)
        if (!s.effects.free[i] && s.effects.slot[i].type == 31) s.effects.free[i] = 1;
}

void attack38(Game& game, int t) {
    GameState& s = game.state;
    const Enemy& b = boss(game);
    for (int w = 0; w < 5; ++w) {
        if (t != kBladeAt[w]) continue;
        clearBlades(s);
        RequestSound(game, 16);
        const int n = kBladeCount[w];
        for (int j = 0; j < n; ++j) {
            const double a = 360.0 * j / n;
            const float x = static_cast<float>(b.x + 110 * std::sin(a / 57.3));
            const float y = static_cast<float>(b.y - 110 * std::cos(a / 57.3));
            SpawnEffect(game, {50, 0, 128, 64, 64}, x, y, 0.6f, 0.6f, static_cast<float>(a), 0.6f, 31,
                        {j % 2 == 0 ? 255 : 254, 255, 255, 255}, 0, 0);
        }
    }
}

void run38(Game& game) {
    GameState& s = game.state;
    Enemy& b = boss(game);
    settle(game);
    const PatternRow& row = *Fights(game).find(38).row;
    if (b.timer > row.opening.attackAfter && b.hp <= 0) {
        clearBlades(s);
        for (int k = 0; k < 2; ++k) DropPatternItems(game);  // with the end's own: 30 and 6
    }
    runPlain(game, 38);
}

// ------------------------------------------------ pattern 39: bouncing rings
//
// Every 30 frames a ring of 12/16/20/20 large bullets (speed 1.5, bouncing
// off the sides, behaviour 72), the base turning 7 degrees a ring and the
// colour column stepping every ring (every 30 frames). A movement leg every
// 240. No rand() but the legs'.
constexpr int kRing39[4] = {12, 16, 20, 20};

void run39(Game& game) {
    settle(game);
    runPlain(game, 39);
}

void attack39(Game& game, int t) {
    const Enemy& b = boss(game);
    if (t % 30 == 0) {
        const int n = t / 30;
        RequestSound(game, 1);
        FireRing(game, large(32 * (n % 8), 1.5, 72), b.x, b.y, kRing39[difficulty(game)], static_cast<float>(7 * n % 360));
    }
    MovementLeg(game, t, t % 240, 0, 0, 72);
}

// ------------------------------------------------ pattern 40: second tune
//
// The second tune at t 1. At t 60 a burst of 60 tagged bullets (behaviour
// 73: they brake to a stop), angles 6 j, speed 3; at t 200 the stopped
// ones are aimed at the ship and let go (speed 1.4, behaviour cleared).
// Every 40 frames a ring of 20 (speed 1.8, base (t / 40) * 9); every
// 90/60/45/45 frames from t 120 a tagged aimed large bullet (behaviour 74:
// it bursts near the ship). No rand(). At its end the partner comes.
constexpr int kProximity40Every[4] = {90, 60, 45, 45};

void attack40(Game& game, int t) {
    GameState& s = game.state;
    const Enemy& b = boss(game);
    if (t == 60) {
        RequestSound(game, 16);
        FireRing(game, small(192, 48, 3, 73), b.x, b.y, 60, 0);
    }
    if (t == 200) {
        for (int i = 0; i < kEnemyBulletCapacity; ++i) {
            if (s.enemyBullets.free[i] || s.enemyBullets.slot[i].behavior != 73) continue;
            EnemyBullet& e = s.enemyBullets.slot[i];
            e.behavior = 0;
            e.speed = 1.4f;
            e.angle = static_cast<float>(AimAtPlayer(game, e.x, e.y));
        }
    }
    if (t % 40 == 0) FireRing(game, small(32, 80, 1.8), b.x, b.y, 20, static_cast<float>((t / 40) * 9 % 18));
    if (t >= 120 && t % kProximity40Every[difficulty(game)] == 0) FireAimed(game, large(160, 2, 74), b.x, b.y, 0);
}

void run40(Game& game) {
    Enemy& b = boss(game);
    settle(game);
    if (b.timer == 1) SwitchMusic(game, kStage5SecondTune);
    if (b.timer > Fights(game).find(40).row->opening.attackAfter && b.hp <= 0) spawnPartner(game);
    runPlain(game, 40);
}

// ------------------------------------------------ pattern 41: both, fans
//
// Every 90 frames an aimed fan of 5 + 2d (10 degrees apart, speed 2.2) from
// the boss (the partner fires 45 frames later, EnemyTypesStage5Partner).
// Which body can be hurt swaps every 300 frames: the boss first.
void attack41(Game& game, int t) {
    const Enemy& b = boss(game);
    if (t % 90 == 0) {
        MuzzleFlash(game, 96, b.x, b.y);
        FireAimedFan(game, small(96, 96, 2.2), b.x, b.y, 2 + difficulty(game), 10);
    }
}

// ------------------------------------------------ pattern 42: curtains
//
// Every 24 frames a curtain falls from the top: 14 bullets across (x 16 +
// 32 j + (t / 24 % 2) 16, y 0, speed 1.3, behaviour 76: on Hard they drift
// against the boss's clock); every 50 frames columns of large bullets
// from the boss's sides (x -+ 60), 2 + d speeds from 1.5 by 0.5. No rand().
void attack42(Game& game, int t) {
    const Enemy& b = boss(game);
    if (t % 24 == 0) {
        const float shift = static_cast<float>(16 * ((t / 24) % 2));
        for (int j = 0; j < 14; ++j) Fire(game, small(224, 48, 1.3, 76), 16 + 32.0f * j + shift, 0, 180);
    }
    if (t % 50 == 0) {
        for (float dx : {-60.0f, 60.0f})
            FireLayeredFan(game, large(64, 1.5), b.x + dx, b.y, 180, 0, 0, 0, 2 + difficulty(game), 0.5);
    }
}

// ------------------------------------------------ pattern 43: rotating sprays
//
// Every 6/5/4/4 frames three bullets from a point circling the boss at
// radius 48 (4 degrees a frame), along the radius and 120 either side of it
// (speed 2); the partner sprays from its own circling point. No rand().
constexpr int kSpray43Every[4] = {6, 5, 4, 4};

void attack43(Game& game, int t) {
    const Enemy& b = boss(game);
    if (t % kSpray43Every[difficulty(game)] != 0) return;
    const double a = 4.0 * t;
    const float x = static_cast<float>(b.x + 48 * std::sin(a / 57.3));
    const float y = static_cast<float>(b.y - 48 * std::cos(a / 57.3));
    FireArc(game, small(64, 64, 2), x, y, 3, static_cast<float>(a), 120);
}

// ------------------------------------------------ pattern 44: lasers
//
// Lasers along the boss's turning aim (bossVar[4], 1.1 degrees a frame)
// and opposite it, every 4 frames (texture 4, speed 5); every 60/45/30/30
// frames a radial spray of 24 at rand() % 15, speed 1.6 (one rand()).
constexpr int kRadial44Every[4] = {60, 45, 30, 30};

void attack44(Game& game, int t) {
    GameState& s = game.state;
    const Enemy& b = boss(game);
    float& aim = s.bossVar[4];
    aim = static_cast<float>(aim + 1.1);
    if (t % 4 == 0) {
        const BulletPlan beam{{4, 256, 0, 16, 64}, 5, 0};
        Fire(game, beam, b.x, b.y, aim);
        Fire(game, beam, b.x, b.y, aim + 180);
    }
    if (t % kRadial44Every[difficulty(game)] == 0) {
        const int base = game.rand() % 15;
        FireRing(game, small(0, 48, 1.6), b.x, b.y, 24, static_cast<float>(base));
    }
}

// ------------------------------------------------ both bodies (41..44)
//
// On each pattern's first run the partner (spawned again if it is not
// there) gets its own bar: 800 in 41, the boss's maxHp after. A body at 0
// waits with noHit set; in 42 the partner's bar is raised by half when the
// boss falls first. The pattern ends (the row's end) only when both are
// at 0; a time-out takes both.
constexpr int kPartnerHp41 = 800;

void runBoth(Game& game, int id) {
    GameState& s = game.state;
    Enemy& b = boss(game);
    const FightTable::Found f = Fights(game).find(id);
    const int t = b.timer;
    settle(game);
    // A hand-over leaves the timer at 1 on the pattern's first run; a fight
    // brought in here starts at 0.
    if (t == 0 || t == 1) {
        if (!partnerHere(s)) spawnPartner(game);
        Enemy& p = s.enemies.slot[kPartnerSlot];
        p.hp = kPartnerFloor + (id == 41 ? kPartnerHp41 : b.maxHp);
        p.noHit = 0;
        b.noHit = 0;
        b.auxD = 0;
    }
    PatternRow plain = *f.row;
    plain.own = nullptr;
    if (t < 0 || t <= plain.opening.attackAfter || !partnerHere(s)) {
        RunPatternRow(game, *f.fight, plain);
        return;
    }
    Enemy& p = s.enemies.slot[kPartnerSlot];
    if (s.bossTimedOut) p.hp = kPartnerFloor;  // the time is out for both
    const bool bossDown = b.hp <= 0;
    const bool partnerDown = p.hp <= kPartnerFloor;
    if (bossDown && partnerDown) {
        b.noHit = 0;
        RunPatternRow(game, *f.fight, plain);  // the row's end
        return;
    }
    if (bossDown) {
        if (id == 42 && b.auxD == 0) p.hp = kPartnerFloor + (p.hp - kPartnerFloor) * 1.5f;
        b.auxD = 1;
        b.hp = 0;
        b.noHit = 1;
        p.noHit = 0;
    } else if (id == 41) {
        const bool bossTurn = (t / 300) % 2 == 0 || partnerDown;
        b.noHit = bossTurn ? 0 : 1;
        p.noHit = bossTurn ? 1 : 0;
    } else {
        b.noHit = 0;
        p.noHit = partnerDown ? 1 : 0;
    }
    Opening(game, t, plain.opening);
    if (plain.attack && !bossDown) plain.attack(game, t);
}

void run41(Game& game) { runBoth(game, 41); }
void run42(Game& game) { runBoth(game, 42); }
void run43(Game& game) { runBoth(game, 43); }
void run44(Game& game) { runBoth(game, 44); }

// ------------------------------------------------------------ the rows

constexpr OpeningPlan kOpening37{.holdFrom = 0, .holdTo = 130, .glideTo = 61, .attackAfter = 0};
constexpr OpeningPlan kAttackOpening{.holdFrom = 0, .holdTo = 50, .chargeFrom = 5, .chargeTo = 30, .attackAfter = 50};
constexpr OpeningPlan kCardOpening{.holdFrom = 0, .holdTo = 60, .chargeFrom = 1, .chargeTo = 25, .attackAfter = 60};
constexpr PatternEndPlan kLastEnd{.dropItems = false, .motion = EndMotion::Keep};
constexpr DefeatPlan kBossDefeat{.endAt = -230, .after = AfterDefeat::ClearStage};

constexpr PatternRow kBossRows[] = {
    {.id = 37, .endMaxHp = 1200, .next = 38, .limit = 3000, .opening = kOpening37, .attack = attack37},
    {.id = 38, .endMaxHp = 1200, .next = 39, .limit = 4800, .spell = true, .opening = kCardOpening,
     .attack = attack38, .own = run38},
    {.id = 39, .endMaxHp = 1200, .next = 40, .limit = 3000, .opening = kAttackOpening, .attack = attack39,
     .own = run39},
    {.id = 40, .endMaxHp = 600, .next = 41, .limit = 4800, .spell = true, .opening = kCardOpening,
     .attack = attack40, .own = run40},
    {.id = 41, .endMaxHp = 790, .next = 42, .limit = 4200, .opening = kAttackOpening, .attack = attack41,
     .own = run41},
    {.id = 42, .endMaxHp = 600, .next = 43, .limit = 4200, .spell = true, .opening = kCardOpening,
     .attack = attack42, .own = run42},
    {.id = 43, .endMaxHp = 2500, .next = 44, .limit = 5960, .opening = kAttackOpening, .attack = attack43,
     .own = run43},
    {.id = 44, .spell = true, .opening = kCardOpening, .end = kLastEnd, .interlude = InterludeKind::Defeat,
     .defeat = &kBossDefeat, .attack = attack44, .own = run44},
};

}  // namespace

std::span<const PatternRow> Stage5BossRows() { return kBossRows; }

}  // namespace korvid
