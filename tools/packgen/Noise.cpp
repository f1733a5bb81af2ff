#include "Noise.h"

#include <cmath>

namespace korvid::packgen {

namespace {

float Lattice(int x, int y, std::uint32_t seed) {
    std::uint32_t h = seed ^ (std::uint32_t(x) * 0x27D4EB2Du) ^ (std::uint32_t(y) * 0x165667B1u);
    h ^= h >> 15;
    h *= 0x85EBCA77u;
    h ^= h >> 13;
    h *= 0xC2B2AE3Du;
    h ^= h >> 16;
    return float(h & 0xFFFFFFu) / float(0xFFFFFF);
}

int Wrap(int v, int period) {
    if (period <= 0) return v;
    int m = v % period;
    return m < 0 ? m + period : m;
}

}  // namespace

float ValueNoise(float x, float y, std::uint32_t seed, int periodX, int periodY) {
    float fx = std::floor(x), fy = std::floor(y);
    int ix = int(fx), iy = int(fy);
    float tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    int x0 = Wrap(ix, periodX), x1 = Wrap(ix + 1, periodX);
    int y0 = Wrap(iy, periodY), y1 = Wrap(iy + 1, periodY);
    float a = Lattice(x0, y0, seed), b = Lattice(x1, y0, seed);
    float c = Lattice(x0, y1, seed), d = Lattice(x1, y1, seed);
    float top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float Fbm(float x, float y, std::uint32_t seed, int octaves, int periodX, int periodY, float gain) {
    float sum = 0, amp = 1, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * ValueNoise(x, y, seed + std::uint32_t(o) * 7919u, periodX, periodY);
        norm += amp;
        amp *= gain;
        x *= 2;
        y *= 2;
        periodX *= 2;
        periodY *= 2;
    }
    return sum / norm;
}

}  // namespace korvid::packgen
