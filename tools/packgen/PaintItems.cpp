// Item styles: the pickups (power, point, big power, extra life, bomb,
// point star), the slot-machine symbols and the HUD icons, one per cell of
// a row: "kinds": ["power", "point", ...] left to right.
#include <cmath>
#include <map>

#include "PaintKit.h"
#include "Styles.h"
#include "TextPainter.h"

namespace korvid::packgen {

namespace {

struct ItemCell {
    Rect rect;
    Vec2 o;
    float h;
    // The point item's mark: "点", or the region's "pointMark" (a language's
    // picture names its own).
    std::string pointMark = "点";
};

// A rounded tile with a letter: the classic pickup.
void LetterTile(Canvas& c, const ItemCell& it, Rgba body, const std::string& letter, float scale = 1) {
    float s = it.h * 0.82f * scale;
    ShadeSdf(c, Around(it.o, s + 2), [&](Vec2 p) { return SdBox(p - it.o, s, s, s * 0.35f); }, [&](Vec2 p, float d) {
        float t = (p.y - (it.o.y - s)) / (2 * s);
        Rgba col = Mix(Lighter(body, 0.35f), Darker(body, 0.25f), t);
        return d > -1.2f ? Darker(body, 0.55f) : col;
    });
    TextStyle ts;
    ts.face = "sans";
    ts.size = 2 * s * 0.85f;
    ts.align = 1;
    ts.outline = {0, 0, 0, 0.6f};
    ts.outlineWidth = 0.6f;
    int sz = int(std::ceil(2 * s));
    DrawText(c, {int(it.o.x - s), int(it.o.y - s), sz, sz}, letter, ts);
}

void Power(Canvas& c, const ItemCell& it) { LetterTile(c, it, {0.9f, 0.15f, 0.15f, 1}, "P", 0.8f); }
void BigPower(Canvas& c, const ItemCell& it) {
    Glow(c, it.o, it.h, {1, 0.4f, 0.3f, 0.9f}, 1.2f);
    LetterTile(c, it, {0.95f, 0.2f, 0.1f, 1}, "P", 1.0f);
}
void Point(Canvas& c, const ItemCell& it) { LetterTile(c, it, {0.2f, 0.35f, 0.95f, 1}, it.pointMark, 0.85f); }
void Bomb(Canvas& c, const ItemCell& it) { LetterTile(c, it, {0.15f, 0.7f, 0.25f, 1}, "B", 0.95f); }
void Full(Canvas& c, const ItemCell& it) { LetterTile(c, it, {0.95f, 0.8f, 0.1f, 1}, "F", 0.85f); }
void Green(Canvas& c, const ItemCell& it) { LetterTile(c, it, {0.3f, 0.75f, 0.55f, 1}, "G", 0.7f); }

void Heart(Canvas& c, Vec2 o, float s, Rgba col) {
    std::vector<Vec2> pts;
    Vec2 bottom{0, s * 0.9f}, top{0, -s * 0.35f};
    pts.push_back(bottom);
    AppendCurve(pts, bottom, {s * 1.2f, -s * 0.1f}, {s * 0.55f, -s * 0.8f}, 6);
    AppendCurve(pts, {s * 0.55f, -s * 0.8f}, {s * 0.1f, -s * 0.95f}, top, 4);
    std::vector<Vec2> left = MirrorX(pts);
    pts.insert(pts.end(), left.begin() + 1, left.end() - 1);
    std::vector<Vec2> placed = Place(pts, o);
    ShadedPolygon(c, placed, [&](Vec2 p, float d) {
        float t = (p.y - (o.y - s)) / (2 * s);
        return d > -1.0f ? Darker(col, 0.5f) : Mix(Lighter(col, 0.4f), col, t);
    });
    GlowEllipse(c, o + Vec2{-s * 0.35f, -s * 0.35f}, s * 0.3f, s * 0.18f, -0.7f, {1, 1, 1, 0.8f}, 1.5f);
}

void Life(Canvas& c, const ItemCell& it) {
    Glow(c, it.o, it.h, {1, 0.5f, 0.8f, 0.8f}, 1.0f);
    Heart(c, it.o, it.h * 0.85f, {1, 0.3f, 0.6f, 1});
}

void LifeIcon(Canvas& c, const ItemCell& it) { Heart(c, it.o + Vec2{0, 0.5f}, it.h * 0.8f, {1, 0.35f, 0.55f, 1}); }

void BombIcon(Canvas& c, const ItemCell& it) {
    float s = it.h * 0.6f;
    Vec2 body = it.o + Vec2{-s * 0.1f, s * 0.25f};
    ShadeSdf(c, Around(body, s + 2), [&](Vec2 p) { return SdCircle(p - body, s); },
             [&](Vec2 p, float d) {
                 float t = Length(p - (body + Vec2{-s * 0.4f, -s * 0.4f})) / (2 * s);
                 return d > -1 ? Rgba{0.05f, 0.1f, 0.05f, 1} : Mix({0.6f, 1, 0.6f, 1}, {0.1f, 0.55f, 0.2f, 1}, t);
             });
    Line(c, body + Vec2{s * 0.6f, -s * 0.6f}, body + Vec2{s * 1.1f, -s * 1.2f}, 1.2f, {0.9f, 0.8f, 0.5f, 1});
    Glow(c, body + Vec2{s * 1.15f, -s * 1.25f}, s * 0.6f, {1, 0.8f, 0.2f, 1}, 1.5f);
}

void StarItem(Canvas& c, const ItemCell& it) {
    Glow(c, it.o, it.h, {1, 0.9f, 0.3f, 0.7f}, 1.0f);
    std::vector<Vec2> pts = Place(StarPoints(5, it.h * 0.9f, it.h * 0.4f), it.o);
    ShadedPolygon(c, pts, [&](Vec2 p, float d) {
        return d > -0.8f ? Rgba{0.6f, 0.4f, 0.05f, 1} : Mix({1, 1, 0.8f, 1}, {1, 0.75f, 0.1f, 1}, Length(p - it.o) / it.h);
    });
}

// Slot-machine symbols: a golden bell and a lucky seven.
void Bell(Canvas& c, const ItemCell& it) {
    float s = it.h * 0.85f;
    std::vector<Vec2> pts = {{-s * 0.2f, -s * 0.85f}, {s * 0.2f, -s * 0.85f}};
    AppendCurve(pts, {s * 0.2f, -s * 0.85f}, {s * 0.7f, -s * 0.6f}, {s * 0.95f, s * 0.6f}, 6);
    pts.push_back({-s * 0.95f, s * 0.6f});
    AppendCurve(pts, {-s * 0.95f, s * 0.6f}, {-s * 0.7f, -s * 0.6f}, {-s * 0.2f, -s * 0.85f}, 6);
    ShadedPolygon(c, Place(pts, it.o), [&](Vec2 p, float d) {
        return d > -0.8f ? Rgba{0.45f, 0.3f, 0.0f, 1} : Mix({1, 0.95f, 0.5f, 1}, {0.85f, 0.55f, 0.05f, 1}, (p.x - it.o.x + s) / (2 * s));
    });
    Disc(c, it.o + Vec2{0, s * 0.75f}, s * 0.22f, {0.8f, 0.5f, 0.05f, 1});
}

void Seven(Canvas& c, const ItemCell& it) {
    TextStyle ts;
    ts.face = "serif";
    ts.size = it.h * 2.2f;
    ts.align = 1;
    ts.fill = {1, 0.35f, 0.3f, 1};
    ts.fillBottom = {0.75f, 0.05f, 0.1f, 1};
    ts.outline = {1, 1, 0.8f, 1};
    ts.outlineWidth = 1;
    DrawText(c, it.rect, "7", ts);
}

using ItemFn = void (*)(Canvas&, const ItemCell&);

const std::map<std::string, ItemFn>& Kinds() {
    static const std::map<std::string, ItemFn> table = {
        {"power", Power},   {"bigpower", BigPower}, {"point", Point},       {"bomb", Bomb},
        {"full", Full},     {"green", Green},       {"life", Life},         {"star", StarItem},
        {"bell", Bell},     {"seven", Seven},       {"life_icon", LifeIcon}, {"bomb_icon", BombIcon},
    };
    return table;
}

void PaintItemRow(Canvas& c, const Region& r) {
    int cw = r.get("cell").isArray() ? int(r.get("cell")[0].number()) : 16;
    int ch = r.get("cell").isArray() ? int(r.get("cell")[1].number()) : 16;
    const Json& kinds = r.get("kinds");
    const std::string mark = r.str("pointMark", "点");
    ForEachCell(r.rect, cw, ch, [&](int col, int row, Rect cell) {
        std::size_t i = std::size_t(row * std::max(1, r.rect.w / cw) + col);
        if (i >= kinds.size() || kinds[i].string().empty()) return;
        auto it = Kinds().find(kinds[i].string());
        if (it == Kinds().end()) throw std::runtime_error("unknown item kind " + kinds[i].string());
        it->second(c, {cell, CentreOf(cell), 0.5f * float(std::min(cw, ch)), mark});
    });
}

// The slot machine's symbol strip. The reel window shows the strip from
// x = 504 - offset / 2 and the game reads symbol s = 5 - (trunc(offset + 267)
// / 88) mod 5 under the window's centre, so strip cell k (k = 1, 2, ...) is
// centred at x = 715.5 - 44 k and shows symbol 5 - k mod 5. "symbols" names
// the item kinds drawn for symbols 1..5.
void PaintSlotStrip(Canvas& c, const Region& r) {
    Rect b = r.rect;
    const Json& symbols = r.get("symbols");
    const std::string mark = r.str("pointMark", "点");
    c.fill(b, r.colour(0, {1, 0.97f, 0.88f, 1}));
    float cy = b.y + b.h * 0.5f;
    for (int k = 1; k < 40; ++k) {
        float cx = 715.5f - 44.0f * float(k);
        if (cx + 22 < b.x || cx - 22 > b.right()) continue;
        Line(c, {cx + 22, float(b.y)}, {cx + 22, float(b.bottom())}, 1.5f, r.colour(1, {0.6f, 0.45f, 0.2f, 1}));
        int s = 5 - k % 5;
        std::string kind = symbols[std::size_t(s - 1)].string();
        auto it = Kinds().find(kind);
        if (it == Kinds().end()) throw std::runtime_error("unknown item kind " + kind);
        Rect cell{int(cx - 17), int(cy - 17), 34, 34};
        it->second(c, {cell, {cx, cy}, 17, mark});
    }
}

}  // namespace

const std::vector<StyleEntry>& ItemStyles() {
    static const std::vector<StyleEntry> table = {{"items", PaintItemRow}, {"slot_strip", PaintSlotStrip}};
    return table;
}

}  // namespace korvid::packgen
