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

#include "game/KeySettings.h"
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


// The playback options of a fixture's `args` file: what it was recorded
// with, less the practice choice the replay itself carries.
std::string playbackArgs(const fs::path& fixture) {
    std::ifstream in(fixture / "args");
    std::string word, out;
    int skip = 0;
    while (in >> word) {
        if (skip > 0) {
            --skip;
            continue;
        }
        if (word == "--practice" || word == "--difficulty" || word == "--character") {
            skip = 1;
            continue;
        }
        out += " " + word;
    }
    return out;
}

// Plays fixture `name` back with --verify and compares its last state line;
// `english` first writes the settings file with the English choice.
void ExpectFixturePlaysBack(const std::string& name, bool english = false) {
    const fs::path fixture = fs::path(korvid::test::SourceDir()) / "tests/fixtures" / name;
    std::ifstream expectedFile(fixture / "expected.txt");
    std::string expected;
    ASSERT_TRUE(std::getline(expectedFile, expected)) << "run tools/record-goldens.sh";
    const fs::path dir = fs::temp_directory_path() / ("korvid-golden-" + name + "-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    if (english) {
        KeySettings settings;
        ASSERT_TRUE(LoadKeySettings(korvid::test::SourcePath("/data/") + kKeySettingsFileName, settings));
        settings.language = 1;
        fs::create_directories(dir / "game");
        ASSERT_TRUE(SaveKeySettings((dir / "game" / kKeySettingsFileName).string(), settings));
    }
    int status = -1;
    const std::string out =
        run("--dir " + (dir / "game").string() + " --replay " + (fixture / "replay.rpy").string() +
                " --verify --print-state" + playbackArgs(fixture),
            status);
    fs::remove_all(dir);
    EXPECT_EQ(status, 0) << name << "\n" << out;
    EXPECT_NE(out.find(": ok"), std::string::npos) << name << "\n" << out;
    EXPECT_EQ(out.find("desync"), std::string::npos) << name << "\n" << out;
    EXPECT_EQ(test::LastStateLine(out), expected) << name;
}

TEST(GoldenReplay, Stage1PlaysBackToItsRecordedState) { ExpectFixturePlaysBack("stage1"); }

// The whole of stage 1 in practice, mid-boss and boss shot down, ending on
// the frame the stage is over.
TEST(GoldenReplay, Stage1WithItsBossesBeatenPlaysBackToItsRecordedState) { ExpectFixturePlaysBack("stage1-boss"); }

// The language shows other pictures and texts, nothing else: the same
// replay, its dialogue and spell cards drawn in English, ends in the same
// state and hash.
TEST(GoldenReplay, Stage1WithItsBossesPlaysBackToTheSameStateInEnglish) {
    ExpectFixturePlaysBack("stage1-boss", /*english=*/true);
}

// Every other fixture (a stage's, tests/fixtures/stageN/, or a whole game):
// a folder with a recorded replay is played back like the two above.
TEST(GoldenReplay, EveryStageFixturePlaysBackToItsRecordedState) {
    const fs::path root = fs::path(korvid::test::SourceDir()) / "tests/fixtures";
    for (const auto& entry : fs::directory_iterator(root)) {
        const std::string name = entry.path().filename().string();
        if (name == "stage1" || name == "stage1-boss") continue;
        if (!fs::exists(entry.path() / "replay.rpy")) continue;
        ExpectFixturePlaysBack(name);
    }
}

}  // namespace
}  // namespace korvid
