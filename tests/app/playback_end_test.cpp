// Playing a replay always ends. A recorded ship that is lost while frames
// are still recorded cannot go on (a continue is chosen in the menu, not
// recorded), so playback stops there with its own verdict and exit status;
// a check cut short still says so; and a recording of a game that takes a
// continue keeps only what can be played back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/TempDir.h"
#include "menus/ReplayFile.h"
#include "support/GameProcess.h"
#include "support/TestPaths.h"
#include "tools/PackTestSupport.h"

namespace korvid {
namespace {

// The game headless, stopped by `timeout` if it never ends on its own.
packtest::CommandResult play(const korvid::testing::TempDir& dir, const std::string& args) {
    return packtest::RunCommand("timeout 120 " + korvid::test::BinaryDir() + "/korvid --headless --dir " +
                                dir.file("game") + " --pack " + packtest::kPackPath + " " + args + " 2>&1");
}

int frameAfter(const std::string& out, const std::string& text) {
    const auto at = out.find(text);
    return at == std::string::npos ? -1 : std::stoi(out.substr(at + text.size()));
}

TEST(PlaybackEnd, AReplayWhoseShipIsLostStopsThereWithItsVerdict) {
    korvid::testing::TempDir dir;
    // Stage 1 with no key held for 20000 frames: the ship is lost long before.
    ReplayRecord idle;
    idle.date = "2024/05/01 21:07:33";
    idle.stages.push_back({StageSnapshot{}, std::vector<std::int32_t>(20000, 0)});
    const std::string file = dir.file("idle.rpy");
    ASSERT_TRUE(SaveReplayFile(file, idle));

    const auto lost = play(dir, "--replay " + file + " --verify --print-state");
    EXPECT_EQ(lost.exitCode, 3) << lost.output;
    const int frame = frameAfter(lost.output, "stage 1: game over at frame ");
    EXPECT_GT(frame, 0) << lost.output;
    EXPECT_LT(frame, 20000) << lost.output;
    EXPECT_EQ(lost.output.find("stage 1: ok"), std::string::npos) << lost.output;
    EXPECT_NE(test::LastStateLine(lost.output).find(" lives=-1 "), std::string::npos) << lost.output;

    // Stopped by --frames before the ship is lost: the check says it did not run.
    const auto cut = play(dir, "--replay " + file + " --verify --frames 400");
    EXPECT_EQ(cut.exitCode, 0) << cut.output;
    EXPECT_NE(cut.output.find("stage 1: not checked (stopped at frame "), std::string::npos) << cut.output;
    // Without --verify the end is still told.
    const auto plain = play(dir, "--replay " + file + " --frames 30000");
    EXPECT_EQ(plain.exitCode, 3) << plain.output;
    EXPECT_EQ(frameAfter(plain.output, "stage 1: game over at frame "), frame) << plain.output;
}

TEST(PlaybackEnd, ARecordingStopsAtTheContinueAndPlaysBackToIt) {
    korvid::testing::TempDir dir;
    // Start a game, hold nothing until the ship is lost, take the continue
    // (Z at the prompt) and play on.
    dir.write("keys.txt", "250 RETURN\n280 RETURN\n360 Z\n1800 Z\n1850 Z\n");
    const std::string record = dir.file("continued.rpy");
    const auto run = play(dir, "--keys " + dir.file("keys.txt") + " --frames 2600 --record " + record + " --print-state");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(test::LastStateLine(run.output).find(" lives=1 "), std::string::npos) << "continued: " << run.output;
    const int stoppedAt = frameAfter(run.output, "the record stops at the continue in stage 1, frame ");
    ASSERT_GT(stoppedAt, 0) << run.output;

    // The record ends where the prompt opened, with the counters shown there.
    const auto back = play(dir, "--replay " + record + " --verify --print-state");
    EXPECT_EQ(back.exitCode, 0) << back.output;
    EXPECT_NE(back.output.find("stage 1: ok"), std::string::npos) << back.output;
    const std::string last = test::LastStateLine(back.output);
    EXPECT_NE(last.find(" frame=" + std::to_string(stoppedAt) + " "), std::string::npos) << last;
    EXPECT_NE(last.find(" lives=-1 "), std::string::npos) << last;
}

}  // namespace
}  // namespace korvid
