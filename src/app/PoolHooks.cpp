// Pool steps and rules whose modules are not built yet. Each definition
// leaves this file when its own module takes it over; when the file is
// empty it goes.
#include "game/PoolSteps.h"
#include "play/Collisions.h"
#include "play/Drops.h"
#include "play/Enemies.h"

namespace korvid {

// effects
void UpdateEffect(Game&, int) {}

// enemy bullets
void UpdateEnemyBullet(Game&, int) {}

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

// player shots
void UpdatePlayerShot(Game&, int) {}

// items
void UpdateItem(Game&, int) {}

// drops
void DropEnemyItems(Game&, int) {}

// collisions
bool BulletHitTest(Game&, float, float, int, int) { return false; }

// collisions
bool ShotHitTest(Game&, float, float, int, float, int) { return false; }

// collisions
bool RecordPlayerHit(Game&, bool) { return false; }

// collisions
void PayGraze(Game&, int) {}

// scenery
void UpdateSceneObject(Game&, int) {}

}  // namespace korvid
