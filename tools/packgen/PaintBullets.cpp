// Bullet styles. A "bullets" region is a row (or block) of cells, one shape
// for the whole region and one colour per column, as the bullet sheets are
// cut: the texture row picks the shape, the column the colour. Pointed shapes
// point up (bearing 0), because the game turns them by their heading.
//
// Animation: with "frames": n the cells of a row cycle through n frames
// ("frameStep" pixels apart, default the cell width); cells of one frame
// group share a colour. Frames are cyclic, so any start cell animates smoothly.
#include <algorithm>
#include <cmath>
#include <map>

#include "PaintKit.h"
#include "Rng.h"
#include "Styles.h"

namespace korvid::packgen {

namespace {

struct BulletCell {
    Vec2 o;        // centre
    float h;       // half of the smaller cell side
    float hw, hh;  // half width and half height of the cell
    Rgba col;
    float phase;   // animation phase in turns (0..1)
};

Rgba White(float a = 1) { return {1, 1, 1, a}; }

// Coloured halo, a dark rim, coloured body, white core: the common bullet
// look. The rim keeps a bullet readable over a background of its own hue.
void Body(Canvas& c, Vec2 o, const std::function<float(Vec2)>& sd, float halo, Rgba col) {
    const float rim = std::max(1.0f, halo * 0.35f);
    Rect b = Around(o, halo + 4);
    c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
        float d = sd({x, y});
        if (d <= 0 || d > halo) return Rgba{};
        float k = 1 - d / halo;
        return WithAlpha(col, 0.45f * k * k);
    }, true);
    ShadeSdf(c, b, sd, [&](Vec2, float d) {
        float inner = Clamp01(-d / std::max(1.0f, halo * 0.9f));
        Rgba body = Mix(Darker(col, 0.15f), Lighter(col, 0.9f), SmoothStep(0.25f, 0.9f, inner));
        return Mix(Darker(col, 0.8f), body, SmoothStep(rim * 0.6f, rim * 1.2f, -d));
    });
}

void Ball(Canvas& c, const BulletCell& b, float size) {
    float r = b.h * size * (1 + 0.06f * std::sin(2 * kPi * b.phase));
    Body(c, b.o, [&](Vec2 p) { return SdCircle(p - b.o, r); }, r * 0.6f, b.col);
    Disc(c, b.o, r * 0.45f, White(0.95f));
}

void PaintBall(Canvas& c, const BulletCell& b) { Ball(c, b, 0.62f); }
void PaintSmall(Canvas& c, const BulletCell& b) { Ball(c, b, 0.42f); }
void PaintBig(Canvas& c, const BulletCell& b) { Ball(c, b, 0.78f); }

void PaintDot(Canvas& c, const BulletCell& b) {
    Glow(c, b.o, b.h * 0.95f, b.col, 1.5f);
    Disc(c, b.o, b.h * 0.6f, Darker(b.col, 0.8f));  // the rim
    Disc(c, b.o, b.h * 0.4f, White());
}

void PaintRice(Canvas& c, const BulletCell& b) {
    float rx = b.h * 0.34f, ry = b.hh * 0.8f;
    Body(c, b.o, [&](Vec2 p) { return SdEllipse(p - b.o, rx, ry); }, rx * 0.9f, b.col);
    FillSdf(c, Around(b.o, ry), [&](Vec2 p) { return SdEllipse(p - b.o, rx * 0.4f, ry * 0.6f); }, White(0.95f));
}

void PaintKnife(Canvas& c, const BulletCell& b) {
    float h = b.hh * 0.9f, w = b.h * 0.36f;
    std::vector<Vec2> blade = {{0, -h}, {w, -h * 0.1f}, {w * 0.45f, h * 0.35f}, {-w * 0.45f, h * 0.35f}, {-w, -h * 0.1f}};
    std::vector<Vec2> pts = Place(blade, b.o);
    Body(c, b.o, [&](Vec2 p) { return SdPolygon(p, pts); }, w * 0.8f, b.col);
    Polygon(c, Place({{0, -h * 0.75f}, {w * 0.3f, -h * 0.1f}, {0, h * 0.2f}, {-w * 0.3f, -h * 0.1f}}, b.o), White(0.9f));
    Line(c, b.o + Vec2{0, h * 0.4f}, b.o + Vec2{0, h * 0.95f}, std::max(1.0f, w * 0.35f), Darker(b.col, 0.4f));
}

