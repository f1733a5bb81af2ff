// The stage-4 boss's own enemies: the familiar its waves bring (type 27)
// and the fortress of its last card (type 28). t is the enemy's timer
// after this frame's tick, d the difficulty.
#include <algorithm>

#include "game/Game.h"
#include "play/Geometry.h"
#include "play/PatternKit.h"
#include "stages/Stage4Types.h"

namespace korvid {

namespace {

int difficultyRow(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }

// ----------------------------------------------------------- type 27

constexpr int kFamiliarRingEvery[4] = {12110, 11150, 50, 50};
constexpr BulletPlan kFamiliarRing{{0, 128, 96, 16, 16}, 1.5, 0};

// -------------------------------------------------------------- type 28

// The fortress's window: closed, opening over 60 frames, open for 180,
// closing over 60, closed for 60 (a 360-frame cycle from frame 61).
constexpr int kOpenFrames = 60, kHoldFrames = 180, kCycle = 360;
constexpr int kFortressHeight = 256;  // rows of the fortress picture (y 256..511)
constexpr float kFortressTop = 150;   // the picture's hot spot row: its top edge at y - 150

int windowHeight(int t) {
    if (t <= 60) return 0;
    const int c = (t - 61) % kCycle;
    if (c < kOpenFrames) return kFortressHeight * c / kOpenFrames;
    if (c < kOpenFrames + kHoldFrames) return kFortressHeight;
    if (c < 2 * kOpenFrames + kHoldFrames) return kFortressHeight * (2 * kOpenFrames + kHoldFrames - c) / kOpenFrames;
    return 0;
}

// A grid of n x n bullets, 24 pixels apart, falling from a point.
constexpr int kGridEvery[4] = {36, 28, 20, 20};
constexpr int kGridSide[4] = {2, 3, 3, 4};
constexpr BulletPlan kGridShot{{0, 224, 96, 16, 16}, 1.5, 0};

}  // namespace

// Slows to a stop over its first frames, shielded to 180; at 120 a laser
// out to its side (135 from the left half, 225 from the right), turning a
// degree a frame while the boss's timer is below 2000; from 180 it drifts
// at the ship and (Hard) rings of 12 every 50 frames.
void Familiar(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const GameState& s = game.state;
    const int t = e.timer, d = difficultyRow(game);
    e.noHit = t < 180 ? 1 : 0;
    if (t <= 90) e.speed = std::max(0.0f, static_cast<float>(e.speed - 0.07));
    if (t == 120) {
        RequestSound(game, 22);
        BulletPlan laser{{4, 96, 0, 16, 0}, 5, 0};
        laser.scaleX = 1.5f;
        Fire(game, laser, e.x, e.y, e.x < 224 ? 135.0f : 225.0f);
    }
    if (t < 180 && s.bossTimer() < 2000) e.angle += 1;
    if (t < 180) return;
    e.angle = static_cast<float>(AimAtPlayer(game, e.x, e.y));
    e.speed = 1;
    if (t % kFamiliarRingEvery[d] == 0) {
        RequestSound(game, 1);
        FireRing(game, kFamiliarRing, e.x, e.y, 12, static_cast<float>(t % 30));
    }
}

// The fortress behind the boss's last card: never hit, never culled. Its
// window (bossVar 1..4: the picture's x, y, width and height shown) opens
// and closes; while it stands open, every 36/28/20/20 frames a grid of
// 2x2/3x3/3x3/4x4 bullets falls from a point inside the open part, x
// drawn first (rand() % 320 + 64), then y (rand() % (height - 60) + 20
// below its top edge). It goes when the boss leaves its last card.
void SetPiece(Game& game, int slot) {
    GameState& s = game.state;
    Enemy& e = s.enemies.slot[slot];
    const int t = e.timer, d = difficultyRow(game);
    e.noHit = 1;
    const int h = windowHeight(t);
    s.bossVar[1] = 0;
    s.bossVar[2] = static_cast<float>(kFortressHeight);
    s.bossVar[3] = 1400;
    s.bossVar[4] = static_cast<float>(h);
    // Its boss moving on (its defeat included) takes it away.
    if (s.bossActive && (s.bossPattern() != 29 || s.bossTimer() < 0)) {
        s.enemies.free[slot] = 1;
        return;
    }
    if (!s.bossActive || h < 100 || t % kGridEvery[d] != 0) return;
    const int x = game.rand() % 320 + 64;
    const int y = game.rand() % (h - 60) + 20;
    const float top = e.y - kFortressTop;
    const int n = kGridSide[d];
    RequestSound(game, 0);
    MuzzleFlash(game, 128, static_cast<float>(x), top + static_cast<float>(y));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            Fire(game, kGridShot, static_cast<float>(x + 24 * i - 12 * (n - 1)),
                 top + static_cast<float>(y + 24 * j - 12 * (n - 1)), 180);
}

}  // namespace korvid
