#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "game/FrameSteps.h"
#include "play/StageFlow.h"
#include "stages/Dialogue.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

constexpr HTEXTURE kTalkBox = 17, kText = 44;

class DialogueTest : public ::testing::Test {
protected:
    test::TestGame t;
    void SetUp() override {
        t.bindDefaults();
        t.s.screen = 10;
        t.s.stage = 1;
        t.s.character = 1;
        StageLoadReset(t.s);
        t.s.textures[17] = kTalkBox;
        t.s.textures[44] = kText;
        t.s.stageFrame = 7000;
        t.s.bossActive = 1;
        t.s.bossPattern() = 4;
        t.s.bossTimer() = 55;
    }
    // One frame as the frame driver runs it: the clock, then the dialogue.
    void frame(bool shoot = false, bool fastForward = false) {
        t.hold('Z', shoot);
        t.hold(17, fastForward);
        t.s.frameKeys.fill(0);
        t.engine.quads.clear();
        RunDialogue(*t.game);
        t.s.stageFrame += 1;
    }
    // Texture rectangle height of the text quad of the last frame, in pixels.
    double textHeight() const {
        for (const Quad& q : t.engine.quads)
            if (q.tex == kText) return q.v[2].y - q.v[0].y;
        return -1;
    }
    std::uint32_t textAlpha() const {
        for (const Quad& q : t.engine.quads)
            if (q.tex == kText) return q.v[0].col >> 24;
        return 0;
    }
};

TEST_F(DialogueTest, PagesShowTheirLinesAndPressesTurnOnePageEach) {
    StartConversation(*t.game, {1, 10});
    // Shoot held from before the start: page 1 stays, however long.
    for (int i = 0; i < 10; ++i) frame(true);
    EXPECT_EQ(t.s.dialoguePage, 1);
    EXPECT_NEAR(textHeight(), 16.8, 1e-3);
    frame(false);
    for (int page = 2; page <= 10; ++page) {
        frame(true);  // the press turns
        EXPECT_EQ(t.s.dialoguePage, page);
        frame(true);  // holding on does not
        frame(false);
        EXPECT_EQ(t.s.dialoguePage, page);
    }
    EXPECT_NEAR(textHeight(), 2 * 16.8, 1e-3) << "page 10 holds lines 10 and 11";
    EXPECT_EQ(t.s.dialogueActive, 1);
    frame(true);
    EXPECT_EQ(t.s.dialogueActive, 0);
    EXPECT_EQ(t.s.bossTimer(), 0) << "the boss's pattern starts from its beginning";
}

// The page's text lies over a dark rim (eight black copies one pixel
// around it, fading in with it), so it reads over any backdrop.
TEST_F(DialogueTest, TextIsDrawnOverADarkRim) {
    StartConversation(*t.game, {1, 10});
    frame();
    std::vector<Quad> text;
    for (const Quad& q : t.engine.quads)
        if (q.tex == kText) text.push_back(q);
    ASSERT_EQ(text.size(), 9u);
    const Quad& top = text.back();
    EXPECT_EQ(top.v[0].x, 56);
    EXPECT_EQ(top.v[0].y, 372);
    EXPECT_EQ(top.v[0].col & 0xFFFFFFu, 0xFFFFFFu);
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        EXPECT_EQ(text[i].v[0].col & 0xFFFFFFu, 0u) << i;
        EXPECT_EQ(text[i].v[0].col >> 24, top.v[0].col >> 24) << i;
        EXPECT_LE(std::abs(text[i].v[0].x - 56), 1.0f) << i;
        EXPECT_LE(std::abs(text[i].v[0].y - 372), 1.0f) << i;
    }
}

TEST_F(DialogueTest, ThirdCharacterPagesAndLineHeight) {
    t.s.character = 3;
    StartConversation(*t.game, {3, 5});
    frame();
    EXPECT_NEAR(textHeight(), 2 * 16.2, 1e-3) << "page 3 holds lines 3 and 4";
}

