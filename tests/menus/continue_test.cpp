// A continue after a game over gives back exactly what the continue rules
// say (two lives, the start gauge, a short invulnerability, no power or
// graze, the continue counted in the score's units digit) and leaves the
// rest of play where the game over found it.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "menus/PauseMenu.h"
#include "play/Spawn.h"
#include "play/StageFlow.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

TEST(Continue, TakesOnlyWhatTheRulesSayOfTheLostGame) {
    test::TestGame t;
    GameState& s = t.s;
    s.screen = 10;
    s.stage = 3;
    StageLoadReset(s);
    // A game lost in the middle of a fight.
    s.stageFrame = 4321;
    s.lives = -1;
    s.score = 98765430 + 3;  // three continues so far
    s.bombGauge = 1234;
    s.grazeCount = 77;
    s.power = 96;
    s.maxPowerFrames = 900;
    s.bombActive = 1;
    s.invincibleTimer = 0;
    s.hudWork = 5;
    s.bossActive = 1;
    s.bossTimeLeft = 600;
    s.dialoguePageCount = 4;
    SpawnEnemyBullet(*t.game, {0, 0, 48, 16, 16}, 100, 100, 1, 1, 180, 0.5f, 2, 0, 255);
    const auto before = std::make_unique<PlayRecords>(static_cast<const PlayRecords&>(s));

    ResumeOrContinue(*t.game);

    EXPECT_EQ(s.pauseState, 2);
    EXPECT_EQ(s.lives, 2);
    EXPECT_EQ(s.bombGauge, 400);
    EXPECT_EQ(s.invincibleTimer, 200);
    EXPECT_EQ(s.grazeCount, 0);
    EXPECT_EQ(s.bombActive, 0);
    EXPECT_EQ(s.power, 0);
    EXPECT_EQ(s.maxPowerFrames, 0);
    EXPECT_EQ(s.score, 4);
    // Everything else is as the game over left it.
    auto expected = std::make_unique<PlayRecords>(*before);
    expected->lives = 2;
    expected->bombGauge = 400;
    expected->invincibleTimer = 200;
    expected->grazeCount = 0;
    expected->bombActive = 0;
    expected->power = 0;
    expected->maxPowerFrames = 0;
    expected->score = 4;
    EXPECT_EQ(std::memcmp(expected.get(), static_cast<const PlayRecords*>(&s), sizeof(PlayRecords)), 0);

    // The tenth continue and after: the digit stays at 9.
    s.lives = -1;
    s.score = 19;
    ResumeOrContinue(*t.game);
    EXPECT_EQ(s.score, 9);
}

}  // namespace
}  // namespace korvid
