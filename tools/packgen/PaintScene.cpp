// Scene styles: the stage-4 wall map, metal panels for the 3D scenery, the
// corridor's shaft and gates, the sweeping barrier and speech balloons.
#include <cmath>

#include "Noise.h"
#include "PaintKit.h"
#include "Rng.h"
#include "Styles.h"
#include "TextPainter.h"

namespace korvid::packgen {

namespace {

// Stage 4's wall map. The game reads it pixel by pixel: a pixel is free only
// when it is exactly transparent white (the file sets "clearColour"), so
// walls keep full coverage and only their outermost edge is soft. A winding
// cave, wide open where it slides in (bottom rows) and out (top rows).
void PaintWallMap(Canvas& c, const Region& r) {
    Rect b = r.rect;
    std::uint32_t seed = r.seed32();
    float openBottom = float(r.num("openBottom", 1700)), openTop = float(r.num("openTop", 520));
    Rgba rock = r.colour(0, {0.42f, 0.33f, 0.28f, 1}), dark = r.colour(1, {0.16f, 0.12f, 0.12f, 1});
    Rgba rim = r.colour(2, {1, 0.55f, 0.25f, 1});
    auto halfWidth = [&](float y) {
        // 210 = wide open (walls only at the very edges); the cave narrows in between.
        float open = std::max(SmoothStep(openBottom - 200, openBottom, y), 1 - SmoothStep(openTop - 200, openTop, y));
        float cave = 95 + 25 * std::sin(y / 157.0f) + 18 * (Fbm(y / 90.0f, 3.3f, seed, 3) - 0.5f);
        return cave + (215 - cave) * open;
    };
    auto centre = [&](float y) {
        float open = std::max(SmoothStep(openBottom - 200, openBottom, y), 1 - SmoothStep(openTop - 200, openTop, y));
        float wander = 223 + 95 * std::sin(y / 230.0f + 0.6f) + 30 * std::sin(y / 97.0f);
        return wander + (224 - wander) * open;
    };
    // Signed distance to the wall (positive inside the rock), with boulders.
    auto wall = [&](Vec2 p) {
        float d = std::fabs(p.x - centre(p.y)) - halfWidth(p.y);
        float rough = 10 * (Fbm(p.x / 23, p.y / 23, seed + 3, 3) - 0.5f);
        d += rough;
        // Boulders in the wide part give the player something to steer round.
        for (int i = 0; i < 9; ++i) {
            float by = 900 + 110 * float(i);
            float bx = centre(by) + (i % 2 ? 1 : -1) * halfWidth(by) * 0.35f;
            float br = 16 + 6 * float(i % 3);
            if (halfWidth(by) > 120) d = std::max(d, br - Length(p - Vec2{bx, by}) + rough * 0.5f);
        }
        return d;
    };
    c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
        float d = wall({x - b.x, y - b.y});
        if (d < -0.5f) return Rgba{};
        float n = Fbm((x - b.x) / 17, (y - b.y) / 17, seed + 9, 4);
        Rgba col = Mix(dark, rock, Clamp01(n * 1.4f - 0.2f + std::min(d, 30.0f) / 120));
        if (d < 6) col = Mix(rim, col, d / 6);
        return WithAlpha(col, Clamp01(d + 0.5f) > 0 ? 1.0f : 0.0f);
    });
}

