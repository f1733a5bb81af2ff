// Effect styles: glows and muzzle flashes, rings and shockwaves, magic
// circles, explosions, sparkles, fireballs, flame wisps, beams and bolts.
// With "cell": [w, h] a style repeats in every cell of its region (colours
// by column, "frames" > 1 turning the picture from cell to cell); without
// it the whole region is one cell.
#include <cmath>

#include "Noise.h"
#include "PaintKit.h"
#include "Rng.h"
#include "Styles.h"

namespace korvid::packgen {

namespace {

struct Cell {
    Rect rect;
    int column, row, index;
    Vec2 centre() const { return CentreOf(rect); }
    float half() const { return 0.5f * float(std::min(rect.w, rect.h)); }
};

void ForCells(const Region& r, const std::function<void(const Cell&)>& fn) {
    if (!r.get("cell").isArray()) {
        fn({r.rect, 0, 0, 0});
        return;
    }
    int cw = int(r.get("cell")[0].number()), ch = int(r.get("cell")[1].number());
    int perRow = std::max(1, r.rect.w / cw);
    ForEachCell(r.rect, cw, ch, [&](int col, int row, Rect cell) { fn({cell, col, row, row * perRow + col}); });
}

// Animation frame of a cell: frames repeat along the row ("frames", default 1).
float FrameTurn(const Region& r, const Cell& cell) {
    int frames = r.integer("frames", 1);
    return frames > 1 ? 2 * kPi * float(cell.column % frames) / float(frames) / float(r.integer("symmetry", 1)) : 0;
}

Rgba CellColour(const Region& r, const Cell& cell) {
    int frames = r.integer("frames", 1);
    return ColumnColour(r, frames > 1 ? cell.column / frames : cell.column);
}

void PaintGlowCells(Canvas& c, const Region& r) {
    float radius = float(r.num("radius", 0.95)), core = float(r.num("core", 0.35));
    float strength = float(r.num("strength", 1.4));
    ForCells(r, [&](const Cell& cell) {
        Rgba col = CellColour(r, cell);
        Glow(c, cell.centre(), cell.half() * radius, col, strength);
        if (core > 0) Glow(c, cell.centre(), cell.half() * radius * core, {1, 1, 1, 1}, 1.5f);
    });
}

// Muzzle flash: a bright round glow crossed by thin light streaks.
void PaintFlashCells(Canvas& c, const Region& r) {
    ForCells(r, [&](const Cell& cell) {
        Rgba col = CellColour(r, cell);
        Vec2 o = cell.centre();
        float h = cell.half() * float(r.num("radius", 0.6));
        Glow(c, o, h, col, 1.6f);
        Glow(c, o, h * 0.45f, {1, 1, 1, 1}, 1.6f);
        GlowEllipse(c, o, h * 1.5f, h * 0.12f, 0, WithAlpha(Lighter(col, 0.5f), 0.9f), 1.5f);
        GlowEllipse(c, o, h * 0.12f, h * 1.5f, 0, WithAlpha(Lighter(col, 0.5f), 0.9f), 1.5f);
    });
}

void PaintRingCells(Canvas& c, const Region& r) {
    float radius = float(r.num("radius", 0.7)), width = float(r.num("width", 0.12));
    ForCells(r, [&](const Cell& cell) {
        Rgba col = CellColour(r, cell);
        float h = cell.half();
        int rings = r.integer("rings", 1);
        for (int i = 0; i < rings; ++i) {
            float rr = h * radius * (1 - 0.22f * float(i));
            Glow(c, cell.centre(), rr + h * width * 2, WithAlpha(col, 0.35f), 0.6f);
            Ring(c, cell.centre(), rr, std::max(1.0f, h * width), col);
            Ring(c, cell.centre(), rr, std::max(0.6f, h * width * 0.35f), Lighter(col, 0.7f));
        }
    });
}

// Expanding shockwave: a bright rim fading inwards.
void PaintShockwave(Canvas& c, const Region& r) {
    ForCells(r, [&](const Cell& cell) {
        Rgba col = CellColour(r, cell);
        Vec2 o = cell.centre();
        float rad = cell.half() * float(r.num("radius", 0.92));
        float rim = rad * float(r.num("rim", 0.18));
        Rect b = Around(o, rad + 2);
        c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
            float d = Length(Vec2{x, y} - o);
            if (d > rad) return Rgba{};
            float t = d / rad;
            float k = std::pow(t, 3.0f) * 0.8f + (d > rad - rim ? (1 - (rad - d) / rim) : 0);
            return WithAlpha(Mix(col, {1, 1, 1, 1}, Clamp01(t * t)), col.a * Clamp01(k) * Coverage(d - rad));
        }, true);
    });
}

