#include "FontAtlas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace korvid::packgen {

AtlasLayout AsciiAtlasLayout(const std::string& face, float size, int cellW, int cellH, int columns) {
    AtlasLayout layout;
    int rows = (126 - 32 + 1 + columns - 1) / columns;
    layout.width = cellW * columns;
    layout.height = cellH * rows;
    for (unsigned code = 32; code <= 126; ++code) {
        int index = int(code - 32);
        int advance = int(std::ceil(GlyphAdvance(code, face, size)));
        AtlasGlyph g{code, (index % columns) * cellW, (index / columns) * cellH,
                     std::clamp(advance + 2, 2, cellW), cellH};
        layout.glyphs.push_back(g);
    }
    return layout;
}

void PaintAtlas(Canvas& canvas, const AtlasLayout& layout, const TextStyle& style) {
    for (const AtlasGlyph& g : layout.glyphs) {
        if (g.code == ' ') continue;
        TextStyle s = style;
        s.align = 0;
        s.valign = 1;
        s.shrink = false;
        s.outlineWidth = std::min(s.outlineWidth, 1.0f);
        DrawText(canvas, {g.x, g.y, g.w, g.h}, std::string(1, char(g.code)), s);
    }
}

std::string FntText(const std::string& bitmapName, const AtlasLayout& layout) {
    std::string out = "[HGEFONT]\n\nBitmap=" + bitmapName + "\n\n";
    char line[96];
    for (const AtlasGlyph& g : layout.glyphs) {
        // Quote, comma and backslash would confuse a reader of the quoted form.
        bool plain = std::isalnum(int(g.code)) != 0;
        if (plain)
            std::snprintf(line, sizeof line, "Char=\"%c\",%d,%d,%d,%d,0,0\n", char(g.code), g.x, g.y, g.w, g.h);
        else
            std::snprintf(line, sizeof line, "Char=%02X,%d,%d,%d,%d,0,0\n", g.code, g.x, g.y, g.w, g.h);
        out += line;
    }
    return out;
}

}  // namespace korvid::packgen