// Metal plating for tunnels, shafts and towers: plates with seams, rivets
// and glowing conduits; tiles seamlessly.
void PaintTechPanel(Canvas& c, const Region& r) {
    Rect b = r.rect;
    int plate = r.integer("plate", 64);
    Rgba metal = r.colour(0, {0.35f, 0.38f, 0.45f, 1}), light = r.colour(1, {0.3f, 0.9f, 1, 1});
    std::uint32_t seed = r.seed32();
    int cols = std::max(1, b.w / plate), rows = std::max(1, b.h / plate);
    c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
        float lx = x - b.x, ly = y - b.y;
        int px = int(lx) / plate, py = int(ly) / plate;
        float fx = std::fmod(lx, float(plate)), fy = std::fmod(ly, float(plate));
        float tone = 0.8f + 0.4f * ValueNoise(float(px % cols) * 3.1f, float(py % rows) * 2.7f, seed);
        float grain = Fbm(lx / 6, ly / 40, seed + 4, 3, b.w / 6, std::max(1, b.h / 40));
        Rgba col = Scaled(metal, tone * (0.9f + 0.2f * grain));
        float edge = std::min({fx, float(plate) - fx, fy, float(plate) - fy});
        if (edge < 1.5f) col = Darker(metal, 0.6f);
        else if (edge < 3) col = (fx < 3 || fy < 3) ? Lighter(col, 0.25f) : Darker(col, 0.25f);
        bool rivet = Length(Vec2{std::fmin(fx, plate - fx) - 6, std::fmin(fy, plate - fy) - 6}) < 2;
        if (rivet) col = Lighter(metal, 0.4f);
        // Conduits every fourth plate row glow along their length.
        float conduit = std::fabs(std::fmod(ly + plate * 0.5f, float(plate * 2)) - plate);
        if ((px + py) % 3 == 0 && conduit < 3) col = Mix(col, light, 1 - conduit / 3);
        return WithAlpha(col, 1);
    });
}

// The corridor's central shaft: a metal channel with rails and rungs
// repeating every "period" pixels down its length.
void PaintShaft(Canvas& c, const Region& r) {
    Rect b = r.rect;
    float period = float(r.num("period", 40));
    Rgba metal = r.colour(0, {0.3f, 0.3f, 0.38f, 1}), glow = r.colour(1, {0.5f, 0.9f, 1, 1});
    c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
        float u = (x - b.x) / b.w, v = std::fmod(y - b.y, period) / period;
        float wall = std::fabs(u - 0.5f) * 2;  // 0 centre, 1 edges
        Rgba col = Mix(Darker(metal, 0.5f), metal, wall);
        if (std::fabs(u - 0.18f) < 0.02f || std::fabs(u - 0.82f) < 0.02f) col = Lighter(metal, 0.35f);
        if (wall < 0.6f && v < 0.1f) col = Lighter(metal, 0.2f);
        if (std::fabs(u - 0.5f) < 0.012f) col = Mix(col, glow, 0.9f);
        return WithAlpha(col, 1);
    });
}

// A corridor gate: two pillars and a lintel framing an energy curtain.
void PaintGate(Canvas& c, const Region& r) {
    Rect b = r.rect;
    Rgba stone = r.colour(0, {0.5f, 0.45f, 0.6f, 1}), energy = r.colour(1, {0.5f, 0.8f, 1, 1});
    float pillar = b.w * 0.16f, curtain = float(r.num("curtain", 1));  // the curtain's strength
    GlowEllipse(c, CentreOf(b), b.w * 0.4f, b.h * 0.45f, 0, WithAlpha(energy, 0.35f), 1.0f);
    std::uint32_t seed = r.seed32();
    c.shade(float(b.x + pillar), float(b.y), float(b.right() - pillar), float(b.bottom()), [&](float x, float y) {
        float v = Fbm((x - b.x) / 30, (y - b.y) / 60, seed, 3);
        float band = std::pow(std::fabs(std::sin((y - b.y) / 23 + v * 4)), 12.0f);
        return WithAlpha(Lighter(energy, 0.5f), curtain * (0.25f + 0.6f * band));
    }, true);
    for (int side = 0; side < 2; ++side) {
        Rect p{side ? int(b.right() - pillar) : b.x, b.y, int(pillar), b.h};
        ShadeSdf(c, p, [&](Vec2 q) { return SdBox(q - CentreOf(p), pillar * 0.5f, b.h * 0.5f, 3); }, [&](Vec2 q, float d) {
            float t = (q.x - p.x) / p.w;
            Rgba col = Mix(Lighter(stone, 0.3f), Darker(stone, 0.35f), t);
            if (std::fmod(q.y - b.y, 48.0f) < 2) col = Darker(stone, 0.5f);
            return d > -1.5f ? Darker(stone, 0.6f) : col;
        });
        for (float y = b.y + 30.0f; y < b.bottom(); y += 96) Glow(c, {p.x + p.w * 0.5f, y}, pillar * 0.35f, energy, 1.3f);
    }
}

