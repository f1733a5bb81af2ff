// The autopilot plays stage 1 to its clear on every difficulty with every
// character, from snapshots of play: every frame it then plays for real
// hashes as it did in its look-ahead (a restored snapshot replays
// identically), it loses no life, and its game is an ordinary replay that
// verifies. Every stage is `make autopilot-check` (too slow for this suite).
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "support/GameProcess.h"

namespace fs = std::filesystem;

namespace korvid {
namespace {

// Stage 1 to its clear on one difficulty with one character.
class AutopilotStage1 : public testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(AutopilotStage1, ClearsTheStageWithoutLosingALifeAndItsReplayVerifies) {
    const auto [difficulty, character] = GetParam();
    const fs::path dir = fs::temp_directory_path() / ("korvid-autopilot-" + std::to_string(::getpid()) + "-" +
                                                      std::to_string(difficulty) + std::to_string(character));
    fs::remove_all(dir);
    const std::string record = (dir / "pilot.rpy").string();
    const test::GameRun run = test::RunHeadless(
        "--dir " + (dir / "game").string() + " --practice 1 --difficulty " + std::to_string(difficulty) +
        " --character " + std::to_string(character) + " --autopilot --print-state --record " + record);
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find(", 0 look-ahead mismatches"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("autopilot: stage cleared"), std::string::npos) << run.out;
    // The tally's total: lives lost / bombs used.
    EXPECT_NE(run.out.find(" total 0/"), std::string::npos) << run.out;

    const test::GameRun back =
        test::RunHeadless("--dir " + (dir / "game").string() + " --replay " + record + " --verify --print-state");
    fs::remove_all(dir);
    EXPECT_EQ(back.status, 0) << back.out;
    EXPECT_EQ(back.out.find("desync"), std::string::npos) << back.out;
    // The replay ends where the autopilot's game ended (which then went on
    // to the save screen).
    const auto fields = [](const std::string& line) {
        const std::size_t from = line.find(" stage=");
        return line.substr(from, line.find(" hash=") - from);
    };
    EXPECT_EQ(fields(back.last()), fields(run.last()));
}

std::string runName(const testing::TestParamInfo<std::tuple<int, int>>& info) {
    static const char* const kNames[] = {"Easy", "Normal", "Hard"};
    return std::string(kNames[std::get<0>(info.param)]) + "Character" + std::to_string(std::get<1>(info.param));
}

INSTANTIATE_TEST_SUITE_P(EveryDifficultyAndCharacter, AutopilotStage1,
                         testing::Combine(testing::Values(0, 1, 2), testing::Values(1, 2, 3)), runName);

// A fight brought in with --boss arrives between two real frames, where no
// look-ahead could see it: the autopilot waits for it before it looks.
TEST(Autopilot, WaitsForAFightBroughtInDirectlyBeforeItLooksAhead) {
    const fs::path dir = fs::temp_directory_path() / ("korvid-autopilot-boss-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    const test::GameRun run = test::RunHeadless("--dir " + dir.string() +
                                                " --practice 6 --difficulty 0 --boss 51 --autopilot --frames 120");
    fs::remove_all(dir);
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find(", 0 look-ahead mismatches"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace korvid
