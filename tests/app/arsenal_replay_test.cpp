// A recorded stage-1 game of shooting, a bomb and item pick-ups plays back
// from its replay file to the identical state.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/GameProcess.h"

namespace fs = std::filesystem;

namespace korvid {
namespace {

std::string runGame(const std::string& args, int& status) {
    const test::GameRun r = test::RunHeadless(args);
    status = r.status;
    return r.out;
}


int field(const std::string& line, const std::string& name) {
    const auto at = line.find(" " + name + "=");
    return at == std::string::npos ? -1 : std::stoi(line.substr(at + name.size() + 2));
}

TEST(ArsenalReplay, ShootingBombingAndPickingUpReplaysToTheSameState) {
    const fs::path dir = fs::temp_directory_path() / ("korvid-arsenal-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    // Start, first difficulty, first character; fire all the way, climb
    // above the collection line twice, one bomb in between.
    std::ofstream(dir / "keys.txt") << "250 RETURN\n280 RETURN\n360 Z\n400-2600 Z\n900-1000 UP\n1000-1100 DOWN\n"
                                       "1500 X\n1900-2000 UP+LEFT\n2000-2100 DOWN+RIGHT\n";
    const std::string rpy = (dir / "run.rpy").string();
    int status = -1;
    const std::string rec = runGame("--dir " + (dir / "a").string() + " --keys " + (dir / "keys.txt").string() +
                                        " --frames 2700 --record " + rpy + " --print-state",
                                    status);
    ASSERT_EQ(status, 0) << rec;
    const std::string recorded = test::LastStateLine(rec);
    ASSERT_NE(recorded.find("screen=10 stage=1"), std::string::npos) << rec;
    EXPECT_GT(field(recorded, "score"), 0) << recorded;
    // One bomb (400 -> 200) and point items on top of it.
    EXPECT_GT(field(recorded, "bomb"), 200) << recorded;
    EXPECT_NE(field(recorded, "bomb"), 400) << recorded;

    const std::string play = runGame("--dir " + (dir / "b").string() + " --replay " + rpy + " --verify --print-state",
                                     status);
    EXPECT_EQ(status, 0) << play;
    EXPECT_NE(play.find("stage 1: ok"), std::string::npos) << play;
    EXPECT_EQ(test::LastStateLine(play), recorded);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace korvid