// The barrier that sweeps across the field: a band of energy with a
// deadly core 144 pixels high, fading out toward the region's edges.
void PaintBarrier(Canvas& c, const Region& r) {
    Rect b = r.rect;
    Rgba col = r.colour(0, {1, 0.35f, 0.25f, 1});
    std::uint32_t seed = r.seed32();
    float mid = b.y + b.h * 0.5f, core = float(r.num("core", 72));
    c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
        float dy = std::fabs(y - mid);
        float ends = Clamp01(std::min(x - b.x, b.right() - x) / 60);
        float n = Fbm((x - b.x) / 40, (y - b.y) / 20, seed, 4);
        float inside = dy < core ? 0.55f + 0.45f * n : std::max(0.0f, 1 - (dy - core) / 40) * 0.6f;
        float stripe = std::pow(std::fabs(std::sin((x - b.x) / 18 - dy / 30)), 6.0f);
        Rgba out = Mix(col, {1, 1, 0.9f, 1}, stripe * (dy < core ? 0.6f : 0));
        return WithAlpha(out, Clamp01(inside) * ends);
    });
    Line(c, {b.x + 30.0f, mid - core}, {b.right() - 30.0f, mid - core}, 3, {1, 0.95f, 0.8f, 0.9f});
    Line(c, {b.x + 30.0f, mid + core}, {b.right() - 30.0f, mid + core}, 3, {1, 0.95f, 0.8f, 0.9f});
}

// A speech balloon with its text and a tail pointing down.
void PaintBalloon(Canvas& c, const Region& r) {
    Rect b = r.rect;
    Rgba fill = r.colour(0, {1, 1, 1, 0.95f}), edge = r.colour(1, {0.2f, 0.2f, 0.3f, 1});
    float tail = b.h * 0.25f;
    Vec2 o{b.x + b.w * 0.5f, b.y + (b.h - tail) * 0.5f};
    float rx = b.w * 0.48f, ry = (b.h - tail) * 0.48f;
    std::vector<Vec2> tailPts = {{o.x - rx * 0.15f, o.y + ry * 0.7f}, {o.x + rx * 0.1f, o.y + ry * 0.7f},
                                 {o.x - rx * 0.3f, float(b.bottom()) - 1}};
    auto sd = [&](Vec2 p) { return std::min(SdEllipse(p - o, rx, ry), SdPolygon(p, tailPts)); };
    ShadeSdf(c, b, sd, [&](Vec2, float d) { return d > -1.5f ? edge : fill; });
    TextStyle ts = ReadTextStyle(*r.entry, [] {
        TextStyle s;
        s.face = "hei";
        s.size = 16;
        s.fill = s.fillBottom = {0.1f, 0.1f, 0.2f, 1};
        s.align = 1;
        return s;
    }());
    DrawText(c, {int(o.x - rx * 0.8f), int(o.y - ry * 0.8f), int(rx * 1.6f), int(ry * 1.6f)}, r.str("text"), ts);
}

}  // namespace

const std::vector<StyleEntry>& SceneStyles() {
    static const std::vector<StyleEntry> table = {
        {"wall_map", PaintWallMap}, {"tech_panel", PaintTechPanel}, {"shaft", PaintShaft},
        {"gate", PaintGate},        {"barrier", PaintBarrier},      {"balloon", PaintBalloon},
    };
    return table;
}

}  // namespace korvid::packgen
