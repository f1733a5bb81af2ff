// The replay screens played as a player would: boxes typed into, slots
// saved and listed, a replay started from its second stage.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <unistd.h>

#include "app/FrameDriver.h"
#include "engine/KeyCodes.h"
#include "engine/Utf8.h"
#include "game/Input.h"
#include "game/FrameSteps.h"
#include "menus/ReplaySave.h"
#include "menus/ReplayScreens.h"
#include "menus/ReplaySlots.h"
#include "menus/Title.h"
#include "play/StageFlow.h"
#include "support/TestGame.h"
#include "support/TestPaths.h"

namespace fs = std::filesystem;

namespace korvid {
namespace {

class ReplayScreens : public ::testing::Test {
protected:
    test::TestGame t;
    fs::path dir;

    void SetUp() override {
        dir = fs::temp_directory_path() / ("korvid-screens-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        t.game->gameDir = dir.string();
        t.bindDefaults();
        t.s.sounds[29] = 29;
        t.s.sounds[34] = 34;
        t.s.seVolume = 80;
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string slotBytes(int slot) const {
        std::ifstream in(dir / ReplaySlotPath(slot), std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    // One frame of the save screen with these keys held and this typed.
    void saveFrame(std::vector<int> keys = {}, std::vector<Engine::TextEvent> typed = {}) {
        t.engine.keys.fill(false);
        for (int vk : keys) t.engine.keys[vk] = true;
        t.engine.textEvents = std::move(typed);
        ReleaseMenuLatches(*t.game);
        ReplaySaveFrame(*t.game);
    }
    void click(float x, float y) {
        t.engine.mouseX = x;
        t.engine.mouseY = y;
        saveFrame({VK_LBUTTON});
        saveFrame();
    }
    void typeText(std::string_view utf8) {
        std::vector<Engine::TextEvent> ev;
        for (char32_t c : DecodeUtf8(utf8)) ev.push_back({c, 0});
        saveFrame({}, ev);
    }
    // A game of one stage with three recorded frames.
    void playedStage1() {
        t.s.stage = t.s.startStage = 1;
        t.s.character = 1;
        t.s.bombGauge = 400;
        t.s.lives = 2;
        t.s.replayFrame = 2;
        t.s.replayInputs[1][1] = 3;
    }
};

TEST_F(ReplayScreens, EmptyBoxesSaveTheExactBytesAndTheSuccessSound) {
    playedStage1();
    OpenReplaySaveScreen(*t.game);
    ASSERT_EQ(t.s.screen, 12);
    saveFrame();
    saveFrame({'Z'});  // an empty slot is saved at once
    EXPECT_EQ(t.s.screen, 12);
    ASSERT_FALSE(t.engine.plays.empty());
    EXPECT_EQ(t.engine.plays.back(), std::make_pair(HSTREAM{29}, 50));

    const std::string bytes = slotBytes(1);
    const std::regex layout(
        "0\n\xCE\xDE \n\xCE\xDE \n1\n\xCE\xDE \n[0-9]{4}/[0-9]{2}/[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}\n"
        "0 1 0 0 1 1 2 400 2 0 0 0 3 0 ");
    EXPECT_TRUE(std::regex_match(bytes, layout)) << bytes;
    EXPECT_EQ(bytes.find('\r'), std::string::npos);
    EXPECT_EQ(ReplaySlotRow(t.game->replaySlots.slots[0], 1), "01.\xE6\x97\xA0");  // "01.无"
}

TEST_F(ReplayScreens, TypedBoxesAreSavedAndAnOccupiedSlotAsksFirst) {
    playedStage1();
    fs::create_directories(dir / "Replay");
    fs::copy_file(fs::path(korvid::test::SourceDir()) / "tests/fuzz/corpus/replay/empty_texts.rpy", dir / ReplaySlotPath(2));
    OpenReplaySaveScreen(*t.game);
    saveFrame();
    click(250, 145);  // the key box
    typeText("a1-2.3.4");
    click(250, 50);   // the name box: a 1023-character name, emoji refused
    std::string name;
    for (int i = 0; i < 1022; ++i) name += "鸦";
    typeText(name + "\U0001F600" + "x" + "y");
    click(250, 200);  // the description: two lines
    saveFrame({}, {{U'a', 0}, {0, VK_RETURN}, {U'b', 0}});
    click(600, 470);  // nowhere: the keys act again
    EXPECT_FALSE(t.engine.textInput);

    // Slot 2, which holds a replay: confirmation first, then the save.
    saveFrame({VK_DOWN});
    ASSERT_EQ(t.s.menuCursor, 1);
    saveFrame({'Z'});
    EXPECT_EQ(t.s.screen, 13);
    saveFrame({'X'});
    EXPECT_EQ(t.s.screen, 12);
    saveFrame({VK_RETURN});
    saveFrame({VK_RETURN});
    saveFrame();
    saveFrame({VK_RETURN});
    EXPECT_EQ(t.s.screen, 12);

    std::string why;
    const auto record = LoadReplayFile((dir / ReplaySlotPath(2)).string(), why);
    ASSERT_TRUE(record) << why;
    EXPECT_EQ(record->key, "12.34");
    EXPECT_EQ(DecodeUtf8(record->name).size(), 1023u);
    EXPECT_EQ(record->name, name + "x");
    EXPECT_EQ(record->description, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(t.game->replaySlots.slots[1].name, name + "x");  // the list shows it at once
}

TEST_F(ReplayScreens, CancelReturnsToThePauseMenuOrTheTitleWhenTheGameIsOver) {
    playedStage1();
    OpenReplaySaveScreen(*t.game);
    saveFrame({VK_ESCAPE});
    EXPECT_EQ(t.s.screen, 10);
    EXPECT_EQ(t.game->saveBoxes[0], nullptr);

    t.s.gameFinished = 1;
    OpenReplaySaveScreen(*t.game);
    saveFrame();
    saveFrame({VK_ESCAPE});
    EXPECT_EQ(t.s.screen, 0);
    EXPECT_EQ(t.s.stage, 0);

    // Watching a replay, the save screen closes itself.
    t.s.gameFinished = 0;
    t.s.replayPlaying = 1;
    OpenReplaySaveScreen(*t.game);
    saveFrame();
    EXPECT_EQ(t.s.screen, 10);
}

TEST_F(ReplayScreens, BrokenSlotsAreListedAsBrokenAndNeverLoaded) {
    fs::create_directories(dir / "Replay");
    std::ofstream(dir / ReplaySlotPath(3)) << "garbage";
    // Start stage 0: a header no saved game has.
    std::ofstream(dir / ReplaySlotPath(4)) << "0\nx \ny \n1\nz \n2026/01/01 00:00:00\n0 1 0 0 0 1 1 0 0 0 0 0 0 ";
    t.s.screen = 5;
    t.s.menuCursor = 2;
    RunReplayList(*t.game);
    const auto& slots = t.game->replaySlots.slots;
    EXPECT_EQ(slots[0].status, ReplaySlotSummary::Missing);
    EXPECT_EQ(slots[2].status, ReplaySlotSummary::Broken);
    EXPECT_EQ(slots[3].status, ReplaySlotSummary::Broken);
    EXPECT_EQ(ReplaySlotRow(slots[2], 3), "03.<损坏>");
    EXPECT_EQ(ReplaySlotRow(slots[0], 1), "01.<空>");
    t.hold('Z');
    RunReplayList(*t.game);
    EXPECT_EQ(t.s.screen, 5);
    EXPECT_EQ(t.engine.plays.back().first, 34u);

    // Read once: a file appearing later shows only on the next visit.
    std::ofstream(dir / ReplaySlotPath(1)) << "garbage";
    RunReplayList(*t.game);
    EXPECT_EQ(slots[0].status, ReplaySlotSummary::Missing);
}

// Plays one frame of stage play with `keys` held.
void playFrame(test::TestGame& t, std::initializer_list<int> keys) {
    t.engine.keys.fill(false);
    for (int vk : keys) t.engine.keys[vk] = true;
    RenderFunc(*t.game);
}

TEST_F(ReplayScreens, AReplayLoadsFromItsSecondStageAndPlaysTheSame) {
    // Record: stage 1, then stage 2, as the stage-clear driver hands over.
    t.s.screen = 10;
    t.s.character = 2;
    t.s.difficulty = 1;
    StartRoutine(*t.game);
    for (int i = 0; i < 120; ++i) playFrame(t, {VK_UP, 'Z'});
    t.s.grazeCount = 17;
    t.s.score = 1230;
    EndOfStage(*t.game);
    t.s.stage = 2;
    StageLoad(*t.game);
    for (int i = 0; i < 150; ++i) playFrame(t, {i < 90 ? VK_LEFT : VK_DOWN, VK_SHIFT});
    const float endX = t.s.playerX, endY = t.s.playerY;
    ASSERT_NE(endX, 224.0f);
    t.s.replayPlaying = 0;
    ASSERT_TRUE(SaveReplayToSlot(*t.game, 5, ReplayTexts{"", "two stages", "", ""}));

    // Play it: a fresh game, the list, slot 5, stage 2.
    test::TestGame p;
    p.game->gameDir = dir.string();
    p.bindDefaults();
    p.s.screen = 5;
    p.s.menuCursor = 4;
    auto listFrame = [&](std::initializer_list<int> keys) {
        p.engine.keys.fill(false);
        for (int vk : keys) p.engine.keys[vk] = true;
        ReleaseMenuLatches(*p.game);
        RunReplayList(*p.game);
    };
    listFrame({'Z'});
    ASSERT_EQ(p.s.screen, 7);
    for (int i = 0; i < 40; ++i) listFrame({});
    EXPECT_EQ(p.s.stage, 1);
    listFrame({VK_DOWN});
    EXPECT_EQ(p.s.stage, 2);
    for (int i = 0; i < 40; ++i) listFrame({});
    listFrame({'Z'});
    ASSERT_EQ(p.s.screen, 10);
    EXPECT_EQ(p.s.replayPlaying, 1);
    EXPECT_EQ(p.s.stage, 2);
    EXPECT_EQ(p.s.score, 1230);       // the counters stage 1 ended with
    EXPECT_EQ(p.s.grazeCount, 17);
    EXPECT_EQ(p.s.character, 2);
    for (int i = 0; i < 150; ++i) playFrame(p, {});
    EXPECT_EQ(p.s.replayFrame, t.s.replayFrame);
    EXPECT_EQ(p.s.playerX, endX);
    EXPECT_EQ(p.s.playerY, endY);
    EXPECT_EQ(p.s.score, t.s.score);
    EXPECT_EQ(p.s.grazeCount, t.s.grazeCount);
}

TEST_F(ReplayScreens, AReplaySavedFromThePauseMenuEndsInTheEndOfReplayMenu) {
    // Play part of stage 1, pause, choose Save, save into slot 6.
    t.s.screen = 10;
    t.s.character = 1;
    StartRoutine(*t.game);
    for (int i = 0; i < 64 + 90; ++i) playFrame(t, {VK_RIGHT, 'Z'});
    playFrame(t, {VK_ESCAPE});  // the pause menu opens at the end of this frame
    ASSERT_EQ(t.s.pauseState, 1);
    const int savedAt = t.s.replayFrame;  // the frame of the Escape is recorded too
    ASSERT_GT(savedAt, 80);
    const float x = t.s.playerX;
    playFrame(t, {});
    playFrame(t, {VK_DOWN});
    playFrame(t, {});
    playFrame(t, {VK_DOWN});
    playFrame(t, {});
    ASSERT_EQ(t.s.pauseCursor, 2);
    playFrame(t, {'Z'});
    ASSERT_EQ(t.s.screen, 12);
    ASSERT_NE(t.game->saveBoxes[0], nullptr);
    for (int i = 0; i < 5; ++i) playFrame(t, {VK_DOWN});  // held: one step
    playFrame(t, {});
    for (int n = 0; n < 4; ++n) {
        playFrame(t, {VK_DOWN});
        playFrame(t, {});
    }
    ASSERT_EQ(t.s.menuCursor, 5);
    playFrame(t, {'Z'});
    ASSERT_TRUE(fs::exists(dir / ReplaySlotPath(6)));

    // Played from the list, the menu opens on the frame after the last
    // recorded one, on Quit, with Resume greyed.
    test::TestGame p;
    p.game->gameDir = dir.string();
    p.bindDefaults();
    p.s.screen = 5;
    p.s.menuCursor = 5;
    RunReplayList(*p.game);
    p.hold('Z');
    RunReplayList(*p.game);
    ASSERT_EQ(p.s.screen, 7);
    p.hold('Z', false);
    ReleaseMenuLatches(*p.game);
    RunReplayList(*p.game);
    p.hold(VK_RETURN);
    RunReplayList(*p.game);
    ASSERT_EQ(p.s.screen, 10);
    int frames = 0;
    while (p.s.pauseState == 0 && frames < 400) {
        playFrame(p, {});
        ++frames;
    }
    EXPECT_EQ(p.s.replayFrame, savedAt + 1);
    EXPECT_EQ(p.s.playerX, x);  // frame N+1 plays no recorded keys
    playFrame(p, {});
    EXPECT_EQ(p.s.pauseCursor, 1);
    playFrame(p, {VK_UP});
    EXPECT_EQ(p.s.pauseCursor, 4);  // over the greyed Resume to Retry
    playFrame(p, {});
    p.s.score = 5000;
    playFrame(p, {'Z'});
    EXPECT_EQ(p.s.pauseState, 0);
    EXPECT_EQ(p.s.score, 0);
    EXPECT_EQ(p.s.stage, 1);
    EXPECT_EQ(p.s.replayPlaying, 1);
}

}  // namespace
}  // namespace korvid
