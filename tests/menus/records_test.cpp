// The saved high scores: a finished game takes its place with the name typed
// for it; a damaged records file is refused (and kept aside), the game
// starting all the same; a save killed at any moment leaves a whole table.
// The records screen's cards page opens on the first card the player has
// reached, so one confirm more plays it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "bosses/FightRegistry.h"
#include "engine/TempDir.h"
#include "game/FrameSteps.h"
#include "game/Input.h"
#include "menus/PauseMenu.h"
#include "menus/RecordsFile.h"
#include "menus/RecordsScreens.h"
#include "play/StageFlow.h"
#include "stages/Stage7.h"
#include "support/GameProcess.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

ScoreRecord game(const char* name, std::int64_t score, int stage) {
    ScoreRecord r;
    r.name = name;
    r.score = score;
    r.stage = stage;
    r.date = "2026/12/01";
    return r;
}

TEST(HighScores, AFinishedGameTakesItsPlaceWithTheNameTypedForIt) {
    testing::TempDir dir;
    test::TestGame t;
    GameState& s = t.s;
    t.game->gameDir = dir.path().string();
    t.game->records = std::make_unique<RecordBook>();
    for (std::int64_t score : {9000, 7000, 5000}) EnterRecord(*t.game->records, 1, 2, game("old", score, 6));
    // Another table of the same difficulty is not this game's.
    EnterRecord(*t.game->records, 1, 3, game("other", 100, 1));

    // Lost in stage 4 on Normal with character 2; the best the game showed
    // was 7000 (the score then went on to 6990 before the last life went).
    s.screen = 10;
    s.stage = 4;
    StageLoadReset(s);
    s.difficulty = 1;
    s.character = 2;
    s.bestScore = 7000;
    s.score = 6990;
    s.lives = -1;
    s.pauseState = 1;
    s.pauseFade = 1;
    s.pauseCursor = kPauseQuit;
    ASSERT_TRUE(IsGameOverPrompt(s));

    t.hold('Z');
    PauseFrame(*t.game);
    ASSERT_EQ(s.screen, kNameEntryScreen);
    ASSERT_TRUE(t.game->nameBox);
    t.game->nameBox->SetText("Mira");
    t.hold('Z', false);
    ReleaseMenuLatches(*t.game);
    t.hold(VK_RETURN);
    NameEntryFrame(*t.game);
    EXPECT_EQ(s.screen, 0);  // on to the title

    // Equal to the second best, it goes below it.
    const RecordBook saved = LoadRecordsFile(dir.file(kRecordsFileName));
    ASSERT_FALSE(saved.damaged) << saved.problem;
    const std::vector<ScoreRecord>& table = *RecordTable(saved, 1, 2);
    ASSERT_EQ(table.size(), 4u);
    EXPECT_EQ(table[1].name, "old");
    EXPECT_EQ(table[2].name, "Mira");
    EXPECT_EQ(table[2].score, 7000);
    EXPECT_EQ(table[2].stage, 4);
    EXPECT_FALSE(table[2].allClear);
    EXPECT_FALSE(table[2].continued);
    EXPECT_EQ(table[2].date.size(), 10u);
    EXPECT_EQ(RecordTable(saved, 1, 3)->size(), 1u);

    // A table of ten keeps its ten best; a game below them takes no name.
    for (int i = 0; i < 6; ++i) EnterRecord(*t.game->records, 1, 2, game("more", 6000 - i, 2));
    ASSERT_EQ(RecordTable(*t.game->records, 1, 2)->size(), 10u);
    EXPECT_EQ(RecordPlace(*t.game->records, 1, 2, 5000), -1);  // the lowest kept, and not above it
    s.screen = 10;
    s.bestScore = 5000;
    s.score = 5000;
    EXPECT_FALSE(OfferRecordEntry(*t.game, false, false));
    EXPECT_EQ(s.screen, 10);
}

