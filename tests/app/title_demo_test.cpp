// The title's demo play: left alone on the main menu the game starts a
// stage practice played by the autopilot; a key hands back to the title
// (without acting on the menu), the next idle spell shows the next stage,
// and nothing of the demos is kept in the game folder.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/GameProcess.h"

namespace fs = std::filesystem;

namespace korvid {
namespace {

std::string field(const std::string& stateLine, const std::string& name) {
    const std::string line = " " + stateLine;
    const std::size_t at = line.find(" " + name + "=");
    if (at == std::string::npos) return {};
    const std::size_t from = at + name.size() + 2;
    return line.substr(from, line.find(' ', from) - from);
}

TEST(TitleDemo, StartsAfterIdleFramesAndAKeyHandsBackToTheTitle) {
    const fs::path dir = fs::temp_directory_path() / ("korvid-demo-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    // Z confirms on the main menu: it must only end the demo.
    std::ofstream(dir / "keys.txt") << "900 Z\n";
    const test::GameRun run = test::RunHeadless("--dir " + (dir / "game").string() + " --keys " +
                                                (dir / "keys.txt").string() +
                                                " --demo-after 300 --frames 1260 --trace");
    ASSERT_EQ(run.status, 0) << run.out;
    ASSERT_EQ(run.lines.size(), 1260u);
    const auto line = [&](int frame) { return run.lines[static_cast<std::size_t>(frame - 1)]; };

    // The logo (200 frames), then 300 idle frames on the main menu.
    int started = 0;
    for (int f = 1; f <= 900 && !started; ++f)
        if (field(line(f), "screen") == "10") started = f;
    EXPECT_GE(started, 498);
    EXPECT_LE(started, 505);
    // The demo plays stage 1 with the ship moving and no life lost.
    float minX = 1e9f, maxX = -1e9f;
    for (int f = started; f < 900; ++f) {
        ASSERT_EQ(field(line(f), "screen"), "10") << line(f);
        ASSERT_EQ(field(line(f), "stage"), "1") << line(f);
        ASSERT_EQ(field(line(f), "lives"), "8") << line(f);
        const float x = std::stof(field(line(f), "x"));
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
    }
    EXPECT_GT(maxX - minX, 40.0f);
    // The key ends it at once; the title stays on its main menu.
    for (int f = 900; f < 1190; ++f) {
        ASSERT_EQ(field(line(f), "screen"), "0") << "frame " << f << ": " << line(f);
        ASSERT_EQ(field(line(f), "stage"), "0") << line(f);
    }
    // Another idle spell: the next demo is stage 2.
    EXPECT_EQ(field(line(1260), "screen"), "10") << line(1260);
    EXPECT_EQ(field(line(1260), "stage"), "2") << line(1260);

    // No records, card history or replay kept.
    for (const auto& entry : fs::recursive_directory_iterator(dir / "game")) {
        const std::string name = entry.path().filename().string();
        EXPECT_NE(name, "records.dat");
        EXPECT_NE(entry.path().extension(), ".rpy") << name;
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace korvid
