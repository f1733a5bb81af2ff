// The scenery list: textured rectangles placed in a 3D world, and flat
// glowing particles sorted among them, packed at the front of sceneObjects
// (the first sceneObjectCount are live, no free flags). These operations
// add, order and remove records; stages/Scenery.h moves and draws them.
#pragma once

#include "play/Spawn.h"

namespace korvid {

struct Game;
struct GameState;

// Kinds above this are flat particles drawn in screen coordinates.
inline constexpr int kLastSceneKind3D = 100;
// Where flat particles (kinds above 100) sort among the 3D pieces.
inline constexpr float kFlatSceneDistance = 7200;
inline constexpr int kPillarKind = 6;

// 1 while stageFrame < 11850, then 0.1: the tower scene packs its sprite z
// values ten times closer.
double SceneDepthScale(const GameState& s);

// Appends a record at sceneObjectCount: texture table entry r.tex and its
// rectangle, z 0.899 + index x 0.0001 x SceneDepthScale, white, alpha
// blending, hot spot at the rectangle's centre, timer 0. Returns the index;
// a full list (800) drops the spawn and returns -1. A script that wants a
// phase sets the new record's timer after the call.
int SpawnSceneObject(Game& game, TexRect r, float x, float y, float z, float yaw, float pitch, float flatX,
                     float flatY, int kind);

// Every record fresh (sprite z 0.899 + index x 0.00001), the list empty.
void ResetSceneObjects(GameState& s);

// `passes` bubble passes: each walks k from the last record down to 1 and
// swaps records k - 1 and k when k - 1 is farther, or, with pillarsLast,
// when k - 1 is a tilted pillar face (kind 6, pitch not 0) and k has a lower
// kind. The pillar rule is no strict order, so the passes are kept exactly
// as they are. A swap moves the records and leaves each index's sprite z in
// place.
void SortSceneObjects(GameState& s, int passes, bool pillarsLast);

// Takes record `index` out; the records behind move down one place in order
// and their sprites get z `movedZ`.
void RemoveSceneObject(GameState& s, int index, float movedZ);

// Takes out every 3D record (kind 100 or less), keeping the flat particles
// in order; the records that move get sprite z 0.89921.
void RemoveSceneryOf3DKinds(GameState& s);

}  // namespace korvid
