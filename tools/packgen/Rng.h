// The pack's own random numbers: a seeded splitmix64 stream, so the same
// manifest always paints the same pixels and composes the same notes.
#pragma once

#include <cstdint>
#include <string_view>

namespace korvid::packgen {

// FNV-1a over the bytes of a name; used to derive seeds from file and region names.
constexpr std::uint64_t HashName(std::string_view s, std::uint64_t h = 1469598103934665603ull) {
    for (unsigned char c : s) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    double unit() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    // Uniform in [lo, hi).
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }
    // Uniform integer in [0, n); n must be positive.
    int below(int n) { return int(next() % std::uint64_t(n)); }
    bool chance(double p) { return unit() < p; }

private:
    std::uint64_t state_;
};

}  // namespace korvid::packgen
