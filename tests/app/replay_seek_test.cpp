// Seeking in a replay: a jump forward (Page Down, or --seek at the start)
// skips that many frames of play and a jump back (Page Up) plays them
// again from a snapshot, and either way the replay ends in the very state
// it ends in when watched straight through.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/GameProcess.h"
#include "support/TestPaths.h"

namespace fs = std::filesystem;

namespace korvid {
namespace {

struct Watch {
    fs::path dir = fs::temp_directory_path() / ("korvid-seek-" + std::to_string(::getpid()));
    fs::path fixture = fs::path(test::SourceDir()) / "tests/fixtures/stage1";
    Watch() { fs::create_directories(dir); }
    ~Watch() { fs::remove_all(dir); }
    // Plays the stage-1 golden replay with `extra` options and, when given,
    // a key script: the state line of every real frame.
    test::GameRun play(const std::string& extra, const std::string& keys = "") {
        std::string args = "--dir " + (dir / "game").string() + " --replay " + (fixture / "replay.rpy").string() +
                           " --trace-hash " + extra;
        if (!keys.empty()) {
            const fs::path file = dir / "keys.txt";
            std::ofstream(file) << keys;
            args += " --keys " + file.string();
        }
        return test::RunHeadless(args);
    }
};

TEST(ReplaySeek, JumpsForwardAndBackAndEndsWhereTheReplayEnds) {
    Watch w;
    std::string expected;
    std::getline(std::ifstream(w.fixture / "expected.txt"), expected);
    const test::GameRun straight = w.play("");
    ASSERT_EQ(straight.status, 0) << straight.out;
    ASSERT_EQ(straight.last(), expected);

    const test::GameRun forward = w.play("", "2000 PAGEDOWN\n");
    EXPECT_EQ(forward.last(), expected);
    EXPECT_EQ(straight.lines.size() - forward.lines.size(), 600u);

    const test::GameRun back = w.play("", "2000 PAGEUP\n5000 PAGEUP\n");
    EXPECT_EQ(back.last(), expected);
    EXPECT_EQ(back.lines.size() - straight.lines.size(), 1200u);

    const test::GameRun sought = w.play("--seek 3000");
    EXPECT_EQ(sought.last(), expected);
    EXPECT_EQ(straight.lines.size() - sought.lines.size(), 3000u);
}

TEST(ReplaySeek, SeekNeedsAReplayAndIsNotVerified) {
    Watch w;
    const test::GameRun noReplay = test::RunHeadless("--dir " + (w.dir / "game").string() + " --seek 10");
    EXPECT_NE(noReplay.status, 0);
    EXPECT_NE(noReplay.out.find("--seek needs --replay"), std::string::npos) << noReplay.out;
    const test::GameRun verified = w.play("--verify --seek 10");
    EXPECT_NE(verified.status, 0);
    EXPECT_NE(verified.out.find("--seek and --verify"), std::string::npos) << verified.out;
}

}  // namespace
}  // namespace korvid
