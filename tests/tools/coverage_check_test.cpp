// The coverage check reads texels the way the engine samples them: surfaces
// padded to powers of two, repeating past their edges.
#include <gtest/gtest.h>

#include <sstream>

#include "CoverageCheck.h"
#include "Manifest.h"

namespace korvid {
namespace {

TEST(CoverageCheck, RectanglesPastTheSurfaceRepeatAndPaddingIsBare) {
    const packgen::Manifest m = packgen::Manifest::parse(R"({"files": [
        {"name": "Graphics/wall.png", "size": [256, 256], "regions": [
            {"style": "solid", "x": 0, "y": 0, "w": 256, "h": 256, "colors": ["#808080"]}]},
        {"name": "Graphics/odd.png", "size": [200, 100], "regions": [
            {"style": "solid", "x": 0, "y": 0, "w": 200, "h": 100, "colors": ["#808080"]}]}]})");
    // The last strips of a scenery wall read 32 rows past its bottom edge.
    std::istringstream log("Graphics/wall.png 0 256 256 32\n"
                           "Graphics/wall.png -16 0 32 32\n"
                           "Graphics/odd.png 0 0 200 100\n"
                           "Graphics/odd.png 190 0 40 16\n");
    const std::vector<std::string> problems = packgen::FindUnpaintedRects(m, log);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("odd.png rectangle (190, 0, 40, 16) is not painted at (200, 1)"), std::string::npos)
        << problems[0];
}

}  // namespace
}  // namespace korvid
