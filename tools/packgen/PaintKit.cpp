#include "PaintKit.h"

#include <algorithm>
#include <cmath>

namespace korvid::packgen {

void FillSdf(Canvas& c, Rect b, const std::function<float(Vec2)>& sdf, Rgba colour) {
    c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
        float cov = Coverage(sdf({x, y}));
        return WithAlpha(colour, colour.a * cov);
    });
}

void ShadeSdf(Canvas& c, Rect b, const std::function<float(Vec2)>& sdf,
              const std::function<Rgba(Vec2, float)>& shader) {
    c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
        float d = sdf({x, y});
        float cov = Coverage(d);
        if (cov <= 0) return Rgba{};
        Rgba col = shader({x, y}, d);
        return WithAlpha(col, col.a * cov);
    });
}

void Disc(Canvas& c, Vec2 centre, float r, Rgba colour) {
    FillSdf(c, Around(centre, r + 2), [&](Vec2 p) { return SdCircle(p - centre, r); }, colour);
}

void Ring(Canvas& c, Vec2 centre, float r, float width, Rgba colour) {
    FillSdf(c, Around(centre, r + width + 2),
            [&](Vec2 p) { return std::fabs(SdCircle(p - centre, r)) - width / 2; }, colour);
}

void Line(Canvas& c, Vec2 a, Vec2 b, float width, Rgba colour) {
    Rect box = BoundsOf({a, b}, width + 2);
    FillSdf(c, box, [&](Vec2 p) { return SdSegment(p, a, b) - width / 2; }, colour);
}

void Polygon(Canvas& c, const std::vector<Vec2>& pts, Rgba colour) {
    FillSdf(c, BoundsOf(pts), [&](Vec2 p) { return SdPolygon(p, pts); }, colour);
}

void ShadedPolygon(Canvas& c, const std::vector<Vec2>& pts, const std::function<Rgba(Vec2, float)>& shader) {
    ShadeSdf(c, BoundsOf(pts), [&](Vec2 p) { return SdPolygon(p, pts); }, shader);
}

void Glow(Canvas& c, Vec2 centre, float r, Rgba colour, float strength) {
    Rect b = Around(centre, r);
    c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
        float d = Length(Vec2{x, y} - centre) / r;
        if (d >= 1) return Rgba{};
        float k = (1 - d) * (1 - d);
        return WithAlpha(colour, colour.a * std::min(1.0f, k * strength));
    }, true);
}

void GlowEllipse(Canvas& c, Vec2 centre, float rx, float ry, float turn, Rgba colour, float strength) {
    Rect b = Around(centre, std::max(rx, ry));
    c.shade(float(b.x), float(b.y), float(b.right()), float(b.bottom()), [&](float x, float y) {
        Vec2 q = Rotate(Vec2{x, y} - centre, -turn);
        float d = Length({q.x / rx, q.y / ry});
        if (d >= 1) return Rgba{};
        float k = (1 - d) * (1 - d);
        return WithAlpha(colour, colour.a * std::min(1.0f, k * strength));
    }, true);
}

std::vector<Vec2> Place(const std::vector<Vec2>& pts, Vec2 centre, float turn, float scale) {
    std::vector<Vec2> out;
    out.reserve(pts.size());
    for (Vec2 p : pts) out.push_back(centre + Rotate(p * scale, turn));
    return out;
}

std::vector<Vec2> MirrorX(const std::vector<Vec2>& pts) {
    std::vector<Vec2> out(pts.rbegin(), pts.rend());
    for (Vec2& p : out) p.x = -p.x;
    return out;
}

Rect BoundsOf(const std::vector<Vec2>& pts, float margin) {
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    for (Vec2 p : pts) {
        x0 = std::min(x0, p.x);
        y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x);
        y1 = std::max(y1, p.y);
    }
    int ix = int(std::floor(x0 - margin)), iy = int(std::floor(y0 - margin));
    return {ix, iy, int(std::ceil(x1 + margin)) - ix, int(std::ceil(y1 + margin)) - iy};
}

Rect Around(Vec2 centre, float radius) {
    int x0 = int(std::floor(centre.x - radius)), y0 = int(std::floor(centre.y - radius));
    int s = int(std::ceil(2 * radius)) + 2;
    return {x0, y0, s, s};
}

void ForEachCell(Rect region, int cellW, int cellH, const std::function<void(int, int, Rect)>& fn) {
    if (cellW <= 0 || cellH <= 0) return;
    for (int row = 0; (row + 1) * cellH <= region.h; ++row)
        for (int col = 0; (col + 1) * cellW <= region.w; ++col)
            fn(col, row, {region.x + col * cellW, region.y + row * cellH, cellW, cellH});
}

Rgba ColumnColour(const Region& region, int column) {
    std::size_t n = region.colourCount();
    if (n > 0) return region.colour(std::size_t(column) % n, {1, 1, 1, 1});
    int step = region.integer("paletteStep", 1);
    return SpectrumColour(region.integer("paletteOffset", 0) + column * step);
}

}  // namespace korvid::packgen
