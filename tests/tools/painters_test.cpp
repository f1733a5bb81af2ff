// The painting styles: every style paints something and nothing outside its
// region, and the styles whose layout the game depends on (turned bullets,
// dialogue lines, spell-name rows, the bitmap-font atlas) put their ink where
// the game cuts it.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

// packgen's sources are compiled into the tests directly (Canvas, Noise,
// PaintKit, Json and Manifest come in through the other tools tests).
#include "Figure.h"
#include "FontAtlas.h"
#include "Styles.h"
#include "TextPainter.h"

namespace korvid {
namespace {

using namespace packgen;

// The smallest useful parameters of every style; a new style without an
// entry here fails the coverage test below.
const std::map<std::string, std::string>& StyleSamples() {
    static const std::map<std::string, std::string> table = {
        {"bullets", R"("cell": [16, 16], "shape": "rice")"},
        {"glow", "\"colors\": [\"#ff8040\"]"},
        {"flash", R"("cell": [16, 16])"},
        {"ring", "\"colors\": [\"#ffffff\"]"},
        {"shockwave", "\"colors\": [\"#80c0ff\"]"},
        {"magic_circle", "\"points\": 5"},
        {"explosion", "\"colors\": [\"#ff9040\"]"},
        {"sparkle", "\"colors\": [\"#ffffff\"]"},
        {"fireball", ""},
        {"wisp", "\"colors\": [\"#ff6020\"]"},
        {"beam", R"("cell": [16, 48])"},
        {"bolt", "\"colors\": [\"#a0c0ff\"]"},
        {"items", R"("kinds": ["power", "point", "life", "bomb"])"},
        {"slot_strip", R"("symbols": ["bell", "seven", "life", "point", "bigpower"])"},
        {"ship_row", R"("cell": [24, 30], "design": 2)"},
        {"options", R"("cell": [12, 14], "frames": 4)"},
        {"shot", "\"design\": \"amulet\""},
        {"death_frames", R"("cell": [48, 16], "rows": 3)"},
        {"enemy_row", R"("cell": [16, 16], "design": "drone")"},
        {"orbs", R"("cell": [16, 16])"},
        {"mech", "\"part\": \"titan\""},
        {"figure", "\"hat\": \"witch\", \"wings\": \"bat\""},
        {"boss_row", R"("cell": [16, 24], "pose": "cast")"},
        {"gradient", "\"colors\": [\"#000000\", \"#ffffff\"]"},
        {"noise", "\"scale\": 4"},
        {"stars", "\"count\": 20"},
        {"ridges", "\"colors\": [\"#304060\", \"#102030\"]"},
        {"clouds", "\"cover\": 0.6"},
        {"tiles", R"("cell": [16, 12])"},
        {"grid_lines", R"("spacing": [16, 16])"},
        {"streaks", "\"count\": 20, \"colors\": [\"#ffffffa0\"]"},
        {"trees", "\"count\": 2, \"minRadius\": 8, \"maxRadius\": 12"},
        {"rays", "\"colors\": [\"#ffffffa0\"]"},
        {"vignette", ""},
        {"ripples", "\"colors\": [\"#ffffff\"]"},
        {"wall_map", ""},
        {"tech_panel", "\"plate\": 16"},
        {"shaft", ""},
        {"gate", ""},
        {"barrier", "\"core\": 10"},
        {"balloon", "\"text\": \"哼\""},
        {"text", "\"text\": \"Korvid 鸦\""},
        {"dialogue", R"("lines": ["暮音：你好", "琉璃：嗯"], "lineHeight": 16.8)"},
        {"glyph_grid", R"("chars": "0123", "cell": [12, 16])"},
        {"spell_name", R"("row": 0, "names": ["暮符「余晖」"], "widths": [40, 40, 40])"},
        {"credits", R"("lines": ["#Title", "line"], "pitch": 14)"},
        {"canvas", ""},
        {"solid", "\"colors\": [\"#ff0000\"]"},
        {"hue_tiles", R"("cell": [8, 8])"},
        {"frame", R"("hole": [8, 8, 16, 16])"},
        {"plaque", "\"text\": \"Start\""},
        {"card", "\"text\": \"Easy\", \"subtitle\": \"轻松\", \"stars\": 2"},
        {"gauge", "\"colors\": [\"#ff0000\", \"#0000ff\"]"},
        {"tab", "\"text\": \"操作\""},
        {"keycap", "\"text\": \"Z\""},
        {"pointer", ""},
    };
    return table;
}

struct Ink {
    int inside = 0, outside = 0;
};

// Paints one region of a manifest entry into a canvas larger than it.
Ink PaintOne(const std::string& style, const std::string& params, Rect where, Canvas& c) {
    std::string text = R"({"files": [{"name": "t.png", "size": [)" + std::to_string(c.width()) + ", " +
                       std::to_string(c.height()) + R"(], "regions": [{"style": ")" + style + R"(", "x": )" +
                       std::to_string(where.x) + ", \"y\": " + std::to_string(where.y) + ", \"w\": " +
                       std::to_string(where.w) + ", \"h\": " + std::to_string(where.h) +
                       (params.empty() ? "" : ", " + params) + "}]}]}";
    Manifest m = Manifest::parse(text);
    const Region& r = m.files()[0].regions[0];
    c.setClip(r.rect);
    FindStyle(style)(c, r);
    c.resetClip();
    Ink ink;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.pixel(x, y).a > 0.01f) (where.contains({x, y, 1, 1}) ? ink.inside : ink.outside)++;
    return ink;
}

TEST(PaintersTest, EveryStylePaintsInsideItsRegionOnly) {
    std::set<std::string> sampled;
    for (const std::string& name : StyleNames()) {
        auto it = StyleSamples().find(name);
        ASSERT_NE(it, StyleSamples().end()) << "no sample parameters for style " << name;
        sampled.insert(name);
        Canvas c(96, 72);
        Ink ink = PaintOne(name, it->second, {16, 12, 64, 48}, c);
        if (name == "canvas") {  // only marks a rectangle as laid out
            EXPECT_EQ(ink.inside, 0);
            continue;
        }
        EXPECT_GT(ink.inside, 40) << name << " paints (almost) nothing";
        EXPECT_EQ(ink.outside, 0) << name << " paints outside its region";
    }
    EXPECT_EQ(sampled.size(), StyleSamples().size()) << "samples left for styles that no longer exist";
    EXPECT_THROW(FindStyle("no-such-style"), std::runtime_error);
}

// Extent of the ink in a canvas: {x0, y0, x1, y1}.
Rect InkBox(const Canvas& c, float threshold = 0.3f) {
    int x0 = c.width(), y0 = c.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.pixel(x, y).a > threshold) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    return {x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

TEST(PaintersTest, BulletsPointUpUnlessTurned) {
    Canvas upright(32, 32), turned(32, 32);
    PaintOne("bullets", R"("cell": [32, 32], "shape": "rice")", {0, 0, 32, 32}, upright);
    PaintOne("bullets", R"("cell": [32, 32], "shape": "rice", "turn": 90)", {0, 0, 32, 32}, turned);
    Rect up = InkBox(upright), side = InkBox(turned);
    EXPECT_GT(up.h, up.w + 6) << "a rice bullet is long along its heading";
    EXPECT_GT(side.w, side.h + 6) << "turned 90 degrees it lies across";
    EXPECT_THROW(PaintOne("bullets", R"("cell": [32, 16], "shape": "rice", "turn": 90)", {0, 0, 32, 16}, upright),
                 std::runtime_error);
}

// Line k of a dialogue picture is cut from y = k * h - 16, h high.
TEST(PaintersTest, DialogueLinesSitInTheBandsTheGameCuts) {
    const float pitch = 16.2f;
    Canvas c(320, 120);
    PaintOne("dialogue", R"("lines": ["甲乙丙丁戊", "己庚辛壬癸", "子丑寅卯辰", "巳午未申酉"], "lineHeight": 16.2)",
             {0, 0, 320, 120}, c);
    for (int k = 1; k <= 4; ++k) {
        int top = int(k * pitch - 16), bottom = int(k * pitch - 16 + pitch);
        int ink = 0;
        for (int y = std::max(0, top); y < bottom; ++y)
            for (int x = 0; x < 320; ++x) ink += c.pixel(x, y).a > 0.5f;
        EXPECT_GT(ink, 60) << "line " << k << " is not in its band";
    }
    // Nothing below the fourth line's band.
    Rect box = InkBox(c, 0.05f);
    EXPECT_LE(box.y + box.h, int(5 * pitch - 16) + 1);
}

// A spell name for row r and difficulty e lies in the 19-pixel slot at
// y = (e + 4r + 2) x 19.2 - 16 (rows past 31: right column, counted from 32),
// within the width the HUD cuts for that difficulty.
TEST(PaintersTest, SpellNamesSitInTheirSlots) {
    for (int row : {3, 40}) {
        Canvas c(640, 1000);
        int base = row > 31 ? 4 * row - 126 : 4 * row + 2;
        int x0 = row > 31 ? 320 : 0;
        std::string params = "\"row\": " + std::to_string(row) +
                             R"(, "names": ["壹符「甲」", "贰符「乙乙」", "叁符「丙丙丙」"], "widths": [60, 90, 120])";
        PaintOne("spell_name", params, {x0, 0, 320, 1000}, c);
        const int widths[3] = {60, 90, 120};
        for (int e = 0; e < 3; ++e) {
            float top = float(e + base) * 19.2f - 16;
            int inkInSlot = 0;
            for (int y = int(top); y < int(top) + 20; ++y)
                for (int x = x0; x < x0 + widths[e]; ++x) inkInSlot += c.pixel(x, y).a > 0.5f;
            EXPECT_GT(inkInSlot, 40) << "row " << row << " difficulty " << e;
        }
        Rect box = InkBox(c, 0.05f);
        EXPECT_GE(box.x, x0);
        EXPECT_LE(box.x + box.w, x0 + 120);
        EXPECT_GE(box.y, int(float(base) * 19.2f - 16));
        EXPECT_LE(box.y + box.h, int(float(base + 2) * 19.2f - 16 + 20));
    }
}

TEST(FontAtlasTest, GlyphCellsDoNotOverlapAndTheFntListsThemAll) {
    AtlasLayout layout = AsciiAtlasLayout("sans", 14, 16, 20, 16);
    EXPECT_EQ(layout.width, 256);
    EXPECT_EQ(layout.height, 120);
    ASSERT_EQ(layout.glyphs.size(), 95u);
    for (std::size_t i = 0; i < layout.glyphs.size(); ++i) {
        const AtlasGlyph& g = layout.glyphs[i];
        EXPECT_EQ(g.code, 32 + i);
        EXPECT_TRUE(Rect({0, 0, layout.width, layout.height}).contains({g.x, g.y, g.w, g.h}));
        EXPECT_LE(g.w, 16) << "glyph " << g.code << " spills into the next cell";
        EXPECT_GE(float(g.w), GlyphAdvance(g.code, "sans", 14)) << "glyph " << g.code << " is cut short";
    }
    std::string fnt = FntText("font0.png", layout);
    std::istringstream in(fnt);
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "[HGEFONT]");
    EXPECT_NE(fnt.find("Bitmap=font0.png\n"), std::string::npos);
    EXPECT_NE(fnt.find("Char=\"A\","), std::string::npos);
    EXPECT_NE(fnt.find("Char=22,"), std::string::npos) << "the quote character goes by its hex code";
    EXPECT_EQ(fnt.find("Char=\"\"\""), std::string::npos);
}

TEST(TextPainterTest, ChineseInALatinFaceFallsBackToAChineseFace) {
    Canvas c(64, 32);
    TextStyle s;
    s.face = "serif";
    s.size = 24;
    DrawText(c, {0, 0, 64, 32}, "鸦", s);
    Rect box = InkBox(c);
    EXPECT_GT(box.w, 12);
    EXPECT_GT(box.h, 12);
    EXPECT_GT(GlyphAdvance(0x9E26, "serif", 24), 12.0f);
}

TEST(TextPainterTest, LongTextShrinksToFitItsBox) {
    Canvas c(200, 40);
    TextStyle s;
    s.size = 30;
    DrawText(c, {20, 5, 80, 30}, "A rather long line of text", s);
    Rect box = InkBox(c, 0.05f);
    EXPECT_GE(box.x, 19);
    EXPECT_LE(box.x + box.w, 101);
    EXPECT_EQ(DecodeUtf8("a鸦"), (std::vector<unsigned>{'a', 0x9E26}));
}

}  // namespace
}  // namespace korvid
