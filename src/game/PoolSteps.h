// The per-slot update-and-draw operation of each pool, called by the in-play
// order for every slot in use. Pools whose behaviour is not built yet are
// walked and draw nothing (their operations live in PoolHooks.cpp until
// their own module takes them over). Each is defined by its pool's module.
#pragma once

namespace korvid {

struct Game;

void UpdateEffect(Game& game, int slot);
void UpdateBgPanel(Game& game, int slot);
void UpdateEnemyBullet(Game& game, int slot);
void UpdateEnemy(Game& game, int slot);
void BossDriver(Game& game);
void UpdatePlayerShot(Game& game, int slot);
void UpdateItem(Game& game, int slot);
void UpdateSceneObject(Game& game, int index);

}  // namespace korvid
