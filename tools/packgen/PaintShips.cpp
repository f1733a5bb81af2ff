// Player styles: the ship sheet row (banking frames), the option pods, the
// shot sprites and the death animation.
//
// Ship row: cell i of the row shows tilt t = i - "neutralCell" (the game
// picks x = 432 + trunc(tilt / 2) x 48, so cell 9 is level, cells left of it
// bank left, right of it bank right); "flame" sets the exhaust length of the row.
#include <cmath>
#include <map>

#include "PaintKit.h"
#include "Rng.h"
#include "Styles.h"

namespace korvid::packgen {

namespace {

// The hull outlines of the three ships, right halves in cell units (-1..1),
// nose up; the left half is mirrored.
const std::vector<Vec2>& HullHalf(int design) {
    static const std::map<int, std::vector<Vec2>> hulls = {
        {1, {{0, -0.95f}, {0.16f, -0.45f}, {0.2f, -0.05f}, {0.85f, 0.42f}, {0.88f, 0.6f}, {0.22f, 0.45f}, {0.16f, 0.75f}, {0, 0.7f}}},
        {2, {{0, -0.8f}, {0.2f, -0.35f}, {0.55f, -0.05f}, {0.95f, 0.25f}, {0.9f, 0.45f}, {0.45f, 0.35f}, {0.18f, 0.72f}, {0, 0.6f}}},
        {3, {{0, -0.6f}, {0.3f, -0.5f}, {0.45f, -0.9f}, {0.62f, -0.55f}, {0.65f, 0.55f}, {0.45f, 0.72f}, {0.3f, 0.4f}, {0.12f, 0.6f}, {0, 0.55f}}},
    };
    auto it = hulls.find(design);
    return it == hulls.end() ? hulls.at(1) : it->second;
}

void DrawShip(Canvas& c, Rect cell, int design, float bank, float flame, Rgba body, Rgba trim) {
    Vec2 o = CentreOf(cell);
    float sx = cell.w * 0.5f * 0.95f, sy = cell.h * 0.5f * 0.92f;
    // Banking: the wing on the side of the turn foreshortens, the body shifts a little.
    auto bankPoint = [&](Vec2 p) {
        float k = (p.x * bank > 0) ? 1 - 0.5f * std::fabs(bank) : 1 - 0.12f * std::fabs(bank);
        return Vec2{o.x + (p.x * k + 0.08f * bank) * sx, o.y + p.y * sy};
    };
    std::vector<Vec2> half = HullHalf(design), full = half;
    std::vector<Vec2> left = MirrorX(half);
    full.insert(full.end(), left.begin() + 1, left.end() - 1);
    std::vector<Vec2> hull;
    for (Vec2 p : full) hull.push_back(bankPoint(p));

    // Exhaust flames behind the hull.
    for (int side = -1; side <= 1; side += 2) {
        float fx = design == 3 ? 0.5f * side : 0.12f * side;
        Vec2 base = bankPoint({fx, 0.6f});
        GlowEllipse(c, base + Vec2{0, sy * 0.18f * flame}, sx * 0.14f, sy * 0.32f * flame, 0, {1, 0.6f, 0.2f, 0.9f}, 1.6f);
        GlowEllipse(c, base + Vec2{0, sy * 0.08f * flame}, sx * 0.07f, sy * 0.16f * flame, 0, {1, 1, 0.8f, 1}, 1.6f);
    }
    ShadedPolygon(c, hull, [&](Vec2 p, float d) {
        float lx = (p.x - o.x) / sx - 0.3f * bank, ly = (p.y - o.y) / sy;
        float light = Clamp01(0.6f - 0.45f * lx - 0.25f * ly);
        if (d > -1.2f) return Darker(body, 0.65f);
        return Mix(Darker(body, 0.35f), Lighter(body, 0.45f), light);
    });
    // Trim stripes along the wings and a glowing canopy.
    for (int side = -1; side <= 1; side += 2) {
        Vec2 a = bankPoint({0.22f * side, 0.05f}), b = bankPoint({0.75f * side, 0.45f});
        if (design == 3) {
            a = bankPoint({0.5f * side, -0.55f});
            b = bankPoint({0.52f * side, 0.5f});
        }
        Line(c, a, b, std::max(1.0f, cell.w * 0.035f), trim);
    }
    Vec2 canopy = bankPoint({0, design == 2 ? -0.2f : -0.3f});
    FillSdf(c, Around(canopy, sy * 0.3f), [&](Vec2 p) { return SdEllipse(p - canopy, sx * 0.11f, sy * 0.2f); },
            {0.6f, 0.95f, 1, 1});
    Disc(c, canopy + Vec2{-sx * 0.03f, -sy * 0.07f}, std::max(0.7f, sx * 0.035f), {1, 1, 1, 0.9f});
}

void PaintShipRow(Canvas& c, const Region& r) {
    int cw = int(r.get("cell")[0].number()), ch = int(r.get("cell")[1].number());
    int neutral = r.integer("neutralCell", 9);
    int design = r.integer("design", 1);
    float flame = float(r.num("flame", 1));
    Rgba body = r.colour(0, {0.3f, 0.45f, 0.95f, 1}), trim = r.colour(1, {1, 1, 1, 1});
    ForEachCell(r.rect, cw, ch, [&](int col, int, Rect cell) {
        int tilt = r.integer("fixedTilt", 99) != 99 ? r.integer("fixedTilt", 0) : col - neutral;
        float bank = std::clamp(float(tilt) / 8.0f, -1.0f, 1.0f);
        DrawShip(c, cell, design, bank, flame, body, trim);
    });
}

// Option pods: an orb with a ring that turns a step per cell (30 frames).
void PaintOptions(Canvas& c, const Region& r) {
    int cw = int(r.get("cell")[0].number()), ch = int(r.get("cell")[1].number());
    int frames = r.integer("frames", 30);
    Rgba col = r.colour(0, {0.4f, 0.6f, 1, 1}), core = r.colour(1, {1, 1, 1, 1});
    ForEachCell(r.rect, cw, ch, [&](int col_, int, Rect cell) {
        Vec2 o = CentreOf(cell);
        float h = 0.5f * float(std::min(cw, ch));
        float a = 2 * kPi * float(col_ % frames) / float(frames);
        Glow(c, o, h, WithAlpha(col, 0.6f), 1.0f);
        ShadeSdf(c, Around(o, h), [&](Vec2 p) { return SdCircle(p - o, h * 0.55f); }, [&](Vec2 p, float d) {
            float t = Length(p - (o + Vec2{-h * 0.2f, -h * 0.2f})) / h;
            return d > -1 ? Darker(col, 0.5f) : Mix(core, col, Clamp01(t * 1.4f));
        });
        // A tilted ring around the orb, turning with the frame.
        for (int i = 0; i < 3; ++i) {
            float ang = a + 2 * kPi * float(i) / 3;
            Vec2 p = o + Vec2{std::cos(ang) * h * 0.85f, std::sin(ang) * h * 0.35f};
            Disc(c, p, std::max(1.0f, h * 0.14f), std::sin(ang) > 0 ? Lighter(col, 0.6f) : Darker(col, 0.2f));
        }
    });
}

// Shot sprites, each drawn to fill its region: white-ish bodies take the
// tint the game adds to them.
void Needle(Canvas& c, Rect b, Rgba col) {
    for (int side = -1; side <= 1; side += 2) {
        float x = b.x + b.w * (0.5f + 0.2f * side);
        Line(c, {x, b.y + b.h * 0.08f}, {x, b.y + b.h * 0.92f}, b.w * 0.14f, WithAlpha(col, 0.55f));
        Line(c, {x, b.y + b.h * 0.12f}, {x, b.y + b.h * 0.88f}, b.w * 0.06f, {1, 1, 1, 1});
    }
}

// A slim dart with a small barbed tip and a tail that fades: six of these
// fly out of every other frame's volley, so a broad solid arrow filled the
// field with large yellow shapes once nothing was left to stop them.
void Arrowhead(Canvas& c, Rect b, Rgba col) {
    Vec2 o = CentreOf(b);
    std::vector<Vec2> pts = Place({{0, -0.95f}, {0.2f, -0.5f}, {0.07f, -0.45f}, {0.05f, 0.9f}, {-0.05f, 0.9f},
                                   {-0.07f, -0.45f}, {-0.2f, -0.5f}},
                                  {0, 0}, 0, 1);
    for (Vec2& p : pts) p = o + Vec2{p.x * b.w * 0.45f, p.y * b.h * 0.45f};
    GlowEllipse(c, o, b.w * 0.12f, b.h * 0.45f, 0, WithAlpha(col, 0.3f), 1.2f);
    ShadedPolygon(c, pts, [&](Vec2 p, float) {
        const float t = Clamp01((p.y - b.y) / b.h);
        return WithAlpha(Mix({1, 1, 1, 1}, col, t), 1 - 0.75f * t);
    });
}

void Amulet(Canvas& c, Rect b, Rgba col) {
    Vec2 o = CentreOf(b);
    float hw = b.w * 0.32f, hh = b.h * 0.44f;
    GlowEllipse(c, o, b.w * 0.5f, b.h * 0.5f, 0, WithAlpha(col, 0.5f), 1.2f);
    ShadeSdf(c, b, [&](Vec2 p) { return SdBox(p - o, hw, hh, hw * 0.3f); }, [&](Vec2 p, float d) {
        if (d > -1.5f) return Darker(col, 0.3f);
        float t = (p.y - b.y) / b.h;
        return Mix({1, 1, 1, 1}, Lighter(col, 0.6f), t);
    });
    for (int i = 0; i < 3; ++i) {
        float y = o.y - hh * 0.55f + hh * 0.55f * float(i);
        Line(c, {o.x - hw * 0.55f, y}, {o.x + hw * 0.55f, y}, std::max(1.0f, b.w * 0.05f), Darker(col, 0.35f));
    }
}

void Spark(Canvas& c, Rect b, Rgba col) {
    Vec2 o = CentreOf(b);
    Glow(c, o, std::min(b.w, b.h) * 0.5f, col, 1.5f);
    GlowEllipse(c, o, b.w * 0.08f, b.h * 0.5f, 0, {1, 1, 1, 1}, 1.5f);
    GlowEllipse(c, o, b.w * 0.45f, b.h * 0.06f, 0.5f, {1, 1, 1, 0.8f}, 1.5f);
    GlowEllipse(c, o, b.w * 0.45f, b.h * 0.06f, -0.5f, {1, 1, 1, 0.8f}, 1.5f);
}

void Bolt(Canvas& c, Rect b, Rgba col) {
    Vec2 o = CentreOf(b);
    GlowEllipse(c, o, b.w * 0.5f, b.h * 0.5f, 0, WithAlpha(col, 0.7f), 1.3f);
    FillSdf(c, b, [&](Vec2 p) { return SdEllipse(p - o, b.w * 0.16f, b.h * 0.45f); }, Lighter(col, 0.7f));
    FillSdf(c, b, [&](Vec2 p) { return SdEllipse(p - o, b.w * 0.07f, b.h * 0.38f); }, {1, 1, 1, 1});
}

void Crescent(Canvas& c, Rect b, Rgba col) {
    Vec2 o = CentreOf(b);
    float R = std::min(b.w, b.h) * 0.46f;
    Glow(c, o, R * 1.05f, WithAlpha(col, 0.6f), 1.0f);
    ShadeSdf(c, b, [&](Vec2 p) { return std::max(SdCircle(p - o, R), -SdCircle(p - o - Vec2{0, R * 0.45f}, R * 0.85f)); },
             [&](Vec2 p, float) { return Mix({1, 1, 1, 1}, col, Clamp01(Length(p - o) / R)); });
}

void Mine(Canvas& c, Rect b, Rgba col) {
    Vec2 o = CentreOf(b);
    float R = std::min(b.w, b.h) * 0.45f;
    Glow(c, o, R, WithAlpha(col, 0.7f), 1.0f);
    ShadedPolygon(c, Place(StarPoints(6, R * 0.95f, R * 0.45f), o), [&](Vec2 p, float d) {
        return d > -2 ? Darker(col, 0.4f) : Mix({1, 1, 1, 1}, col, Clamp01(Length(p - o) / R));
    });
    Ring(c, o, R * 0.3f, R * 0.08f, {1, 1, 1, 1});
}

// Character 2's focused laser: a tall beam whose core ripples, so scrolling
// the cut rectangle down the strip animates it.
void LaserStrip(Canvas& c, Rect b, Rgba col) {
    float cx = b.x + b.w * 0.5f, half = b.w * 0.5f;
    c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
        float wave = 0.12f * std::sin((y - b.y) / 15.36f * 2 * kPi / 5) + 0.06f * std::sin((y - b.y) * 0.37f);
        float t = std::fabs(x - cx) / half + wave * 0.3f;
        if (t >= 1) return Rgba{};
        float core = Clamp01((0.28f - t) * 6);
        return WithAlpha(Mix(col, {1, 1, 1, 1}, core), Clamp01((1 - t) * (1 - t) * 1.6f + core));
    });
}

