// The extra boss's later patterns (81, 83..88; 82 shares 78's function) and
// the last card's fades. t is the boss timer (attacks run from 61), d the
// difficulty, (x, y) the boss.
#include <algorithm>
#include <array>
#include <cstdlib>

#include "bosses/BossSkeleton.h"
#include "bosses/ExtraBossAttacks.h"
#include "game/Game.h"
#include "play/Geometry.h"
#include "play/PatternKit.h"

namespace korvid {

namespace {

int difficulty(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }

BulletPlan small(int column, int row, double speed, int behavior = 0) {
    return BulletPlan{{0, column, row, 16, 16}, speed, behavior};
}

}  // namespace

// ------------------------------------------ 81: the orbiting emitter
//
// The sky begins (drawn under the field). An emitter circles the boss at
// radius 110, at 3 t degrees (a turn every 120 frames).
//   every 8 frames  a large orb (texture 50 cell (0, 0, 64, 64), scale 0.5,
//                   kind 127: turns 0.8 degrees a frame for 200 frames)
//                   from the emitter along its tangent, speed 1.5, turning
//                   right (alpha 255) and left (254) by turns.
//   every 30 frames an aimed fan of 2 h + 1 item-sheet bullets (texture 3
//                   cell (16, 96), speed 2.2, 10 degrees apart) from the boss.
// No rand() draws; the boss stays home.
constexpr int kItemFanHalf[4] = {0, 1, 1, 2};

void OrbitingEmitter(Game& game, int t, int) {
    const Enemy& b = Boss(game);
    const float at = static_cast<float>((3 * t) % 360);
    const float ex = b.x + 110 * DirX(at), ey = b.y + 110 * DirY(at);
    if (t % 8 == 0) {
        BulletPlan orb{{50, 0, 0, 64, 64}, 1.5, 127};
        orb.scaleX = orb.scaleY = 0.5f;
        orb.alpha = (t / 8) % 2 == 0 ? 255 : 254;
        MuzzleFlash(game, 96, ex, ey);
        Fire(game, orb, ex, ey, at + 90);
    }
    if ((t - 61) % 30 == 0) {
        BulletPlan item{{3, 16, 96, 16, 16}, 2.2, 0};
        FireAimedFan(game, item, b.x, b.y, kItemFanHalf[difficulty(game)], 10);
    }
}

// ------------------------------------------------ 83: the paddle game
//
// A ball (texture 2 cell (0, 192), kind 129) is served from the boss at the
// ship whenever none is in play, 60 frames after the last was lost; with it
// a paddle at the bottom (y 468): a leader (kind 128 following the ball)
// and seven links (kind 128, each 10 pixels to the right of the one
// before), large balls (texture 2 cell (96, 32)) that overlap into a bar.
// The ball homes on the ship 2 degrees a frame, rebounds from the field's
// sides and top, and bounces off the paddle near the bottom, faster each
// time (up to 5); the leader slides under it at most 3 pixels
// a frame. Ball and paddle hurt like any bullet.
// Every 300 frames from t 200 a giant ball (cell (64, 32), scale 4, kind
// 130: stops, then sweeps through the field eating every bullet within 32
// pixels, the paddle game's too) leaves the boss straight down, its
// turning side (alpha 255 / 254) changing each time. On Hard and up an
// aimed triple of small balls every 40 frames. No rand() draws.
constexpr double kServeSpeed[4] = {2.5, 2.8, 3.1, 3.4};
// The links are large balls 10 pixels apart: overlapping, they read as one bar.
constexpr BulletPlan kPaddleLink{{2, 96, 32, 32, 32}, 0, 128};

namespace {

bool ballInPlay(const GameState& s) {
    const int slot = static_cast<int>(s.bossVarArr[kPaddleBall]) - 1;
    return slot >= 0 && slot < kEnemyBulletCapacity && !s.enemyBullets.free[slot] &&
           s.enemyBullets.slot[slot].behavior == 129;
}

void serve(Game& game) {
    GameState& s = game.state;
    const Enemy& b = Boss(game);
    BulletPlan ball{{2, 0, 192, 32, 32}, kServeSpeed[difficulty(game)], 129};
    const int slot = FireAimed(game, ball, b.x, b.y + 24, 0);
    if (slot < 0) return;
    s.bossVarArr[kPaddleBall] = static_cast<float>(slot + 1);
    int follow = slot;
    for (int k = 0; k < 8; ++k) {
        const float x = std::clamp(b.x - 35, 8.0f, 360.0f) + 10.0f * k;
        const int link = Fire(game, kPaddleLink, x, 468, 0);
        if (EnemyBullet* e = JustFired(game, link)) {
            e->work = static_cast<float>(follow + 1);
            follow = link;
        }
    }
}

}  // namespace

void PaddleGame(Game& game, int t, int) {
    GameState& s = game.state;
    const Enemy& b = Boss(game);
    if (!ballInPlay(s)) {
        s.bossVarArr[kPaddleBall] = 0;
        s.bossVarArr[kPaddleServe] += 1;
        if (s.bossVarArr[kPaddleServe] >= 60 || t == 61) {
            s.bossVarArr[kPaddleServe] = 0;
            serve(game);
        }
    }
    if (t >= 200 && (t - 200) % 300 == 0) {
        BulletPlan giant = small(64, 32, 1.5, 130);
        giant.scaleX = giant.scaleY = 4;
        giant.alpha = ((t - 200) / 300) % 2 == 0 ? 255 : 254;
        Fire(game, giant, b.x, b.y + 32, 180);
    }
    if (difficulty(game) >= 2 && (t - 61) % 40 == 20)
        FireAimedSpread(game, small(128, 32, 2.4), b.x, b.y, -1, 1, 12);
}

// ------------------------------------------ 84, 86: item-sheet planters
//
// Every `every` frames a ring of `ring` planters (texture 3 cell (0, 96),
// kind 131: they turn 1 degree a frame, right for alpha 253 and left for
// 252, each ring the other way, and every 5 frames set down a standing
// item-shaped bullet on alternate sides that later drifts off) from the
// boss at speed 1.4, start 17 degrees a ring. A planter is taken off after
// 60 frames (twelve plantings, an arc of 60 degrees round the boss): left
// to circle, it would plant for ever and fill the field. A movement leg
// every 240 frames (one rand()). Numbers by density (84: 0, 86: 1) and
// difficulty.
struct PlanterNumbers {
    int every, ring;
};
constexpr PlanterNumbers kPlanters[2][4] = {
    {{120, 4}, {110, 5}, {100, 5}, {90, 6}},
    {{110, 5}, {100, 5}, {90, 6}, {80, 6}},
};
constexpr int kPlanterLife = 60;

void ItemPlanters(Game& game, int t, int density) {
    GameState& s = game.state;
    const Enemy& b = Boss(game);
    const PlanterNumbers& n = kPlanters[std::clamp(density, 0, 1)][difficulty(game)];
    for (int i = 0; i < kEnemyBulletCapacity; ++i)
        if (!s.enemyBullets.free[i] && s.enemyBullets.slot[i].behavior == 131 &&
            s.enemyBullets.slot[i].age > kPlanterLife)
            s.enemyBullets.free[i] = 1;
    MovementLeg(game, t, (t - 61) % 240, 0, 1, 70);
    if ((t - 61) % n.every != 0) return;
    const int k = (t - 61) / n.every;
    BulletPlan planter{{3, 0, 96, 16, 16}, 1.4, 131};
    planter.alpha = k % 2 == 0 ? 253 : 252;
    FireRing(game, planter, b.x, b.y, n.ring, static_cast<float>((17 * k) % 360));
}

// --------------------------------------- 85: mirrored rain from the top
//
// Every `every` frames two bullets fall from the top edge at x and 448 - x,
// x = rand() % 200 + 12 (one rand()), speed 1.5 straight down, kind 133:
// while above y 448 every 100 frames each sows a 10-way ring (the row-304
// kind moving off slowly, the other standing, then aiming). The rows take
// turns: row 304 (moving rings), then row 288 (standing ones). Every 120
// frames an aimed line of three large balls from the boss.
constexpr int kRainEvery[4] = {70, 60, 54, 48};

void MirroredRain(Game& game, int t, int) {
    const Enemy& b = Boss(game);
    const int every = kRainEvery[difficulty(game)];
    if ((t - 61) % every == 0) {
        const int x = game.rand() % 200 + 12;
        const int row = ((t - 61) / every) % 2 == 0 ? 304 : 288;
        const BulletPlan drop = small(64, row, 1.5, 133);
        Fire(game, drop, static_cast<float>(x), 0, 180);
        Fire(game, drop, static_cast<float>(448 - x), 0, 180);
    }
    if ((t - 61) % 120 == 60) {
        for (int k = 0; k < 3; ++k) FireAimed(game, BulletPlan{{2, 96, 32, 32, 32}, 2 + 0.4 * k}, b.x, b.y, 0);
    }
}

// ---------------------------------------- 87: slow rings and the flower
//
// Cycle of 240, c = (t - 61) % 240.
//   c 0    a slow ring of `ring` balls (texture 2 cell (32, 32), speed 0.9,
//          kind 136: they turn 0.3 degrees a frame, right and left by turns
//          (alpha 255 / 254), and after 300 frames stop on the middle line
//          and fade), start rand() % 360 (one rand()).
//   c 120  the flower: `beams` broad lasers (texture 4 cell (160, 0), twice
//          as wide as a plain laser, kind 135) spread evenly round the boss,
//          each reaching from the boss out to a five-petalled ring (60 at
//          the petals' gaps, 120 at their tips, by angle / 4); they open
//          over 40 frames, sweep round a degree a frame and are gone after
//          120. Only the space within 120 pixels of the boss is swept.
//   c 200  a movement leg (one rand()), over before the next flower.
constexpr int kSlowRing[4] = {24, 30, 36, 40};
constexpr int kFlowerBeams[4] = {10, 12, 15, 15};

void RingsAndFlowers(Game& game, int t, int) {
    const Enemy& b = Boss(game);
    const int c = (t - 61) % 240;
    MovementLeg(game, t, c, 200, 201, 239);
    if (c == 0) {
        const int start = game.rand() % 360;
        const int n = kSlowRing[difficulty(game)];
        for (int i = 0; i < n; ++i) {
            BulletPlan ball{{2, 32, 32, 32, 32}, 0.9, 136};
            ball.alpha = i % 2 == 0 ? 255 : 254;
            Fire(game, ball, b.x, b.y, static_cast<float>(start + i * 360 / n));
        }
    }
    if (c == 120) {
        const int n = kFlowerBeams[difficulty(game)];
        BulletPlan beam{{4, 160, 0, 16, 0}, 0, 135, 255, 0.61f};
        beam.scaleX = 2;
        for (int k = 0; k < n; ++k) {
            const float place = static_cast<float>(k * 360 / n);
            const int slot = Fire(game, beam, b.x, b.y, place);
            if (EnemyBullet* e = JustFired(game, slot)) e->work = place;
        }
    }
}

// ----------------------------------------------- 88: the four sprays
//
// In turns of 200 frames the boss sprays one of four large kinds: orbs
// (texture 2 (0, 192)), stars (texture 2 (64, 0)), giant orbs (texture 50
// (64, 64), scale 0.5) and big balls (texture 1 (0, 256)), speed 1.2 +
// 0.3 per turn. Every `every` frames `count` of them at random angles from
// a centre near the boss (DrawSprayCentre: x then y, then one rand() per
// bullet). A movement leg every 150 frames (one rand(), first).
// Meanwhile the world fades (FadeTheWorld).
struct FourSprayNumbers {
    int every, count;
};
constexpr FourSprayNumbers kFourSprays[4] = {{9, 2}, {8, 3}, {7, 3}, {6, 4}};
constexpr TexRect kSprayKinds[4] = {{2, 0, 192, 32, 32}, {2, 64, 0, 32, 32}, {50, 64, 64, 64, 64}, {1, 0, 256, 32, 32}};

void FourSprays(Game& game, int t, int) {
    const Enemy& b = Boss(game);
    const FourSprayNumbers& n = kFourSprays[difficulty(game)];
    MovementLeg(game, t, (t - 61) % 150, 0, 1, 70);
    if ((t - 61) % n.every != 0) return;
    const int turn = ((t - 61) / 200) % 4;
    BulletPlan spray{kSprayKinds[turn], 1.2 + 0.3 * turn, 0};
    if (turn == 2) spray.scaleX = spray.scaleY = 0.5f;
    const Point p = DrawSprayCentre(game, b.x, b.y);
    FireRandomSpray(game, spray, p.x, p.y, n.count);
}

// The last card's fades, set from its frame: the backdrop picture darkens
// first (gone by 1080), then the large item copies (from 1200), then the
// shots and effects (from 1800, to 160 only), then the HUD and the side
// panel (from 2400, to 200 only): the longer the card lasts, the less of
// the world is left to see.
void FadeTheWorld(Game& game, int t) {
    std::array<float, 93>& v = game.state.bossVarArr;
    auto ramp = [t](int from, int per, int top) {
        return static_cast<float>(std::clamp((t - from) / per, 0, top));
    };
    v[kFadeBackdrop] = ramp(61, 4, 255);
    v[kFadeItems] = ramp(1200, 2, 255);
    v[kFadeShots] = ramp(1800, 4, 160);
    v[kFadeHud] = ramp(2400, 5, 200);
}

// While the boss falls everything comes back, 4 a frame.
void FadeBack(Game& game) {
    std::array<float, 93>& v = game.state.bossVarArr;
    for (int e : {kFadeBackdrop, kFadeShots, kFadeItems, kFadeHud}) v[e] = std::max(0.0f, v[e] - 4);
}

}  // namespace korvid
