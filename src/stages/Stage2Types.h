// Stage 2's enemy behaviour types (EnemyTypesStage2.cpp), exported through
// Stage2EnemyTypes() for the stage registry.
#pragma once

namespace korvid {

struct Game;

void BurstScout(Game& game, int slot);    // type 6
void RingScout(Game& game, int slot);     // type 7
void CurtainScout(Game& game, int slot);  // type 8
void Crosser(Game& game, int slot);       // type 9
void StarScout(Game& game, int slot);     // type 10
void Popper(Game& game, int slot);        // type 11

}  // namespace korvid
