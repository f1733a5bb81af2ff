// The train of the stage-6 mid-boss's card: the wall picture (texture 36,
// 700 x 256) running through the field, where it stands on each frame of
// the card, and its drawing under the field (the stage's spell backdrop).
// The card moves nothing itself: it reads the same course to fire the
// train's bullets and to hurt the ship the train runs over.
#pragma once

namespace korvid {

struct Game;

struct TrainWall {
    float x = 0, y = 0;     // the picture's centre
    float rotation = 0;     // radians, along the path
    bool mirrored = false;  // drawn flipped (flying the other way)
};
struct TrainWalls {
    TrainWall wall[2]{};
    int count = 0;
};

// Where the train stands at card frame t on difficulty d (0..2); storedY
// is the track's height on Normal (taken from the ship each cycle).
TrainWalls TrainWallsAt(int d, int t, float storedY);

// The half-length and half-width a wall hurts within (Normal and Hard).
inline constexpr double kTrainHalfLength = 300, kTrainHalfWidth = 72;

// Stage 6's spell backdrop: the train during the mid-boss's card. The boss
// cards' pictures are the stage script's.
void DrawStage6SpellBackdrop(Game& game);

}  // namespace korvid
