// Character 1's shots: the focused shot's aim at the weakest enemy, and the
// sparks its shots throw where they hit.
#include <cmath>

#include "game/Game.h"
#include "play/Geometry.h"
#include "play/PlayerShotKinds.h"
#include "play/Spawn.h"

namespace korvid {

void AimSeeker(Game& game, int slot) {
    const GameState& s = game.state;
    PlayerShot& p = game.state.playerShots.slot[slot];
    int target = -1;
    for (int i = 0; i <= kBossSlot; ++i)
        if (IsHittable(s, i) && (target < 0 || s.enemies.slot[i].hp < s.enemies.slot[target].hp)) target = i;
    if (target < 0) return;  // nothing to aim at: straight on
    const Enemy& e = s.enemies.slot[target];
    p.angle = static_cast<float>(std::trunc(BearingTo(p.x, p.y, e.x, e.y, 0)));
}

void FirstCharacterSparks(Game& game, int slot, int enemy) {
    const GameState& s = game.state;
    const PlayerShot& p = s.playerShots.slot[slot];
    const Enemy& e = s.enemies.slot[enemy];
    switch (p.kind) {
        case kShotMain:
            if (s.stageFrame % 3 == 0)
                SpawnEffect(game, {19, 192, 144, 12, 12}, p.x, e.y + e.texH / 2, 1, 1, 0, 0.21f, 2, {255, 255, 0, 0}, 0,
                            0);
            break;
        case kShotSide:
            if (s.stageFrame % 3 == 0)
                SpawnEffect(game, {54, 190, 0, 52, 60}, p.x, p.y, p.scaleX, 1, p.angle, 0.21f, 48, {255, 255, 255, 255},
                            2, 998);
            break;
        case kShotSeeker:
            if (s.stageFrame % 2 == 0) {
                const int jy = game.rand() % 8 - 4;
                const int jx = game.rand() % 8 - 4;
                SpawnEffect(game, {54, 0, 180, 64, 96}, p.x + jx, p.y + jy, p.scaleX, 1, p.angle, 0.21f, 48,
                            {255, 255, 255, 255}, 2, 998);
            }
            break;
        default: break;
    }
}

}  // namespace korvid