void PaintArrow(Canvas& c, const BulletCell& b) {
    float h = b.hh * 0.85f, w = b.h * 0.6f;
    std::vector<Vec2> pts = Place({{0, -h}, {w, h * 0.7f}, {0, h * 0.25f}, {-w, h * 0.7f}}, b.o);
    Body(c, b.o, [&](Vec2 p) { return SdPolygon(p, pts); }, w * 0.5f, b.col);
    Polygon(c, Place({{0, -h * 0.55f}, {w * 0.35f, h * 0.35f}, {0, h * 0.1f}, {-w * 0.35f, h * 0.35f}}, b.o), White(0.85f));
}

void PaintScale(Canvas& c, const BulletCell& b) {
    float h = b.hh * 0.85f, w = b.h * 0.5f;
    std::vector<Vec2> pts;
    pts.push_back({0, -h});
    AppendCurve(pts, {0, -h}, {w * 1.6f, h * 0.1f}, {0, h}, 8);
    std::vector<Vec2> left = MirrorX(pts);
    pts.insert(pts.end(), left.begin() + 1, left.end() - 1);
    std::vector<Vec2> placed = Place(pts, b.o);
    Body(c, b.o, [&](Vec2 p) { return SdPolygon(p, placed); }, w * 0.7f, b.col);
    FillSdf(c, Around(b.o, h), [&](Vec2 p) { return SdEllipse(p - b.o - Vec2{0, h * 0.15f}, w * 0.28f, h * 0.4f); }, White(0.9f));
}

void PaintRingBullet(Canvas& c, const BulletCell& b) {
    float r = b.h * 0.6f;
    Body(c, b.o, [&](Vec2 p) { return std::fabs(SdCircle(p - b.o, r)) - r * 0.3f; }, r * 0.5f, b.col);
    Ring(c, b.o, r, r * 0.16f + 0.5f, White(0.95f));
}

void PaintStar(Canvas& c, const BulletCell& b) {
    float r = b.h * 0.85f;
    std::vector<Vec2> pts = Place(StarPoints(5, r, r * 0.45f), b.o, 2 * kPi * b.phase / 5);
    Body(c, b.o, [&](Vec2 p) { return SdPolygon(p, pts); }, r * 0.3f, b.col);
    // A broad white core: a small star keeps its read at 16 pixels.
    Polygon(c, Place(StarPoints(5, r * 0.6f, r * 0.3f), b.o, 2 * kPi * b.phase / 5), White(0.95f));
}

void PaintShuriken(Canvas& c, const BulletCell& b) {
    float r = b.h * 0.88f;
    std::vector<Vec2> pts = Place(StarPoints(4, r, r * 0.3f), b.o, kPi / 4 + 2 * kPi * b.phase / 4);
    Body(c, b.o, [&](Vec2 p) { return SdPolygon(p, pts); }, r * 0.3f, b.col);
    Disc(c, b.o, r * 0.2f, White());
}

void PaintBubble(Canvas& c, const BulletCell& b) {
    float r = b.h * 0.84f;
    Rect box = Around(b.o, r + 2);
    c.shade(float(box.x), float(box.y), float(box.right()), float(box.bottom()), [&](float x, float y) {
        float d = Length(Vec2{x, y} - b.o) / r;
        if (d > 1) return WithAlpha(b.col, 0.5f * Coverage((d - 1) * r));
        float rim = std::pow(d, 4.0f);
        Rgba col = Mix(WithAlpha(b.col, 0.45f), Lighter(b.col, 0.6f), rim);
        return WithAlpha(col, 0.45f + 0.55f * rim);
    });
    GlowEllipse(c, b.o + Vec2{-r * 0.35f, -r * 0.4f}, r * 0.35f, r * 0.2f, -0.6f, White(0.9f), 1.5f);
}

