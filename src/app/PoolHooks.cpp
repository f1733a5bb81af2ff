// Pool steps and rules whose modules are not built yet. Each definition
// leaves this file when its own module takes it over; when the file is
// empty it goes.
#include "game/PoolSteps.h"
#include "play/Drops.h"
#include "play/Enemies.h"

namespace korvid {

// effects
void UpdateEffect(Game&, int) {}

// enemy bullets
void UpdateEnemyBullet(Game&, int) {}

// enemy behaviour types
void EnemyBehaviour(Game&, int) {}

// player shots
void UpdatePlayerShot(Game&, int) {}

// items
void UpdateItem(Game&, int) {}

// drops
void DropEnemyItems(Game&, int) {}

// scenery
void UpdateSceneObject(Game&, int) {}

}  // namespace korvid
