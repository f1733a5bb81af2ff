// Direct starts for development and fixtures: the practice of a stage
// without the menus, a fight brought in at one of its patterns (part-way
// into the stage, without its boss's conversation), and the
// probe's fields on the state lines; a practice run recorded this way plays
// back to the same state.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "support/GameProcess.h"

namespace fs = std::filesystem;

namespace korvid {
namespace {

TEST(DirectStart, APatternStartedDirectlyShowsOnTheProbe) {
    const fs::path dir = fs::temp_directory_path() / ("korvid-direct-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    const std::string game = " --dir " + (dir / "game").string();

    // Stage 1 on Hard with character 2; the second card comes in once the
    // fade-in has run, declared, with its own hit points and time limit.
    const test::GameRun boss =
        test::RunHeadless(game + " --practice 1 --difficulty 2 --character 2 --boss 7 --frames 90 --trace --probe");
    ASSERT_EQ(boss.status, 0) << boss.out;
    ASSERT_FALSE(boss.lines.empty());
    EXPECT_NE(boss.lines.front().find(" pattern=0 bosshp=0.00"), std::string::npos) << boss.lines.front();
    EXPECT_NE(boss.last().find("screen=10 stage=1 "), std::string::npos) << boss.last();
    EXPECT_NE(boss.last().find(" pattern=7 bosshp=1400.00 timeleft=20"), std::string::npos) << boss.last();
    EXPECT_NE(boss.last().find(" card=1 cleared=0 timestop=0 enemies=0 "), std::string::npos) << boss.last();

    // Started part-way at a later pattern of stage 4's boss, the fight comes
    // without the conversation the boss brought: its limit runs at once
    // (a conversation on show would hold it at 2400).
    const test::GameRun late =
        test::RunHeadless(game + " --practice 4 --from 12690 --boss 27 --frames 100 --print-state --probe");
    ASSERT_EQ(late.status, 0) << late.out;
    const std::size_t at = late.last().find(" pattern=27 bosshp=1200.00 timeleft=");
    ASSERT_NE(at, std::string::npos) << late.last();
    EXPECT_LT(std::stoi(late.last().substr(at + 37)), 2400) << late.last();

    // Without the probe the line is as it always was.
    const test::GameRun plain = test::RunHeadless(game + " --practice 1 --frames 3 --trace");
    ASSERT_EQ(plain.lines.size(), 3u) << plain.out;
    EXPECT_EQ(plain.last().find("pattern="), std::string::npos);
    EXPECT_EQ(plain.last().find("hash="), std::string::npos);

    // A practice run recorded from a direct start is an ordinary practice
    // replay: it plays back to the state it was recorded in.
    const std::string rpy = (dir / "practice.rpy").string();
    const test::GameRun rec = test::RunHeadless(game + " --practice 1 --frames 400 --record " + rpy + " --print-state");
    ASSERT_EQ(rec.status, 0) << rec.out;
    const test::GameRun back = test::RunHeadless(game + " --replay " + rpy + " --print-state");
    EXPECT_EQ(back.status, 0) << back.out;
    EXPECT_EQ(back.last(), rec.last());
    fs::remove_all(dir);
}

}  // namespace
}  // namespace korvid
