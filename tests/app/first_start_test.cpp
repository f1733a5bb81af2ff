// The game folder survives a start killed at the worst moment: the shipped
// settings reach the folder whole or not at all, what an interrupted save
// left behind is cleared at the next start, and a settings file its owner
// cannot read is mended rather than kept that way by every later save.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <string>

#include "engine/TempDir.h"
#include "game/KeySettings.h"
#include "game/ProfileFile.h"
#include "support/TestPaths.h"
#include "tools/PackTestSupport.h"

namespace fs = std::filesystem;

namespace korvid {
namespace {

using packtest::ReadFileBytes;
using packtest::RunCommand;

const std::string kShipped = korvid::test::BinaryDir() + "/data/" + kKeySettingsFileName;

std::string start(const fs::path& game, const std::string& before = "") {
    return before + "exec " + korvid::test::BinaryDir() + "/korvid --headless --frames 5 --dir " + game.string() +
           " --pack " + packtest::kPackPath + " 2>&1";
}

mode_t modeOf(const fs::path& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

std::set<std::string> entries(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
    return names;
}

TEST(FirstStart, AStartKilledInsideTheSettingsCopyLeavesNoHalfFile) {
    korvid::testing::TempDir dir;
    const fs::path game = dir.path() / "game";
    const fs::path settings = game / kKeySettingsFileName;
    // With no room for a single byte, the first byte the game writes (the
    // settings copy) kills it with SIGXFSZ.
    const auto killed = RunCommand(start(game, "ulimit -f 0; "));
    ASSERT_NE(killed.exitCode, 0) << killed.output;
    if (fs::exists(settings)) {
        EXPECT_EQ(ReadFileBytes(settings), ReadFileBytes(kShipped));
        EXPECT_EQ(modeOf(settings), 0644u);
    }

    // The next start finishes the job and leaves nothing else behind.
    const auto next = RunCommand(start(game));
    ASSERT_EQ(next.exitCode, 0) << next.output;
    EXPECT_EQ(ReadFileBytes(settings), ReadFileBytes(kShipped));
    EXPECT_EQ(modeOf(settings), 0644u);
    EXPECT_EQ(entries(game), (std::set<std::string>{kKeySettingsFileName, "Replay", "score.dat"}));
}

TEST(FirstStart, WhatEarlierInterruptedStartsLeftIsMended) {
    korvid::testing::TempDir dir;
    const fs::path game = dir.path() / "game";
    // An earlier version killed inside its copy: an empty file, mode 0200.
    dir.write("game/" + std::string(kKeySettingsFileName), "");
    fs::permissions(game / kKeySettingsFileName, fs::perms::owner_write);
    // Temporary files of saves killed before their rename, old and new names.
    for (const char* stale : {".按键设置.ini.a1B2c3", "按键设置.ini.Zz9yY8", ".score.dat.x0X0x0", "score.dat.tmp",
                              "Replay/.rvx03.rpy.AbCdEf"})
        dir.write("game/" + std::string(stale), "half a save");
    // Files that only look alike are the player's.
    for (const char* kept : {"notes.txt.tmp", "按键设置.ini.bak", "Replay/.rvx03.rpy.toolong1"})
        dir.write("game/" + std::string(kept), "mine");

    const auto r = RunCommand(start(game));
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(ReadFileBytes(game / kKeySettingsFileName), ReadFileBytes(kShipped));
    EXPECT_EQ(modeOf(game / kKeySettingsFileName), 0644u);
    EXPECT_EQ(entries(game),
              (std::set<std::string>{kKeySettingsFileName, "Replay", "score.dat", "notes.txt.tmp", "按键设置.ini.bak"}));
    EXPECT_EQ(entries(game / "Replay"), (std::set<std::string>{".rvx03.rpy.toolong1"}));

    // A settings file with content its owner cannot read is given read
    // permission back, and a save never carries an unreadable mode on.
    fs::permissions(game / kKeySettingsFileName, fs::perms::owner_write);
    ASSERT_EQ(RunCommand(start(game)).exitCode, 0);
    EXPECT_EQ(modeOf(game / kKeySettingsFileName) & 0600u, 0600u);
    fs::permissions(game / kKeySettingsFileName, fs::perms::owner_write | fs::perms::group_read);
    ProfileFile file;
    ASSERT_TRUE(file.load(kShipped));
    ASSERT_TRUE(file.save((game / kKeySettingsFileName).string()));
    EXPECT_EQ(modeOf(game / kKeySettingsFileName), 0640u);
}

}  // namespace
}  // namespace korvid