TEST_F(DialogueTest, TextFadesInAndStaysVisible) {
    t.s.dialogueTextAlpha = 0;  // whatever an earlier conversation left
    StartConversation(*t.game, {1, 10});
    frame();
    EXPECT_EQ(textAlpha(), 15u);
    for (int i = 0; i < 40; ++i) {
        frame();
        EXPECT_GT(textAlpha(), 0u) << "frame " << i;
    }
    EXPECT_EQ(t.s.dialogueTextAlpha, 255);
    EXPECT_EQ(textAlpha(), 255u);
}

TEST_F(DialogueTest, FastForwardTurnsEveryFourthCallAndBothKeysAreAsked) {
    StartConversation(*t.game, {1, 10});
    frame();  // Shoot seen released
    int turns = 0;
    for (int i = 1; i <= 16; ++i) {
        const int before = t.s.dialoguePage;
        frame(false, true);
        EXPECT_EQ(t.s.frameKeys[KeyFastForward], 1);
        if (t.s.dialoguePage != before) {
            ++turns;
            EXPECT_EQ(i % 4, 0) << "turned on call " << i;
        }
    }
    EXPECT_EQ(turns, 4);
    // Shoot is asked (and so recorded) even on a frame where it cannot turn.
    t.s.dialogueShootReleased = 0;
    frame(true, false);
    EXPECT_EQ(t.s.frameKeys[KeyShoot], 1);
}

TEST_F(DialogueTest, ReplayAfterTheStageEndTurnsByTimeWithTheClockStill) {
    t.s.replayPlaying = 1;
    t.s.stageFrame = kReplayFramesPerStage;
    StartConversation(*t.game, {12, 15});
    for (int i = 0; i < 16 && t.s.dialogueActive; ++i) {
        RunDialogue(*t.game);  // the clock does not move after the stage's end
    }
    EXPECT_EQ(t.s.dialogueActive, 0);
    EXPECT_EQ(t.s.dialogueTicks, 13) << "pages turn on calls 0, 4, 8 and 12";
}

TEST_F(DialogueTest, TimedPagesIgnoreKeysAndTurnAfterNinetyFrames) {
    t.s.stage = 3;
    t.s.bossPattern() = 14;
    StartConversation(*t.game, {1, 5, KeyLatch::Set, PageStart::Stamp});
    const int start = t.s.stageFrame;
    while (t.s.dialoguePage == 1 && t.s.stageFrame - start < 200) frame((t.s.stageFrame - start) % 2 == 0);
    EXPECT_EQ(t.s.stageFrame - start, 92) << "due once more than 90 frames have passed";
}

TEST_F(DialogueTest, ConversationEndReleasesBossesAtTheirResumeFrame) {
    t.s.stage = 5;
    t.s.character = 2;
    StartConversation(*t.game, {1, 1});
    frame();
    frame(true);
    EXPECT_EQ(t.s.dialogueActive, 0);
    EXPECT_EQ(t.s.bossTimer(), 101);
}

TEST(DialoguePages, EveryListCoversItsConversations) {
    // The last page of each opening conversation has a line after it.
    EXPECT_EQ(DialoguePageLines(1, 1, 4).size(), 11u);
    EXPECT_EQ(DialoguePageLines(1, 3, 4).size(), 6u);
    EXPECT_EQ(DialoguePageLines(3, 2, 14).size(), 6u);
    EXPECT_EQ(DialoguePageLines(6, 2, 50).back(), 10);
    EXPECT_TRUE(DialoguePageLines(7, 1, 80).empty());
    EXPECT_DOUBLE_EQ(DialogueLineHeight(4, 1), 16.2);
    EXPECT_DOUBLE_EQ(DialogueLineHeight(2, 2), 16.8);
}

}  // namespace
}  // namespace korvid
