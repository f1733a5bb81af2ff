// Pool steps and rules whose modules are not built yet. Each definition
// leaves this file when its own module takes it over; when the file is
// empty it goes.
#include "game/PoolSteps.h"
#include "play/Drops.h"
#include "play/Enemies.h"

namespace korvid {

// background panels
void UpdateBgPanel(Game&, int) {}

// enemies
void UpdateEnemy(Game&, int) {}

// enemies
int SpawnEnemy(Game&, int, int, int, int, int, float, float, float, float, float, float, float, int, float, int) {
    return -1;
}

// enemies
void KillEnemy(Game&, int) {}

// enemy behaviour types
void EnemyBehaviour(Game&, int) {}

// boss driver
void BossDriver(Game&) {}

// scenery
void UpdateSceneObject(Game&, int) {}

}  // namespace korvid
