// Interface styles: flat fills and colour tiles, framed panels (with a
// see-through hole for the play field), menu plaques, difficulty cards,
// gauge strips, tabs, key caps and the mouse pointer.
#include <cmath>

#include "PaintKit.h"
#include "Styles.h"
#include "TextPainter.h"

namespace korvid::packgen {

namespace {

TextStyle UiText(const Region& r, float size) {
    TextStyle s;
    s.face = "hei";
    s.size = size;
    s.align = 1;
    s.outline = {0.05f, 0.03f, 0.1f, 0.9f};
    s.outlineWidth = 1.5f;
    return ReadTextStyle(*r.entry, s);
}

Rgba VerticalRamp(const Region& r, float t, std::size_t first = 0) {
    Rgba top = r.colour(first, {0.2f, 0.2f, 0.3f, 1});
    Rgba bottom = r.colour(first + 1, top);
    return Mix(top, bottom, Clamp01(t));
}

void PaintSolid(Canvas& c, const Region& r) {
    c.fill(r.rect, r.colour(0, {1, 1, 1, 1}));
}

// Colour tiles: hue across the columns, brightness down the rows.
void PaintHueTiles(Canvas& c, const Region& r) {
    int cw = int(r.get("cell")[0].number()), ch = int(r.get("cell")[1].number());
    int rows = std::max(1, r.rect.h / ch), cols = std::max(1, r.rect.w / cw);
    ForEachCell(r.rect, cw, ch, [&](int col, int row, Rect cell) {
        float t = float(row) / float(rows);
        Rgba colr = col == cols - 1 ? Rgba{1 - t, 1 - t, 1 - t, 1} : Hsv(float(col) / float(cols - 1), 0.35f + 0.65f * t, 1 - 0.6f * t * t);
        c.fill(cell, colr);
    });
}

// A framed panel: gradient fill ("colors": top, bottom), border
// ("border", "borderWidth"), rounded corners, optional "hole" [x, y, w, h]
// (relative to the region) left transparent with its own edge, and small
// diamonds on the corners. "bleed" runs the frame to the region's edges with
// no faded outer pixel (a frame around the whole screen).
void PaintFrame(Canvas& c, const Region& r) {
    Rect b = r.rect;
    float radius = float(r.num("radius", 6)), bw = float(r.num("borderWidth", 3));
    Rgba border = ParseColour(r.str("border", "#c8a860"));
    Vec2 o = CentreOf(b);
    bool hasHole = r.get("hole").isArray();
    Rect hole;
    if (hasHole)
        hole = {b.x + int(r.get("hole")[0].number()), b.y + int(r.get("hole")[1].number()),
                int(r.get("hole")[2].number()), int(r.get("hole")[3].number())};
    Vec2 ho = CentreOf(hole);
    const float inset = r.flag("bleed", false) ? 0.0f : 0.5f;
    auto outer = [&](Vec2 p) { return SdBox(p - o, b.w * 0.5f - inset, b.h * 0.5f - inset, radius); };
    auto inHole = [&](Vec2 p) { return hasHole ? SdBox(p - ho, hole.w * 0.5f, hole.h * 0.5f, 2) : 1e9f; };
    ShadeSdf(c, b, [&](Vec2 p) { return std::max(outer(p), -inHole(p)); }, [&](Vec2 p, float d) {
        float t = (p.y - b.y) / float(b.h);
        Rgba fill = VerticalRamp(r, t);
        float holeEdge = -inHole(p);
        if (d > -bw || (hasHole && holeEdge > -bw)) {
            float k = std::max(d, holeEdge) > -bw * 0.5f ? 0.35f : 0.0f;
            return Lighter(border, k);
        }
        return fill;
    });
    if (r.flag("ornaments", false)) {
        float s = bw * 2.5f;
        for (Vec2 corner : {Vec2{b.x + s, b.y + s}, Vec2{b.right() - s, b.y + s}, Vec2{b.x + s, b.bottom() - s},
                            Vec2{b.right() - s, b.bottom() - s}})
            Polygon(c, Place(RegularPolygon(4, s), corner), Lighter(border, 0.4f));
    }
}

// A menu plaque: a bar fading out to the right with its label; "selected"
// adds a bright glow and a lighter bar.
void PaintPlaque(Canvas& c, const Region& r) {
    Rect b = r.rect;
    bool selected = r.flag("selected", false);
    Rgba bar = r.colour(0, selected ? Rgba{0.9f, 0.5f, 0.2f, 0.85f} : Rgba{0.25f, 0.2f, 0.45f, 0.7f});
    c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
        float u = (x - b.x) / b.w, v = (y - b.y) / b.h;
        float edge = std::min(v, 1 - v) * b.h;
        float a = Clamp01(1.2f - u) * Clamp01(edge / 2.5f);
        Rgba col = Mix(Lighter(bar, 0.25f), Darker(bar, 0.2f), v);
        return WithAlpha(col, bar.a * a);
    });
    if (selected) GlowEllipse(c, CentreOf(b) - Vec2{b.w * 0.2f, 0}, b.w * 0.45f, b.h * 0.7f, 0, {1, 0.85f, 0.5f, 0.35f}, 1.0f);
    TextStyle ts = UiText(r, float(b.h) * 0.7f);
    ts.align = 0;
    if (selected) {
        ts.glow = {1, 0.8f, 0.4f, 0.8f};
        ts.glowRadius = 4;
    }
    DrawText(c, {b.x + int(r.num("indent", 14)), b.y, b.w - int(r.num("indent", 14)) - 4, b.h}, r.str("text"), ts);
}

