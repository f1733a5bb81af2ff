// The stage-6 boss's first four cards (46..49). t is the boss timer, d the
// difficulty (0..2), (x, y) the boss. Per-difficulty numbers sit in tables
// next to the card that uses them, indexed by d.
#include <algorithm>

#include "bosses/SpellCards.h"
#include "bosses/Stage6Bar.h"
#include "bosses/Stage6Cards.h"
#include "game/Game.h"
#include "play/Enemies.h"
#include "play/PatternKit.h"
#include "stages/Dialogue.h"
#include "stages/StageTunes.h"

namespace korvid {

namespace {

constexpr const char* kBossMusic = kStage6BossTune;

int difficulty(const Game& game) { return std::clamp(game.state.difficulty, 0, 2); }

}  // namespace

// ------------------------------------------------ card 46: only bombs hurt
//
// Cycle: none; everything is keyed on t.
//   t 0..60     glides in from (-16, 160): SpeedRamp(8, 60, 0); held full.
//   t 61        opens the conversation the stage made ready (pages 1..7);
//               when it ends the timer reads 101.
//   t 102       declared; picture 1; the boss tune.
//   t 200       two turning emitters (effect 37, texture 38 cell (0, 167,
//               25, 25), scale 2, z 0.31) that wander off along a random
//               heading firing tiny aimed bullets; they go once the bar has
//               lost a fifth. rand(): the first emitter's heading, then the
//               second's.
//   t >= 61, every 4th frame: a muzzle flash (column 224) and, for
//               i = 0..d + 1, a pair of tiny bullets (texture 0 (56, 248, 8,
//               8), z 0.31, kind 0) at speed 1 + 0.5 i: one at
//               3 (t % 120) + (r1 % t) / 80, the other at
//               3 (t % 120) + (r2 % t) / 80 + 180 (r1 drawn first).
// Shots never hurt the boss: it is shootable only while a bomb runs.
void Card46(Game& game, int t) {
    GameState& s = game.state;
    Enemy& b = Boss(game);
    b.noHit = s.bombActive ? 0 : 1;
    if (t <= 60) SpeedRamp(game, 8, 60, 0, kBossSlot);
    if (t == 61) OpenPreparedConversation(game);
    if (t == 102) {
        s.spellActive = 1;
        SpellDeclare(game);
        s.bossVar[4] = 4;
        SwitchMusic(game, kBossMusic);
    }
    if (t == 200) {
        for (int i = 0; i < 2; ++i) {
            const int heading = game.rand() % 360;
            SpawnEffect(game, TexRect{38, 0, 167, 25, 25}, b.x, b.y, 2, 2, static_cast<float>(heading), 0.31f, 37,
                        EffectColour{255, 255, 255, 255}, 0, 0);
        }
    }
    if (t >= 61 && t % 4 == 0) {
        MuzzleFlash(game, 224, b.x, b.y);
        BulletPlan tiny{TexRect{0, 56, 248, 8, 8}, 1, 0};
        tiny.z = 0.31f;
        const int turn = 3 * (t % 120);
        for (int i = 0; i <= difficulty(game) + 1; ++i) {
            tiny.speed = 1 + 0.5 * i;
            const int r1 = game.rand();
            Fire(game, tiny, b.x, b.y, static_cast<float>(turn + (r1 % t) / 80));
            const int r2 = game.rand();
            Fire(game, tiny, b.x, b.y, static_cast<float>(turn + (r2 % t) / 80 + 180));
        }
    }
}

// The card leaves the boss shootable again; enemy slots 0..3 are moved out
// of the way to (0, 0).
void Card46Ended(Game& game) {
    GameState& s = game.state;
    Boss(game).noHit = 0;
    for (int i = 0; i < 4; ++i) {
        s.enemies.slot[i].x = 0;
        s.enemies.slot[i].y = 0;
    }
}

}  // namespace korvid

