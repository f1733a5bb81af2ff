// The behaviour types of ordinary enemies, one routine per type, grouped by
// the stage that introduces them; each stage's type file exports its
// {type, step} span for the stage registry. EnemyBehaviour (play/Enemies.h)
// picks one by Enemy.type; a type without a routine only moves, banks and
// is drawn.
#pragma once

namespace korvid {

struct Game;

// --- stage 1 (EnemyTypesStage1.cpp) ---
void GlidingCruiser(Game& game, int slot);      // type 1
void CurlingPopcorn(Game& game, int slot);      // type 2
void ShortWindowGunship(Game& game, int slot);  // type 3
void RingCruiser(Game& game, int slot);         // type 4
void Diver(Game& game, int slot);               // type 5

}  // namespace korvid
