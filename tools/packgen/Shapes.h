// Signed distances (negative inside, in pixels) of the shapes the painters
// use, and the coverage that turns a distance into an anti-aliased edge.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

namespace korvid::packgen {

constexpr float kPi = 3.14159265358979f;

struct Vec2 {
    float x = 0, y = 0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, float k) { return {a.x * k, a.y * k}; }
inline float Dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
inline float Length(Vec2 a) { return std::sqrt(Dot(a, a)); }

// Rotates p about the origin by `turn` radians (clockwise on screen, y down).
inline Vec2 Rotate(Vec2 p, float turn) {
    float c = std::cos(turn), s = std::sin(turn);
    return {p.x * c - p.y * s, p.x * s + p.y * c};
}

// Edge coverage of a pixel whose centre lies at distance d from a shape.
inline float Coverage(float d) { return std::clamp(0.5f - d, 0.0f, 1.0f); }

// Soft falloff: 1 inside, fading to 0 over `width` pixels outside.
inline float Soft(float d, float width) { return d <= 0 ? 1.0f : std::max(0.0f, 1.0f - d / width); }

inline float SdCircle(Vec2 p, float r) { return Length(p) - r; }

// Approximate ellipse distance, exact on the axes and good enough for edges.
inline float SdEllipse(Vec2 p, float rx, float ry) {
    float k0 = Length({p.x / rx, p.y / ry});
    float k1 = Length({p.x / (rx * rx), p.y / (ry * ry)});
    if (k1 <= 1e-6f) return -std::min(rx, ry);
    return k0 * (k0 - 1) / k1;
}

inline float SdBox(Vec2 p, float hx, float hy, float round = 0) {
    Vec2 q{std::fabs(p.x) - hx + round, std::fabs(p.y) - hy + round};
    Vec2 m{std::max(q.x, 0.0f), std::max(q.y, 0.0f)};
    return Length(m) + std::min(std::max(q.x, q.y), 0.0f) - round;
}

inline float SdSegment(Vec2 p, Vec2 a, Vec2 b) {
    Vec2 pa = p - a, ba = b - a;
    float h = std::clamp(Dot(pa, ba) / std::max(Dot(ba, ba), 1e-6f), 0.0f, 1.0f);
    return Length(pa - ba * h);
}

inline float SdPolygon(Vec2 p, const std::vector<Vec2>& v) {
    float d = Dot(p - v[0], p - v[0]);
    float s = 1;
    for (std::size_t i = 0, j = v.size() - 1; i < v.size(); j = i, ++i) {
        Vec2 e = v[j] - v[i], w = p - v[i];
        Vec2 b = w - e * std::clamp(Dot(w, e) / std::max(Dot(e, e), 1e-6f), 0.0f, 1.0f);
        d = std::min(d, Dot(b, b));
        bool c1 = p.y >= v[i].y, c2 = p.y < v[j].y, c3 = e.x * w.y > e.y * w.x;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
    }
    return s * std::sqrt(d);
}

// Points of an n-pointed star (or a regular polygon when inner == outer).
inline std::vector<Vec2> StarPoints(int n, float outer, float inner, float turn = 0) {
    std::vector<Vec2> pts;
    for (int i = 0; i < 2 * n; ++i) {
        float r = (i % 2 == 0) ? outer : inner;
        float a = turn + kPi * float(i) / float(n) - kPi / 2;
        pts.push_back({r * std::cos(a), r * std::sin(a)});
    }
    return pts;
}

inline std::vector<Vec2> RegularPolygon(int n, float r, float turn = 0) {
    std::vector<Vec2> pts;
    for (int i = 0; i < n; ++i) {
        float a = turn + 2 * kPi * float(i) / float(n) - kPi / 2;
        pts.push_back({r * std::cos(a), r * std::sin(a)});
    }
    return pts;
}

// Quadratic curve sampled into points, for wings, hair and blades.
inline void AppendCurve(std::vector<Vec2>& out, Vec2 a, Vec2 control, Vec2 b, int steps = 8) {
    for (int i = 1; i <= steps; ++i) {
        float t = float(i) / float(steps), u = 1 - t;
        out.push_back(a * (u * u) + control * (2 * u * t) + b * (t * t));
    }
}

inline float SmoothStep(float e0, float e1, float x) {
    float t = std::clamp((x - e0) / (e1 - e0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

}  // namespace korvid::packgen
