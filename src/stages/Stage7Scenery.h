// The extra stage's 3D scenes and what moves them: the shaft (from 901),
// the block wall (from 9600) and the tower (from 11850), the camera's
// flights between them, the glowing particles at the tower's heart, and the
// turning backdrop behind it all. Stage7.cpp calls these in its order.
#pragma once

namespace korvid {

struct Game;

// The shaft: six walls round a hexagon (kind 3) in twenty rows, and every
// fifth row a ring of nine pieces turning the other way (kind 4): 156
// records. The camera looks down it.
void BuildShaft(Game& game);
// The block wall: flat panels (kind 5) with, at every even row and column,
// a pillar (kind 6: a front and three depths of four sides), and a floor
// layer of flat pieces behind: 204 records.
void BuildBlockWall(Game& game);
// The tower: three rows of inner faces and five drums round them (kinds 7,
// 8, 9): 48 records.
void BuildTower(Game& game);

// The camera's flights, by stage frame.
void MoveStage7Camera(Game& game);
// The particles at the tower's heart (from 11850, every third frame).
void SpawnTowerParticles(Game& game);
// The backdrop picture (texture 38), turning a twelfth of a degree a frame.
void DrawStage7Backdrop(Game& game);
// The sort after the timeline: a full sort before the tower, one pass a
// frame from then on; then the camera's yaw is kept within a turn.
void SortStage7Scenery(Game& game);

}  // namespace korvid
