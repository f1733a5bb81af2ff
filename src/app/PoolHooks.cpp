#include "app/PoolHooks.h"

namespace korvid {

void UpdateEffect(Game&, int) {}
void UpdateBgPanel(Game&, int) {}
void UpdateEnemyBullet(Game&, int) {}
void UpdateEnemy(Game&, int) {}
void BossDriver(Game&) {}
void UpdatePlayerShot(Game&, int) {}
void UpdateItem(Game&, int) {}
void UpdateSceneObject(Game&, int) {}

}  // namespace korvid
