// Building single manifest entries: pictures with a clear colour, the bitmap
// font's two members, and the preview used to look at the pack.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <string>

// packgen's sources are compiled into the tests directly (the painters,
// audio, zip and manifest sources come in through the other tools tests).
#include "ImageFile.h"
#include "NameEncoding.h"
#include "PackBuilder.h"
#include "Preview.h"

namespace korvid {
namespace {

using namespace packgen;

struct Decoded {
    int w = 0, h = 0;
    std::vector<std::uint32_t> argb;
};

Decoded DecodePicture(const std::vector<std::uint8_t>& bytes) {
    Decoded d;
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), int(bytes.size()));
    SDL_Surface* s = rw ? IMG_Load_RW(rw, 1) : nullptr;
    if (!s) return d;
    SDL_Surface* a = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(s);
    d.w = a->w;
    d.h = a->h;
    SDL_LockSurface(a);
    for (int y = 0; y < a->h; ++y)
        for (int x = 0; x < a->w; ++x)
            d.argb.push_back(reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(a->pixels) +
                                                                     y * a->pitch)[x]);
    SDL_UnlockSurface(a);
    SDL_FreeSurface(a);
    return d;
}

TEST(PackBuilderTest, PicturesKeepTheirSizeAndClearPixelsTakeTheClearColour) {
    Manifest m = Manifest::parse(R"({"files": [{"name": "Graphics/m.png", "size": [40, 20], "clearColour": "#ffffff",
        "regions": [{"style": "solid", "x": 0, "y": 0, "w": 10, "h": 20, "colors": ["#804020"]}]}]})");
    std::vector<PackMember> built = BuildEntry(m.files()[0]);
    ASSERT_EQ(built.size(), 1u);
    EXPECT_EQ(built[0].name, "Graphics/m.png");
    Decoded d = DecodePicture(built[0].data);
    ASSERT_EQ(d.w, 40);
    ASSERT_EQ(d.h, 20);
    EXPECT_EQ(d.argb[5], 0xFF804020u);
    EXPECT_EQ(d.argb[30], 0x00FFFFFFu);
}

TEST(PackBuilderTest, JpegsAreOpaque) {
    Manifest m = Manifest::parse(R"({"files": [{"name": "a.jpg", "size": [16, 16], "quality": 95,
        "regions": [{"style": "solid", "x": 0, "y": 0, "w": 16, "h": 8, "colors": ["#ffffff"]}]}]})");
    Decoded d = DecodePicture(BuildEntry(m.files()[0])[0].data);
    ASSERT_EQ(d.w, 16);
    EXPECT_EQ(d.argb[0] >> 24, 0xFFu);
    EXPECT_EQ(d.argb[15 * 16] >> 24, 0xFFu) << "the unpainted half is flattened to opaque black";
    EXPECT_LT(d.argb[15 * 16] & 0xFF, 0x10u);
}

TEST(PackBuilderTest, ABitmapFontGivesItsDescriptionAndItsPictureInOneFolder) {
    Manifest m = Manifest::parse(R"({"files": [{"name": "Graphics/font0.fnt", "kind": "font", "bitmap": "font0.png",
        "face": "sans", "size": 12, "cell": [14, 18], "columns": 16}]})");
    std::vector<PackMember> built = BuildEntry(m.files()[0]);
    ASSERT_EQ(built.size(), 2u);
    EXPECT_EQ(built[0].name, "Graphics/font0.fnt");
    EXPECT_EQ(built[1].name, "Graphics/font0.png");
    std::string fnt(built[0].data.begin(), built[0].data.end());
    EXPECT_EQ(fnt.rfind("[HGEFONT]\n", 0), 0u);
    Decoded atlas = DecodePicture(built[1].data);
    EXPECT_EQ(atlas.w, 14 * 16);
    EXPECT_EQ(atlas.h, 18 * 6);
}

TEST(PackBuilderTest, ErrorsNameTheEntry) {
    Manifest m = Manifest::parse(R"({"files": [{"name": "Graphics/x.png", "size": [8, 8],
        "regions": [{"style": "nonsense", "x": 0, "y": 0, "w": 8, "h": 8}]}]})");
    try {
        BuildEntry(m.files()[0]);
        FAIL() << "an unknown style must stop the build";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("Graphics/x.png"), std::string::npos) << e.what();
    }
}

TEST(NameEncodingTest, ChineseNamesAreStoredInGbkAsciiOnesUnchanged) {
    EXPECT_EQ(ToGbk("Graphics/logo.png"), "Graphics/logo.png");
    EXPECT_EQ(ToGbk("按键设置.ini"), "\xB0\xB4\xBC\xFC\xC9\xE8\xD6\xC3.ini");
    EXPECT_THROW(ToGbk("\xF0\x9F\x98\x80"), std::runtime_error) << "an emoji has no GBK form";
}

TEST(PreviewTest, FlattensOverACheckerboardAndScales) {
    Canvas c(4, 2);
    c.over(0, 0, {1, 0, 0, 1});
    std::vector<std::uint8_t> png = EncodePng(c);
    Decoded big = DecodePicture(PreviewPng(png, 3)), small = DecodePicture(PreviewPng(png, -2));
    EXPECT_EQ(big.w, 12);
    EXPECT_EQ(big.h, 6);
    EXPECT_EQ(small.w, 2);
    EXPECT_EQ(big.argb[0], 0xFFFF0000u);
    EXPECT_EQ(big.argb[11] >> 24, 0xFFu) << "transparent pixels become the opaque checkerboard";
    EXPECT_TRUE(PreviewPng({1, 2, 3}, 1).empty());
}

}  // namespace
}  // namespace korvid
