#include <gtest/gtest.h>

#include "engine/Letterbox.h"

namespace korvid {
namespace {

TEST(Letterbox, PictureFitsWithItsAspectKeptAndCentred) {
    struct Case {
        int windowW, windowH, x, y, w, h;
    };
    const Case cases[] = {
        {640, 480, 0, 0, 640, 480},      // same size
        {1920, 1080, 240, 0, 1440, 1080},  // bars left and right
        {800, 1000, 0, 200, 800, 600},   // bars above and below
        {0, 480, 0, 0, 0, 0},            // minimised window
    };
    for (const Case& c : cases) {
        const ViewRect r = FitLetterbox(c.windowW, c.windowH, 640, 480);
        EXPECT_EQ(r.x, c.x) << c.windowW << "x" << c.windowH;
        EXPECT_EQ(r.y, c.y) << c.windowW << "x" << c.windowH;
        EXPECT_EQ(r.w, c.w) << c.windowW << "x" << c.windowH;
        EXPECT_EQ(r.h, c.h) << c.windowW << "x" << c.windowH;
    }
}

TEST(Letterbox, WindowPointsMapToGamePixels) {
    const ViewRect r = FitLetterbox(1280, 720, 640, 480);  // 960 x 720 at x = 160
    float gx = 0, gy = 0;
    WindowToGame(r, 640, 480, 640.0f, 360.0f, &gx, &gy);
    EXPECT_FLOAT_EQ(gx, 320.0f);
    EXPECT_FLOAT_EQ(gy, 240.0f);
    WindowToGame(r, 640, 480, 10.0f, 10.0f, &gx, &gy);  // on the left bar
    EXPECT_LT(gx, 0.0f);
}

}  // namespace
}  // namespace korvid
