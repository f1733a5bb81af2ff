// The extra boss (texture 34, the boss sheet, 64 x 96), from stage frame
// 12200: seventeen patterns, each on a bar of its own.
//
//   72 -> 73 (card) -> 74 -> 75 (card) -> 76 -> 77 (card) -> 78 -> 79 (card)
//   -> 80 -> 81 (card) -> 82 -> 83 (card) -> 84 -> 85 (card) -> 86
//   -> 87 (card) -> 88 (last card) -> defeat: stage 7 is cleared.
//
// Every pattern runs the same frame (runExtra): the boss sheds its own aura;
// for t 0..60 its hit points are held at the bar it arrived with (72 glides
// in from the left meanwhile, cards gather their charge), and at t 60 the
// pattern sets its own bar; from t 61 it attacks until the bar is empty.
// Between patterns (t below 0) it flies home to (224, 120) at speed 3 while
// the bar refills by maxHp / divisor a frame; once it is home and full the
// next pattern begins. When 72 ends the tower's 3D pieces are removed
// (its particles stay).
#include "bosses/ExtraBoss.h"

#include <array>
#include <cmath>
#include <cstdlib>

#include "bosses/ExtraBossAttacks.h"
#include "game/Game.h"
#include "play/Geometry.h"
#include "play/PatternKit.h"
#include "play/SceneList.h"

