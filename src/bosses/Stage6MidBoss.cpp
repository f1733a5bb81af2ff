// The stage-6 mid-boss (stage-5 sheet, texture 40, 64 x 64), from stage
// frame 3880: one card, 45, whose danger is not the boss but a train (the
// wall picture, texture 36) running through the field. The boss glides in,
// opens the conversation the stage made ready, and declares two frames
// after it ends. Beating it (or its time running out) resumes the stage at
// 6600.
//
// The train's course is the stage's (stages/Stage6Train.h), which draws it
// under the field; the card fires its bullets and hurts the ship it runs
// over, from the same numbers.
//
// t is the boss timer, d the difficulty (Lunatic rides Hard's train), the
// ship (px, py).

#include <algorithm>
#include <cmath>

#include "bosses/FightRegistry.h"
#include "bosses/Stage6Boss.h"
#include "bosses/SpellCards.h"
#include "game/Game.h"
#include "play/Collisions.h"
#include "play/PatternKit.h"
#include "stages/Dialogue.h"
#include "stages/Stage6Train.h"

namespace korvid {

namespace {

int trainDifficulty(const Game& game) { return std::clamp(game.state.difficulty, 0, 2); }

// The wall bullets' colour cycles through the small-bullet row.
TexRect wallBullet(int column) { return {0, 32 + 32 * column, 96, 16, 16}; }

// Easy: the band along y 240 from the train's nose rightward.
bool easyTrainHits(const GameState& s, int t) {
    return s.playerX >= 440 - 8 * t && std::abs(s.playerY - 240) <= kTrainHalfWidth;
}

// Within the wall's length along its axis and its width across it.
bool wallHits(const GameState& s, const TrainWall& w) {
    const double dx = s.playerX - w.x, dy = s.playerY - w.y;
    const double c = std::cos(w.rotation), sn = std::sin(w.rotation);
    const double along = dx * c + dy * sn, across = -dx * sn + dy * c;
    return std::abs(along) <= kTrainHalfLength && std::abs(across) <= kTrainHalfWidth;
}

// Easy, every 30 frames: from each of ten points along y 240 behind the
// nose, four slow bullets leaving the track at 170, 190, 10 and -10.
void easyBullets(Game& game, int t) {
    if (t % 30 != 0) return;
    BulletPlan b{wallBullet((t % 105) / 15), 1.3, 0, 255, 0.31f};
    for (int i = 0; i <= 9; ++i) {
        if (45 * i < 440 - 8 * t) continue;
        const float x = static_cast<float>(45 * i + t % 87);
        for (float a : {170.0f, 190.0f, 10.0f, -10.0f}) Fire(game, b, x, 240, a);
    }
}

// Normal: the warning lasers along the coming track (harmless), the height
// taken at frame 60 of the cycle, and at 180 a burst of five rings (speeds
// 1.0..3.0, behaviour 78) from the field's middle on the track.
void normalCycle(Game& game, int t) {
    Enemy& b = Boss(game);
    const int h = t % 240;
    if (h == 60) b.auxA = game.state.playerY;
    if (h >= 60 && h <= 120) {
        BulletPlan warn{{4, 64, 0, 16, 0}, 128, -1, 255, 0.705f, 0.5f, 0.8f};
        for (float dy : {0.0f, -40.0f, 40.0f, -80.0f, 80.0f}) Fire(game, warn, 0, b.auxA + dy, 90);
    }
    if (h == 180) {
        for (int i = 0; i <= 39; ++i) {
            BulletPlan ring{wallBullet(i % 8), 1.0, 78, 255, 0.31f};
            for (int k = 0; k < 5; ++k) {
                ring.speed = 1.0 + 0.5 * k;
                Fire(game, ring, 224, b.auxA, static_cast<float>(9 * i));
            }
        }
    }
}

// Hard: while the train is well into its flight, every 7 frames, fans of
// five from its middle (10 degrees apart) and from two points 150 pixels
// along it either way (5 degrees apart), all at speed 3 (behaviour 78).
void hardBullets(Game& game, int t, const TrainWalls& walls) {
    const int p = t % 500;
    if (walls.count == 0 || p < 40 || p > 330 || t % 7 != 0) return;
    const TrainWall& w = walls.wall[0];
    const BulletPlan b{wallBullet((t % 49) / 7), 3, 78, 255, 0.31f};
    const float ax = static_cast<float>(150 * std::cos(w.rotation)), ay = static_cast<float>(150 * std::sin(w.rotation));
    for (int i = -2; i <= 2; ++i) {
        Fire(game, b, w.x, w.y, static_cast<float>(10 * i));
        Fire(game, b, w.x + ax, w.y + ay, static_cast<float>(5 * i));
        Fire(game, b, w.x - ax, w.y - ay, static_cast<float>(5 * i));
    }
}

// The card's hazards for frame t: the train's bullets and its hits.
void runTrainWalls(Game& game, int t) {
    const GameState& s = game.state;
    const int d = trainDifficulty(game);
    const TrainWalls walls = TrainWallsAt(d, t, Boss(game).auxA);
    if (d == 0) {
        easyBullets(game, t);
        if (easyTrainHits(s, t)) RecordPlayerHit(game, true);
        return;
    }
    if (d == 1) normalCycle(game, t);
    if (d == 2) hardBullets(game, t, walls);
    for (int i = 0; i < walls.count; ++i)
        if (wallHits(s, walls.wall[i])) RecordPlayerHit(game, true);
}

// ------------------------------------------ pattern 45: the train walls
//
// Opening: glides in from the left (t 1..60), held full. At t 61 it opens
// the conversation the stage made ready (pages 1..5) and marks auxD; the
// conversation's end sets the timer back to 0 and the card is declared at
// t 2. Started directly (no pages waiting) the card was declared on
// arrival. Until declared the boss cannot be hurt.
//
// The card: the train of runTrainWalls, by difficulty.
//   Easy   the train pulls in along y 240 from the right and stays; the
//          band y 168..312 is closed from its nose rightward. Every 30
//          frames ten points on it fire four slow bullets (1.3) away from
//          the track.
//   Normal a 240-frame cycle: at 60 the ship's height is taken, 60..120
//          five warning lines mark it (and 40, 80 either side), 120..239 the
//          train crosses along it (from right or left in turn), at 180 five
//          rings of 40 (speeds 1.0..3.0) burst from the track's middle.
//   Hard   the train flies along two parabolas in turn (500 frames each);
//          every 7 frames while it is well in, three fans of five from it
//          at speed 3.
// No rand() draws.
void attack45(Game& game, int t) {
    GameState& s = game.state;
    Enemy& b = Boss(game);
    if (!s.spellActive) {
        b.hp = b.maxHp;
        const bool talked = b.auxD != 0;
        if (t == 61 && !talked) {
            b.auxD = 1;
            if (OpenPreparedConversation(game)) return;
        }
        if ((t == 61 && !talked) || (talked && t == 2)) {
            s.spellActive = 1;
            SpellDeclare(game);
        }
        return;
    }
    runTrainWalls(game, t);
}

constexpr OpeningPlan kOpening45{.holdFrom = 0, .holdTo = 60, .glideTo = 60, .attackAfter = 0};
constexpr DefeatPlan kResume{.endAt = -230, .after = AfterDefeat::ResumeStage, .resumeFrame = 6600};
constexpr PatternRow kMidBossRows[] = {
    {.id = 45, .spell = true, .opening = kOpening45, .interlude = InterludeKind::Defeat, .defeat = &kResume,
     .attack = attack45},
};

}  // namespace

std::span<const PatternRow> Stage6MidBossRows() { return kMidBossRows; }

}  // namespace korvid
