// Background styles: gradients, tileable noise fields, stars, ridges of
// hills, clouds, tiled floors and walls, glowing grids, streaks, scattered
// trees, light rays and vignettes. Stack several regions on the same
// rectangle to layer them; "tile" fields wrap at the region's edges.
#include <cmath>

#include "Noise.h"
#include "PaintKit.h"
#include "Rng.h"
#include "Styles.h"

namespace korvid::packgen {

namespace {

// Colour at t (0..1) along the region's colour stops.
Rgba Ramp(const Region& r, float t, Rgba a = {0, 0, 0, 1}, Rgba b = {1, 1, 1, 1}) {
    std::size_t n = r.colourCount();
    if (n == 0) return Mix(a, b, Clamp01(t));
    if (n == 1) return r.colour(0, a);
    float f = Clamp01(t) * float(n - 1);
    std::size_t i = std::min(n - 2, std::size_t(f));
    return Mix(r.colour(i, a), r.colour(i + 1, b), f - float(i));
}

void PaintGradient(Canvas& c, const Region& r) {
    std::string dir = r.str("direction", "vertical");
    Rect b = r.rect;
    Vec2 centre{b.x + b.w * float(r.num("cx", 0.5)), b.y + b.h * float(r.num("cy", 0.5))};
    float radius = float(r.num("radius", 0.7)) * float(std::max(b.w, b.h));
    c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
        float t = dir == "horizontal" ? (x - b.x) / b.w
                : dir == "radial"     ? Length(Vec2{x, y} - centre) / radius
                                      : (y - b.y) / b.h;
        return Ramp(r, t);
    });
}

// Fractal noise mapped through the colour stops; wraps on both axes unless
// "tile" is false. "alpha" < 1 lays it over what is there.
void PaintNoise(Canvas& c, const Region& r) {
    Rect b = r.rect;
    int scale = r.integer("scale", 8);
    int periodY = std::max(1, int(std::lround(float(scale) * b.h / b.w)));
    bool tile = r.flag("tile", true);
    int octaves = r.integer("octaves", 5);
    float contrast = float(r.num("contrast", 1.0));
    float alpha = float(r.num("alpha", 1.0));
    float warp = float(r.num("warp", 0));
    std::uint32_t seed = r.seed32();
    c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
        float nx = (x - b.x) / b.w * float(scale), ny = (y - b.y) / b.h * float(periodY);
        if (warp > 0) {
            nx += warp * (Fbm(nx, ny, seed + 11, 3, tile ? scale : 0, tile ? periodY : 0) - 0.5f);
            ny += warp * (Fbm(nx, ny, seed + 23, 3, tile ? scale : 0, tile ? periodY : 0) - 0.5f);
        }
        float v = Fbm(nx, ny, seed, octaves, tile ? scale : 0, tile ? periodY : 0);
        v = Clamp01((v - 0.5f) * contrast + 0.5f);
        Rgba col = Ramp(r, v);
        return WithAlpha(col, col.a * alpha);
    });
}

void PaintStars(Canvas& c, const Region& r) {
    Rng rng(r.seed);
    Rect b = r.rect;
    int count = r.integer("count", b.w * b.h / 900);
    float big = float(r.num("size", 1.6));
    for (int i = 0; i < count; ++i) {
        Vec2 p{b.x + float(rng.unit()) * b.w, b.y + float(rng.unit()) * b.h};
        Rgba col = r.colourCount() ? r.colour(std::size_t(rng.below(int(r.colourCount()))), {1, 1, 1, 1})
                                   : Hsv(float(rng.range(0.5, 0.7)), 0.25f, 1);
        float s = big * float(std::pow(rng.unit(), 3.0)) + 0.4f;
        Glow(c, p, s * 3.5f, WithAlpha(col, 0.5f), 1.0f);
        Disc(c, p, s * 0.6f, col);
        if (s > big * 0.7f) {
            Line(c, {p.x - s * 4, p.y}, {p.x + s * 4, p.y}, 0.7f, WithAlpha(col, 0.6f));
            Line(c, {p.x, p.y - s * 4}, {p.x, p.y + s * 4}, 0.7f, WithAlpha(col, 0.6f));
        }
    }
}

