// Spell practice from the records screen: the card a player has reached is
// played alone, the boss coming in at that card with its own hit points and
// time limit; the run is recorded as a replay that plays back and verifies.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "bosses/FightRegistry.h"
#include "engine/TempDir.h"
#include "menus/RecordsFile.h"
#include "menus/ReplayFile.h"
#include "support/GameProcess.h"

namespace korvid {
namespace {

constexpr int kCard = 5;

TEST(SpellPractice, StartsAtTheChosenCardWithItsLimitAndHpAndItsReplayVerifies) {
    testing::TempDir dir;
    // Card 5 reached once on Normal in stage 1.
    std::ofstream(dir.file(kRecordsFileName)) << "korvid records 1\ncard 5 1 1 1 0 0 0\n";
    // Title: Replays, the records screen (Right), Normal, its cards, the
    // first card; then fire at the boss.
    std::ofstream(dir.file("keys.txt")) << "230 DOWN\n240 DOWN\n250 DOWN\n260 RETURN\n280 RIGHT\n290 RIGHT\n"
                                           "300 RETURN\n320 RETURN\n420-1200 Z\n";
    const std::string game = "--dir " + dir.path().string();
    const test::GameRun run = test::RunHeadless(game + " --keys " + dir.file("keys.txt") + " --frames 1200 --trace --probe --record " +
                                                dir.file("practice.rpy"));
    ASSERT_EQ(run.status, 0) << run.out;

    BossEntry entry;
    ASSERT_TRUE(EntryForPattern(BuiltInFights(), kCard, entry));
    char expected[96];
    std::snprintf(expected, sizeof expected, " pattern=%d bosshp=%.2f timeleft=%d card=1 ", kCard,
                  static_cast<double>(entry.hp), entry.timeLimit);
    std::size_t first = run.lines.size();
    for (std::size_t i = 0; i < run.lines.size(); ++i)
        if (run.lines[i].find(" pattern=5 ") != std::string::npos) {
            first = i;
            break;
        }
    ASSERT_LT(first, run.lines.size()) << "the card never came in";
    EXPECT_NE(run.lines[first].find("screen=10 stage=1 "), std::string::npos) << run.lines[first];
    EXPECT_NE(run.lines[first].find(expected), std::string::npos) << run.lines[first] << "\nwanted" << expected;
    EXPECT_NE(run.lines[first].find(" enemies=0 "), std::string::npos) << run.lines[first];

    std::string why;
    const auto record = LoadReplayFile(dir.file("practice.rpy"), why);
    ASSERT_TRUE(record) << why;
    EXPECT_EQ(record->practiceMode, kSpellPracticeMode + kCard);
    EXPECT_EQ(record->difficulty, 1);

    const test::GameRun replay = test::RunHeadless(game + " --replay " + dir.file("practice.rpy") + " --verify");
    EXPECT_EQ(replay.status, 0) << replay.out;
    EXPECT_NE(replay.out.find("stage 1: ok"), std::string::npos) << replay.out;
}

}  // namespace
}  // namespace korvid
