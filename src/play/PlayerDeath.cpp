// The moment a hit becomes a death: ten frames after the hit, unless the
// automatic bomb fired in between.
#include "game/FrameSteps.h"
#include "game/Game.h"
#include "play/Spawn.h"

namespace korvid {

void DeathHandOff(Game& game) {
    GameState& s = game.state;
    if (s.hitPending != 1) return;
    s.spellBonusLost = 1;
    s.hitPending = 0;
    s.lives -= 1;
    s.playerDying = 1;
    SpawnEffect(game, {52, 0, 0, 310, 100}, s.playerX, s.playerY, 1, 1, 0, 0.85f, 46, {255, 255, 255, 255}, 1, 8);
    s.invincibleTimer = 999;
    if (s.stage == 7 && s.lives < 0) return;
    // The lost power scatters as 60 small items around the ship.
    for (int round = 0; round < 6; ++round) {
        for (int k = -2; k <= 2; ++k) {
            for (int twice = 0; twice < 2; ++twice)
                SpawnItemUntracked(game, {3, 32, 96, 16, 16}, s.playerX + 24 * k, s.playerY + 4 * k, 0, 2);
        }
    }
    s.power = 0;
}

}  // namespace korvid
