// Text styles: plain text blocks, dialogue lines on the game's fixed line
// pitch, glyph grids cut cell by cell, spell-card names and the staff roll.
#include <cmath>

#include "PaintKit.h"
#include "Styles.h"
#include "TextPainter.h"

namespace korvid::packgen {

namespace {

void PaintTextBlock(Canvas& c, const Region& r) {
    DrawText(c, r.rect, r.str("text"), ReadTextStyle(*r.entry));
}

// Dialogue picture: line k (from `first`) occupies the band from
// k * lineHeight - 16 down, as the dialogue box cuts it. "Name：text" lines
// show the speaker in the colour given for that name.
void PaintDialogueLines(Canvas& c, const Region& r) {
    TextStyle base = ReadTextStyle(*r.entry, [] {
        TextStyle s;
        s.size = 13;
        s.outlineWidth = 1;
        s.outline = {0, 0, 0, 0.85f};
        s.valign = 1;
        return s;
    }());
    float pitch = float(r.num("lineHeight", 16.8));
    int k = r.integer("first", 1);
    const Json& speakers = r.get("speakers");
    static const std::string kColon = "：";
    for (const Json& line : r.get("lines").array()) {
        std::string text = line.string();
        float top = float(r.rect.y) + float(k) * pitch - 16;
        Rect band{r.rect.x + 4, int(std::floor(top)), r.rect.w - 8, int(std::ceil(pitch))};
        std::size_t colon = text.find(kColon);
        if (colon != std::string::npos && speakers.has(text.substr(0, colon))) {
            std::string name = text.substr(0, colon + kColon.size());
            TextStyle who = base;
            who.fill = who.fillBottom = ParseColour(speakers.str(text.substr(0, colon), "#ffffff"));
            who.shrink = false;
            DrawText(c, band, name, who);
            float w = MeasureText(name, base.face, base.size);
            Rect rest{band.x + int(w), band.y, band.w - int(w), band.h};
            DrawText(c, rest, text.substr(colon + kColon.size()), base);
        } else {
            DrawText(c, band, text, base);
        }
        ++k;
    }
}

// One character per cell, left to right, `columns` to a row; a space leaves
// its cell empty. "inset" shrinks the drawing box inside each cell.
void PaintGlyphGrid(Canvas& c, const Region& r) {
    TextStyle style = ReadTextStyle(*r.entry);
    style.align = 1;
    int cw = int(r.get("cell")[0].number()), ch = int(r.get("cell")[1].number());
    int columns = r.integer("columns", std::max(1, r.rect.w / cw));
    int inset = r.integer("inset", 0);
    std::vector<unsigned> chars = DecodeUtf8(r.str("chars"));
    for (std::size_t i = 0; i < chars.size(); ++i) {
        if (chars[i] == ' ') continue;
        std::string one;
        unsigned code = chars[i];
        // Re-encode the one code point as UTF-8.
        if (code < 0x80) one = char(code);
        else if (code < 0x800) one = {char(0xC0 | (code >> 6)), char(0x80 | (code & 0x3F))};
        else one = {char(0xE0 | (code >> 12)), char(0x80 | ((code >> 6) & 0x3F)), char(0x80 | (code & 0x3F))};
        Rect cell{r.rect.x + int(i % std::size_t(columns)) * cw + inset, r.rect.y + int(i / std::size_t(columns)) * ch + inset,
                  cw - 2 * inset - r.integer("gapX", 0), ch - 2 * inset};
        DrawText(c, cell, one, style);
    }
}

// Spell-card names: row r of the name sheet holds one name per difficulty e
// (0..2) at y = (e + 4r + 2) x 19.2 - 16 (rows past 31 sit in the right
// column, counted from row 32), each 19 pixels high and as wide as the HUD
// cuts it for that difficulty; names hug the right end of that width.
void PaintSpellName(Canvas& c, const Region& r) {
    int row = r.integer("row", 0);
    int column = row > 31 ? 320 : 0;
    int slotBase = row > 31 ? 4 * row - 126 : 4 * row + 2;
    TextStyle style = ReadTextStyle(*r.entry, [] {
        TextStyle s;
        s.face = "song";
        s.size = 15;
        s.fill = {1, 1, 1, 1};
        s.fillBottom = {0.75f, 0.85f, 1, 1};
        s.outline = {0.05f, 0.02f, 0.15f, 1};
        s.outlineWidth = 1.5f;
        s.align = 2;
        return s;
    }());
    const Json& names = r.get("names");
    const Json& widths = r.get("widths");
    for (int e = 0; e < 3; ++e) {
        int w = int(widths[std::size_t(e)].number());
        if (w <= 0) continue;
        float top = float(e + slotBase) * 19.2f - 16;
        Rect box{column, int(std::ceil(top)), w, 18};
        DrawText(c, box, names[std::size_t(std::min<std::size_t>(std::size_t(e), names.size() - 1))].string(), style);
    }
}

// Staff roll: lines on a fixed pitch; a line starting with "#" is a heading.
void PaintCredits(Canvas& c, const Region& r) {
    TextStyle body = ReadTextStyle(*r.entry);
    TextStyle head = body;
    head.size = body.size * 1.35f;
    head.fill = head.fillBottom = ParseColour(r.str("headingColour", "#ffd37a"));
    float pitch = float(r.num("pitch", 26));
    float y = float(r.rect.y) + float(r.num("top", 0));
    for (const Json& line : r.get("lines").array()) {
        std::string text = line.string();
        bool heading = !text.empty() && text[0] == '#';
        Rect band{r.rect.x, int(y), r.rect.w, int(pitch * (heading ? 1.3f : 1.0f))};
        if (!text.empty()) DrawText(c, band, heading ? text.substr(1) : text, heading ? head : body);
        y += pitch * (heading ? 1.3f : 1.0f);
    }
}

// A whole picture as the game cuts it (a menu row, the title lettering):
// paints nothing itself, but marks the rectangle as laid out on purpose, its
// transparent margins included, for the check of what the game draws.
void PaintCanvasArea(Canvas&, const Region&) {}

}  // namespace

const std::vector<StyleEntry>& TextStyles() {
    static const std::vector<StyleEntry> table = {
        {"text", PaintTextBlock},
        {"dialogue", PaintDialogueLines},
        {"glyph_grid", PaintGlyphGrid},
        {"spell_name", PaintSpellName},
        {"credits", PaintCredits},
        {"canvas", PaintCanvasArea},
    };
    return table;
}

}  // namespace korvid::packgen
