// The headless game needs no display: its screenshot of the logo is a real
// picture.
#include <gtest/gtest.h>

#include <SDL_image.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <unistd.h>
#include "support/TestPaths.h"

namespace fs = std::filesystem;

namespace korvid {
namespace {

TEST(HeadlessBoot, ScreenshotOfTheLogoWithoutADisplay) {
    const fs::path dir = fs::temp_directory_path() / ("korvid-boot-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    const std::string png = (dir / "frame.png").string();
    const std::string cmd = "env -u DISPLAY -u WAYLAND_DISPLAY " + korvid::test::BinaryDir() +
                            "/korvid --headless --dir " + (dir / "game").string() +
                            " --frames 120 --screenshot 100:" + png + " > /dev/null 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    // The first start made the game folder.
    EXPECT_TRUE(fs::is_directory(dir / "game" / "Replay"));
    EXPECT_TRUE(fs::exists(dir / "game" / "score.dat"));

    SDL_Surface* raw = IMG_Load(png.c_str());
    ASSERT_NE(raw, nullptr) << IMG_GetError();
    SDL_Surface* s = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(raw);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->w, 640);
    EXPECT_EQ(s->h, 480);
    // A picture, not a cleared screen: many colours, all opaque.
    std::set<std::uint32_t> colours;
    bool opaque = true;
    for (int y = 0; y < s->h; y += 4) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < s->w; x += 4) {
            colours.insert(row[x] & 0xFFFFFF);
            opaque = opaque && (row[x] >> 24) == 0xFF;
        }
    }
    SDL_FreeSurface(s);
    EXPECT_TRUE(opaque);
    EXPECT_GT(colours.size(), 200u);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace korvid