// A difficulty (or stage) card: framed, with a big title, a smaller line
// under it and a row of stars for its strength.
void PaintCard(Canvas& c, const Region& r) {
    Rect b = r.rect;
    Rgba tone = r.colour(0, {0.3f, 0.5f, 0.9f, 1});
    Vec2 o = CentreOf(b);
    ShadeSdf(c, b, [&](Vec2 p) { return SdBox(p - o, b.w * 0.47f, b.h * 0.44f, 10); }, [&](Vec2 p, float d) {
        float t = (p.y - b.y) / b.h;
        Rgba fill = Mix(Lighter(tone, 0.1f), Darker(tone, 0.55f), t);
        fill.a = 0.92f;
        if (d > -3) return Lighter(tone, 0.6f);
        if (d > -6) return Darker(tone, 0.6f);
        return fill;
    });
    GlowEllipse(c, {o.x, b.y + b.h * 0.38f}, b.w * 0.4f, b.h * 0.25f, 0, WithAlpha(Lighter(tone, 0.5f), 0.4f), 1.0f);
    TextStyle title = UiText(r, float(b.h) * 0.3f);
    title.face = r.str("face", "serif");
    title.fill = {1, 1, 1, 1};
    title.fillBottom = Lighter(tone, 0.6f);
    title.glow = WithAlpha(Lighter(tone, 0.3f), 0.9f);
    title.glowRadius = 5;
    DrawText(c, {b.x + 12, b.y + int(b.h * 0.12f), b.w - 24, int(b.h * 0.4f)}, r.str("text"), title);
    TextStyle sub = UiText(r, float(b.h) * 0.12f);
    DrawText(c, {b.x + 16, b.y + int(b.h * 0.55f), b.w - 32, int(b.h * 0.16f)}, r.str("subtitle"), sub);
    int stars = r.integer("stars", 0);
    for (int i = 0; i < stars; ++i) {
        Vec2 s{o.x + (float(i) - float(stars - 1) * 0.5f) * b.h * 0.13f, b.y + b.h * 0.8f};
        Polygon(c, Place(StarPoints(5, b.h * 0.05f, b.h * 0.022f), s), {1, 0.85f, 0.3f, 1});
    }
}

