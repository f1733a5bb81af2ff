// The autopilot plays stage 1 from snapshots of play: every frame it then
// plays for real hashes as it did in its look-ahead (a restored snapshot
// replays identically), it loses no life, and its game is an ordinary
// replay that verifies. The whole stage on every difficulty and character
// is `make autopilot-check` (too slow for this suite on a shared machine).
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "support/GameProcess.h"

namespace fs = std::filesystem;

namespace korvid {
namespace {

TEST(Autopilot, PlaysStage1FromSnapshotsWithoutLosingALifeAndItsReplayVerifies) {
    const fs::path dir = fs::temp_directory_path() / ("korvid-autopilot-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    const std::string record = (dir / "pilot.rpy").string();
    const test::GameRun run = test::RunHeadless("--dir " + (dir / "game").string() +
                                                " --practice 1 --difficulty 2 --autopilot --frames 1500 "
                                                "--print-state --record " + record);
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find(", 0 look-ahead mismatches"), std::string::npos) << run.out;
    // Practice starts with eight lives.
    EXPECT_NE(run.last().find(" lives=8 "), std::string::npos) << run.out;

    const test::GameRun back =
        test::RunHeadless("--dir " + (dir / "game").string() + " --replay " + record + " --verify --print-state");
    fs::remove_all(dir);
    EXPECT_EQ(back.status, 0) << back.out;
    EXPECT_EQ(back.out.find("desync"), std::string::npos) << back.out;
    // The replay ends where the autopilot's game ended.
    const auto fields = [](const std::string& line) { return line.substr(0, line.find(" hash=")); };
    EXPECT_EQ(fields(back.last()), fields(run.last()));
}

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
