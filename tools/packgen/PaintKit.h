// Drawing helpers shared by the painter families: filled and shaded shapes,
// glows, lines and cell grids. Coordinates are canvas pixels (floats).
#pragma once

#include <functional>
#include <vector>

#include "Canvas.h"
#include "Manifest.h"
#include "Shapes.h"

namespace korvid::packgen {

// Fills where sdf(p) < 0 with a flat colour, anti-aliased.
void FillSdf(Canvas& c, Rect bounds, const std::function<float(Vec2)>& sdf, Rgba colour);

// Fills where sdf(p) < 0; the colour comes from shader(p, d) (d <= 0 inside).
void ShadeSdf(Canvas& c, Rect bounds, const std::function<float(Vec2)>& sdf,
              const std::function<Rgba(Vec2, float)>& shader);

void Disc(Canvas& c, Vec2 centre, float r, Rgba colour);
void Ring(Canvas& c, Vec2 centre, float r, float width, Rgba colour);
void Line(Canvas& c, Vec2 a, Vec2 b, float width, Rgba colour);
void Polygon(Canvas& c, const std::vector<Vec2>& pts, Rgba colour);
void ShadedPolygon(Canvas& c, const std::vector<Vec2>& pts, const std::function<Rgba(Vec2, float)>& shader);

// Additive soft light: full strength at the centre, fading to 0 at radius r.
void Glow(Canvas& c, Vec2 centre, float r, Rgba colour, float strength = 1);
// An elliptical glow turned by `turn` radians.
void GlowEllipse(Canvas& c, Vec2 centre, float rx, float ry, float turn, Rgba colour, float strength = 1);

// Points translated and turned: p' = centre + rotate(p * scale, turn).
std::vector<Vec2> Place(const std::vector<Vec2>& pts, Vec2 centre, float turn = 0, float scale = 1);
std::vector<Vec2> MirrorX(const std::vector<Vec2>& pts);

Rect BoundsOf(const std::vector<Vec2>& pts, float margin = 2);
Rect Around(Vec2 centre, float radius);

// Calls fn(column, row, cell) for every whole cell of the region.
void ForEachCell(Rect region, int cellW, int cellH, const std::function<void(int, int, Rect)>& fn);
inline Vec2 CentreOf(Rect r) { return {r.x + r.w * 0.5f, r.y + r.h * 0.5f}; }

// The region's colour list, or one colour per column from the bullet spectrum
// when it has none ("palette": "spectrum", shifted by "paletteOffset").
Rgba ColumnColour(const Region& region, int column);

}  // namespace korvid::packgen
