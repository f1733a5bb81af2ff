// The airship's turning body and its gun ports.
#include "bosses/Stage2Airship.h"

#include <algorithm>
#include <cmath>

#include "game/Game.h"
#include "play/PatternKit.h"

namespace korvid {

namespace {

constexpr double kDegreesPerRadian = 57.3;

// v folded into -180..180.
double wrapped(double v) {
    v = std::fmod(v, 360.0);
    if (v > 180) v -= 360;
    if (v < -180) v += 360;
    return v;
}

}  // namespace

void TurnTowardShip(Game& game, double maxStep) {
    GameState& s = game.state;
    const Enemy& b = s.enemies.slot[kBossSlot];
    const double want = AimAtPlayer(game, b.x, b.y) - 180;
    const double turn = std::clamp(wrapped(want - s.bossRotation), -maxStep, maxStep);
    s.bossRotation = static_cast<float>(wrapped(s.bossRotation + turn));
}

double AimTurnRate(const Game& game) { return game.state.difficulty >= 2 ? 3 : 2; }

double NoseHeading(const Game& game) { return game.state.bossRotation + 180; }

PortPoint GunPort(const Game& game, int side, float ahead) {
    const GameState& s = game.state;
    const Enemy& b = s.enemies.slot[kBossSlot];
    const double r = s.bossRotation / kDegreesPerRadian;
    const double ox = side * kPortAside, oy = ahead;
    return {static_cast<float>(b.x + ox * std::cos(r) - oy * std::sin(r)),
            static_cast<float>(b.y + ox * std::sin(r) + oy * std::cos(r))};
}

}  // namespace korvid