using ShotFn = void (*)(Canvas&, Rect, Rgba);

const std::map<std::string, ShotFn>& ShotDesigns() {
    static const std::map<std::string, ShotFn> table = {
        {"needle", Needle}, {"arrow", Arrowhead}, {"amulet", Amulet}, {"spark", Spark}, {"bolt", Bolt},
        {"crescent", Crescent}, {"mine", Mine}, {"laser", LaserStrip},
    };
    return table;
}

void PaintShot(Canvas& c, const Region& r) {
    auto it = ShotDesigns().find(r.str("design", "needle"));
    if (it == ShotDesigns().end()) throw std::runtime_error("unknown shot design " + r.str("design"));
    Rgba col = r.colour(0, {1, 1, 1, 1});
    if (r.get("cell").isArray()) {
        int cw = int(r.get("cell")[0].number()), ch = int(r.get("cell")[1].number());
        ForEachCell(r.rect, cw, ch, [&](int, int, Rect cell) { it->second(c, cell, col); });
    } else {
        it->second(c, r.rect, col);
    }
}

// Death animation: cells of 310 x 100 in columns of 17; the cell in column k,
// row j is shown at age 34 k + 2 j, 8 <= age < 63. A ring of light bursts
// out and shards fly off, fading as they go.
void PaintDeathFrames(Canvas& c, const Region& r) {
    int cw = int(r.get("cell")[0].number()), ch = int(r.get("cell")[1].number());
    int rows = r.integer("rows", 17);
    Rgba col = r.colour(0, {0.5f, 0.7f, 1, 1});
    ForEachCell(r.rect, cw, ch, [&](int k, int j, Rect cell) {
        float age = float(34 * k + 2 * j);
        if (j >= rows) return;
        float p = Clamp01((age - 4) / 58);
        Vec2 o = CentreOf(cell);
        float fade = 1 - p;
        float rx = 12 + p * cw * 0.47f, ry = 6 + p * ch * 0.45f;
        Rect b = cell;
        c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
            Vec2 d{(x - o.x) / rx, (y - o.y) / ry};
            float dist = Length(d);
            float rim = std::exp(-std::pow((dist - 1) * 6, 2.0f));
            float inner = dist < 1 ? 0.25f * (1 - dist) * (1 - p) : 0;
            return WithAlpha(Mix(col, {1, 1, 1, 1}, rim * 0.6f), Clamp01((rim + inner) * fade * 1.3f));
        }, true);
        Rng rng(r.seed + 17);
        for (int s = 0; s < 14; ++s) {
            float a = float(rng.unit()) * 2 * kPi, speed = float(rng.range(0.5, 1.1));
            Vec2 dir{std::cos(a), std::sin(a) * 0.45f};
            Vec2 pos = o + Vec2{dir.x * cw * 0.45f, dir.y * ch * 0.9f} * (p * speed);
            GlowEllipse(c, pos, 6 * fade + 1, 2.5f * fade + 0.5f, a, WithAlpha(Lighter(col, 0.5f), fade), 1.5f);
        }
        if (p < 0.3f) Glow(c, o, 40 * (1 - p * 2), {1, 1, 1, 1}, 1.6f * (1 - p / 0.3f));
    });
}

}  // namespace

const std::vector<StyleEntry>& ShipStyles() {
    static const std::vector<StyleEntry> table = {
        {"ship_row", PaintShipRow}, {"options", PaintOptions}, {"shot", PaintShot}, {"death_frames", PaintDeathFrames},
    };
    return table;
}

}  // namespace korvid::packgen
