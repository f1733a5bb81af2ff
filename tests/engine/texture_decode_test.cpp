// Pictures from a pack are taken only as PNG, JPEG or BMP, and one whose
// header declares more than a texture can hold is refused before decoding:
// a player's pack of a few bytes must not make the game reserve gigabytes.
#include <gtest/gtest.h>

#include <SDL.h>

#include <string>
#include <vector>

#include "engine/EngineTestKit.h"
#include "engine/ImageCodec.h"
#include "engine/TempDir.h"
#include "engine/TextureDecode.h"
#include "tools/PackTestSupport.h"

namespace korvid {
namespace {

using Bytes = std::vector<std::uint8_t>;

void putBigEndian(Bytes& b, std::size_t at, std::uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i, v >>= 8) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v);
}

TEST(TextureDecode, SizesComeFromTheHeaderAndTooLargeIsRefusedUndecoded) {
    testing::TempDir dir;
    const std::vector<std::uint32_t> pixels(5 * 3, 0xFF336699u);
    ASSERT_TRUE(testing::WriteImage(dir.file("p.png"), pixels, 5, 3));
    ASSERT_TRUE(testing::WriteImage(dir.file("p.jpg"), pixels, 5, 3, /*jpeg=*/true));
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 5, 3, 32, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_EQ(SDL_SaveBMP(s, dir.file("p.bmp").c_str()), 0);
    SDL_FreeSurface(s);

    for (const char* name : {"p.png", "p.jpg", "p.bmp"}) {
        const Bytes b = packtest::ReadFileBytes(dir.file(name));
        int w = 0, h = 0;
        ASSERT_TRUE(ReadImageSize(b.data(), b.size(), w, h)) << name;
        EXPECT_EQ(w, 5) << name;
        EXPECT_EQ(h, 3) << name;
        const auto t = DecodeTexture(b.data(), b.size(), name);
        ASSERT_TRUE(t.has_value()) << name;
        EXPECT_EQ(t->imageWidth, 5);
        EXPECT_EQ(t->imageHeight, 3);
    }

    // The same files declaring one column more than a texture holds.
    Bytes png = packtest::ReadFileBytes(dir.file("p.png"));
    putBigEndian(png, 16, kMaxTextureSide + 1, 4);
    Bytes jpg = packtest::ReadFileBytes(dir.file("p.jpg"));
    std::size_t sof = 2;
    while (sof + 4 < jpg.size() && !(jpg[sof + 1] >= 0xC0 && jpg[sof + 1] <= 0xC2))
        sof += 2 + (std::size_t{jpg[sof + 2]} << 8 | jpg[sof + 3]);
    ASSERT_LT(sof + 9, jpg.size());
    putBigEndian(jpg, sof + 7, kMaxTextureSide + 1, 2);
    for (const Bytes* b : {&png, &jpg}) {
        int w = 0, h = 0;
        ASSERT_TRUE(ReadImageSize(b->data(), b->size(), w, h));
        EXPECT_EQ(w, kMaxTextureSide + 1);
        EXPECT_FALSE(DecodeTexture(b->data(), b->size(), "big").has_value());
    }

    // Formats no pack of the game holds are not handed to their decoders.
    static const char pnm[] = "P6\n2 1\n255\n\xFF\x01\x01\x01\xFF\x01";
    ArgbImage image;
    EXPECT_FALSE(DecodeImage(reinterpret_cast<const std::uint8_t*>(pnm), sizeof pnm - 1, image));
}

}  // namespace
}  // namespace korvid