// Magic circle: double rings, a star (n points) inscribed, rune ticks and
// dots between the rings. "points" picks the star, "turn" its rotation.
void PaintMagicCircle(Canvas& c, const Region& r) {
    ForCells(r, [&](const Cell& cell) {
        Rgba main = r.colour(0, {0.6f, 0.8f, 1, 1}), accent = r.colour(1, {1, 1, 1, 1});
        Vec2 o = cell.centre();
        float R = cell.half() * float(r.num("radius", 0.95));
        float lw = std::max(1.0f, R * float(r.num("line", 0.025)));
        float turn = float(r.num("turn", 0)) + FrameTurn(r, cell);
        int points = r.integer("points", 6);
        Glow(c, o, R * 1.02f, WithAlpha(main, 0.25f), 0.8f);
        Ring(c, o, R * 0.97f, lw * 1.4f, main);
        Ring(c, o, R * 0.82f, lw, main);
        Ring(c, o, R * 0.55f, lw, accent);
        // Rune ticks between the outer rings.
        Rng rng(r.seed);
        int ticks = r.integer("runes", 36);
        for (int i = 0; i < ticks; ++i) {
            float a = turn + 2 * kPi * float(i) / float(ticks);
            Vec2 dir{std::cos(a), std::sin(a)}, side{-dir.y, dir.x};
            Vec2 m = o + dir * (R * 0.895f);
            float s = R * 0.045f;
            int kind = rng.below(4);
            if (kind == 0) Line(c, m - dir * s, m + dir * s, lw * 0.8f, accent);
            else if (kind == 1) Line(c, m - side * s, m + side * s, lw * 0.8f, accent);
            else if (kind == 2) Disc(c, m, s * 0.45f, accent);
            else {
                Line(c, m - dir * s - side * s * 0.6f, m + dir * s, lw * 0.7f, accent);
                Line(c, m - dir * s + side * s * 0.6f, m + dir * s, lw * 0.7f, accent);
            }
        }
        if (points > 2) {
            // A star polygon drawn as its chords: every vertex joined to the one `skip` away.
            int skip = points == 6 ? 2 : (points >= 5 ? 2 : 1);
            for (int i = 0; i < points; ++i) {
                float a0 = turn + 2 * kPi * float(i) / float(points) - kPi / 2;
                float a1 = turn + 2 * kPi * float(i + skip) / float(points) - kPi / 2;
                Line(c, o + Vec2{std::cos(a0), std::sin(a0)} * (R * 0.8f), o + Vec2{std::cos(a1), std::sin(a1)} * (R * 0.8f),
                     lw, main);
            }
        }
        for (int i = 0; i < 8; ++i) {
            float a = turn + kPi * float(i) / 4;
            Disc(c, o + Vec2{std::cos(a), std::sin(a)} * (R * 0.55f), lw * 1.6f, accent);
        }
        Glow(c, o, R * 0.3f, WithAlpha(accent, 0.5f), 1.0f);
    });
}

// Explosion: a hot core, jagged rays and flying debris.
void PaintExplosion(Canvas& c, const Region& r) {
    ForCells(r, [&](const Cell& cell) {
        Rng rng(r.seed + std::uint64_t(cell.index) * 977);
        Rgba col = CellColour(r, cell);
        Vec2 o = cell.centre();
        float R = cell.half() * 0.95f;
        int rays = r.integer("rays", 14);
        for (int i = 0; i < rays; ++i) {
            float a = 2 * kPi * (float(i) + float(rng.unit()) * 0.6f) / float(rays);
            float len = R * float(rng.range(0.55, 1.0));
            GlowEllipse(c, o + Vec2{std::cos(a), std::sin(a)} * (len * 0.5f), len * 0.5f, R * 0.06f, a,
                        WithAlpha(Lighter(col, 0.3f), 0.8f), 1.4f);
        }
        Glow(c, o, R * 0.75f, col, 1.2f);
        Glow(c, o, R * 0.35f, {1, 1, 0.9f, 1}, 1.6f);
        for (int i = 0; i < 10; ++i) {
            float a = float(rng.unit()) * 2 * kPi, d = R * float(rng.range(0.4, 0.9));
            Disc(c, o + Vec2{std::cos(a), std::sin(a)} * d, R * 0.03f + 0.5f, Lighter(col, 0.6f));
        }
    });
}

// Four-pointed sparkles (stars of light) with a round halo.
void PaintSparkles(Canvas& c, const Region& r) {
    ForCells(r, [&](const Cell& cell) {
        Rgba col = CellColour(r, cell);
        Vec2 o = cell.centre();
        float h = cell.half() * float(r.num("radius", 0.95));
        float turn = FrameTurn(r, cell);
        Glow(c, o, h * 0.7f, WithAlpha(col, 0.8f), 1.0f);
        std::vector<Vec2> star = Place(StarPoints(4, h, h * 0.18f), o, turn);
        ShadedPolygon(c, star, [&](Vec2 p, float) {
            float t = Length(p - o) / h;
            return Mix({1, 1, 1, 1}, col, Clamp01(t * 1.4f));
        });
        Glow(c, o, h * 0.3f, {1, 1, 1, 1}, 1.5f);
    });
}