// Layers of ridges from far (first colour) to near (last), each filled down
// to the bottom; the ridge line repeats across the region's width.
void PaintRidges(Canvas& c, const Region& r) {
    Rect b = r.rect;
    int layers = r.integer("layers", 3);
    float top = float(r.num("top", 0.35)), bottom = float(r.num("bottom", 0.75));
    float rough = float(r.num("roughness", 6));
    std::uint32_t seed = r.seed32();
    for (int l = 0; l < layers; ++l) {
        float t = layers > 1 ? float(l) / float(layers - 1) : 1;
        float base = b.y + b.h * (top + (bottom - top) * t);
        float amp = b.h * float(r.num("height", 0.18)) * (1 - 0.35f * t);
        Rgba col = Ramp(r, t);
        Rgba haze = Lighter(col, float(r.num("haze", 0.25)) * (1 - t));
        int period = std::max(1, int(rough * (1 + t)));
        c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
            float u = (x - b.x) / b.w * float(period);
            float ridge = base - amp * Fbm(u, float(l) * 3.1f, seed + std::uint32_t(l), 5, period, 0, 0.55f);
            float d = ridge - y;
            if (d > 1) return Rgba{};
            float depth = Clamp01((y - ridge) / (b.bottom() - ridge + 1));
            Rgba fill = Mix(haze, col, depth);
            return WithAlpha(fill, fill.a * Coverage(d));
        });
    }
}

void PaintClouds(Canvas& c, const Region& r) {
    Rect b = r.rect;
    int scale = r.integer("scale", 6);
    int periodY = std::max(1, int(std::lround(float(scale) * b.h / b.w)));
    float cover = float(r.num("cover", 0.5)), soft = float(r.num("softness", 0.18));
    float alpha = float(r.num("alpha", 0.85));
    Rgba lit = r.colour(0, {1, 1, 1, 1}), shade = r.colour(1, {0.7f, 0.75f, 0.85f, 1});
    std::uint32_t seed = r.seed32();
    bool tile = r.flag("tile", true);
    c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
        float nx = (x - b.x) / b.w * float(scale), ny = (y - b.y) / b.h * float(periodY);
        float v = Fbm(nx, ny, seed, 6, tile ? scale : 0, tile ? periodY : 0);
        float a = SmoothStep(1 - cover, 1 - cover + soft, v);
        if (a <= 0) return Rgba{};
        float light = Fbm(nx + 0.15f, ny - 0.2f, seed, 4, tile ? scale : 0, tile ? periodY : 0);
        Rgba col = Mix(shade, lit, Clamp01((v - light) * 4 + 0.6f));
        return WithAlpha(col, a * alpha);
    });
}

// Bricks or floor tiles: each cell bevelled, with its own shade and grain.
void PaintTiles(Canvas& c, const Region& r) {
    Rect b = r.rect;
    int cw = int(r.get("cell")[0].number()), ch = int(r.get("cell")[1].number());
    float offset = float(r.num("offset", 0));  // brick stagger, fraction of a cell per row
    float mortar = float(r.num("mortar", 2)), bevel = float(r.num("bevel", 3));
    Rgba base = r.colour(0, {0.5f, 0.5f, 0.55f, 1}), joint = r.colour(1, {0.2f, 0.2f, 0.22f, 1});
    Rgba light = r.colour(2, Lighter(base, 0.3f));
    float vary = float(r.num("vary", 0.12));
    std::uint32_t seed = r.seed32();
    c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
        float lx = x - b.x, ly = y - b.y;
        int row = int(std::floor(ly / ch));
        float sx = lx + offset * cw * float(row % 2);
        int col = int(std::floor(sx / cw));
        float fx = sx - float(col) * cw, fy = ly - float(row) * ch;
        float edge = std::min({fx, float(cw) - fx, fy, float(ch) - fy});
        int wrapCol = ((col % (b.w / cw)) + (b.w / cw)) % std::max(1, b.w / cw);
        float tone = 1 + vary * (ValueNoise(float(wrapCol) * 1.7f, float(row) * 2.3f, seed) - 0.5f) * 2;
        float grain = Fbm(lx / 9, ly / 9, seed + 5, 3, b.w / 9 > 0 ? b.w / 9 : 0, b.h / 9 > 0 ? b.h / 9 : 0);
        if (edge < mortar) return joint;
        Rgba col2 = Scaled(base, tone * (0.85f + 0.3f * grain));
        if (edge < mortar + bevel) {
            bool lit = fx == edge || fy == edge;  // nearest edge is the left or the top one
            col2 = lit ? Mix(col2, light, 0.5f) : Darker(col2, 0.3f);
        }
        return WithAlpha(col2, 1);
    });
}

