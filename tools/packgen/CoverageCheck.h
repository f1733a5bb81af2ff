// Checks that every texture rectangle the game drew lies on paint: each
// texel of it inside some painted region of its file in the manifest.
#pragma once

#include <istream>
#include <string>
#include <vector>

#include "Manifest.h"

namespace korvid::packgen {

// `log` holds lines "file x y w h" (the game's --coverage-log). Returns one
// message per rectangle that is not covered, or whose file the manifest
// lacks; an empty list means everything drawn was painted. A rectangle may
// reach `tolerance` texels past the paint on each side (filtering margins).
// Textures repeat: a rectangle running past the picture's (power-of-two)
// surface continues from its other side, as the engine draws it.
std::vector<std::string> FindUnpaintedRects(const Manifest& manifest, std::istream& log, int tolerance = 1);

}  // namespace korvid::packgen