// A gauge strip that repeats every "period" pixels (the HUD scrolls it):
// a gradient between the colours with bright diagonal ticks.
void PaintGauge(Canvas& c, const Region& r) {
    Rect b = r.rect;
    float period = float(r.num("period", 108));
    std::size_t n = std::max<std::size_t>(1, r.colourCount());
    c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
        float u = std::fmod(x - b.x, period) / period;
        float f = u * float(n);
        std::size_t i = std::size_t(f) % n, j = (i + 1) % n;
        Rgba col = Mix(r.colour(i, {1, 0, 0, 1}), r.colour(j, {1, 1, 0, 1}), f - std::floor(f));
        float v = (y - b.y) / b.h;
        col = Mix(Lighter(col, 0.45f), Darker(col, 0.25f), v);
        float tick = std::fmod(x - b.x + (y - b.y), 12.0f) < 2 ? 0.25f : 0;
        return Lighter(col, tick);
    });
}

// A tab of the manual: a rounded label with its text.
void PaintTab(Canvas& c, const Region& r) {
    Rect b = r.rect;
    Rgba tone = r.colour(0, {0.3f, 0.3f, 0.5f, 1});
    Vec2 o = CentreOf(b);
    ShadeSdf(c, b, [&](Vec2 p) { return SdBox(p - o, b.w * 0.48f, b.h * 0.42f, b.h * 0.3f); }, [&](Vec2 p, float d) {
        if (d > -2.5f) return Rgba{1, 1, 1, 1};
        return Mix(Lighter(tone, 0.2f), Darker(tone, 0.3f), (p.y - b.y) / b.h);
    });
    DrawText(c, {b.x + 10, b.y, b.w - 20, b.h}, r.str("text"), UiText(r, float(b.h) * 0.6f));
}

void PaintKeycap(Canvas& c, const Region& r) {
    Rect b = r.rect;
    Vec2 o = CentreOf(b);
    float h = 0.45f * float(std::min(b.w, b.h));
    ShadeSdf(c, b, [&](Vec2 p) { return SdBox(p - o, h, h, h * 0.25f); }, [&](Vec2 p, float d) {
        if (d > -1.5f) return Rgba{0.15f, 0.15f, 0.2f, 1};
        float t = (p.y - (o.y - h)) / (2 * h);
        return t > 0.82f ? Rgba{0.55f, 0.55f, 0.62f, 1} : Mix({0.95f, 0.95f, 1, 1}, {0.75f, 0.75f, 0.82f, 1}, t);
    });
    TextStyle ts = UiText(r, h * 1.1f);
    ts.fill = ts.fillBottom = {0.1f, 0.1f, 0.2f, 1};
    ts.outlineWidth = 0;
    DrawText(c, {int(o.x - h), int(o.y - h * 1.1f), int(2 * h), int(2 * h)}, r.str("text"), ts);
}

void PaintPointer(Canvas& c, const Region& r) {
    Rect b = r.rect;
    float s = float(std::min(b.w, b.h));
    std::vector<Vec2> arrow = {{0, 0}, {0, 0.8f}, {0.22f, 0.6f}, {0.38f, 0.95f}, {0.5f, 0.9f}, {0.35f, 0.55f}, {0.62f, 0.55f}};
    std::vector<Vec2> pts;
    for (Vec2 p : arrow) pts.push_back({b.x + 2 + p.x * s * 0.9f, b.y + 2 + p.y * s * 0.9f});
    ShadedPolygon(c, pts, [&](Vec2, float d) { return d > -1.5f ? Rgba{0.1f, 0.1f, 0.15f, 1} : Rgba{1, 1, 1, 1}; });
}

}  // namespace

const std::vector<StyleEntry>& UiStyles() {
    static const std::vector<StyleEntry> table = {
        {"solid", PaintSolid}, {"hue_tiles", PaintHueTiles}, {"frame", PaintFrame}, {"plaque", PaintPlaque},
        {"card", PaintCard},   {"gauge", PaintGauge},        {"tab", PaintTab},     {"keycap", PaintKeycap},
        {"pointer", PaintPointer},
    };
    return table;
}

}  // namespace korvid::packgen
