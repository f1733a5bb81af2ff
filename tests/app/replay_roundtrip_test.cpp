// Whole-program check of determinism: a scripted game is recorded, played
// back from the file, and must end in the identical state.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sys/wait.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

#include "menus/ReplayFile.h"
#include "support/TestPaths.h"

namespace fs = std::filesystem;

namespace korvid {
namespace {

struct GameRun {
    int status = -1;
    std::string out;
};

GameRun runGame(const std::string& args) {
    const std::string cmd = korvid::test::BinaryDir() + "/korvid --headless " + args + " 2>&1";
    GameRun r;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    std::array<char, 4096> buf;
    std::size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
    const int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

std::string lineStarting(const std::string& out, const std::string& prefix) {
    std::istringstream in(out);
    std::string line, found;
    while (std::getline(in, line))
        if (line.rfind(prefix, 0) == 0) found = line;
    return found;
}

class ReplayRoundTrip : public ::testing::Test {
protected:
    fs::path dir;
    void SetUp() override {
        dir = fs::temp_directory_path() / ("korvid-rt-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        // Title -> Start -> first difficulty -> second character -> a stage
        // of flying, focusing, shooting and bombing, until the stage's
        // fairies win (the run ends on the continue prompt).
        std::ofstream(dir / "keys.txt") << "250 RETURN\n280 RETURN\n300 RIGHT\n360 Z\n"
                                           "400-900 UP+Z\n900-1400 LEFT+SHIFT+Z\n1450 X\n"
                                           "1500-2200 RIGHT+DOWN+Z\n2300-2900 SHIFT+UP+LEFT\n3000 X\n"
                                           "3100-3600 Z+RIGHT\n";
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string common() const { return "--dir " + (dir / "game").string(); }
};

TEST_F(ReplayRoundTrip, RecordThenReplayEndsInTheSameState) {
    const std::string rpy = (dir / "run.rpy").string();
    const GameRun rec = runGame(common() + " --keys " + (dir / "keys.txt").string() + " --frames 2400 --record " + rpy +
                            " --print-state");
    ASSERT_EQ(rec.status, 0) << rec.out;
    const std::string recorded = lineStarting(rec.out, "screen=");
    ASSERT_NE(recorded.find("screen=10 stage=1"), std::string::npos) << rec.out;
    EXPECT_EQ(recorded.find("bomb=400"), std::string::npos) << recorded;  // a bomb was used

    const GameRun play = runGame(common() + " --replay " + rpy + " --verify --print-state");
    ASSERT_EQ(play.status, 0) << play.out;
    EXPECT_NE(play.out.find("stage 1: ok"), std::string::npos) << play.out;
    EXPECT_EQ(lineStarting(play.out, "screen="), recorded);

    // A stored snapshot edited by hand is caught, naming the stage and field.
    std::string why;
    auto record = LoadReplayFile(rpy, why);
    ASSERT_TRUE(record) << why;
    const int lives = record->stages[0].snapshot.lives;
    record->stages[0].snapshot.lives += 1;
    const std::string edited = (dir / "edited.rpy").string();
    ASSERT_TRUE(SaveReplayFile(edited, *record));
    const GameRun bad = runGame(common() + " --replay " + edited + " --verify");
    EXPECT_EQ(bad.status, 1);
    const std::string want = "stage 1: desync (lives recorded " + std::to_string(lives + 1) + ", played " +
                             std::to_string(lives) + ")";
    EXPECT_NE(bad.out.find(want), std::string::npos) << bad.out;
}

TEST_F(ReplayRoundTrip, BrokenReplayIsRefusedWithOneLine) {
    std::ofstream(dir / "bad.rpy") << "0\nx \ny \n1\nz \n2026/01/01 00:00:00\n0 1 0 0 9 9 ";
    const GameRun r = runGame(common() + " --replay " + (dir / "bad.rpy").string());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("korvid: "), std::string::npos);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << r.out;
}

TEST_F(ReplayRoundTrip, EscapeTwiceOnTheMainMenuEndsTheProgram) {
    std::ofstream(dir / "quit.txt") << "260 ESCAPE\n270 ESCAPE\n";
    const GameRun r = runGame(common() + " --keys " + (dir / "quit.txt").string() + " --frames 1000 --trace");
    EXPECT_EQ(r.status, 0);
    // The frame of the second Escape is the last one run.
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 270) << r.out.substr(0, 200);
}

TEST_F(ReplayRoundTrip, BadOptionsAndKeyScriptsExitWithStatus2) {
    EXPECT_EQ(runGame("--no-such-option").status, 2);
    std::ofstream(dir / "broken.txt") << "10 UP\n20-x Z\n";
    const GameRun r = runGame(common() + " --keys " + (dir / "broken.txt").string());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find(":2:"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace korvid
