// The hidden boss's familiars (type 63), sent out by its pattern 64. t is the
// familiar's timer after this frame's tick.
#include <cmath>

#include "game/Game.h"
#include "play/Geometry.h"

namespace korvid {

namespace {

constexpr int kTheirPattern = 64;
constexpr int kTravel = 100;

}  // namespace

// At t 1 it heads for its place, x auxC and y (254 - alpha) x 225 + 240, at
// the speed that takes it there in 100 frames, and stops at t 101. From
// then it sways 48 pixels either side of its place while the boss runs
// pattern 64; once the boss is on another pattern (or gone) it leaves.
void Stage6HiddenFamiliar63(Game& game, int slot) {
    GameState& s = game.state;
    Enemy& e = s.enemies.slot[slot];
    const int t = e.timer;
    if (!s.bossActive || s.bossPattern() != kTheirPattern) {
        s.enemies.free[slot] = 1;
        return;
    }
    const double placeY = (254 - e.alpha) * 225.0 + 240;
    if (t == 1) {
        const double dx = e.auxC - e.x, dy = placeY - e.y;
        e.angle = static_cast<float>(BearingTo(e.x, e.y, e.auxC, placeY, 0));
        e.speed = static_cast<float>(std::sqrt(dx * dx + dy * dy) / kTravel);
    }
    if (t == kTravel + 1) e.speed = 0;
    if (t > kTravel + 1) e.x = static_cast<float>(e.auxC + 48 * std::sin((t - kTravel - 1) / 50.0));
}

}  // namespace korvid