namespace korvid {

namespace {

struct ExtraPattern {
    int id;
    float ownHp;        // the bar the pattern sets at its frame 60
    int limit;          // its time limit (given to it by the hand-over)
    bool spell;
    int refillDivisor;  // after it the bar refills by maxHp / this a frame
    ExtraAttack attack;
    int param;          // the density or mix of a shared attack
    int limitAfterTimeOut = 0;  // its limit instead when the clock ran out on the pattern before it
};

// Refills: an attack hands over to its card within a second (60); a card
// leaves a breath after its bonus (100); the last three hand-overs come
// slower still (150). 88 is the last: its end is the defeat. A player who
// could not shoot 80 down before its time ran out meets 81 with two and a
// half seconds more on its clock (3150).
constexpr ExtraPattern kPatterns[] = {
    {72, 1200, 2400, false, 60, MuzzleStreams, 0},
    {73, 1800, 3000, true, 100, SlowTaggedSpirals, 0},
    {74, 1200, 2400, false, 60, MuzzleStreams, 1},
    {75, 1500, 3000, true, 100, LaserPairs, 0},
    {76, 1200, 2400, false, 60, MuzzleStreams, 1},
    {77, 1500, 3000, true, 100, CompanionRings, 0},
    {78, 1200, 2400, false, 60, SpraysAndTags, 1},
    {79, 1500, 3000, true, 100, RunnerEffects, 0},
    {80, 1200, 2400, false, 60, SpraysAndTags, 2},
    {81, 1500, 3000, true, 100, OrbitingEmitter, 0, 3150},
    {82, 1800, 2400, false, 60, SpraysAndTags, 3},
    {83, 1500, 3000, true, 100, PaddleGame, 0},
    {84, 1500, 2400, false, 60, ItemPlanters, 0},
    {85, 1800, 3600, true, 150, MirroredRain, 0},
    {86, 1500, 2400, false, 150, ItemPlanters, 1},
    {87, 1200, 2600, true, 150, RingsAndFlowers, 0},
    {88, 3000, 6000, true, 0, FourSprays, 0},
};
constexpr std::size_t kCount = std::size(kPatterns);

const ExtraPattern* findPattern(int id) {
    for (const ExtraPattern& p : kPatterns)
        if (p.id == id) return &p;
    return nullptr;
}

constexpr DefeatPlan kDefeat{.endAt = -230, .after = AfterDefeat::ClearStage};

// The aura: every other frame two particles (effect kind 9, rising and
// fading) below the boss, c = rand() % 48 - 24 each at (x + c, y + 36 -
// |c| / 2); violet during attacks, gold during cards, red in the last.
void shedAura(Game& game, const ExtraPattern& p) {
    if (game.state.stageFrame % 2 != 0) return;
    const Enemy& b = Boss(game);
    const EffectColour colour = p.id == 88 ? EffectColour{255, 255, 60, 60}
                                : p.spell  ? EffectColour{255, 255, 200, 60}
                                           : EffectColour{255, 160, 60, 255};
    for (int i = 0; i < 2; ++i) {
        const int c = game.rand() % 48 - 24;
        SpawnEffect(game, TexRect{33, 0, 0, 32, 32}, b.x + c, b.y + 36 - std::abs(c) / 2.0f, 1, 1, 0, 0.88f, 9, colour,
                    0, 0);
    }
}

// The hand-over: the next pattern with its limit (the longer one where it
// has one and the time ran out on this pattern, before or on the way home).
void beginNext(Game& game, const FightLine& fight, const PatternRow& row) {
    const ExtraPattern* next = findPattern(row.next);
    const PatternRow* nextRow = FindRow(fight, row.next);
    int limit = row.limit;
    if (next && next->limitAfterTimeOut > 0 && game.state.bossTimedOut) limit = next->limitAfterTimeOut;
    BeginPattern(game, row.next, limit, nextRow && nextRow->spell);
}

// Home at speed 3 (placed there once within a step), the bar refilling;
// home and full (or out of interlude time) the next pattern begins.
void goHome(Game& game, const FightLine& fight, const PatternRow& row, const ExtraPattern& p, int t) {
    Enemy& b = Boss(game);
    const float hx = fight.params.homeX, hy = fight.params.homeY;
    const double dx = hx - b.x, dy = hy - b.y;
    if (std::sqrt(dx * dx + dy * dy) <= fight.params.travelSpeed) {
        b.x = hx;
        b.y = hy;
        b.speed = 0;
    } else {
        b.angle = static_cast<float>(BearingTo(b.x, b.y, hx, hy, 0));
        b.speed = fight.params.travelSpeed;
    }
    if (b.hp <= b.maxHp) b.hp = static_cast<float>(b.hp + b.maxHp / p.refillDivisor);
    const bool home = b.x == hx && b.y == hy;
    if ((home && b.hp > b.maxHp) || t == -1) {
        b.x = hx;
        b.y = hy;
        b.speed = 0;
        b.hp = b.maxHp;
        beginNext(game, fight, row);
    }
}

void endPattern(Game& game, const FightLine& fight, const PatternRow& row) {
    GameState& s = game.state;
    PatternEnd(game, fight, row);
    if (row.id == 72) RemoveSceneryOf3DKinds(s);
    if (row.id == 83) {
        s.bossVarArr[kPaddleBall] = 0;
        s.bossVarArr[kPaddleServe] = 0;
    }
}

void runExtra(Game& game) {
    Enemy& b = Boss(game);
    const int id = b.type;
    const ExtraPattern* p = findPattern(id);
    const FightTable::Found found = Fights(game).find(id);
    if (!p || !found.row) return;
    const FightLine& fight = *found.fight;
    const PatternRow& row = *found.row;
    const int t = b.timer;
    shedAura(game, *p);
    if (t < 0) {
        if (row.interlude == InterludeKind::Defeat) {
            FadeBack(game);
            DefeatSequence(game, t, kDefeat);
        } else {
            goHome(game, fight, row, *p, t);
        }
        return;
    }
    if (t <= 60) {
        // 72 glides in along its entry heading; a fight started directly at
        // a later pattern glides from the entry point to home (auxD marks it).
        // The tower stands only until 72 ends, so it is gone here too.
        if (t == 0 && id != 72 && b.x < 0) {
            b.angle = static_cast<float>(BearingTo(b.x, b.y, fight.params.homeX, fight.params.homeY, 0));
            b.auxD = 1;
            RemoveSceneryOf3DKinds(game.state);
        }
        if (id == 72 || b.auxD == 1) SpeedRamp(game, 8, 60, 0, kBossSlot);
        if (t == 60) b.auxD = 0;
        if (p->spell) ChargeBurst(game, t, 0, 25);
        b.hp = b.maxHp;
        if (t == 60) {
            b.maxHp = p->ownHp;
            b.hp = b.maxHp;
        }
        return;
    }
    if (b.hp <= 0) {
        endPattern(game, fight, row);
        return;
    }
    if (id == 88) FadeTheWorld(game, t);
    p->attack(game, t, p->param);
}

constexpr std::array<PatternRow, kCount> kRows = [] {
    std::array<PatternRow, kCount> rows{};
    for (std::size_t i = 0; i < kCount; ++i) {
        PatternRow& r = rows[i];
        r.id = kPatterns[i].id;
        r.spell = kPatterns[i].spell;
        r.own = runExtra;
        if (i + 1 < kCount) {
            r.next = kPatterns[i + 1].id;
            r.limit = kPatterns[i + 1].limit;
            r.interlude = InterludeKind::Home;
        } else {
            r.interlude = InterludeKind::Defeat;
            r.defeat = &kDefeat;
        }
    }
    return rows;
}();

}  // namespace

std::span<const PatternRow> ExtraBossRows() { return kRows; }

float ExtraBossOwnHp(int id) {
    const ExtraPattern* p = findPattern(id);
    return p ? p->ownHp : 0;
}

int ExtraBossRefillDivisor(int id) {
    const ExtraPattern* p = findPattern(id);
    return p ? p->refillDivisor : 0;
}

}  // namespace korvid
