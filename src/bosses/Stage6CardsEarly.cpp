// The stage-6 boss's first four cards (46..49). t is the boss timer, d the
// difficulty (0..2), (x, y) the boss. Per-difficulty numbers sit in tables
// next to the card that uses them, indexed by d.
#include <algorithm>

#include "bosses/SpellCards.h"
#include "bosses/Stage6Bar.h"
#include "bosses/Stage6Cards.h"
#include "game/Game.h"
#include "play/PatternKit.h"
#include "stages/Dialogue.h"

namespace korvid {

namespace {

constexpr const char* kBossMusic = "Music/music6boss.mp3";

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
