// The game's own random generator. Every random decision of play comes from
// here, seeded at each stage load, so a replay only needs the keys. It is the
// classic linear congruential generator (state x 214013 + 2531011, result
// bits 16..30), kept in the game state rather than the C library, whose
// generator differs between platforms.
#pragma once

#include <cstdint>

namespace korvid {

struct GameRandom {
    std::uint32_t state = 1;

    void seed(std::uint32_t s) { state = s; }
    int next() {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFFu);
    }
};

inline constexpr int kRandMax = 0x7FFF;

}  // namespace korvid