// Glowing grid lines (additive), with brighter crossings.
void PaintGridLines(Canvas& c, const Region& r) {
    Rect b = r.rect;
    float sx = float(r.get("spacing")[0].number()), sy = float(r.get("spacing")[1].number());
    float width = float(r.num("width", 1.5)), glow = float(r.num("glow", 5));
    Rgba col = r.colour(0, {0.3f, 0.8f, 1, 1});
    float phase = float(r.num("phase", 0.5));
    c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
        float lx = x - b.x, ly = y - b.y;
        float gx = std::fabs(std::fmod(lx, sx) - sx * phase);
        float gy = std::fabs(std::fmod(ly, sy) - sy * phase);
        float d = std::min(gx, gy);
        float k = Coverage(d - width / 2) + 0.5f * std::max(0.0f, 1 - d / glow);
        if (gx < glow && gy < glow) k += 0.6f * (1 - std::max(gx, gy) / glow);
        return WithAlpha(col, col.a * std::min(1.0f, k));
    }, true);
}

// Vertical streaks (speed lines) that wrap top to bottom.
void PaintStreaks(Canvas& c, const Region& r) {
    Rng rng(r.seed);
    Rect b = r.rect;
    int count = r.integer("count", 60);
    for (int i = 0; i < count; ++i) {
        float x = b.x + float(rng.unit()) * b.w, y = b.y + float(rng.unit()) * b.h;
        float len = float(rng.range(0.1, 0.4)) * b.h, w = float(rng.range(0.6, 2.2));
        Rgba col = r.colour(std::size_t(rng.below(std::max<int>(1, int(r.colourCount())))), {1, 1, 1, 0.5f});
        for (int wrap = -1; wrap <= 1; ++wrap) {
            float y0 = y + float(wrap * b.h);
            Rect box{int(x - w - 2), int(y0 - 2), int(2 * w + 5), int(len + 4)};
            c.shade(float(box.x), float(box.y), float(box.right()), float(box.bottom()), [&](float px, float py) {
                float t = (py - y0) / len;
                if (t < 0 || t > 1) return Rgba{};
                float fade = std::sin(t * kPi);
                return WithAlpha(col, col.a * fade * Coverage(std::fabs(px - x) - w / 2));
            }, true);
        }
    }
}

