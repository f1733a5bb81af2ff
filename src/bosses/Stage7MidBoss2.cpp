// The extra stage's second mid-boss (texture 34, 64 x 96), from stage frame
// 11420, with one limit of 3000 for its first attack:
//   70 (turning bursts and large turning rings) -> 71 (card, no title: the
//   words) -> defeat: the stage resumes at 11500.
//
// The words: the card writes its text on the field one character per
// bullet (behaviour 120), typed in lines of eleven that scroll down the
// field. While a word is in its line it is a wall by height alone: it hits
// a ship that is above it (its y + 8 at or below the ship's y) wherever
// the ship is across. Lines that scroll below y 300 fall apart into
// ordinary falling bullets. So the ship keeps under the text and weaves
// through what falls from it.
//
// t is the boss timer, d the difficulty, (x, y) the boss.
#include <algorithm>

#include "bosses/Stage7MidBoss.h"
#include "game/Game.h"
#include "play/BulletKit.h"
#include "play/Collisions.h"
#include "play/PatternKit.h"
#include "play/Spawn.h"

namespace korvid {

// 长夜无尽头，鸦羽落满城 / 千灯一时灭，月沉无归处 / 星河流不息，残梦化为字 /
// 字字皆成雨，落君衣上时 (four lines of eleven, GBK).
const char kStage7WordText[] =
    "\xB3\xA4\xD2\xB9\xCE\xDE\xBE\xA1\xCD\xB7\xA3\xAC\xD1\xBB\xD3\xF0\xC2\xE4\xC2\xFA\xB3\xC7"
    "\xC7\xA7\xB5\xC6\xD2\xBB\xCA\xB1\xC3\xF0\xA3\xAC\xD4\xC2\xB3\xC1\xCE\xDE\xB9\xE9\xB4\xA6"
    "\xD0\xC7\xBA\xD3\xC1\xF7\xB2\xBB\xCF\xA2\xA3\xAC\xB2\xD0\xC3\xCE\xBB\xAF\xCE\xAA\xD7\xD6"
    "\xD7\xD6\xD7\xD6\xBD\xD4\xB3\xC9\xD3\xEA\xA3\xAC\xC2\xE4\xBE\xFD\xD2\xC2\xC9\xCF\xCA\xB1";

namespace {

constexpr int kLine = 11;                                     // characters per line
constexpr int kTextLength = (sizeof kStage7WordText - 1) / 2;  // 44: four whole lines
static_assert(kTextLength % kLine == 0);
constexpr int kWordBehaviour = 120;
constexpr int kInLine = 255, kFallen = 254;  // a word's alpha: in its line, or fallen out

int difficulty(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }

// ------------------------------------- pattern 70: bursts and turning rings
//
// Glides in from the left (a push of 8 dying away over 60 frames), held
// full to t 100. From t 120 a 240-frame cycle, p = (t - 120) % 240:
//   p 0, 20, 40: a burst of n directions x 2 speeds (2.2, 2.8), rice of
//     behaviour 118 (turning 0.7 a frame for ages 40..169), alternately one
//     way and the other (alpha 255 / 254); one rand() % 18 per burst.
//   p 120: two rings of large bullets (texture 2) at 1.5, behaviour 114
//     (they turn 0.8 a frame for their first 120 frames), one each way;
//     one rand() % 15 for both.
//   p 180: a movement leg (its own draws), kicked over 181..239.
//            Easy  Normal  Hard  Lunatic
// burst n     12     20    24     28
// ring n      12     20    24     30
struct Pattern70Numbers {
    int burst, ring;
};
constexpr Pattern70Numbers kPattern70[4] = {{12, 12}, {20, 20}, {24, 24}, {28, 30}};

void attack70(Game& game, int t) {
    const Enemy& b = Boss(game);
    if (t <= 60) SpeedRamp(game, 8, 60, 0, kBossSlot);
    if (t < 120) return;
    const Pattern70Numbers& n = kPattern70[difficulty(game)];
    const int p = (t - 120) % 240;
    if (p == 0 || p == 20 || p == 40) {
        RequestSound(game, 1);
        MuzzleFlash(game, 32, b.x, b.y);
        const int base = game.rand() % 18;
        const int alpha = p == 20 ? 254 : 255;
        const BulletPlan rice{{0, 32 + 64 * (p / 20 % 2), 64, 16, 16}, 2.2, 118, alpha};
        FireLayeredRing(game, rice, b.x, b.y, n.burst, static_cast<float>(base), 2, 0.6);
    }
    if (p == 120) {
        RequestSound(game, 0);
        const int base = game.rand() % 15;
        FireRing(game, BulletPlan{{2, 32, 32, 32, 32}, 1.5, 114, 255}, b.x, b.y, n.ring, static_cast<float>(base));
        FireRing(game, BulletPlan{{2, 160, 32, 32, 32}, 1.5, 114, 254}, b.x, b.y, n.ring,
                 static_cast<float>(base + 180 / n.ring));
    }
    MovementLeg(game, t, p, 180, 181, 239);
}

// --------------------------------------------- pattern 71: the words (card)
//
// Held full to t 99; at t 100 its own bar of 3500 and the text set. Word k
// (k = 0, 1, ...) is fired from the boss: one every 40 frames for t
// 320..499 (k 0..4), then one every 5 frames from t 500. Word k is
// character k % 44 of the text (the bullet's work value) and stands in
// column k % 11 of its line. A word eases into its place (a tenth of the
// way a frame); its place scrolls down 36 pixels every 55 frames, so the
// lines typed at one every 5 frames stand 36 apart. Below y 300 the word
// falls out: at `fall` speed, straight down +- up to 30 degrees (one
// rand() % 61 each, in the bullets' slot order). No other draws.
//            Easy  Normal  Hard  Lunatic
// fall        0.8    1.2   1.6    2.0
constexpr double kFallSpeed[4] = {0.8, 1.2, 1.6, 2.0};

void fireWord(Game& game, int k) {
    const Enemy& b = Boss(game);
    const int slot = SpawnEnemyBullet(game, {0, 96 + 32 * (k / kLine % 4), 96, 16, 16}, b.x, b.y, 1.4f, 1.4f, 0,
                                      0.5f, 0, kWordBehaviour, kInLine);
    EnemyBullet* w = JustFired(game, slot);
    if (!w) return;
    w->work = static_cast<float>(k % kTextLength);
    w->marked = 1;
}

void attack71(Game& game, int t) {
    GameState& s = game.state;
    Enemy& b = Boss(game);
    if (t == 100) {
        b.maxHp = 3500;
        b.hp = 3500;
        std::fill(s.wordBulletText.begin(), s.wordBulletText.end(), '\0');
        std::copy_n(kStage7WordText, kTextLength * 2, s.wordBulletText.begin());
    }
    if (t >= 320 && t < 500 && (t - 320) % 40 == 0) {
        RequestSound(game, 1);
        fireWord(game, (t - 320) / 40);
    }
    if (t >= 500 && t % 5 == 0) {
        if (t % 20 == 0) RequestSound(game, 1);
        fireWord(game, 5 + (t - 500) / 5);
    }
}

// Behaviour 120, every frame of a word bullet.
void wordStep(Game& game, int slot) {
    GameState& s = game.state;
    EnemyBullet& w = s.enemyBullets.slot[slot];
    if (w.alpha != kInLine) return;
    const int column = static_cast<int>(w.work) % kLine;
    const WordPlace place = WordFormationPlace(column, w.age);
    w.speed = 0;
    w.x = static_cast<float>(w.x + (place.x - w.x) * 0.1);
    w.y = static_cast<float>(w.y + (place.y - w.y) * 0.1);
    if (place.y > kWordReleaseY) {
        const int spread = game.rand() % 61;
        w.alpha = kFallen;
        w.angle = static_cast<float>(180 + spread - 30);
        w.speed = static_cast<float>(kFallSpeed[difficulty(game)]);
        return;
    }
    if (w.y + 8 >= s.playerY) RecordPlayerHit(game, true);
}

// ------------------------------------------------------------ the rows

constexpr OpeningPlan kOpening70{.holdFrom = 0, .holdTo = 100, .chargeFrom = 70, .chargeTo = 95};
constexpr OpeningPlan kCardOpening71{
    .holdFrom = 0, .holdTo = 99, .chargeFrom = 40, .chargeTo = 70, .attackAfter = 99, .castPoseTo = 70};
constexpr PatternEndPlan kEnd{.restPose = true};
constexpr PatternEndPlan kLastEnd{.chargeSound = true, .restPose = true};
constexpr DefeatPlan kDefeat{
    .endAt = -230, .after = AfterDefeat::ResumeStage, .resumeFrame = 11500};

constexpr PatternRow kRows[] = {
    {.id = 70, .endMaxHp = 3000, .next = 71, .limit = 3600, .opening = kOpening70, .end = kEnd,
     .attack = attack70},
    {.id = 71, .spell = true, .opening = kCardOpening71, .end = kLastEnd, .interlude = InterludeKind::Defeat,
     .defeat = &kDefeat, .attack = attack71},
};

constexpr BossBulletEntry kBullets[] = {{kWordBehaviour, wordStep}};

}  // namespace

// Column k of a line, `age` frames after the line began to be typed (a
// word typed later in its line is placed as if it had been there since the
// line began).
WordPlace WordFormationPlace(int column, int age) {
    const int c = ((column % kLine) + kLine) % kLine;
    const double since = age + 5.0 * c;
    return {static_cast<float>(44 + 36 * c), static_cast<float>(60 + 36 * since / 55)};
}

std::span<const PatternRow> Stage7MidBoss2Rows() { return kRows; }
std::span<const BossBulletEntry> Stage7MidBoss2Bullets() { return kBullets; }

}  // namespace korvid
