#include "engine/BitmapFont.h"

#include <gtest/gtest.h>

#include "support/RecordingEngine.h"

namespace korvid {
namespace {

class BitmapFontTest : public ::testing::Test {
protected:
    test::RecordingEngine engine;
    void SetUp() override {
        engine.textureFiles["Graphics\\fonts/font0.png"] = 3;
        engine.textureFiles["Graphics/font0.png"] = 3;
        engine.textureSizes[3] = {256, 256};
    }
};

TEST_F(BitmapFontTest, ParsesQuotedAndHexCharactersWithCrlf) {
    engine.files["Graphics/font0.fnt"] =
        "[HGEFONT]\r\n"
        "Bitmap=font0.png\r\n"
        "Char=\"A\",10,20,12,16,1,2\r\n"
        "Char=42,30,20,12,18,0,1\r\n"
        "Char=ff,0,0,5,5,0,0\r\n"
        "Char=1FF,0,0,5,5,0,0\r\n"   // above 255: skipped
        "Char=\"C\",1,2,3\r\n"        // fewer than six numbers: skipped
        "Something else\r\n";
    BitmapFont f(engine, "Graphics/font0.fnt");
    EXPECT_EQ(f.texture(), 3u);
    ASSERT_NE(f.glyph('A'), nullptr);
    ASSERT_NE(f.glyph('B'), nullptr);
    ASSERT_NE(f.glyph(0xFF), nullptr);
    EXPECT_EQ(f.glyph('C'), nullptr);
    EXPECT_EQ(f.glyphCount(), 3);
    EXPECT_FLOAT_EQ(f.preSpacing('A'), 1);
    EXPECT_FLOAT_EQ(f.postSpacing('A'), 2);
    EXPECT_FLOAT_EQ(f.lineHeight(), 18);
    float x, y, w, h;
    f.glyph('B')->GetTextureRect(&x, &y, &w, &h);
    EXPECT_FLOAT_EQ(x, 30);
    EXPECT_FLOAT_EQ(h, 18);
    EXPECT_EQ(f.glyph('A')->GetTexture(), 3u);
}

TEST_F(BitmapFontTest, SettingsApplyToEveryGlyph) {
    engine.files["Graphics/font0.fnt"] = "[HGEFONT]\nBitmap=font0.png\nChar=\"A\",0,0,8,8,0,0\nChar=\"B\",8,0,8,8,0,0\n";
    BitmapFont f(engine, "Graphics/font0.fnt");
    f.SetZ(0.1f);
    f.SetColor(0xFF00FF00);
    EXPECT_FLOAT_EQ(f.glyph('A')->GetZ(), 0.1f);
    EXPECT_EQ(f.glyph('B')->GetColor(), 0xFF00FF00u);
    f.Render(0, 0, "AB?");
    EXPECT_EQ(engine.quads.size(), 2u);
}

TEST_F(BitmapFontTest, BadFirstLineLogsAndLeavesTheFontEmpty) {
    engine.files["x.fnt"] = "[NOTAFONT]\nBitmap=font0.png\nChar=\"A\",0,0,8,8,0,0\n";
    BitmapFont f(engine, "x.fnt");
    EXPECT_EQ(f.glyphCount(), 0);
    ASSERT_EQ(engine.log.size(), 1u);
    EXPECT_EQ(engine.log[0], "Font x.fnt has incorrect format.");
}

TEST_F(BitmapFontTest, MissingFileOrTextureStopsQuietly) {
    BitmapFont missing(engine, "nothing.fnt");
    EXPECT_EQ(missing.glyphCount(), 0);
    engine.files["f.fnt"] = "[HGEFONT]\nBitmap=absent.png\nChar=\"A\",0,0,8,8,0,0\n";
    BitmapFont noTexture(engine, "f.fnt");
    EXPECT_EQ(noTexture.glyphCount(), 0);
    EXPECT_TRUE(engine.log.empty());
}

TEST_F(BitmapFontTest, HostileLinesDoNotOverrun) {
    std::string longName(5000, 'x');
    engine.files["h.fnt"] = "[HGEFONT]\nBitmap=" + longName + "\nChar=\"\nChar=\nChar=zz,1,1,1,1,1,1\nChar=\"\xE9\",0,0,4,4,0,0\n";
    engine.textureFiles[longName] = 5;
    BitmapFont f(engine, "h.fnt");
    EXPECT_EQ(f.texture(), 5u);
    EXPECT_NE(f.glyph(0xE9), nullptr);  // high bytes are characters, not negative indices
    EXPECT_EQ(f.glyphCount(), 1);
}

}  // namespace
}  // namespace korvid