// Fireball: turbulent flame rings from a white core to a red edge.
void PaintFireball(Canvas& c, const Region& r) {
    ForCells(r, [&](const Cell& cell) {
        Vec2 o = cell.centre();
        float R = cell.half() * float(r.num("radius", 0.92));
        std::uint32_t seed = std::uint32_t(r.seed) + std::uint32_t(cell.index) * 131u;
        Rgba hot = r.colour(0, {1, 1, 0.85f, 1}), mid = r.colour(1, {1, 0.6f, 0.1f, 1}),
             edge = r.colour(2, {0.8f, 0.1f, 0.05f, 1});
        Rect b = Around(o, R + 2);
        float turn = FrameTurn(r, cell);
        c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
            Vec2 d = Rotate(Vec2{x, y} - o, -turn) * (1 / R);
            float dist = Length(d);
            float ang = std::atan2(d.y, d.x);
            float n = Fbm(ang / kPi * 4 + 4, dist * 3, seed, 4, 8, 0);
            float edgeR = 0.72f + 0.28f * n;
            if (dist > edgeR) return Rgba{};
            float t = dist / edgeR;
            Rgba col = t < 0.5f ? Mix(hot, mid, t * 2) : Mix(mid, edge, (t - 0.5f) * 2);
            float a = Clamp01((edgeR - dist) * R * 0.5f) * (1 - 0.4f * t * t);
            return WithAlpha(col, a);
        });
        Glow(c, o, R * 0.5f, WithAlpha(hot, 0.7f), 1.2f);
    });
}

// Flame wisp: a teardrop of flame rising upwards, hot at the base.
void PaintWisp(Canvas& c, const Region& r) {
    ForCells(r, [&](const Cell& cell) {
        Rgba col = CellColour(r, cell), core = r.colour(1, {1, 1, 0.9f, 1});
        Rect b = cell.rect;
        float cx = b.x + b.w * 0.5f;
        std::uint32_t seed = std::uint32_t(r.seed) + std::uint32_t(cell.index) * 17u;
        c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
            float v = (y - b.y) / b.h;                 // 0 top, 1 bottom
            float width = 0.5f * b.w * std::pow(v, 0.7f) * (1.1f - v * 0.45f);
            float sway = (Fbm(v * 3, 0.5f, seed, 3) - 0.5f) * b.w * 0.35f * (1 - v);
            float d = std::fabs(x - cx - sway) - width;
            if (d > 1) return Rgba{};
            float heat = Clamp01(v * 1.3f - std::fabs(x - cx - sway) / (width + 1) * 0.6f);
            Rgba out = Mix(col, core, heat * heat);
            return WithAlpha(out, Coverage(d) * Clamp01(v * 3) * (0.55f + 0.45f * heat));
        }, true);
    });
}

// A vertical beam filling its cell: white core, coloured glow, optional fade
// at both ends ("fadeEnds").
void PaintBeam(Canvas& c, const Region& r) {
    bool fadeEnds = r.flag("fadeEnds", false);
    float core = float(r.num("core", 0.18));
    ForCells(r, [&](const Cell& cell) {
        Rgba col = CellColour(r, cell);
        Rect b = cell.rect;
        float cx = b.x + b.w * 0.5f, half = b.w * 0.5f;
        std::uint32_t seed = std::uint32_t(r.seed) + std::uint32_t(cell.index);
        c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
            float t = std::fabs(x - cx) / half;
            if (t >= 1) return Rgba{};
            float ripple = 0.85f + 0.15f * ValueNoise(0.5f, (y - b.y) / 12.0f, seed);
            float glow = (1 - t) * (1 - t) * ripple;
            float whiteK = Clamp01((core - t) / core * 2);
            Rgba out = Mix(col, {1, 1, 1, 1}, whiteK);
            float ends = 1;
            if (fadeEnds) {
                float v = (y - b.y) / b.h;
                ends = Clamp01(std::min(v, 1 - v) * 6);
            }
            return WithAlpha(out, Clamp01(glow * 1.5f + whiteK) * ends);
        });
    });
}

// A jagged bolt of lightning from the top of each cell to its bottom.
void PaintBolt(Canvas& c, const Region& r) {
    ForCells(r, [&](const Cell& cell) {
        Rng rng(r.seed + std::uint64_t(cell.index) * 7);
        Rgba col = CellColour(r, cell);
        Rect b = cell.rect;
        Vec2 p{b.x + b.w * 0.5f, float(b.y)};
        int steps = 10;
        for (int i = 0; i < steps; ++i) {
            Vec2 q{b.x + b.w * float(rng.range(0.25, 0.75)), b.y + b.h * float(i + 1) / float(steps)};
            Line(c, p, q, b.w * 0.12f, WithAlpha(col, 0.5f));
            Line(c, p, q, b.w * 0.04f + 0.8f, {1, 1, 1, 1});
            p = q;
        }
    });
}

}  // namespace

const std::vector<StyleEntry>& EffectStyles() {
    static const std::vector<StyleEntry> table = {
        {"glow", PaintGlowCells},         {"flash", PaintFlashCells},   {"ring", PaintRingCells},
        {"shockwave", PaintShockwave},    {"magic_circle", PaintMagicCircle},
        {"explosion", PaintExplosion},    {"sparkle", PaintSparkles},   {"fireball", PaintFireball},
        {"wisp", PaintWisp},              {"beam", PaintBeam},          {"bolt", PaintBolt},
    };
    return table;
}

}  // namespace korvid::packgen