namespace korvid {

namespace {

// The boss's familiars come from sheet 38 at z 0.7.
constexpr float kFamiliarZ = 0.7f;

}  // namespace

// ------------------------------------------------ card 47: four orbiters
//
// Cycle: 120 frames from t 60.
//   t 60        four familiars (type 43, hp 10000, sheet 38 cells x 128,
//               160, 192, 224 at y 160) leave the boss at 315, 45, 135 and
//               225; they circle it about 90 pixels out and fire along
//               their bearing from it (EnemyTypesStage6Boss.cpp). They go
//               when the bar reaches 0.6, the card's end.
//   every 120   (from t 120) the boss: a ring of n = 12/16/20 small bullets
//               (texture 0 (96, 48)) at speed 1.4, turned by 7 a cycle, and
//               on Normal up a second at 2.0 between them.
// No rand() draws. The way through: stay between two spokes and drift with
// them; the rings are slow enough to step through.
struct Card47Numbers {
    int ring;
    bool second;
};
constexpr Card47Numbers kCard47[3] = {{12, false}, {16, true}, {20, true}};

void Card47(Game& game, int t) {
    ComeHome(game, t);
    const Enemy& b = Boss(game);
    const Card47Numbers& n = kCard47[difficulty(game)];
    if (t == 60) {
        constexpr float kHeadings[4] = {315, 45, 135, 225};
        for (int i = 0; i < 4; ++i)
            SpawnEnemy(game, 38, 128 + 32 * i, 160, 32, 32, b.x, b.y, 1, 1, kHeadings[i], kFamiliarZ, 3, 43, 10000,
                       255);
    }
    if (t >= 120 && (t - 120) % 120 == 0) {
        const float base = static_cast<float>(7 * ((t - 120) / 120));
        RequestSound(game, 1);
        BulletPlan ring{{0, 96, 48, 16, 16}, 1.4, 0};
        FireRing(game, ring, b.x, b.y, n.ring, base);
        if (n.second) {
            ring.speed = 2.0;
            FireRing(game, ring, b.x, b.y, n.ring, base + 180.0f / n.ring);
        }
    }
}

// ---------------------------------------------- card 48: eating lanterns
//
// Cycle: none; keyed on t from 60.
//   every 50/40/30 frames  a lantern (type 44, sheet 38 cell (0, 167, 25,
//               25), scale 1.6, hp 40, alpha 200: it burns down by itself)
//               from the top at x = 48 + rand() % 352, falling at 1.2. It
//               hurts to touch and eats every bullet within 40 pixels.
//   every 3 frames  n = 3/4/5 arms of tiny bullets (texture 0 (56, 248, 8,
//               8), z 0.31) at 5 t + 360 j / n, speed 1.8 + 0.2 (t % 2).
// rand(): one per lantern (its x). The lanterns cut lanes through the
// spiral: follow one down.
struct Card48Numbers {
    int lanternEvery;
    int arms;
};
constexpr Card48Numbers kCard48[3] = {{50, 3}, {40, 4}, {30, 5}};

void Card48(Game& game, int t) {
    ComeHome(game, t);
    const Enemy& b = Boss(game);
    const Card48Numbers& n = kCard48[difficulty(game)];
    if (t < 60) return;
    if (t % n.lanternEvery == 0) {
        const int x = 48 + game.rand() % 352;
        SpawnEnemy(game, 38, 0, 167, 25, 25, static_cast<float>(x), -16, 1.6f, 1.6f, 180, kFamiliarZ, 1.2f, 44, 40,
                   200);
    }
    if (t % 3 == 0) {
        BulletPlan tiny{{0, 56, 248, 8, 8}, 1.8 + 0.2 * (t % 2), 0};
        tiny.z = 0.31f;
        FireArc(game, tiny, b.x, b.y, n.arms, static_cast<float>(5 * t), RingStep(n.arms));
    }
}

// --------------------------------------------------- card 49: great orbs
//
// Cycle: 240 frames from t 60.
//   position 0  k = 2/3/4 great orbs (type 45, sheet 38 cell (0, 327, 184,
//               185), scale 0.5, never hittable) thrown at 3.2 at the ship's
//               bearing + (j - (k - 1) / 2) * 40; they slow to t 150, come
//               back through the boss's place and off the far side. Each
//               hurts within 63 pixels.
//   every 20    a ring of 12/16/20 bullets of kind 31 (texture 0 (128, 48))
//               at speed 1.5, turned by 9 a ring.
// No rand() draws. The orbs return along their own line: step off it.
struct Card49Numbers {
    int orbs;
    int ring;
};
constexpr Card49Numbers kCard49[3] = {{2, 12}, {3, 16}, {4, 20}};

void Card49(Game& game, int t) {
    ComeHome(game, t);
    const Enemy& b = Boss(game);
    const Card49Numbers& n = kCard49[difficulty(game)];
    if (t < 60) return;
    const int c = (t - 60) % 240;
    if (c == 0) {
        const double aim = AimAtPlayer(game, b.x, b.y);
        for (int j = 0; j < n.orbs; ++j) {
            const double heading = aim + (j - (n.orbs - 1) / 2.0) * 40;
            SpawnEnemy(game, 38, 0, 327, 184, 185, b.x, b.y, 0.5f, 0.5f, static_cast<float>(heading), kFamiliarZ, 3.2f,
                       45, 100, 255);
        }
    }
    if (c % 20 == 0) {
        const BulletPlan ring{{0, 128, 48, 16, 16}, 1.5, 31};
        FireRing(game, ring, b.x, b.y, n.ring, static_cast<float>(9 * ((t - 60) / 20)));
    }
}

}  // namespace korvid
