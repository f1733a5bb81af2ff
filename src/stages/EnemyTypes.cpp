// One frame of an ordinary enemy's own behaviour, chosen by its type.
#include "stages/EnemyTypes.h"

#include "game/Game.h"
#include "play/Enemies.h"

namespace korvid {

void EnemyBehaviour(Game& game, int slot) {
    switch (game.state.enemies.slot[slot].type) {
        case 1: GlidingCruiser(game, slot); break;
        case 2: CurlingPopcorn(game, slot); break;
        case 3: ShortWindowGunship(game, slot); break;
        case 4: RingCruiser(game, slot); break;
        case 5: Diver(game, slot); break;
        default: break;  // later stages add their types here
    }
}

}  // namespace korvid
