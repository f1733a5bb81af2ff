// Everything the game draws must come from painted parts of the stand-in
// pack: a scripted tour of the title, its menus and play logs every texture
// rectangle drawn, and each one must lie on a painted region of its file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "CoverageCheck.h"
#include "PackTestSupport.h"
#include "support/TestPaths.h"

namespace fs = std::filesystem;

namespace korvid {
namespace {

constexpr const char* kTour =
    "# settings and key configuration\n"
    "210 DOWN\n214 DOWN\n218 DOWN\n222 DOWN\n230 RETURN\n260 RETURN\n300 ESCAPE\n330 ESCAPE\n"
    "# practice: difficulty and stage list, then back\n"
    "350 UP\n354 UP\n360 RETURN\n380 RETURN\n410 ESCAPE\n430 ESCAPE\n"
    "# the extra card\n"
    "450 DOWN\n455 RETURN\n480 ESCAPE\n"
    "# start: second difficulty, every character, then play\n"
    "500 RETURN\n520 DOWN\n560 RETURN\n590 RIGHT\n620 RIGHT\n650 RIGHT\n680 Z\n"
    "700-900 UP+Z\n900-1000 SHIFT+Z+LEFT\n1000 X\n";

TEST(PackCoverage, EverythingDrawnIsPainted) {
    const fs::path dir = fs::temp_directory_path() / ("korvid-coverage-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "tour.txt") << kTour;
    const std::string log = (dir / "drawn.txt").string();
    const auto run = packtest::RunCommand(korvid::test::BinaryDir() + "/korvid --headless --dir " +
                                         (dir / "game").string() + " --keys " + (dir / "tour.txt").string() +
                                         " --frames 1100 --print-state --coverage-log " + log);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("screen=10 stage=1"), std::string::npos) << run.output;

    const packgen::Manifest manifest = packgen::Manifest::load(korvid::test::SourcePath("/tools/packgen/manifest.json").c_str());
    std::ifstream in(log);
    ASSERT_TRUE(in) << "no coverage log";
    std::stringstream all;
    all << in.rdbuf();
    const std::string text = all.str();
    // The tour reaches the title picture, the menus and the ship.
    for (const char* file : {"Graphics/title.jpg", "Graphics/titlechose.png", "Graphics/chose2.png",
                             "Graphics/chose3.png", "Graphics/chosewing.png", "Graphics/stagechose.png",
                             "Graphics/myshipb.png", "Graphics/window.png"})
        EXPECT_NE(text.find(file), std::string::npos) << file << " was never drawn";
    std::istringstream lines(text);
    for (const std::string& problem : packgen::FindUnpaintedRects(manifest, lines)) ADD_FAILURE() << problem;
    fs::remove_all(dir);
}

}  // namespace
}  // namespace korvid
