#include "menus/ReplaySave.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "support/TestGame.h"

namespace fs = std::filesystem;

namespace korvid {
namespace {

TEST(ReplaySave, WritesTheStageUpToNowAndPlaysTheSoundAfterwards) {
    test::TestGame t;
    const fs::path dir = fs::temp_directory_path() / ("korvid-save-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    t.game->gameDir = dir.string();  // no "Replay" folder yet: it is created
    t.s.sounds[29] = 11;
    t.s.sounds[34] = 12;
    t.s.seVolume = 80;
    t.s.screen = 13;
    t.s.stage = t.s.startStage = 2;
    t.s.character = 1;
    t.s.replayFrame = 3;
    t.s.replayInputs[2][1] = 5;
    t.s.replayInputs[2][3] = 9;
    t.s.score = 4560;
    ASSERT_TRUE(SaveReplayToSlot(*t.game, 7, ReplayTexts{"", "run", "", ""}));
    EXPECT_EQ(t.s.screen, 12);
    ASSERT_EQ(t.engine.plays.size(), 1u);
    EXPECT_EQ(t.engine.plays[0], std::make_pair(HSTREAM{11}, 50));

    std::string why;
    auto record = LoadReplayFile((dir / "Replay" / "rvx07.rpy").string(), why);
    ASSERT_TRUE(record) << why;
    ASSERT_EQ(record->stages.size(), 1u);
    EXPECT_EQ(record->stages[0].masks, (std::vector<std::int32_t>{5, 0, 9}));
    EXPECT_EQ(record->stages[0].snapshot.score, 4560);
    EXPECT_EQ(record->key, "0");

    // A slot that cannot be written plays the refusal sound instead.
    fs::remove_all(dir);
    std::ofstream(dir.string()) << "not a folder";
    EXPECT_FALSE(SaveReplayToSlot(*t.game, 7, ReplayTexts{}));
    EXPECT_EQ(t.engine.plays.back().first, 12u);
    fs::remove(dir);
}

}  // namespace
}  // namespace korvid
