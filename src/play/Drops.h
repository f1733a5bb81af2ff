// What a destroyed enemy leaves behind: items (and decoys) by enemy type.
#pragma once

namespace korvid {

struct Game;

// The drop list of enemy `slot`'s type, spawned around the enemy.
void DropEnemyItems(Game& game, int slot);

}  // namespace korvid
