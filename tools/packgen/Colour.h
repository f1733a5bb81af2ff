// Straight (non-premultiplied) RGBA colours in 0..1 and the small colour
// arithmetic the painters share.
#pragma once

#include <algorithm>
#include <cmath>
#include <string>

namespace korvid::packgen {

struct Rgba {
    float r = 0, g = 0, b = 0, a = 0;
};

inline float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

inline Rgba Mix(Rgba p, Rgba q, float t) {
    return {p.r + (q.r - p.r) * t, p.g + (q.g - p.g) * t, p.b + (q.b - p.b) * t, p.a + (q.a - p.a) * t};
}

inline Rgba WithAlpha(Rgba c, float a) { return {c.r, c.g, c.b, a}; }

inline Rgba Scaled(Rgba c, float k) { return {c.r * k, c.g * k, c.b * k, c.a}; }

inline Rgba Lighter(Rgba c, float t) { return Mix(c, {1, 1, 1, c.a}, t); }
inline Rgba Darker(Rgba c, float t) { return Mix(c, {0, 0, 0, c.a}, t); }

// Hue in turns (0..1), saturation and value 0..1.
inline Rgba Hsv(float h, float s, float v, float a = 1) {
    h = h - std::floor(h);
    float k[3] = {5, 3, 1};
    float out[3];
    for (int i = 0; i < 3; ++i) {
        float n = std::fmod(k[i] + h * 6, 6.0f);
        out[i] = v - v * s * std::max(0.0f, std::min({n, 4 - n, 1.0f}));
    }
    return {out[0], out[1], out[2], a};
}

// "#rrggbb" or "#rrggbbaa"; anything else is opaque white.
inline Rgba ParseColour(const std::string& s) {
    auto hex = [&](std::size_t i) {
        auto d = [](char c) {
            if (c >= '0' && c <= '9') return c - '0';
            if (c >= 'a' && c <= 'f') return c - 'a' + 10;
            if (c >= 'A' && c <= 'F') return c - 'A' + 10;
            return 0;
        };
        return float(d(s[i]) * 16 + d(s[i + 1])) / 255.0f;
    };
    if ((s.size() != 7 && s.size() != 9) || s[0] != '#') return {1, 1, 1, 1};
    return {hex(1), hex(3), hex(5), s.size() == 9 ? hex(7) : 1.0f};
}

// Sixteen bullet colours in the column order every bullet sheet uses:
// red, orange, yellow, lime, green, teal, cyan, sky, blue, indigo, violet,
// magenta, pink, white, grey, dark red.
inline Rgba SpectrumColour(int i) {
    static const float table[16][3] = {
        {1.00f, 0.18f, 0.20f}, {1.00f, 0.55f, 0.10f}, {1.00f, 0.90f, 0.15f}, {0.65f, 1.00f, 0.20f},
        {0.20f, 0.90f, 0.30f}, {0.10f, 0.85f, 0.65f}, {0.15f, 0.90f, 1.00f}, {0.30f, 0.65f, 1.00f},
        {0.20f, 0.35f, 1.00f}, {0.45f, 0.25f, 0.95f}, {0.70f, 0.30f, 1.00f}, {1.00f, 0.25f, 0.85f},
        {1.00f, 0.55f, 0.70f}, {0.95f, 0.95f, 1.00f}, {0.60f, 0.62f, 0.68f}, {0.70f, 0.08f, 0.12f},
    };
    const float* c = table[((i % 16) + 16) % 16];
    return {c[0], c[1], c[2], 1};
}

}  // namespace korvid::packgen
