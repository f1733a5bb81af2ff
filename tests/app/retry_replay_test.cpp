// A game retried from the pause menu while it is being recorded: the replay
// that is saved is the new game, and playing it back gives the same state
// hash on every frame as the recording had after the retry. Nothing of the
// abandoned game may reach the new one (character 2's beam, the boss and
// conversation fields, the pools' last-spawned slots...).
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "support/GameProcess.h"

namespace fs = std::filesystem;

namespace korvid {
namespace {

// "frame=N" and "hash=H" of a state line.
std::pair<int, std::string> frameAndHash(const std::string& line) {
    const auto at = line.find(" frame=");
    const auto h = line.find(" hash=");
    if (at == std::string::npos || h == std::string::npos) return {-1, {}};
    return {std::stoi(line.substr(at + 7)), line.substr(h + 6, 16)};
}

// Records `keys` (which start a second game part-way) and plays the saved
// replay back: every frame of the second game must hash as recorded.
void expectSecondGameReplays(const fs::path& dir, const std::string& name, const std::string& startArgs,
                             const fs::path& keys, int frames) {
    const std::string rpy = (dir / (name + ".rpy")).string();
    const std::string common = " --dir " + (dir / "game").string() + " --trace-hash";
    const test::GameRun rec =
        test::RunHeadless(common + startArgs + " --keys " + keys.string() + " --frames " + std::to_string(frames) +
                          " --record " + rpy);
    ASSERT_EQ(rec.status, 0) << rec.out;
    // The lines of the second game: its frame count starts again.
    std::map<int, std::string> after;
    int last = -1;
    bool again = false;
    for (const std::string& line : rec.lines) {
        const auto [frame, hash] = frameAndHash(line);
        if (frame < last) again = true;
        last = frame;
        if (again && line.rfind("screen=10 ", 0) == 0) after[frame] = hash;
    }
    ASSERT_TRUE(again) << name << ": no second game";
    ASSERT_GT(after.size(), 200u) << name;

    const test::GameRun back = test::RunHeadless(common + " --replay " + rpy);
    ASSERT_EQ(back.status, 0) << back.out;
    int compared = 0;
    for (const std::string& line : back.lines) {
        const auto [frame, hash] = frameAndHash(line);
        const auto it = after.find(frame);
        if (it == after.end() || frame < 1) continue;
        EXPECT_EQ(hash, it->second) << name << ", frame " << frame;
        if (hash != it->second) break;
        ++compared;
    }
    EXPECT_GT(compared, 200) << name;
}

TEST(RetryReplay, ARetriedGameReplaysToTheSameHashOnEveryFrame) {
    const fs::path dir = fs::temp_directory_path() / ("korvid-retry-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    // Shoot focused and weave for a while (character 2's beam reaches up the
    // field), pause, Up to Retry, confirm; then play the new game a little.
    const fs::path keys = dir / "retry.txt";
    std::ofstream(keys) << "1-200 Z+SHIFT\n60-120 LEFT\n121-180 RIGHT+UP\n"
                           "230 ESC\n260 UP\n275 Z\n"
                           "300-520 Z+SHIFT\n330-400 RIGHT\n420-470 UP\n";
    for (int character = 1; character <= 3; ++character)
        expectSecondGameReplays(dir, "retry" + std::to_string(character),
                                " --practice 1 --character " + std::to_string(character), keys, 560);
    fs::remove_all(dir);
}

// The same for a new game started from the title after quitting one.
TEST(RetryReplay, ANewGameAfterQuittingReplaysToTheSameHashOnEveryFrame) {
    const fs::path dir = fs::temp_directory_path() / ("korvid-requit-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    // Character 2 plays, pauses, Down to Quit, confirm; then from the title:
    // Practice, stage 1, the first difficulty and character.
    const fs::path keys = dir / "quit.txt";
    std::ofstream(keys) << "1-200 Z+SHIFT\n60-120 LEFT\n121-180 RIGHT+UP\n"
                           "230 ESC\n260 DOWN\n275 Z\n"
                           "330 DOWN\n342 DOWN\n360 RETURN\n390 RETURN\n420 RETURN\n450 Z\n"
                           "480-700 Z+SHIFT\n500-560 RIGHT\n600-650 UP\n";
    expectSecondGameReplays(dir, "quit", " --practice 1 --character 2", keys, 760);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace korvid
