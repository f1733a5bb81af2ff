// Stage 2's picture tour: the opening waves (sky, floor, scouts), the
// mid-boss, and each of the boss's cards with its backdrop, played headless
// with the texture rectangles logged; every rectangle drawn must lie on a
// painted region of its file in the stand-in pack.
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

struct Leg {
    const char* args;
    int frames;
};
// The ship holds fire and stays low (the default keys: none; bombs are off
// the table), long enough for each scene's bullets to spread.
constexpr Leg kLegs[] = {
    {"--practice 2 --difficulty 2", 1500},
    {"--practice 2 --difficulty 2 --boss 8", 300},
    {"--practice 2 --difficulty 1 --boss 10", 400},
    {"--practice 2 --difficulty 0 --boss 12", 400},
    {"--practice 2 --difficulty 2 --boss 13", 400},
};

TEST(Stage2Pictures, EverythingStageTwoDrawsIsPainted) {
    const fs::path dir = fs::temp_directory_path() / ("korvid-stage2-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const packgen::Manifest manifest =
        packgen::Manifest::load(korvid::test::SourcePath("/tools/packgen/manifest.json").c_str());
    std::string all;
    for (const Leg& leg : kLegs) {
        const std::string log = (dir / "drawn.txt").string();
        const auto run = packtest::RunCommand(korvid::test::BinaryDir() + "/korvid --headless --dir " +
                                             (dir / "game").string() + " " + leg.args + " --frames " +
                                             std::to_string(leg.frames) + " --print-state --coverage-log " + log);
        ASSERT_EQ(run.exitCode, 0) << leg.args << "\n" << run.output;
        EXPECT_NE(run.output.find("stage=2"), std::string::npos) << leg.args << "\n" << run.output;
        std::ifstream in(log);
        ASSERT_TRUE(in) << "no coverage log for " << leg.args;
        std::stringstream text;
        text << in.rdbuf();
        all += text.str();
    }
    // The tour reaches the sky, the floor, the airship and the card picture.
    for (const char* file : {"Graphics/backam7.png", "Graphics/backam8.png", "Graphics/stg2enm.png",
                             "Graphics/backam9.png"})
        EXPECT_NE(all.find(file), std::string::npos) << file << " was never drawn";
    std::istringstream lines(all);
    for (const std::string& problem : packgen::FindUnpaintedRects(manifest, lines)) ADD_FAILURE() << problem;
    fs::remove_all(dir);
}

}  // namespace
}  // namespace korvid
