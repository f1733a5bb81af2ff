// The pause menu, retry, quit and the end of a replay, played through the
// game binary with key scripts.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "support/GameProcess.h"
#include "support/TestPaths.h"

namespace fs = std::filesystem;

namespace korvid {
namespace {

using test::GameRun;

GameRun runGame(const std::string& args) { return test::RunHeadless(args); }

std::string field(const std::string& line, const std::string& name) {
    const std::size_t at = line.find(" " + name + "=");
    const std::size_t start = line.rfind(name + "=", 0) == 0 ? 0 : at + 1;
    if (at == std::string::npos && start != 0) return "";
    const std::size_t value = start + name.size() + 1;
    return line.substr(value, line.find(' ', value) - value);
}

// Title -> Start -> first difficulty -> second character; the stage begins
// about frame 360.
constexpr const char* kStartGame = "250 RETURN\n280 RETURN\n300 RIGHT\n360 Z\n";

class PauseScenario : public ::testing::Test {
protected:
    fs::path dir;
    void SetUp() override {
        dir = fs::temp_directory_path() / ("korvid-pause-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string keys(const std::string& name, const std::string& rest) const {
        const fs::path p = dir / name;
        std::ofstream(p) << kStartGame << rest;
        return "--dir " + (dir / "game").string() + " --keys " + p.string();
    }
};

TEST_F(PauseScenario, PausedFramesStandStillAndLeaveNoTrace) {
    const GameRun paused = runGame(keys("pause.txt", "600 ESCAPE\n700 ESCAPE\n") + " --frames 900 --trace-hash");
    const GameRun plain = runGame(keys("plain.txt", "") + " --frames 900 --trace-hash");
    ASSERT_EQ(paused.status, 0) << paused.out;
    ASSERT_EQ(paused.lines.size(), 900u);
    ASSERT_EQ(plain.lines.size(), 900u);
    const std::string frame = field(paused.lines[599], "frame");
    ASSERT_NE(frame, "0");
    for (int i = 600; i < 705; ++i) EXPECT_EQ(field(paused.lines[i], "frame"), frame) << "line " << i + 1;
    // Equal play frames, equal state.
    const std::string last = field(paused.lines.back(), "frame");
    const std::string hash = field(paused.lines.back(), "hash");
    bool found = false;
    for (const std::string& line : plain.lines) {
        if (field(line, "frame") != last) continue;
        EXPECT_EQ(field(line, "hash"), hash) << line;
        found = true;
    }
    EXPECT_TRUE(found) << "frame " << last;
}

TEST_F(PauseScenario, RetryStartsTheGameAgain) {
    const GameRun r = runGame(keys("retry.txt",
                               "420-520 LEFT+Z\n600 ESCAPE\n610 DOWN\n620 DOWN\n630 DOWN\n640 DOWN\n650 Z\n") +
                          " --frames 660 --print-state");
    ASSERT_EQ(r.status, 0) << r.out;
    const std::string& state = r.lines.back();
    EXPECT_NE(state.find("screen=10 stage=1 "), std::string::npos) << state;
    EXPECT_NE(state.find("score=0 lives=2 bomb=400 graze=0 power=0.00 x=224.00 y=412.00"), std::string::npos)
        << state;
}

TEST_F(PauseScenario, QuitReturnsToTheMainMenuWithoutTheLogo) {
    // Enter on the main menu thirty frames after quitting already opens the
    // difficulty menu: no logo runs first.
    const GameRun r = runGame(keys("quit.txt", "600 ESCAPE\n610 DOWN\n620 Z\n650 RETURN\n") + " --frames 660 --trace");
    ASSERT_EQ(r.status, 0) << r.out;
    ASSERT_EQ(r.lines.size(), 660u);
    EXPECT_EQ(field(r.lines[625], "screen"), "0");
    EXPECT_EQ(field(r.lines[625], "stage"), "0");
    EXPECT_EQ(field(r.lines.back(), "screen"), "1");
}

TEST_F(PauseScenario, GameOverOffersAContinueThatOnlyAChoiceCloses) {
    // Shooting without moving, the first stage's fairies win near frame 2260.
    const GameRun r = runGame(keys("over.txt", "420-2300 Z\n2500 ESCAPE\n2510 X\n2520 Z\n") + " --frames 2530 --trace");
    ASSERT_EQ(r.status, 0) << r.out;
    ASSERT_EQ(r.lines.size(), 2530u);
    int over = -1;
    for (int i = 0; i < 2500 && over < 0; ++i)
        if (field(r.lines[i], "lives") == "-1") over = i;
    ASSERT_GT(over, 0) << "no game over before frame 2500";
    // Escape and X leave the prompt open: nothing moves until Z.
    const std::string frame = field(r.lines[over], "frame");
    EXPECT_EQ(field(r.lines[2518], "frame"), frame);
    EXPECT_EQ(field(r.lines[2518], "lives"), "-1");
    const std::string& after = r.lines[2520];
    EXPECT_NE(after.find("score=1 lives=2 bomb=400 graze=0 power=0.00"), std::string::npos) << after;
}

TEST_F(PauseScenario, APlaybackThatRunsOutOfRecordStopsAndVerifyCallsItADesync) {
    const std::string fixture = korvid::test::SourceDir() + "/tests/fuzz/corpus/replay/three_stages.rpy";
    const GameRun r = runGame("--dir " + (dir / "game").string() + " --replay " + fixture +
                          " --verify --frames 400000 --trace");
    EXPECT_EQ(r.status, 1) << r.out.substr(r.out.size() > 400 ? r.out.size() - 400 : 0);
    EXPECT_LT(r.lines.size(), 400000u);
    EXPECT_NE(r.out.find(": desync ("), std::string::npos);
}

}  // namespace
}  // namespace korvid