TEST(HighScores, ADamagedFileIsRefusedWithItsReasonKeptAsideAndTheGameStarts) {
    testing::TempDir dir;
    const std::string path = dir.file(kRecordsFileName);
    std::ofstream(path) << "korvid records 1\nscore 0 1 500 2 0 0 2026/12/01 a\nscore 0 1 900 2 0 0 - b\n";
    RecordBook book = LoadRecordsFile(path);
    EXPECT_TRUE(book.damaged);
    EXPECT_EQ(book.problem, "line 3: a table out of order");
    EXPECT_TRUE(RecordTable(book, 0, 1)->empty());

    // The first save keeps the refused file beside the new one.
    EnterRecord(book, 0, 1, game("c", 300, 1));
    ASSERT_TRUE(SaveRecordsFile(path, book));
    EXPECT_TRUE(std::filesystem::exists(path + ".damaged"));
    EXPECT_EQ(RecordTable(LoadRecordsFile(path), 0, 1)->front().name, "c");

    // The game itself starts on a damaged file and says why.
    std::ofstream(path, std::ios::trunc) << "\x01\x02 not records";
    const test::GameRun run = test::RunHeadless("--dir " + dir.path().string() + " --frames 240 --print-state");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("records.dat is damaged (line 1: not a records file)"), std::string::npos) << run.out;
    EXPECT_NE(run.last().find("screen=0"), std::string::npos) << run.out;
}

TEST(RecordsScreen, TheCardsPageOpensOnTheFirstCardReachedAndConfirmPlaysIt) {
    // A frame of the screen as the frame driver runs it: keys let go free
    // their latches first.
    const auto frame = [](test::TestGame& t, bool confirm) {
        t.hold('Z', confirm);
        ReleaseMenuLatches(*t.game);
        RunRecordsScreen(*t.game);
    };
    test::TestGame t;
    t.bindDefaults();
    GameState& s = t.s;
    t.game->records = std::make_unique<RecordBook>();
    // The third card a Normal game can meet is the only one reached.
    std::vector<int> listed;
    for (int id = 1; id < kStage7MidBoss1.pattern; ++id) {
        const PatternRow* row = Fights(*t.game).find(id).row;
        if (row && row->spell) listed.push_back(id);
    }
    ASSERT_GE(listed.size(), 3u);
    const int card = listed[2];
    t.game->records->cards[card][1] = CardCounts{2, 1, 0, 0, 0};
    t.game->recordsView.difficulty = 1;
    t.game->recordsView.character = 2;
    OpenRecordsScreen(*t.game);
    frame(t, false);
    frame(t, true);
    EXPECT_EQ(t.game->recordsView.cardCursor, 2);
    frame(t, false);
    frame(t, true);
    EXPECT_EQ(s.screen, 10);
    EXPECT_EQ(s.spellPracticeCard, card);
    EXPECT_EQ(s.stage, 2);

    // With no card reached the page opens on its first row.
    test::TestGame none;
    none.bindDefaults();
    none.game->records = std::make_unique<RecordBook>();
    none.game->recordsView.cardCursor = 5;
    OpenRecordsScreen(*none.game);
    frame(none, false);
    frame(none, true);
    EXPECT_EQ(none.game->recordsView.cardCursor, 0);
    EXPECT_EQ(none.s.screen, kRecordsScreen);
}

TEST(HighScores, ASaveKilledAtAnyMomentLeavesTheOldTableOrTheNewWhole) {
    testing::TempDir dir;
    const std::string path = dir.file(kRecordsFileName);
    RecordBook before, after;
    for (int i = 0; i < 10; ++i) EnterRecord(before, 2, 1, game("before", 1000 + i, 3));
    for (int id = 1; id < kRecordCardIds; ++id) after.cards[id][2] = CardCounts{3, 5, 2, 1, 0};
    EnterRecord(after, 2, 1, game("after", 50, 1));
    ASSERT_TRUE(SaveRecordsFile(path, before));

    for (int round = 0; round < 20; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) {
                SaveRecordsFile(path, after);
                SaveRecordsFile(path, before);
            }
        }
        usleep(static_cast<useconds_t>(500 + 700 * round));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const RecordBook read = LoadRecordsFile(path);
        ASSERT_FALSE(read.damaged) << "round " << round << ": " << read.problem;
        EXPECT_TRUE(read == before || read == after) << "round " << round;
    }
}

}  // namespace
}  // namespace korvid