// Tree crowns seen from above, with a shadow to the lower right; the rest
// of the region stays transparent.
void PaintTrees(Canvas& c, const Region& r) {
    Rng rng(r.seed);
    Rect b = r.rect;
    int count = r.integer("count", 12);
    Rgba leaf = r.colour(0, {0.2f, 0.5f, 0.2f, 1}), dark = r.colour(1, {0.08f, 0.22f, 0.1f, 1});
    Rgba blossom = r.colour(2, {1, 0.8f, 0.9f, 0});
    float rmin = float(r.num("minRadius", 30)), rmax = float(r.num("maxRadius", 70));
    std::uint32_t seed = r.seed32();
    for (int i = 0; i < count; ++i) {
        float rad = float(rng.range(rmin, rmax));
        Vec2 p{b.x + rad + float(rng.unit()) * (b.w - 2 * rad), b.y + rad + float(rng.unit()) * (b.h - 2 * rad)};
        std::uint32_t s = seed + std::uint32_t(i) * 31u;
        auto crown = [&](Vec2 q) {
            Vec2 d = q - p;
            float ang = std::atan2(d.y, d.x);
            float wob = 1 + 0.18f * (ValueNoise(ang * 2.5f + 10, 0, s) - 0.5f) * 2;
            return Length(d) - rad * wob;
        };
        ShadeSdf(c, Around(p + Vec2{rad * 0.25f, rad * 0.3f}, rad * 1.3f),
                 [&](Vec2 q) { return crown(q - Vec2{rad * 0.25f, rad * 0.3f}); },
                 [&](Vec2, float) { return Rgba{0, 0, 0, 0.35f}; });
        ShadeSdf(c, Around(p, rad * 1.25f), crown, [&](Vec2 q, float) {
            Vec2 d = (q - p) * (1 / rad);
            float n = Fbm(q.x / 7, q.y / 7, s, 4);
            float lightK = Clamp01(0.55f - 0.5f * (d.x + d.y) + (n - 0.5f));
            Rgba col = Mix(dark, leaf, lightK);
            if (blossom.a > 0 && n > 0.7f) col = Mix(col, blossom, 0.8f);
            return col;
        });
    }
}

// Soft light rays fanning out from a point (additive).
void PaintRays(Canvas& c, const Region& r) {
    Rect b = r.rect;
    Vec2 o{b.x + b.w * float(r.num("cx", 0.5)), b.y + b.h * float(r.num("cy", 0.0))};
    int count = r.integer("count", 9);
    Rgba col = r.colour(0, {1, 1, 0.9f, 0.25f});
    std::uint32_t seed = r.seed32();
    float reach = float(std::max(b.w, b.h)) * float(r.num("reach", 1.2));
    c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
        Vec2 d = Vec2{x, y} - o;
        float ang = std::atan2(d.y, d.x) / (2 * kPi) * float(count);
        float v = ValueNoise(ang, 0, seed, count, 0);
        float dist = Length(d) / reach;
        float k = std::pow(v, 3.0f) * std::max(0.0f, 1 - dist);
        return WithAlpha(col, col.a * k);
    }, true);
}

void PaintVignette(Canvas& c, const Region& r) {
    Rect b = r.rect;
    Rgba col = r.colour(0, {0, 0, 0, 1});
    float strength = float(r.num("strength", 0.6));
    c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
        float dx = (x - b.x) / b.w * 2 - 1, dy = (y - b.y) / b.h * 2 - 1;
        float k = Clamp01((dx * dx + dy * dy - 0.35f) / 1.3f);
        return WithAlpha(col, k * strength);
    });
}

// Concentric ripples with light glints, for water and haze (additive).
void PaintRipples(Canvas& c, const Region& r) {
    Rect b = r.rect;
    int scale = r.integer("scale", 6);
    int periodY = std::max(1, int(std::lround(float(scale) * b.h / b.w)));
    Rgba col = r.colour(0, {0.7f, 0.9f, 1, 0.35f});
    std::uint32_t seed = r.seed32();
    c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
        float nx = (x - b.x) / b.w * float(scale), ny = (y - b.y) / b.h * float(periodY);
        float v = Fbm(nx, ny, seed, 4, scale, periodY);
        float band = std::fabs(std::sin(v * 40));
        float k = std::pow(1 - band, 8.0f);
        return WithAlpha(col, col.a * k);
    }, true);
}

}  // namespace

const std::vector<StyleEntry>& BackgroundStyles() {
    static const std::vector<StyleEntry> table = {
        {"gradient", PaintGradient}, {"noise", PaintNoise},       {"stars", PaintStars},
        {"ridges", PaintRidges},     {"clouds", PaintClouds},     {"tiles", PaintTiles},
        {"grid_lines", PaintGridLines}, {"streaks", PaintStreaks}, {"trees", PaintTrees},
        {"rays", PaintRays},         {"vignette", PaintVignette}, {"ripples", PaintRipples},
    };
    return table;
}

}  // namespace korvid::packgen
