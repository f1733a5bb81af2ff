// The sky of the extra boss's middle patterns (81..86): a 16 x 16
// distortion mesh over the lower field, tinted band by band for the time of
// day, with the sun and the moon on their arc, the stars and a ripple.
// Pictures only: nothing here touches play.
#pragma once

#include <cstdint>

namespace korvid {

struct Game;

// The hour the sky starts from: the game's own clock function when it has
// one, else the local time of day (the environment's KORVID_SKY_HOUR, when
// set, stands in for it: pictures at a chosen hour).
double SkyStartHour(const Game& game);

// The colour of band 0..3 (zenith to horizon) at `hour` (wrapped into
// [0, 24)), between the two key colours of its three-hour block.
std::uint32_t SkyBandColour(double hour, int band);

// How fast the sky's clock runs during pattern `id` (hours a frame).
double SkySpeed(int id);

// One frame of the sky: made on first use (its sheet loaded, the hour
// taken), its clock advanced, then drawn.
void DrawSky(Game& game);

// The sky gone (a pattern after 86): the mesh deleted, its sheet freed.
void DropSky(Game& game);

}  // namespace korvid
