// Looking at the pack: flattens a PNG with transparency over a dark
// checkerboard (optionally enlarged), so sprites on clear backgrounds can be
// inspected in an ordinary image viewer.
#pragma once

#include <cstdint>
#include <vector>

namespace korvid::packgen {

// Returns an empty vector when the bytes are not a picture SDL_image reads.
std::vector<std::uint8_t> PreviewPng(const std::vector<std::uint8_t>& png, int scale);

}  // namespace korvid::packgen
