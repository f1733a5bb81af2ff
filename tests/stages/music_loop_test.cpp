// The stages' tunes go back to their loop points while their fights run:
// stage 2 from its boss's first pattern (whichever of its two tunes is
// playing), stage 6 during its boss; never before the rule holds, never
// once the stage is cleared, and stage 1 (which has no loop point) never.
#include <gtest/gtest.h>

#include <string>

#include "bosses/BossFight.h"
#include "bosses/FightRegistry.h"
#include "stages/MusicLoops.h"

namespace korvid {
namespace {

using test::BossFight;

// The loop row of `stage` for `tune` (nullptr when there is none).
const MusicLoop* rowFor(int stage, const std::string& tune) {
    for (const MusicLoop& l : kMusicLoops)
        if (l.stage == stage && tune == l.tune) return &l;
    return nullptr;
}

// The stage script's frame at channel position `pos`: the positions it set.
std::vector<float> scriptFrameAt(BossFight& f, float pos) {
    f.engine.positions.clear();
    f.engine.channelPos = pos;
    f.gateAndBoss();
    return f.engine.positions;
}

TEST(MusicLoop, StageTwoLoopsBothItsTunesFromTheBossesFirstPatternUntilTheClear) {
    BossFight f(1, 2);
    f.s.character = 1;
    // The stage's own tune, before the boss: it plays on past the point.
    f.playTo(3);
    ASSERT_FALSE(f.engine.loads.empty());
    const MusicLoop* stageRow = rowFor(2, f.engine.loads.back());
    ASSERT_NE(stageRow, nullptr) << f.engine.loads.back();
    f.s.stageFrame = 3000;
    EXPECT_TRUE(scriptFrameAt(f, stageRow->at + 5).empty());

    // The boss arrives at 5000 on pattern 9; during its conversation the
    // stage's tune is still the one playing, and it loops.
    f.jumpTo(5000);
    ASSERT_EQ(f.s.bossPattern(), 9);
    EXPECT_TRUE(scriptFrameAt(f, stageRow->at - 0.05f).empty());
    EXPECT_EQ(scriptFrameAt(f, stageRow->at), std::vector<float>{stageRow->to});

    // Once the fight switches to the boss's tune, that tune loops at its own row.
    f.s.dialogueActive = 0;
    f.engine.channelPos = 0;
    for (int i = 0; i < 400 && f.engine.loads.size() < 2; ++i) PlayFrame(f.game);
    ASSERT_EQ(f.engine.loads.size(), 2u) << "the boss's tune never started";
    const MusicLoop* bossRow = rowFor(2, f.engine.loads.back());
    ASSERT_NE(bossRow, nullptr) << f.engine.loads.back();
    EXPECT_EQ(scriptFrameAt(f, bossRow->at + 1), std::vector<float>{bossRow->to});

    f.s.stageCleared = 1;
    EXPECT_TRUE(scriptFrameAt(f, bossRow->at + 1).empty());
}

TEST(MusicLoop, StageSixLoopsDuringItsBoss) {
    BossFight six(1, 6);
    six.s.stageFrame = 100;
    ASSERT_TRUE(BringInFightAt(six.game, 46));
    const MusicLoop* row = rowFor(6, "Music/music6boss.mp3");
    ASSERT_NE(row, nullptr);
    EXPECT_TRUE(scriptFrameAt(six, row->at - 0.05f).empty());
    EXPECT_EQ(scriptFrameAt(six, row->at), std::vector<float>{row->to});
}

TEST(MusicLoop, StageOneHasNoLoopPoint) {
    for (const MusicLoop& l : kMusicLoops) EXPECT_NE(l.stage, 1);
    BossFight one(1, 1);
    one.s.stageFrame = 100;
    ASSERT_TRUE(BringInFightAt(one.game, 4));
    EXPECT_TRUE(scriptFrameAt(one, 1000).empty());
}

}  // namespace
}  // namespace korvid
