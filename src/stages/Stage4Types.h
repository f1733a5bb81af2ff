// Stage 4's enemy behaviour types (EnemyTypesStage4*.cpp), exported through
// Stage4EnemyTypes() for the stage registry.
#pragma once

namespace korvid {

struct Game;

void Weaver(Game& game, int slot);         // type 17
void DartShip(Game& game, int slot);       // type 18
void SatelliteShip(Game& game, int slot);  // type 20
void Tank(Game& game, int slot);           // type 21
void Swooper(Game& game, int slot);        // type 22
void Orbiter(Game& game, int slot);        // type 23
void Walker(Game& game, int slot);         // type 24
void Sprinkle(Game& game, int slot);       // type 25
void TurretOrb(Game& game, int slot);      // type 26
void Familiar(Game& game, int slot);       // type 27 (the boss's waves)
void SetPiece(Game& game, int slot);       // type 28 (the boss's last card)

}  // namespace korvid
