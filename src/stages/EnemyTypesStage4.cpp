// The enemies of stage 4: weavers (17), dart ships (18), satellite ships
// (20), tanks (21), swoopers (22), orbiters (23), sprinkles (25) and turret
// orbs (26). The walker (24) is in EnemyTypesStage4Heavy.cpp, the boss's
// familiar (27) and fortress (28) in EnemyTypesStage4Boss.cpp. t is the enemy's timer after this frame's tick,
// d the difficulty.
#include <algorithm>
#include <cmath>

#include "game/Game.h"
#include "play/Geometry.h"
#include "play/PatternKit.h"
#include "stages/Stage4.h"
#include "stages/Stage4Types.h"

namespace korvid {

namespace {

int difficultyRow(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }

// The bullet colour of the common-sheet rows: row 288 red (column 32),
// row 256 blue (96), row 320 violet (128).
int rowColumn(const Enemy& e) { return e.texY == 288 ? 32 : (e.texY == 320 ? 128 : 96); }

// A laser dart: a short thin laser (texture 4) that does not grow far.
constexpr BulletPlan kDart{{4, 224, 0, 16, 0}, 4, 0, 255, 0.31f, 0.2f, 0.15f};

// Darts straight down from four points beside x (the satellite ship's and
// the tank's volley).
constexpr float kDartSides[4] = {-17, -13, 13, 17};
void dartVolley(Game& game, const Enemy& e, double speed) {
    BulletPlan b = kDart;
    b.speed = speed;
    for (float side : kDartSides) Fire(game, b, e.x + side, e.y, 180);
}

}  // namespace

// --- type 17 ---

// Weaves 36 pixels either side of the x it came in at, one swing a second;
// from Normal up, while in the upper field, pairs out to both sides.
void Weaver(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const int t = e.timer, d = difficultyRow(game);
    e.x = static_cast<float>(e.auxC + 36 * std::sin(6 * (t % 60) / 57.3));
    e.noHit = t <= 20 ? 1 : 0;
    if (d < 1 || e.y > 400 || t % 10 != 0 || t % 40 >= 30 * d - 20) return;
    const BulletPlan b{{0, rowColumn(e), 48, 16, 16}, 2, 0};
    Fire(game, b, e.x, e.y, 120);
    Fire(game, b, e.x, e.y, 240);
}

// --- type 18 ---

// Darts every 10050/60/30/20 frames until frame 100 (none at all on Easy).
constexpr int kDartShipEvery[4] = {10050, 60, 30, 20};
// From the points 13 and 17 pixels ahead of and behind it along its heading.
constexpr float kDartShipPoints[4] = {13, 17, -13, -17};

// Falls in, backs up from frame 35, stops at 50 and dives at 5 from 100;
// its darts leave aimed at the ship, each from its own point.
void DartShip(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const int t = e.timer, d = difficultyRow(game);
    e.noHit = t <= 20 ? 1 : 0;
    if (t == 35) e.speed = -e.speed;
    if (t == 50) e.speed = 0;
    if (t == 100) e.speed = 5;
    if (t > 100 || t % kDartShipEvery[d] != 0) return;
    RequestSound(game, 2);
    for (float along : kDartShipPoints)
        FireAimed(game, kDart, e.x + DirX(e.angle) * along, e.y + DirY(e.angle) * along, 0);
}

// --- type 20 ---

constexpr int kSatelliteDartEvery[4] = {10000, 30, 10, 10};
constexpr int kSatelliteBurstEvery[4] = {1222, 6, 1, 1};
constexpr BulletPlan kSatelliteArm{{0, 128, 64, 16, 16}, 2.2, 0};

// Glides in; darts straight down early in the stage; a ten-armed burst
// turning 7 degrees a frame over frames 60..110; backs away from 180.
void SatelliteShip(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const int t = e.timer, d = difficultyRow(game);
    SpeedRamp(game, 3, 60, 0, slot);
    if (t <= 60 && game.state.stageFrame <= 1600 && t % kSatelliteDartEvery[d] == 0) dartVolley(game, e, 6);
    if (t >= 60 && t <= 110 && t % kSatelliteBurstEvery[d] == 0) {
        if (t % 6 == 0) RequestSound(game, 1);
        FireRing(game, kSatelliteArm, e.x, e.y, 10, static_cast<float>(7 * t));
    }
    if (t >= 180) e.speed = -1;
}

// --- type 21 ---

constexpr int kTankBombEvery[4] = {120, 100, 80, 80};
constexpr int kTankDartEvery[4] = {2290, 120, 60, 20};
constexpr BulletPlan kTankBomb{{50, 128, 0, 64, 64}, 0, 4};

// Creeps down; while in the upper two thirds it lays bombs that burst
// outward and then turn on the ship, and drops dart volleys.
void Tank(Game& game, int slot) {
    const Enemy& e = game.state.enemies.slot[slot];
    const int t = e.timer, d = difficultyRow(game);
    if (e.y > 320) return;
    if (t % kTankBombEvery[d] == 0) {
        const int reach = d >= 2 ? 2 : 1;
        RequestSound(game, 0);
        for (int j = -reach; j <= reach; ++j) Fire(game, kTankBomb, e.x, e.y, static_cast<float>(60 * j));
    }
    if (t % kTankDartEvery[d] == 0) dartVolley(game, e, 3);
}

// --- type 22 ---

constexpr int kSwooperEvery[4] = {8, 6, 3, 3};
constexpr BulletPlan kSwooperMine{{0, 160, 64, 16, 16}, 0, 27};

// Swoops along a curve that tightens and opens again (alpha 255 turns one
// way, 254 the other), leaving mines that burst ahead, behind and (Normal
// up) to the sides.
void Swooper(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const int t = e.timer, d = difficultyRow(game);
    const double turn = (14.4 - 0.001 * (t - 120) * (t - 120)) / 3;
    e.angle = static_cast<float>(e.alpha == 255 ? e.angle + turn : e.angle - turn);
    if (t % kSwooperEvery[d] != 0) return;
    MuzzleFlash(game, 128, e.x, e.y, 205);
    RequestSound(game, 0);
    constexpr float kAround[4] = {180, 0, 90, 270};  // behind, ahead, then the sides
    const int count = d >= 1 ? 4 : 2;
    for (int k = 0; k < count; ++k) Fire(game, kSwooperMine, e.x, e.y, e.angle + kAround[k]);
}

// --- type 23 ---

constexpr int kOrbiterEvery[4] = {7, 9, 6, 6};
constexpr BulletPlan kOrbiterShot{{0, 64, 64, 16, 16}, 1.6, 0};

// Circles a centre packed in auxC (x * 1000 + y) at 99 pixels, growing and
// fading in; fires outward from frame 120 (and at right angles from 180,
// Normal up); at 300 it lets go, becomes a one-point target and speeds away.
void Orbiter(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const GameState& s = game.state;
    const int t = e.timer, d = difficultyRow(game);
    if (t <= 80) {
        e.alpha += 3;
        e.scaleX = static_cast<float>(e.scaleX + 0.012);
        e.scaleY = static_cast<float>(e.scaleY + 0.012);
    }
    if (t == 300) {
        e.auxC = 0;
        e.hp = e.maxHp = 1;
    }
    if (e.auxC > 0) {
        const int packed = static_cast<int>(e.auxC);
        const float cx = static_cast<float>(packed / 1000), cy = static_cast<float>(packed % 1000);
        const float turn = t > 119 ? 5.0f : 2.0f;
        e.angle += cx < 224 ? turn : -turn;
        const float radius = 99 * e.scaleX;
        e.x = cx + DirX(e.angle) * radius;
        e.y = cy + DirY(e.angle) * radius;
    } else {
        e.speed = static_cast<float>(e.speed + 0.06);
    }
    const int every = s.stageFrame > 2199 ? static_cast<int>(kOrbiterEvery[d] * 1.4) : kOrbiterEvery[d];
    if (t < 120 || t % every != 0) return;
    Fire(game, kOrbiterShot, e.x, e.y, e.angle);
    if (t >= 180 && d > 0) Fire(game, kOrbiterShot, e.x, e.y, e.angle - 90);
}

// --- type 25 ---

constexpr BulletPlan kSprinkleShot{{0, 32, 64, 16, 16}, 2.5, 0};

// A small standing sprite: rises and swells in when it arrives with a
// negative timer; an aimed line across its aim at 30, aimed shots over
// 60..90 (Normal up; with flankers on Hard), then off on a random upward
// heading, faster and faster.
void Sprinkle(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const int t = e.timer, d = difficultyRow(game);
    e.noHit = t <= 0 ? 1 : 0;
    if (t < -59) e.y -= 2;
    if (t >= -60 && t <= -1) {
        e.scaleX = static_cast<float>(e.scaleX + 0.01);
        e.scaleY = static_cast<float>(e.scaleY + 0.01);
    }
    if (t == 30) {
        const double aim = AimAtPlayer(game, e.x, e.y);
        const int half = 2 * (d / 2);
        RequestSound(game, 0);
        for (int k = -half; k <= half; ++k) {
            const float across = static_cast<float>(aim + 90);
            Fire(game, kSprinkleShot, e.x + DirX(across) * 8 * k, e.y + DirY(across) * 8 * k, static_cast<float>(aim));
        }
    }
    if (d > 0 && t >= 60 && t <= 90 && t % 5 == 0) {
        FireAimed(game, kSprinkleShot, e.x, e.y, 0);
        if (d > 1) {
            FireAimed(game, kSprinkleShot, e.x, e.y, 18);
            FireAimed(game, kSprinkleShot, e.x, e.y, -18);
        }
    }
    if (t == 100) e.angle = static_cast<float>(game.rand() % 120 - 60);
    if (t > 100) e.speed = static_cast<float>(e.speed + 0.03);
}

// --- type 26 ---

constexpr int kTurretEvery[4] = {120, 60, 40, 40};
constexpr BulletPlan kTurretShot{{0, 224, 64, 16, 16}, 1.2, 0};

// Never hittable; while in the upper two thirds a ring of 12 at a random
// turn, one draw a ring.
void TurretOrb(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const int t = e.timer, d = difficultyRow(game);
    e.noHit = t < 2280 ? 1 : 0;
    if (e.y > 320 || t % kTurretEvery[d] != 0) return;
    const int r = game.rand();
    FireArc(game, kTurretShot, e.x, e.y, 12, static_cast<float>(r % 30), 30);
}

namespace {

constexpr EnemyTypeEntry kTypes[] = {
    {17, Weaver}, {18, DartShip}, {20, SatelliteShip}, {21, Tank}, {22, Swooper},
    {23, Orbiter}, {24, Walker}, {25, Sprinkle}, {26, TurretOrb}, {27, Familiar}, {28, SetPiece},
};

}  // namespace

std::span<const EnemyTypeEntry> Stage4EnemyTypes() { return kTypes; }

}  // namespace korvid