void PaintCoin(Canvas& c, const BulletCell& b) {
    float r = b.h * 0.72f;
    float squash = std::max(0.15f, std::fabs(std::cos(kPi * b.phase)));
    Body(c, b.o, [&](Vec2 p) { return SdEllipse(p - b.o, r * squash, r); }, r * 0.4f, b.col);
    FillSdf(c, Around(b.o, r), [&](Vec2 p) { return SdEllipse(p - b.o, r * squash * 0.5f, r * 0.5f); }, White(0.9f));
}

void PaintNeedle(Canvas& c, const BulletCell& b) {
    float h = b.hh * 0.92f, w = std::max(1.2f, b.hw * 0.3f);
    Body(c, b.o, [&](Vec2 p) { return SdSegment(p, b.o - Vec2{0, h - w}, b.o + Vec2{0, h - w}) - w; }, w * 1.5f, b.col);
    Line(c, b.o - Vec2{0, h * 0.8f}, b.o + Vec2{0, h * 0.8f}, w * 0.7f, White(0.95f));
}

// Glowing ball of light: the large soft bullets drawn additively.
void PaintOrb(Canvas& c, const BulletCell& b) {
    float r = b.h * 0.95f * (1 + 0.05f * std::sin(2 * kPi * b.phase));
    Glow(c, b.o, r, b.col, 1.4f);
    Glow(c, b.o, r * 0.55f, Lighter(b.col, 0.5f), 1.6f);
    Disc(c, b.o, r * 0.22f, White());
}

using ShapeFn = void (*)(Canvas&, const BulletCell&);

const std::map<std::string, ShapeFn>& Shapes() {
    static const std::map<std::string, ShapeFn> table = {
        {"ball", PaintBall},     {"small", PaintSmall},   {"big", PaintBig},         {"dot", PaintDot},
        {"rice", PaintRice},     {"knife", PaintKnife},   {"arrow", PaintArrow},     {"scale", PaintScale},
        {"ring", PaintRingBullet}, {"star", PaintStar},   {"shuriken", PaintShuriken}, {"bubble", PaintBubble},
        {"coin", PaintCoin},     {"needle", PaintNeedle}, {"orb", PaintOrb},
    };
    return table;
}

void PaintBulletCells(Canvas& c, const Region& r) {
    auto shape = Shapes().find(r.str("shape", "ball"));
    if (shape == Shapes().end()) throw std::runtime_error("unknown bullet shape " + r.str("shape"));
    int cw = int(r.get("cell")[0].number()), ch = int(r.get("cell")[1].number());
    int frames = std::max(1, r.integer("frames", 1));
    int step = r.integer("frameStep", cw);
    int quarterTurns = ((r.integer("turn", 0) / 90) % 4 + 4) % 4;
    if (quarterTurns != 0 && cw != ch) throw std::runtime_error("turned bullets need square cells");
    ForEachCell(r.rect, cw, ch, [&](int, int, Rect cell) {
        int lx = cell.x - r.rect.x;
        int group = lx / step;
        int frame = group % frames;
        int colour = (lx % step) / cw + (step / cw) * (group / frames);
        BulletCell b{CentreOf(cell), 0.5f * float(std::min(cw, ch)), 0.5f * float(cw), 0.5f * float(ch),
                     ColumnColour(r, colour), float(frame) / float(frames)};
        if (quarterTurns == 0) {
            shape->second(c, b);
            return;
        }
        // Shapes that must point another way ("turn": 90, 180 or 270 degrees) are
        // painted upright in a square cell of their own and turned into place.
        Canvas upright(cw, ch);
        BulletCell local = b;
        local.o = {0.5f * float(cw), 0.5f * float(ch)};
        shape->second(upright, local);
        for (int y = 0; y < ch; ++y)
            for (int x = 0; x < cw; ++x) {
                int sx = x, sy = y;
                for (int q = 0; q < quarterTurns; ++q) {  // undo one clockwise quarter turn
                    int t = sx;
                    sx = sy;
                    sy = cw - 1 - t;
                }
                c.over(cell.x + x, cell.y + y, upright.pixel(sx, sy));
            }
    });
}

}  // namespace

const std::vector<StyleEntry>& BulletStyles() {
    static const std::vector<StyleEntry> table = {{"bullets", PaintBulletCells}};
    return table;
}

}  // namespace korvid::packgen
