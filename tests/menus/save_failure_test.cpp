// Saves that cannot reach the disk are told, on stderr and on the screen the
// player saved from, and leave the old file as it was. Tests run as root,
// where a folder's mode does not stop writes, so the failures are made real
// another way: a folder whose name is taken by a file, and a file-size limit
// (the write fails as on a full disk).
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "../engine/TempDir.h"
#include "../support/TestGame.h"
#include "game/Input.h"
#include "game/KeySettings.h"
#include "menus/ReplaySave.h"
#include "menus/SaveFailure.h"
#include "menus/SettingsMenu.h"

namespace fs = std::filesystem;

namespace korvid {
namespace {

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

int filesIn(const fs::path& folder) {
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder)) ++n;
    return n;
}

// Files written while this lives stop at `bytes`: writes past it fail with
// EFBIG, as they would on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

// What is written to stderr while this lives, through a pipe (a file would
// be cut by the size limit too).
class StderrPipe {
public:
    StderrPipe() {
        std::fflush(stderr);
        if (::pipe(ends_) != 0) return;
        saved_ = ::dup(2);
        ::dup2(ends_[1], 2);
    }
    ~StderrPipe() { take(); }
    std::string take() {
        if (saved_ < 0) return text_;
        std::fflush(stderr);
        ::dup2(saved_, 2);
        ::close(saved_);
        ::close(ends_[1]);
        saved_ = -1;
        char buf[4096];
        for (ssize_t n; (n = ::read(ends_[0], buf, sizeof buf)) > 0;) text_.append(buf, static_cast<std::size_t>(n));
        ::close(ends_[0]);
        return text_;
    }

private:
    int ends_[2] = {-1, -1};
    int saved_ = -1;
    std::string text_;
};

TEST(SaveFailure, AReplayThatCannotBeWrittenIsToldAndTheOldOneKept) {
    test::TestGame t;
    korvid::testing::TempDir dir;
    t.game->gameDir = dir.path().string();
    t.s.sounds[29] = 11;
    t.s.sounds[34] = 12;
    t.s.screen = 13;
    t.s.stage = t.s.startStage = 2;
    t.s.character = 1;
    t.s.replayFrame = 3;

    // Slot 7 holds an earlier replay; the disk then fills up.
    ASSERT_TRUE(SaveReplayToSlot(*t.game, 7, ReplayTexts{"old", "", "", ""}));
    const fs::path old = dir.path() / "Replay" / "rvx07.rpy";
    const std::string before = readAll(old);
    ASSERT_FALSE(before.empty());
    StderrPipe err;
    bool saved = true;
    {
        const FileSizeLimit full(16);
        saved = SaveReplayToSlot(*t.game, 7, ReplayTexts{"new", "", "", ""});
    }
    const std::string told = err.take();
    EXPECT_FALSE(saved);
    EXPECT_EQ(readAll(old), before);
    EXPECT_EQ(filesIn(dir.path() / "Replay"), 1);  // no temporary file left
    EXPECT_EQ(t.engine.plays.back().first, 12u);
    EXPECT_EQ(t.s.screen, 12);  // still on the slot list
    EXPECT_TRUE(SaveFailureShown(*t.game, 12));
    EXPECT_EQ(t.game->saveFailure.file, "Replay/rvx07.rpy");
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
    EXPECT_NE(told.find("Replay/rvx07.rpy"), std::string::npos) << told;
    EXPECT_NE(told.find("File too large"), std::string::npos) << told;

    // A later save that works takes the note away.
    ASSERT_TRUE(SaveReplayToSlot(*t.game, 7, ReplayTexts{"new", "", "", ""}));
    EXPECT_FALSE(SaveFailureShown(*t.game, 12));

    // Replay/ taken by a file: the folder cannot be made, and the reason says so.
    fs::remove_all(dir.path() / "Replay");
    std::ofstream(dir.path() / "Replay") << "not a folder";
    StderrPipe errAgain;
    EXPECT_FALSE(SaveReplayToSlot(*t.game, 3, ReplayTexts{}));
    const std::string toldAgain = errAgain.take();
    EXPECT_TRUE(SaveFailureShown(*t.game, 12));
    EXPECT_EQ(t.game->saveFailure.file, "Replay/rvx03.rpy");
    EXPECT_NE(toldAgain.find("Not a directory"), std::string::npos) << toldAgain;
    EXPECT_EQ(readAll(dir.path() / "Replay"), "not a folder");
}

// Leaving the settings saves them. A failed save keeps the player on the
// screen with the failure shown and the old file untouched; leaving again
// tries once more and then leaves, the settings kept for this run.
TEST(SaveFailure, SettingsThatCannotBeSavedKeepThePlayerOnTheScreenOnce) {
    test::TestGame t;
    korvid::testing::TempDir dir;
    Game& game = *t.game;
    game.gameDir = dir.path().string();
    t.bindDefaults();
    t.s.screen = 4;
    t.s.seVolume = 85;
    const fs::path file = dir.path() / kKeySettingsFileName;
    std::ofstream(file) << "[音频]\nBGM=80\nSE=80\n";
    const std::string before = readAll(file);
    auto leave = [&] {
        t.hold(VK_ESCAPE);
        ReleaseMenuLatches(game);
        RunSettingsScreen(game);
        t.hold(VK_ESCAPE, false);
        ReleaseMenuLatches(game);
        RunSettingsScreen(game);
    };

    StderrPipe err;
    {
        const FileSizeLimit full(8);
        leave();
        EXPECT_EQ(t.s.screen, 4);
        EXPECT_TRUE(SaveFailureShown(game, 4));
        EXPECT_EQ(game.saveFailure.file, kKeySettingsFileName);
        EXPECT_EQ(readAll(file), before);
        leave();
    }
    const std::string told = err.take();
    EXPECT_EQ(t.s.screen, 0);
    EXPECT_FALSE(SaveFailureShown(game, 4));
    EXPECT_EQ(readAll(file), before);
    EXPECT_EQ(filesIn(dir.path()), 1);
    EXPECT_EQ(t.s.seVolume, 85);
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 2) << told;  // one line per failed save

    // With room on the disk the same leave saves and goes at once.
    t.s.screen = 4;
    leave();
    EXPECT_EQ(t.s.screen, 0);
    EXPECT_NE(readAll(file).find("SE=85"), std::string::npos) << readAll(file);
}

}  // namespace
}  // namespace korvid
