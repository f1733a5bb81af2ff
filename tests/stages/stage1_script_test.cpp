#include <gtest/gtest.h>

#include <vector>

#include "game/FrameSteps.h"
#include "play/StageFlow.h"
#include "stages/BgPanels.h"
#include "stages/StageScript.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

// Keeps what the script does with the music.
struct MusicEngine : test::RecordingEngine {
    std::vector<int> volumes;
    std::vector<std::string> loads;
    std::vector<std::uint32_t> freedStreams;
    HSTREAM Stream_Load(const char* name) override {
        loads.emplace_back(name);
        return static_cast<HSTREAM>(100 + loads.size());
    }
    HCHANNEL Stream_Play(HSTREAM s, bool loop, int volume) override {
        RecordingEngine::Stream_Play(s, loop, volume);
        return s + 1000;
    }
    void Stream_Free(std::uint32_t s) override { freedStreams.push_back(s); }
    void Channel_SetVolume(HCHANNEL, int v) override { volumes.push_back(v); }
};

class Stage1ScriptTest : public ::testing::Test {
protected:
    MusicEngine engine;
    Game game{engine};
    GameState& s = game.state;
    void SetUp() override {
        s.screen = 10;
        s.stage = 1;
        s.grazeCount = 0;
        s.bgmVolume = 80;
        StageLoadReset(s);
    }
    void runTo(int frame) {
        while (s.stageFrame < frame) {
            s.stageFrame += 1;
            RunStageScript(game);
        }
    }
    int livePanels() const {
        int n = 0;
        for (auto f : s.bgPanels.free) n += f == 0;
        return n;
    }
};

TEST(Stage1Generator, SeededWithZeroDrawsTheKnownSequence) {
    GameRandom r;
    r.seed(0);
    const int want[] = {38, 7719, 21238, 2437, 8855};
    for (int w : want) EXPECT_EQ(r.next(), w);
}

TEST_F(Stage1ScriptTest, FadeInBuildsTheMeadowAndDrawsInOrder) {
    runTo(-63);
    EXPECT_EQ(livePanels(), 0) << "the first call makes nothing";
    EXPECT_EQ(s.rng.state, 0u);
    runTo(-62);
    EXPECT_EQ(livePanels(), 153 + 108);
    // The first scattered tree (slot 153): i 0, j -6, from draws 38 and 7719.
    EXPECT_EQ(s.bgPanels.slot[153].x, -2586);
    EXPECT_EQ(s.bgPanels.slot[153].depth, 4829);
    EXPECT_EQ(s.bgPanels.slot[153].slope, 30);
    EXPECT_EQ(s.bgPanels.slot[0].x, 512 * -6 + 1);
    EXPECT_EQ(s.bgPanels.slot[152].depth, 4790 - 512 * 8);
    GameRandom replay;
    replay.seed(0);
    for (int i = 0; i < 234; ++i) replay.next();
    EXPECT_EQ(s.rng.state, replay.state) << "234 draws, the centre column's included";
    EXPECT_EQ(s.scrollSpeed, 4);
    EXPECT_FLOAT_EQ(s.camYaw, 10.001f);
    // The two fog sheets are effects.
    int fog = 0;
    for (int i = 0; i < kEffectCapacity; ++i) fog += !s.effects.free[i] && s.effects.slot[i].type == 5;
    EXPECT_EQ(fog, 2);

    runTo(-60);
    // Draw 235 places the first particle.
    int particleX = -1;
    for (int i = 0; i < kEffectCapacity; ++i)
        if (!s.effects.free[i] && s.effects.slot[i].type == 7) particleX = static_cast<int>(s.effects.slot[i].x);
    EXPECT_EQ(particleX, 352);
}

TEST_F(Stage1ScriptTest, MusicStartsAtFrameTwoAndFadesInOverAHundredFrames) {
    s.bgmStream = 7;  // whatever played before
    runTo(102);
    ASSERT_EQ(engine.loads.size(), 1u);
    EXPECT_EQ(engine.loads[0], "Music/music1.ogg");
    EXPECT_EQ(engine.freedStreams, std::vector<std::uint32_t>{7});
    EXPECT_EQ(s.bgmStream, 101u);
    EXPECT_EQ(s.bgmChannel, 1101u);
    ASSERT_EQ(engine.volumes.size(), 101u);
    EXPECT_EQ(engine.volumes.front(), 0);
    EXPECT_EQ(engine.volumes[50], 40);
    EXPECT_EQ(engine.volumes.back(), 80);
}

TEST_F(Stage1ScriptTest, CameraTurnEndsNearStraightAndTheGroundIsStillDrawn) {
    runTo(499);
    const float height = s.bgPanels.slot[0].height;
    runTo(800);
    EXPECT_NEAR(s.camYaw, 0, 0.03);
    EXPECT_FLOAT_EQ(s.bgPanels.slot[0].height, height - 301 * 1.5f);
    const float yaw = s.camYaw;
    runTo(900);
    EXPECT_EQ(s.camYaw, yaw) << "the turn covers 500..800 only";
    int drawnWide = 0;
    for (int i = 0; i < 153; ++i) {
        const PanelCorners c = ProjectPanel(game, i);
        drawnWide += (c.x2 - c.x1) > 10;
    }
    EXPECT_GT(drawnWide, 100);
}

TEST_F(Stage1ScriptTest, BossGateHoldsTheTimelineAndCountsDownOutsideConversations) {
    runTo(1000);
    s.bossActive = 1;
    s.enemies.occupy(kBossSlot);
    s.bossTimeLeft = 50;
    s.dialogueActive = 1;
    const int scroll = static_cast<int>(s.scrollSpeed);
    runTo(1020);  // 1020 would set the scroll speed to 2
    EXPECT_EQ(s.bossTimeLeft, 50);
    EXPECT_EQ(static_cast<int>(s.scrollSpeed), scroll);
    s.dialogueActive = 0;
    runTo(1030);
    EXPECT_EQ(s.bossTimeLeft, 40);
}

TEST_F(Stage1ScriptTest, TimeOutDrainsTheMidBossAndForcesItsLastAttack) {
    Enemy& boss = s.enemies.slot[kBossSlot];
    s.enemies.occupy(kBossSlot);
    s.bossActive = 1;
    s.bossTimeLeft = 1;
    boss.hp = 300;
    boss.maxHp = 620;
    s.bossPattern() = 2;
    s.bossTimer() = -120;  // refilling between attacks 2 and 3
    s.stageFrame = 4499;
    runTo(4500);
    EXPECT_FLOAT_EQ(boss.hp, 300) << "a refilling bar is not drained";
    EXPECT_EQ(s.bossPattern(), 3);
    EXPECT_EQ(s.bossTimer(), 0) << "attack 3 starts from its beginning, so its end runs";
    EXPECT_EQ(s.bossTimeLeft, 0);
    s.stageFrame += 1;
    RunStageScript(game);
    EXPECT_FLOAT_EQ(boss.hp, 300 - 31) << "drained on every frame while the count stays out";

    // Stage 3 ends the pattern at once and resets the count.
    s.stage = 3;
    s.bossTimeLeft = 0;
    BossTimeOut(game);
    EXPECT_EQ(boss.hp, 0);
    EXPECT_EQ(s.bossTimeLeft, 9999);
}

}  // namespace
}  // namespace korvid
