// The enemy pool: 100 ordinary slots and the boss slot. Stage scripts and
// boss patterns spawn enemies; the in-play order updates the ordinary slots
// (UpdateEnemy, game/PoolSteps.h); the boss slot belongs to the boss driver.
#pragma once

namespace korvid {

struct Game;

// Fills the first free ordinary slot, or the boss slot while bossActive is set
// and the boss slot is free. Returns the slot, or -1 when nothing was free
// (lastEnemySlot is then left alone).
int SpawnEnemy(Game& game, int tex, int texX, int texY, int texW, int texH, float x, float y, float scaleX,
               float scaleY, float angle, float z, float speed, int type, float hp, int alpha);

// The death of an ordinary enemy (slots 0..99): burst, sound, drops, freed.
void KillEnemy(Game& game, int slot);

// The routine of the slot's behaviour type, run by UpdateEnemy. Defined by
// the stage layer (stages/), which owns the behaviour types.
void EnemyBehaviour(Game& game, int slot);

}  // namespace korvid
