// The staff roll and the manual drawn with the stand-in pack: the credits
// and the page show, the tabs stand side by side above the page, and
// everything drawn comes from painted parts of the pack.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "CoverageCheck.h"
#include "app/Boot.h"
#include "engine/EngineTestKit.h"
#include "engine/HeadlessEngine.h"
#include "game/FrameSteps.h"
#include "game/Game.h"
#include "menus/MusicRoom.h"
#include "menus/TitleMenus.h"
#include "support/TestPaths.h"

namespace korvid {
namespace {

struct PictureRun {
    testing::TempDir dir;
    std::unique_ptr<Engine> engine = testing::StartHeadless(dir);
    std::ostringstream drawn;
    std::unique_ptr<Game> game;

    PictureRun() {
        engine->Resource_AttachPack(korvid::test::BinaryPath("/gamedat.zip").c_str(), kPackPassword);
        engine->Shell_SetQuadLogger([this](const std::string& file, float x0, float y0, float x1, float y1) {
            drawn << file << ' ' << std::lround(x0) << ' ' << std::lround(y0) << ' ' << std::lround(x1 - x0) << ' '
                  << std::lround(y1 - y0) << '\n';
        });
        game = std::make_unique<Game>(*engine);
        game->uiSprite = std::make_unique<Sprite>(*engine, 0, 0, 0, 0, 0);
    }
    void expectAllPainted() {
        const packgen::Manifest manifest =
            packgen::Manifest::load(korvid::test::SourcePath("/tools/packgen/manifest.json").c_str());
        std::istringstream log(drawn.str());
        for (const std::string& miss : packgen::FindUnpaintedRects(manifest, log)) ADD_FAILURE() << miss;
    }
};

// Pixels of a rectangle brighter than `level` in any channel.
int brightPixels(const ArgbImage& p, int x0, int y0, int x1, int y1, int level) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const std::uint32_t c = testing::PixelAt(p, x, y);
            const std::uint32_t l = static_cast<std::uint32_t>(level);
            if (((c >> 16) & 0xFF) > l || ((c >> 8) & 0xFF) > l || (c & 0xFF) > l) ++n;
        }
    return n;
}

TEST(MenuPictures, TheStaffRollShowsTheSkyAndTheCredits) {
    if (!testing::OffscreenGlAvailable()) GTEST_SKIP() << "no OpenGL 3.3 on SDL's offscreen driver here";
    PictureRun run;
    GameState& s = run.game->state;
    s.textures[34] = run.engine->Texture_Load("Graphics/staff.jpg");
    s.textures[35] = run.engine->Texture_Load("Graphics/staff2.png");
    s.screen = 11;
    const ArgbImage picture = testing::RenderFrames(*run.engine, run.dir, 1300, 1300, 0xFF000000,
                                                    [&](int) { StaffRollFrame(*run.game); });
    ASSERT_EQ(picture.width, 640);
    testing::WriteImage(korvid::test::BinaryPath("/staff_roll.png").c_str(), picture.pixels, picture.width, picture.height);
    EXPECT_GT(brightPixels(picture, 0, 0, 270, 480, 20), 270 * 480 / 2);  // the night sky, opaque by now
    EXPECT_GT(brightPixels(picture, 280, 0, 640, 480, 180), 800);       // white lettering of the credits
    run.expectAllPainted();
}

TEST(MenuPictures, TheManualShowsItsTabsAboveThePage) {
    if (!testing::OffscreenGlAvailable()) GTEST_SKIP() << "no OpenGL 3.3 on SDL's offscreen driver here";
    PictureRun run;
    GameState& s = run.game->state;
    s.screen = 9;
    s.musicRoomSelected = 0;
    SetSubMenuTexture(*run.game, "Graphics/manual_menu.png");
    s.menuCursor = 2;
    const ArgbImage picture = testing::RenderFrames(*run.engine, run.dir, 3, 3, 0xFF000000,
                                                    [&](int) { RunManual(*run.game); });
    ASSERT_EQ(picture.width, 640);
    testing::WriteImage(korvid::test::BinaryPath("/manual_page.png").c_str(), picture.pixels, picture.width, picture.height);
    // Five tabs of 110 pixels from x 0: each shows its own middle.
    for (int i = 0; i < 5; ++i)
        EXPECT_GT(brightPixels(picture, 110 * i + 20, 14, 110 * i + 90, 36, 40), 100) << "tab " << i;
    EXPECT_GT(brightPixels(picture, 20, 100, 600, 300, 150), 1000);  // the page's text
    run.expectAllPainted();
}

}  // namespace
}  // namespace korvid
