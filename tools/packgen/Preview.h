// Looking at the pack: flattens a PNG with transparency over a dark
// checkerboard (optionally enlarged), so sprites on clear backgrounds can be
// inspected in an ordinary image viewer.
#pragma once

#include <cstdint>
#include <vector>

namespace korvid::packgen {

// `scale` > 0 enlarges, < 0 shrinks by that factor. Returns an empty vector
// when the bytes are not a picture SDL_image reads.
std::vector<std::uint8_t> PreviewPng(const std::vector<std::uint8_t>& picture, int scale);

}  // namespace korvid::packgen
