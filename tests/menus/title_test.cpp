#include "menus/Title.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "app/Boot.h"
#include "app/FrameDriver.h"
#include "game/KeySettings.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

class TitleTest : public ::testing::Test {
protected:
    test::TestGame t;
    void SetUp() override {
        t.bindDefaults();
        t.s.stageFrame = 300;  // past the logo and the first loading
    }
    // One frame with these keys held, then one with none (a key press).
    void press(int vk) {
        t.hold(vk);
        RenderFunc(*t.game);
        t.hold(vk, false);
        RenderFunc(*t.game);
    }
};

TEST_F(TitleTest, NoInputDuringTheLogo) {
    t.s.stageFrame = 0;
    t.hold(40);
    for (int i = 0; i < 200; ++i) RenderFunc(*t.game);
    EXPECT_EQ(t.s.stageFrame, 200);
    EXPECT_EQ(t.s.menuCursor, 0);
    RenderFunc(*t.game);  // frame 201: the menu takes the held key
    EXPECT_EQ(t.s.menuCursor, 1);
}

TEST_F(TitleTest, MainMenuWrapsAndAHeldKeyActsOnce) {
    t.hold(38);
    for (int i = 0; i < 10; ++i) RenderFunc(*t.game);
    EXPECT_EQ(t.s.menuCursor, 7);
    t.hold(38, false);
    press(40);
    EXPECT_EQ(t.s.menuCursor, 0);
    press(40);
    press(40);
    EXPECT_EQ(t.s.menuCursor, 2);
}

TEST_F(TitleTest, EscapeTwiceQuits) {
    press(27);
    EXPECT_EQ(t.s.menuCursor, 7);
    EXPECT_FALSE(FrameFunc(*t.game));
    press(27);
    EXPECT_TRUE(FrameFunc(*t.game));
}

TEST_F(TitleTest, EscapeTwiceQuitsAlsoAfterExtraWasCancelled) {
    press(40);  // Extra
    press(13);
    EXPECT_EQ(t.s.screen, 1);
    EXPECT_EQ(t.s.stage, 7);
    for (int i = 0; i < 5; ++i) RenderFunc(*t.game);
    press(27);
    EXPECT_EQ(t.s.screen, 0);
    press(27);
    press(27);
    EXPECT_TRUE(FrameFunc(*t.game));
}

TEST_F(TitleTest, ExtraTakesDifficulty3ThroughItsCard) {
    press(40);
    press(13);
    for (int i = 0; i < 5; ++i) RenderFunc(*t.game);
    press(40);  // Up/Down do nothing on the extra card
    EXPECT_EQ(t.s.menuCursor, 0);
    press(13);
    EXPECT_EQ(t.s.screen, 2);
    EXPECT_EQ(t.s.difficulty, 3);
    EXPECT_EQ(t.s.stage, 7);
}

TEST_F(TitleTest, DifficultyTakesInputOnlyOnceTheCardsSettle) {
    press(13);  // Start
    EXPECT_EQ(t.s.screen, 1);
    press(40);
    EXPECT_EQ(t.s.menuCursor, 1);
    t.hold(40);
    RenderFunc(*t.game);  // the cards are still scrolling toward 200
    EXPECT_EQ(t.s.menuCursor, 1);
    t.hold(40, false);
    for (int i = 0; i < 60; ++i) RenderFunc(*t.game);
    EXPECT_FLOAT_EQ(t.s.menuScroll, 200);
    press(40);
    for (int i = 0; i < 60; ++i) RenderFunc(*t.game);
    press(40);
    EXPECT_EQ(t.s.menuCursor, 0);  // wrapped over 0..2
}

TEST_F(TitleTest, PracticeCancelFromCharacterReturnsToTheSameStage) {
    press(40);
    press(40);  // Practice
    press(13);
    EXPECT_EQ(t.s.practiceMode, 1);
    press(40);  // Normal
    for (int i = 0; i < 40; ++i) RenderFunc(*t.game);
    press(13);
    EXPECT_EQ(t.s.screen, 6);
    EXPECT_EQ(t.s.difficulty, 1);
    press(40);
    for (int i = 0; i < 30; ++i) RenderFunc(*t.game);
    press(40);
    for (int i = 0; i < 30; ++i) RenderFunc(*t.game);
    press(13);
    EXPECT_EQ(t.s.screen, 2);
    EXPECT_EQ(t.s.stage, 3);
    press('X');
    EXPECT_EQ(t.s.screen, 6);
    EXPECT_EQ(t.s.menuCursor, 2);
    EXPECT_EQ(t.s.menuSlideIn, 30);
    // And cancelling the stage list goes back to the difficulty cards.
    for (int i = 0; i < 30; ++i) RenderFunc(*t.game);
    press(27);
    EXPECT_EQ(t.s.screen, 1);
    EXPECT_EQ(t.s.menuCursor, 1);
}

TEST_F(TitleTest, StartingAGameFromTheCharacterScreen) {
    press(13);
    for (int i = 0; i < 5; ++i) RenderFunc(*t.game);
    press(13);
    EXPECT_EQ(t.s.screen, 2);
    press(39);
    EXPECT_EQ(t.s.character, 2);  // the preview switched character
    press('Z');
    EXPECT_EQ(t.s.screen, 10);
    EXPECT_EQ(t.s.stage, 1);
    EXPECT_EQ(t.s.character, 2);
    EXPECT_EQ(t.s.lives, 2);
    EXPECT_EQ(t.s.stageFrame, -64 + 1);  // the next frame already ran in play
}

TEST_F(TitleTest, EveryConfirmedEntryRereadsTheSettings) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("korvid-title-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    t.game->gameDir = dir.string();
    KeySettings k{};
    k.keys[KeyShoot] = 'Q';
    k.keys[KeyDown] = 40;
    k.bgmVolume = 35;
    ASSERT_TRUE(SaveKeySettings((dir / kKeySettingsFileName).string(), k));
    press(13);  // Start: reads the file
    EXPECT_EQ(t.s.keyBindings[KeyShoot].code, 'Q');
    EXPECT_EQ(t.s.bgmVolume, 35);
    // An unreadable file on a later reload keeps the current values.
    fs::remove(dir / kKeySettingsFileName);
    press(27);
    press(13);
    EXPECT_EQ(t.s.keyBindings[KeyShoot].code, 'Q');
    fs::remove_all(dir);
}

}  // namespace
}  // namespace korvid
