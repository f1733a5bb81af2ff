// What each scenery kind does per update: its motion, how many strips it is
// drawn with and the colour of those strips. Used by the scenery update.
#pragma once

#include <cstdint>

namespace korvid {

struct GameState;
struct SceneObject;

struct SceneKind {
    int strips;
    void (*move)(const GameState& s, SceneObject& o);
    std::uint32_t (*colour)(const GameState& s, const SceneObject& o);
};
// Kinds 1 and 3..9; any other 3D kind stands still, opaque white.
const SceneKind& SceneKindOf(int kind);

// Flat particles (kinds above 100): how fast they shrink and fall.
struct ParticleKind {
    double shrink;  // off the draw scale per update
    float fall;     // down the screen per update
};
ParticleKind ParticleKindOf(int kind);

}  // namespace korvid
