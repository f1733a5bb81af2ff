// The bitmap font: a glyph atlas picture and its ".fnt" description, laid
// out once so the two always agree.
//
// .fnt format: first line "[HGEFONT]", then "Bitmap=<picture>" (resolved in
// the .fnt's own folder), then one line per glyph:
//   Char="A",x,y,w,h,pre,post     or, for awkward characters,   Char=22,x,y,w,h,pre,post
#pragma once

#include <string>
#include <vector>

#include "Canvas.h"
#include "TextPainter.h"

namespace korvid::packgen {

struct AtlasGlyph {
    unsigned code;
    int x, y, w, h;
};

struct AtlasLayout {
    int width = 0, height = 0;
    std::vector<AtlasGlyph> glyphs;
};

// Printable ASCII 32..126 in cells of cellW x cellH, `columns` to a row.
AtlasLayout AsciiAtlasLayout(const std::string& face, float size, int cellW, int cellH, int columns);

void PaintAtlas(Canvas& canvas, const AtlasLayout& layout, const TextStyle& style);

std::string FntText(const std::string& bitmapName, const AtlasLayout& layout);

}  // namespace korvid::packgen
