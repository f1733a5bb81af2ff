#include "engine/GlyphFont.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <vector>

#include "EngineTestKit.h"
#include "engine/GbkChars.h"
#include "engine/GlyphRaster.h"
#include "support/RecordingEngine.h"

namespace korvid {
namespace {

// The recording engine with real CPU textures, so the atlas can be filled
// and inspected.
class AtlasEngine : public test::RecordingEngine {
public:
    struct Surface {
        int side;
        std::vector<std::uint32_t> texels;
    };
    std::map<HTEXTURE, Surface> surfaces;
    HTEXTURE next = 1;

    HTEXTURE Texture_Create(int w, int h) override {
        surfaces[next] = Surface{w, std::vector<std::uint32_t>(std::size_t(w) * std::size_t(h), 0)};
        return next++;
    }
    void Texture_Free(HTEXTURE t) override {
        freed.push_back(t);
        surfaces.erase(t);
    }
    int Texture_GetWidth(HTEXTURE t, bool) override { return surfaces.count(t) ? surfaces[t].side : 0; }
    int Texture_GetHeight(HTEXTURE t, bool) override { return surfaces.count(t) ? surfaces[t].side : 0; }
    std::uint32_t* Texture_Lock(HTEXTURE t, bool, int, int, int, int) override {
        return surfaces.count(t) ? surfaces[t].texels.data() : nullptr;
    }
};

bool FacesInstalled() {
    return FindFontFile(MappedFamily("宋体")).path.find("uming") != std::string::npos &&
           FindFontFile(MappedFamily("黑体")).path.find("wqy-zenhei") != std::string::npos;
}

float Left(const Quad& q) { return std::min({q.v[0].x, q.v[1].x, q.v[2].x, q.v[3].x}); }

TEST(GlyphFontText, Utf8BecomesUtf16WithBadBytesReplaced) {
    EXPECT_EQ(Utf16FromUtf8("A中文"), u"A中文");
    EXPECT_EQ(Utf16FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");          // overlong '/'
    EXPECT_EQ(Utf16FromUtf8("a\xE4\xB8"), u"a\uFFFD\uFFFD");        // cut short
    EXPECT_EQ(Utf16FromUtf8("\xF0\x9F\x98\x80!"), u"\uFFFD!");       // past U+FFFF
    EXPECT_EQ(Utf16FromUtf8("\xED\xA0\x80"), u"\uFFFD");            // a surrogate
}

TEST(GlyphFontFaces, WindowsNamesFindTheDebianSongAndHeiFaces) {
    EXPECT_EQ(MappedFamily("宋体"), "AR PL UMing CN");
    EXPECT_EQ(MappedFamily("黑体"), "WenQuanYi Zen Hei");
    EXPECT_EQ(MappedFamily("Sans"), "Sans");
    if (!FacesInstalled()) GTEST_SKIP() << "fonts-arphic-uming or fonts-wqy-zenhei missing";
    GlyphRaster mono("宋体", 14, false, false, false);
    ASSERT_TRUE(mono.loaded());
    GlyphBitmap b;
    ASSERT_TRUE(mono.render(U'字', b));
    EXPECT_GT(b.width, 6);
    EXPECT_TRUE(std::all_of(b.coverage.begin(), b.coverage.end(), [](std::uint8_t v) { return v == 0 || v == 255; }));
    // The Song face has no Cyrillic; the fallback face does.
    EXPECT_TRUE(mono.render(U'Ж', b));
    EXPECT_FALSE(mono.render(U'\uE000', b));  // private use: no face has it
}

TEST(GlyphFontText, GbkPairsConvertAndInvalidPairsBecomeZero) {
    const char text[] = "\xC4\xE3\xBA\xC3\x81\x7F\x41\x42";  // "你好", a bad trail byte, two ASCII bytes
    char16_t out[4];
    ASSERT_EQ(Utf16FromGbkPairs(text, 4, out), 4u);
    EXPECT_EQ(out[0], u'你');
    EXPECT_EQ(out[1], u'好');
    EXPECT_EQ(out[2], 0);
    EXPECT_EQ(out[3], 0);
}

TEST(GlyphFontFaces, RowsOfADownwardOrUpwardBitmap) {
    const std::uint8_t rows[3][2] = {{1, 1}, {2, 2}, {3, 3}};
    const std::uint8_t* buffer = &rows[0][0];
    EXPECT_EQ(*BitmapRow(buffer, 2, 3, 0), 1);
    EXPECT_EQ(*BitmapRow(buffer, 2, 3, 2), 3);
    // Negative pitch: memory holds the bottom row first.
    EXPECT_EQ(*BitmapRow(buffer, -2, 3, 0), 3);
    EXPECT_EQ(*BitmapRow(buffer, -2, 3, 2), 1);
}

class GlyphFontLayout : public ::testing::Test {
protected:
    void SetUp() override {
        if (!FacesInstalled()) GTEST_SKIP() << "Chinese faces missing";
    }
    AtlasEngine engine;
};

TEST_F(GlyphFontLayout, FixedPitchGridScaledAlikeForDrawnBlankAndMissingCharacters) {
    GlyphFont font(engine, "黑体", 16);
    EXPECT_EQ(font.LayoutAdvance(u'A'), 8);
    EXPECT_EQ(font.LayoutAdvance(u'中'), 16);
    // "A", a space, a missing character (full width: it is past U+2000), "B":
    // every step is its grid advance x 2.
    font.Render(100, 50, kAlignLeft, u"A \uE000B", 2.0f);
    ASSERT_EQ(engine.quads.size(), 2u);
    const GlyphInfo& a = font.Glyph(u'A');
    const GlyphInfo& b = font.Glyph(u'B');
    EXPECT_FLOAT_EQ(Left(engine.quads[0]), 100 - a.xOffset * 2);
    EXPECT_FLOAT_EQ(Left(engine.quads[1]), 100 + (8 + 8 + 16) * 2 - b.xOffset * 2);
    // A space exists but has no picture.
    EXPECT_TRUE(font.Glyph(u' ').exists);
    EXPECT_EQ(font.Glyph(u' ').texture, 0u);
    EXPECT_FALSE(font.Glyph(0xE000).exists);
}

TEST_F(GlyphFontLayout, LinesAreCentredAndRightAlignedOnTheirMeasuredWidth) {
    GlyphFont font(engine, "黑体", 16);
    float w = 0, h = 0;
    font.GetTextSize(u"中中\nA", &w, &h);
    EXPECT_EQ(w, 32);
    EXPECT_EQ(h, 32);

    font.Render(200, 0, kAlignCenter, u"中中\nA", 1.5f);
    ASSERT_EQ(engine.quads.size(), 3u);
    const GlyphInfo& zh = font.Glyph(u'中');
    const GlyphInfo& a = font.Glyph(u'A');
    EXPECT_FLOAT_EQ(Left(engine.quads[0]), 200 - 32 * 1.5f / 2 - zh.xOffset * 1.5f);
    EXPECT_FLOAT_EQ(Left(engine.quads[2]), 200 - 8 * 1.5f / 2 - a.xOffset * 1.5f);
    // The second line is one scaled line lower.
    EXPECT_NEAR(engine.quads[2].v[0].y - engine.quads[0].v[0].y, 16 * 1.5f + (zh.yOffset - a.yOffset) * 1.5f, 1e-3);

    engine.quads.clear();
    font.SetTracking(2);
    font.Render(300, 0, kAlignRight, u"AA", 1.0f);
    ASSERT_EQ(engine.quads.size(), 2u);
    EXPECT_FLOAT_EQ(Left(engine.quads[0]), 300 - 20 - a.xOffset);
}

TEST_F(GlyphFontLayout, GlyphsAreMadeOnceIntoSharedAtlasPages) {
    GlyphFont font(engine, "黑体", 18);
    font.Print(0, 0, kAlignLeft, "中文字体");
    ASSERT_EQ(font.AtlasPageCount(), 1);
    const HTEXTURE page = font.Glyph(u'中').texture;
    EXPECT_EQ(font.Glyph(u'体').texture, page);
    for (const Quad& q : engine.quads) EXPECT_EQ(q.tex, page);
    // Texels of each glyph sit in its own rectangle and carry its coverage.
    const GlyphInfo& g = font.Glyph(u'文');
    const auto& surface = engine.surfaces[page];
    int inked = 0;
    for (int y = 0; y < int(g.height); ++y)
        for (int x = 0; x < int(g.width); ++x)
            inked += (surface.texels[std::size_t(g.texY + y) * surface.side + std::size_t(g.texX + x)] >> 24) > 128;
    EXPECT_GT(inked, 20);
    // Drawing again makes nothing new; a few hundred more fill further pages.
    font.Print(0, 0, kAlignLeft, "中文字体");
    EXPECT_EQ(font.AtlasPageCount(), 1);
    std::u16string many;
    for (char16_t c = 0x4E00; c < 0x4E00 + 600; ++c) many += c;
    font.Render(0, 0, kAlignLeft, many);
    EXPECT_GE(font.AtlasPageCount(), 2);
    EXPECT_LE(font.AtlasPageCount(), 6);
}

TEST_F(GlyphFontLayout, TextIsNeverAFormat) {
    GlyphFont font(engine, "黑体", 16);
    font.Printf(0, 0, kAlignLeft, 1.0f, "%s", "%d%n%s");  // the argument is text
    EXPECT_EQ(engine.quads.size(), 6u);
    engine.quads.clear();
    font.Print(0, 0, kAlignLeft, "100%s");
    EXPECT_EQ(engine.quads.size(), 5u);
    engine.quads.clear();
    // Longer than any fixed buffer.
    const std::string lots(20000, 'x');
    font.Printf(0, 0, kAlignLeft, 1.0f, "%s!", lots.c_str());
    EXPECT_EQ(engine.quads.size(), 20001u);
}

TEST(GlyphFontPicture, ALineOfChineseOnTheHeadlessEngine) {
    if (!testing::OffscreenGlAvailable() || !FacesInstalled()) GTEST_SKIP() << "no offscreen GL or fonts";
    testing::TempDir dir;
    auto engine = testing::StartHeadless(dir);
    GlyphFont font(*engine, "黑体", 18);
    GlyphFont song(*engine, "宋体", 14, false, false, false);
    const ArgbImage image = testing::RenderFrames(*engine, dir, 2, 2, 0xFF000000, [&](int) {
        font.SetColor(0xFFFFFFFF);
        font.Print(320, 200, kAlignCenter, "鸦羽之夜 · 录像 01", 2.0f);
        song.SetColor(0xFFFFFF00);
        song.Print(20, 300, kAlignLeft, "宋体：文本框里的名字 ABC 123");
    });
    if (const char* out = std::getenv("KORVID_SHOT_DIR"))
        testing::WriteImage(std::string(out) + "/glyph_font.png", image.pixels, image.width, image.height);
    ASSERT_EQ(image.width, 640);
    // The centred line stands on both sides of x = 320, and the Song line is yellow.
    int leftInk = 0, rightInk = 0, yellow = 0;
    for (int y = 190; y < 250; ++y)
        for (int x = 100; x < 540; ++x)
            if (testing::Channel(testing::PixelAt(image, x, y), 16) > 128) ++(x < 320 ? leftInk : rightInk);
    for (int y = 295; y < 320; ++y)
        for (int x = 20; x < 300; ++x) {
            const std::uint32_t p = testing::PixelAt(image, x, y);
            yellow += testing::Channel(p, 16) > 200 && testing::Channel(p, 8) > 200 && testing::Channel(p, 0) < 60;
        }
    EXPECT_GT(leftInk, 200);
    EXPECT_GT(rightInk, 200);
    EXPECT_GT(yellow, 100);
}

}  // namespace
}  // namespace korvid
