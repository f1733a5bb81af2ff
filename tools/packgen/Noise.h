// Seeded value noise that can wrap: with a period of P lattice cells the
// noise at x and x + P is the same, so backgrounds tile without seams.
#pragma once

#include <cstdint>

namespace korvid::packgen {

// Smooth noise in [0, 1] at lattice coordinates (x, y); periods <= 0 mean no wrap.
float ValueNoise(float x, float y, std::uint32_t seed, int periodX = 0, int periodY = 0);

// Sum of octaves, each twice the frequency and `gain` times the amplitude of
// the last; normalised to [0, 1]. Periods double with the frequency.
float Fbm(float x, float y, std::uint32_t seed, int octaves, int periodX = 0, int periodY = 0, float gain = 0.5f);

}  // namespace korvid::packgen
