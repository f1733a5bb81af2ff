// The stage-6 boss's last two cards (59, 60) and where the stage goes once
// the last has fallen. t is the boss timer, d the difficulty (0..2), (x, y)
// the boss.
#include <algorithm>

#include "bosses/Stage6Bar.h"
#include "bosses/Stage6Cards.h"
#include "game/Game.h"
#include "play/Enemies.h"
#include "play/Geometry.h"
#include "play/PatternKit.h"
#include "stages/Stage6Finale.h"

namespace korvid {

namespace {

int difficulty(const Game& game) { return std::clamp(game.state.difficulty, 0, 2); }

constexpr int kPictureTexture = 35;
constexpr const char* kPortrait = "Graphics/lastboss16.jpg";

}  // namespace

// ------------------------------------------- card 59: partners and rings
//
// (On Easy the ship's controls are reversed while this card runs: Up and
// Down, Left and Right swap; the key query does that.)
//   t 60    the partners (sheet 38, 64 x 96, alpha 200, hp 600): type 61
//           96 pixels left of the boss, type 62 96 right
//           (EnemyTypesStage6Partners.cpp). Three waiting rings round
//           (224, 160), still (kind 101, texture 0 (160, 48)): radius 180
//           (alpha 255: let go at 0.13 of the bar), 120 (254: at 0.07) and
//           70 (253: at 0.002), of 16/24/32, 12/18/24 and 8/12/16
//           bullets. Let go, each flies off at 1.5 along a random bearing.
//   every 100 from t 100, while the bar is above 0.07: a fan of 3/5/7
//           thin lasers (texture 4, column 32, speed 5) from the boss, 25
//           degrees apart, centred on 180 + 20 (alternating sides).
//   below 0.07 (both partners gone): no more lasers; the bar drains by 3
//           hit points a frame by itself.
// rand(): none in the card (the rings draw their own when let go).
struct Card59Numbers {
    int outer, middle, inner;
    int lasers;  // the fan is -lasers..lasers
};
constexpr Card59Numbers kCard59[3] = {{16, 12, 8, 1}, {24, 18, 12, 2}, {32, 24, 16, 3}};
constexpr float kRingCentreX = 224, kRingCentreY = 160;
constexpr double kDrainBelow = 0.07;

void Card59(Game& game, int t) {
    ComeHome(game, t);
    Enemy& b = Boss(game);
    const Card59Numbers& n = kCard59[difficulty(game)];
    if (t == 60) {
        SpawnEnemy(game, 38, 0, 0, 64, 96, b.x - 96, b.y, 1, 1, 0, 0.7f, 0, 61, 600, 200);
        SpawnEnemy(game, 38, 0, 0, 64, 96, b.x + 96, b.y, 1, 1, 0, 0.7f, 0, 62, 600, 200);
        RequestSound(game, 1);
        struct Ring {
            int count;
            float radius;
            int alpha;
        };
        const Ring rings[3] = {{n.outer, 180, 255}, {n.middle, 120, 254}, {n.inner, 70, 253}};
        for (const Ring& r : rings) {
            const BulletPlan waiting{{0, 160, 48, 16, 16}, 0, 101, r.alpha};
            FireEach(game, waiting, kRingCentreX, kRingCentreY, r.count, [&](int i, BulletPlan&, Shot& shot) {
                shot.angle = static_cast<float>(i * 360.0 / r.count);
                shot.x = static_cast<float>(kRingCentreX + r.radius * DirX(shot.angle));
                shot.y = static_cast<float>(kRingCentreY + r.radius * DirY(shot.angle));
            });
        }
    }
    if (BarFraction(game) <= kDrainBelow) {
        b.hp = static_cast<float>(b.hp - 3);
        return;
    }
    if (t >= 100 && (t - 100) % 100 == 0) {
        const int side = (t - 100) / 100 % 2 ? -1 : 1;
        BulletPlan laser{{4, 32, 0, 16, 0}, 5, 0};
        laser.scaleX = 1.5f;
        laser.z = 0.55f;
        RequestSound(game, 1);
        FireFan(game, laser, b.x, b.y, 180 + 20 * side, -n.lasers, n.lasers, 25);
    }
}

// ------------------------------------------------- card 60: the last card
//
// Cycle: 240 frames from t 60 (position p).
//   p 0..159, every 6/5/4 frames  two spirals of a = 3/4/5 arms (texture 0
//           (32, 48) and (128, 48), speed 2 and 1.6) turning the opposite
//           ways, 5 and -3 degrees a frame: their crossings open and close.
//   p 180   a ring of 12/18/24 large balls (texture 1 (0, 176), speed
//           1.5) aimed so that the ship sits in the middle of a gap.
//   p 200..239  quiet.
// No rand() draws. Read the spirals' crossings; slip through the ring's
// gap that comes straight at you.
struct Card60Numbers {
    int every;
    int arms;
    int ring;
};
constexpr Card60Numbers kCard60[3] = {{6, 3, 12}, {5, 4, 18}, {4, 5, 24}};

void Card60(Game& game, int t) {
    ComeHome(game, t);
    const Enemy& b = Boss(game);
    const Card60Numbers& n = kCard60[difficulty(game)];
    if (t < 60) return;
    const int p = (t - 60) % 240;
    if (p < 160 && p % n.every == 0) {
        const BulletPlan one{{0, 32, 48, 16, 16}, 2, 0};
        const BulletPlan other{{0, 128, 48, 16, 16}, 1.6, 0};
        FireRing(game, one, b.x, b.y, n.arms, static_cast<float>(5 * p));
        FireRing(game, other, b.x, b.y, n.arms, static_cast<float>(-3 * p));
    }
    if (p == 180) {
        RequestSound(game, 1);
        const BulletPlan ring{{1, 0, 176, 32, 32}, 1.5, 0};
        const double gapOnShip = AimAtPlayer(game, b.x, b.y, 180.0 / n.ring);
        FireRing(game, ring, b.x, b.y, n.ring, static_cast<float>(gapOnShip));
    }
}

// ------------------------------------------------------------ the routing
//
// Card 60 has fallen and the boss is gone. On Easy the stage is cleared
// (and the staff roll follows). On Normal and above the stage runs on:
// from 8600 (the tunnel and the hidden fight) when the slot machine's
// jackpot opened the way, from 8200 otherwise, with the scroll at 32. The
// portrait that follows the fight goes into the cards' picture texture on
// both routes: the 8200 route draws it while the way is closed.
void Stage6AfterLastCard(Game& game) {
    GameState& s = game.state;
    if (s.difficulty <= 0) {
        s.scrollSpeed = 0;
        s.stageCleared = 1;
        s.stageFrame = 100000;
        return;
    }
    s.scrollSpeed = 32;
    HTEXTURE& tex = s.textures[kPictureTexture];
    if (tex) game.engine.Texture_Free(tex);
    tex = game.engine.Texture_Load(kPortrait);
    s.stageFrame = s.wideFieldFightStarted ? 8600 : kStage6FinaleFrame;
}

}  // namespace korvid
