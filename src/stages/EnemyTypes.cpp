// One frame of an ordinary enemy's own behaviour, looked up by its type in
// the stage registry's type table.
#include "stages/EnemyTypes.h"

#include "game/Game.h"
#include "play/Enemies.h"
#include "stages/StageRegistry.h"

namespace korvid {

void EnemyBehaviour(Game& game, int slot) {
    if (const EnemyStep step = Stages(game).enemyStep(game.state.enemies.slot[slot].type)) step(game, slot);
}

}  // namespace korvid
