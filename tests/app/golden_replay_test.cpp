// The golden replays under tests/fixtures: each must still verify and end
// in the state line recorded with it (tools/record-goldens.sh re-records).
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
#include "support/TestPaths.h"

namespace fs = std::filesystem;

namespace korvid {
namespace {

std::string run(const std::string& args, int& status) {
    const test::GameRun r = test::RunHeadless(args);
    status = r.status;
    return r.out;
}


// Plays fixture `name` back with --verify and compares its last state line.
void ExpectFixturePlaysBack(const std::string& name) {
    const fs::path fixture = fs::path(korvid::test::SourceDir()) / "tests/fixtures" / name;
    std::ifstream expectedFile(fixture / "expected.txt");
    std::string expected;
    ASSERT_TRUE(std::getline(expectedFile, expected)) << "run tools/record-goldens.sh";
    const fs::path dir = fs::temp_directory_path() / ("korvid-golden-" + name + "-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    int status = -1;
    const std::string out =
        run("--dir " + (dir / "game").string() + " --replay " + (fixture / "replay.rpy").string() +
                " --verify --print-state",
            status);
    fs::remove_all(dir);
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("stage 1: ok"), std::string::npos) << out;
    EXPECT_EQ(test::LastStateLine(out), expected);
}

TEST(GoldenReplay, Stage1PlaysBackToItsRecordedState) { ExpectFixturePlaysBack("stage1"); }

// The whole of stage 1 in practice, mid-boss and boss shot down, ending on
// the frame the stage is over.
TEST(GoldenReplay, Stage1WithItsBossesBeatenPlaysBackToItsRecordedState) { ExpectFixturePlaysBack("stage1-boss"); }

}  // namespace
}  // namespace korvid
