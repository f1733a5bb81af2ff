// Enemy styles. An enemy row is 12 cells as the enemy sheets are cut:
// cells 0..3 the animation, 4..7 banking right in four steps (the game
// mirrors them for the left), 8..11 the animation at full bank. Enemies face
// down, toward the player. Designs: "fairy" (winged spirit), "drone" (small
// saucer), "gunship" (medium craft), "cruiser" (large craft). "orbs" paints
// spirit cores and their halo rings; "mech" the stage-4 machines.
#include <cmath>
#include <map>

#include "PaintKit.h"
#include "Rng.h"
#include "Styles.h"

namespace korvid::packgen {

namespace {

struct EnemyCell {
    Rect rect;
    Vec2 o;
    float hw, hh;
    float phase;  // animation, 0..1
    float bank;   // 0..1, to the right
    Rgba body, trim;
};

// Maps a point of the design (units of the half cell, y down) to the canvas,
// leaning and foreshortening with the bank.
Vec2 Warp(const EnemyCell& e, Vec2 p) {
    float k = (p.x > 0) ? 1 - 0.4f * e.bank : 1 - 0.1f * e.bank;
    Vec2 q{p.x * k + 0.1f * e.bank, p.y};
    q = Rotate(q, 0.25f * e.bank);
    return e.o + Vec2{q.x * e.hw, q.y * e.hh};
}

std::vector<Vec2> WarpAll(const EnemyCell& e, const std::vector<Vec2>& pts) {
    std::vector<Vec2> out;
    for (Vec2 p : pts) out.push_back(Warp(e, p));
    return out;
}

void Shaded(Canvas& c, const EnemyCell& e, const std::vector<Vec2>& pts, Rgba col) {
    ShadedPolygon(c, WarpAll(e, pts), [&](Vec2 p, float d) {
        if (d > -1.0f) return Darker(col, 0.6f);
        float t = Clamp01((p.y - e.rect.y) / float(e.rect.h));
        return Mix(Lighter(col, 0.35f), Darker(col, 0.25f), t);
    });
}

void Fairy(Canvas& c, const EnemyCell& e) {
    float flap = 0.55f + 0.45f * std::sin(2 * kPi * e.phase);
    for (int side = -1; side <= 1; side += 2) {
        std::vector<Vec2> wing = {{0.1f * side, -0.15f}, {0.95f * side, -0.75f * flap}, {0.85f * side, 0.05f}, {0.2f * side, 0.15f}};
        Polygon(c, WarpAll(e, wing), WithAlpha(Lighter(e.trim, 0.3f), 0.55f));
        Line(c, Warp(e, {0.1f * side, -0.1f}), Warp(e, {0.9f * side, -0.7f * flap}), 1.0f, WithAlpha(e.trim, 0.8f));
    }
    Glow(c, Warp(e, {0, 0.1f}), e.hw * 0.9f, WithAlpha(e.body, 0.5f), 1.0f);
    Shaded(c, e, {{0, -0.1f}, {0.3f, 0.15f}, {0.42f, 0.75f}, {-0.42f, 0.75f}, {-0.3f, 0.15f}}, e.body);
    Vec2 head = Warp(e, {0, -0.35f});
    ShadeSdf(c, Around(head, e.hh * 0.4f), [&](Vec2 p) { return SdCircle(p - head, e.hh * 0.3f); },
             [&](Vec2 p, float d) { return d > -0.8f ? Rgba{0.45f, 0.3f, 0.25f, 1} : Rgba{1, 0.88f, 0.8f, 1}; });
    FillSdf(c, Around(head, e.hh * 0.45f),
            [&](Vec2 p) { return std::max(SdCircle(p - head - Vec2{0, -e.hh * 0.05f}, e.hh * 0.34f), p.y - head.y + e.hh * 0.08f); },
            e.trim);
    for (int side = -1; side <= 1; side += 2) Disc(c, head + Vec2{side * e.hw * 0.1f, e.hh * 0.05f}, std::max(0.6f, e.hw * 0.05f), {0.1f, 0.1f, 0.3f, 1});
}

void Drone(Canvas& c, const EnemyCell& e) {
    Glow(c, e.o, e.hw, WithAlpha(e.trim, 0.35f), 1.0f);
    Shaded(c, e, RegularPolygon(8, 0.85f, kPi / 8), Darker(e.body, 0.2f));
    Shaded(c, e, RegularPolygon(8, 0.55f, kPi / 8), e.body);
    for (int i = 0; i < 4; ++i) {
        float a = 2 * kPi * (float(i) / 4 + e.phase / 4);
        Vec2 p = Warp(e, {0.68f * std::cos(a), 0.68f * std::sin(a)});
        Disc(c, p, std::max(0.8f, e.hw * 0.09f), i == 0 ? Rgba{1, 1, 0.7f, 1} : Lighter(e.trim, 0.4f));
    }
    Vec2 eye = Warp(e, {0, 0.1f});
    Glow(c, eye, e.hw * 0.35f, {1, 0.3f, 0.3f, 0.9f}, 1.4f);
    Disc(c, eye, e.hw * 0.12f, {1, 0.9f, 0.9f, 1});
}

void Gunship(Canvas& c, const EnemyCell& e) {
    float blink = 0.5f + 0.5f * std::sin(2 * kPi * e.phase);
    for (int side = -1; side <= 1; side += 2)
        GlowEllipse(c, Warp(e, {0.5f * side, -0.85f}), e.hw * 0.12f, e.hh * 0.22f, 0, {0.5f, 0.8f, 1, 0.8f}, 1.4f);
    Shaded(c, e, {{0, 0.95f}, {0.3f, 0.4f}, {0.9f, 0.1f}, {0.95f, -0.45f}, {0.55f, -0.8f}, {0.2f, -0.6f},
                  {-0.2f, -0.6f}, {-0.55f, -0.8f}, {-0.95f, -0.45f}, {-0.9f, 0.1f}, {-0.3f, 0.4f}}, e.body);
    Shaded(c, e, {{0, 0.6f}, {0.2f, 0.1f}, {0.15f, -0.45f}, {-0.15f, -0.45f}, {-0.2f, 0.1f}}, Lighter(e.body, 0.2f));
    for (int side = -1; side <= 1; side += 2) {
        Line(c, Warp(e, {0.35f * side, 0.15f}), Warp(e, {0.85f * side, -0.3f}), std::max(1.0f, e.hw * 0.06f), e.trim);
        Disc(c, Warp(e, {0.7f * side, -0.1f}), std::max(1.0f, e.hw * 0.08f), WithAlpha({1, 0.4f, 0.3f, 1}, 0.5f + 0.5f * blink));
    }
    Glow(c, Warp(e, {0, 0.2f}), e.hw * 0.3f, {1, 0.95f, 0.6f, 0.9f}, 1.3f);
}

void Cruiser(Canvas& c, const EnemyCell& e) {
    for (int side = -1; side <= 1; side += 2)
        for (int k = 0; k < 2; ++k)
            GlowEllipse(c, Warp(e, {(0.35f + 0.3f * k) * side, -0.9f}), e.hw * 0.08f, e.hh * (0.2f + 0.08f * std::sin(2 * kPi * e.phase)),
                        0, {1, 0.7f, 0.4f, 0.9f}, 1.4f);
    Shaded(c, e, {{0, 0.9f}, {0.45f, 0.7f}, {0.98f, 0.3f}, {0.98f, -0.3f}, {0.7f, -0.85f}, {-0.7f, -0.85f}, {-0.98f, -0.3f},
                  {-0.98f, 0.3f}, {-0.45f, 0.7f}}, e.body);
    Shaded(c, e, {{0, 0.6f}, {0.35f, 0.35f}, {0.4f, -0.5f}, {-0.4f, -0.5f}, {-0.35f, 0.35f}}, Darker(e.body, 0.15f));
    for (int side = -1; side <= 1; side += 2) {
        Vec2 turret = Warp(e, {0.65f * side, 0.1f});
        Disc(c, turret, e.hw * 0.14f, Darker(e.trim, 0.2f));
        Line(c, turret, turret + Vec2{0, e.hh * 0.35f}, std::max(1.0f, e.hw * 0.05f), e.trim);
    }
    Vec2 core = Warp(e, {0, 0.05f});
    Glow(c, core, e.hw * 0.35f, WithAlpha(e.trim, 0.9f), 1.4f);
    Disc(c, core, e.hw * 0.1f, {1, 1, 1, 1});
}

using DesignFn = void (*)(Canvas&, const EnemyCell&);

const std::map<std::string, DesignFn>& Designs() {
    static const std::map<std::string, DesignFn> table = {
        {"fairy", Fairy}, {"drone", Drone}, {"gunship", Gunship}, {"cruiser", Cruiser}};
    return table;
}

void PaintEnemyRow(Canvas& c, const Region& r) {
    auto design = Designs().find(r.str("design", "fairy"));
    if (design == Designs().end()) throw std::runtime_error("unknown enemy design " + r.str("design"));
    int cw = int(r.get("cell")[0].number()), ch = int(r.get("cell")[1].number());
    Rgba body = r.colour(0, {0.3f, 0.5f, 1, 1}), trim = r.colour(1, {1, 1, 1, 1});
    ForEachCell(r.rect, cw, ch, [&](int col, int, Rect cell) {
        int group = (col / 4) % 3, k = col % 4;
        float bank = group == 0 ? 0 : group == 1 ? 0.25f * float(k + 1) : 1;
        float phase = group == 1 ? 0 : float(k) / 4;
        EnemyCell e{cell, CentreOf(cell), cw * 0.47f, ch * 0.47f, phase, bank, body, trim};
        design->second(c, e);
    });
}

// Spirit orbs: swirling cores ("part": "core") and their halo rings ("ring"),
// one colour per cell.
void PaintOrbs(Canvas& c, const Region& r) {
    int cw = int(r.get("cell")[0].number()), ch = int(r.get("cell")[1].number());
    bool ring = r.str("part", "core") == "ring";
    ForEachCell(r.rect, cw, ch, [&](int col, int, Rect cell) {
        Rgba col_ = ColumnColour(r, col);
        Vec2 o = CentreOf(cell);
        float h = 0.5f * float(std::min(cw, ch));
        if (ring) {
            Ring(c, o, h * 0.78f, h * 0.12f, WithAlpha(col_, 0.8f));
            for (int i = 0; i < 6; ++i) {
                float a = 2 * kPi * float(i) / 6;
                Disc(c, o + Vec2{std::cos(a), std::sin(a)} * (h * 0.78f), h * 0.1f, Lighter(col_, 0.6f));
            }
            return;
        }
        Glow(c, o, h, col_, 1.3f);
        ShadeSdf(c, Around(o, h), [&](Vec2 p) { return SdCircle(p - o, h * 0.5f); }, [&](Vec2 p, float) {
            Vec2 d = p - o;
            float swirl = std::sin(std::atan2(d.y, d.x) * 3 + Length(d) / h * 6);
            return Mix(Lighter(col_, 0.8f), col_, Clamp01(0.5f + 0.5f * swirl));
        });
        Disc(c, o + Vec2{-h * 0.15f, -h * 0.15f}, h * 0.14f, {1, 1, 1, 0.9f});
    });
}

// Stage-4 machines, each filling its region (cells of "cell" when given).
void Walker(Canvas& c, Rect b, Rgba body, Rgba trim, float phase) {
    EnemyCell e{b, CentreOf(b), b.w * 0.47f, b.h * 0.47f, phase, 0, body, trim};
    for (int side = -1; side <= 1; side += 2) {
        float step = 0.15f * std::sin(2 * kPi * phase + (side > 0 ? kPi : 0));
        Line(c, Warp(e, {0.5f * side, 0.2f}), Warp(e, {0.8f * side, 0.9f + step}), std::max(2.0f, b.w * 0.06f), Darker(body, 0.3f));
    }
    Shaded(c, e, {{0, -0.9f}, {0.7f, -0.6f}, {0.85f, 0.1f}, {0.4f, 0.5f}, {-0.4f, 0.5f}, {-0.85f, 0.1f}, {-0.7f, -0.6f}}, body);
    Glow(c, Warp(e, {0, -0.1f}), e.hw * 0.3f, WithAlpha(trim, 0.9f), 1.3f);
    Disc(c, Warp(e, {0, -0.1f}), e.hw * 0.1f, {1, 1, 1, 1});
}

void Satellite(Canvas& c, Rect b, Rgba body, Rgba trim, float) {
    Vec2 o = CentreOf(b);
    float h = 0.5f * float(std::min(b.w, b.h));
    Glow(c, o, h, WithAlpha(trim, 0.5f), 1.0f);
    ShadedPolygon(c, Place(StarPoints(4, h * 0.85f, h * 0.35f), o), [&](Vec2, float d) { return d > -1 ? Darker(body, 0.5f) : body; });
    Disc(c, o, h * 0.25f, trim);
}

void Tank(Canvas& c, Rect b, Rgba body, Rgba trim, float phase) {
    EnemyCell e{b, CentreOf(b), b.w * 0.47f, b.h * 0.47f, phase, 0, body, trim};
    Shaded(c, e, {{-0.95f, -0.7f}, {0.95f, -0.7f}, {0.95f, 0.7f}, {-0.95f, 0.7f}}, Darker(body, 0.35f));
    Shaded(c, e, {{-0.7f, -0.5f}, {0.7f, -0.5f}, {0.8f, 0.4f}, {-0.8f, 0.4f}}, body);
    for (int side = -1; side <= 1; side += 2) {
        Vec2 t = Warp(e, {0.45f * side, 0});
        Disc(c, t, e.hh * 0.35f, Lighter(body, 0.2f));
        Line(c, t, t + Vec2{0, e.hh * 0.8f}, std::max(2.0f, e.hh * 0.15f), Darker(body, 0.5f));
    }
    Glow(c, Warp(e, {0, 0}), e.hh * 0.5f, WithAlpha(trim, 0.8f), 1.2f);
}

void Titan(Canvas& c, Rect b, Rgba body, Rgba trim, float phase) {
    EnemyCell e{b, CentreOf(b), b.w * 0.47f, b.h * 0.47f, phase, 0, body, trim};
    float bob = 0.04f * std::sin(2 * kPi * phase);
    Shaded(c, e, {{-0.5f, 0.3f}, {-0.75f, 0.95f}, {-0.45f, 0.95f}, {-0.2f, 0.4f}}, Darker(body, 0.3f));
    Shaded(c, e, {{0.5f, 0.3f}, {0.75f, 0.95f}, {0.45f, 0.95f}, {0.2f, 0.4f}}, Darker(body, 0.3f));
    Shaded(c, e, {{0, -0.95f + bob}, {0.6f, -0.7f + bob}, {0.75f, 0.0f + bob}, {0.45f, 0.45f}, {-0.45f, 0.45f}, {-0.75f, 0.0f + bob},
                  {-0.6f, -0.7f + bob}}, body);
    Shaded(c, e, {{0, -0.7f + bob}, {0.3f, -0.55f + bob}, {0.3f, -0.2f + bob}, {-0.3f, -0.2f + bob}, {-0.3f, -0.55f + bob}},
           Lighter(body, 0.25f));
    Glow(c, Warp(e, {0, -0.45f + bob}), e.hw * 0.25f, WithAlpha(trim, 0.9f), 1.4f);
    for (int i = 0; i < 3; ++i) Line(c, Warp(e, {-0.4f, -0.05f + 0.12f * i}), Warp(e, {0.4f, -0.05f + 0.12f * i}), 1.2f, Darker(body, 0.5f));
}

void Arm(Canvas& c, Rect b, Rgba body, Rgba trim, float) {
    float cx = b.x + b.w * 0.5f;
    Vec2 top{cx, b.y + b.w * 0.45f}, bottom{cx, float(b.bottom()) - b.w * 0.3f};
    Disc(c, top, b.w * 0.42f, Darker(body, 0.2f));
    ShadeSdf(c, b, [&](Vec2 p) { return SdSegment(p, top, bottom) - b.w * 0.28f; },
             [&](Vec2 p, float d) { return d > -1 ? Darker(body, 0.55f) : Mix(Lighter(body, 0.3f), body, Clamp01((p.x - b.x) / b.w)); });
    Disc(c, top, b.w * 0.18f, trim);
    Glow(c, bottom, b.w * 0.45f, WithAlpha(trim, 0.8f), 1.2f);
}

void Shell(Canvas& c, Rect b, Rgba body, Rgba trim, float) {
    Vec2 o = CentreOf(b);
    ShadeSdf(c, b, [&](Vec2 p) { return SdEllipse(p - o, b.w * 0.4f, b.h * 0.44f); },
             [&](Vec2 p, float d) { return d > -1 ? Darker(body, 0.5f) : Mix(Lighter(body, 0.5f), body, Clamp01((p.y - b.y) / b.h)); });
    Glow(c, o + Vec2{0, b.h * 0.25f}, b.w * 0.4f, WithAlpha(trim, 0.9f), 1.3f);
}

void Cockpit(Canvas& c, Rect b, Rgba body, Rgba trim, float) {
    Vec2 o = CentreOf(b);
    float R = 0.48f * float(std::min(b.w, b.h));
    ShadedPolygon(c, Place(RegularPolygon(8, R, kPi / 8), o), [&](Vec2 p, float d) {
        return d > -2 ? Darker(body, 0.6f) : Mix(Lighter(body, 0.3f), Darker(body, 0.2f), Clamp01((p.y - b.y) / b.h));
    });
    FillSdf(c, b, [&](Vec2 p) { return SdEllipse(p - o, R * 0.6f, R * 0.4f); }, {0.15f, 0.25f, 0.35f, 1});
    GlowEllipse(c, o + Vec2{-R * 0.2f, -R * 0.15f}, R * 0.35f, R * 0.12f, -0.3f, {0.7f, 0.9f, 1, 0.8f}, 1.3f);
    for (int i = 0; i < 8; ++i) {
        float a = 2 * kPi * float(i) / 8;
        Disc(c, o + Vec2{std::cos(a), std::sin(a)} * (R * 0.82f), R * 0.05f, trim);
    }
}

// A long fortress hull seen from above: plated, with turrets and lights.
void Fortress(Canvas& c, Rect b, Rgba body, Rgba trim, float) {
    float mid = b.y + b.h * 0.5f;
    std::vector<Vec2> hull = {{float(b.x), mid - b.h * 0.25f}, {b.x + b.w * 0.08f, float(b.y) + 4}, {b.right() - b.w * 0.05f, float(b.y) + 4},
                              {float(b.right()) - 2, mid}, {b.right() - b.w * 0.05f, float(b.bottom()) - 4},
                              {b.x + b.w * 0.08f, float(b.bottom()) - 4}, {float(b.x), mid + b.h * 0.25f}};
    ShadedPolygon(c, hull, [&](Vec2 p, float d) {
        float plate = std::fmod(p.x - b.x, 64.0f) < 2 ? 0.7f : 1.0f;
        return d > -2 ? Darker(body, 0.6f) : Scaled(Mix(Lighter(body, 0.25f), Darker(body, 0.3f), Clamp01((p.y - b.y) / b.h)), plate);
    });
    Rng rng(17);
    for (float x = b.x + 80.0f; x < b.right() - 60; x += 120) {
        Vec2 t{x, mid + float(rng.range(-0.2, 0.2)) * b.h};
        Disc(c, t, b.h * 0.12f, Darker(body, 0.25f));
        Line(c, t, t + Vec2{0, b.h * 0.3f}, b.h * 0.05f, Darker(body, 0.5f));
        Glow(c, t, b.h * 0.1f, WithAlpha(trim, 0.9f), 1.2f);
    }
    for (float x = b.x + 30.0f; x < b.right() - 20; x += 40) {
        Disc(c, {x, b.y + b.h * 0.15f}, 2, trim);
        Disc(c, {x + 20, b.y + b.h * 0.85f}, 2, trim);
    }
}

using MechFn = void (*)(Canvas&, Rect, Rgba, Rgba, float);

const std::map<std::string, MechFn>& MechParts() {
    static const std::map<std::string, MechFn> table = {
        {"walker", Walker}, {"satellite", Satellite}, {"tank", Tank}, {"titan", Titan},
        {"arm", Arm}, {"shell", Shell}, {"cockpit", Cockpit}, {"fortress", Fortress},
    };
    return table;
}

void PaintMech(Canvas& c, const Region& r) {
    auto part = MechParts().find(r.str("part", "walker"));
    if (part == MechParts().end()) throw std::runtime_error("unknown mech part " + r.str("part"));
    Rgba body = r.colour(0, {0.55f, 0.6f, 0.65f, 1}), trim = r.colour(1, {1, 0.5f, 0.2f, 1});
    if (!r.get("cell").isArray()) {
        part->second(c, r.rect, body, trim, 0);
        return;
    }
    int cw = int(r.get("cell")[0].number()), ch = int(r.get("cell")[1].number());
    int frames = std::max(1, r.integer("frames", 1));
    ForEachCell(r.rect, cw, ch, [&](int col, int, Rect cell) {
        part->second(c, cell, body, trim, float(col % frames) / float(frames));
    });
}

}  // namespace

const std::vector<StyleEntry>& EnemyStyles() {
    static const std::vector<StyleEntry> table = {
        {"enemy_row", PaintEnemyRow}, {"orbs", PaintOrbs}, {"mech", PaintMech}};
    return table;
}

}  // namespace korvid::packgen
