// The driver's own rules: the boss's colour through the whole timer range,
// banking and mirroring, and a conversation holding the patterns back.
#include <gtest/gtest.h>

#include "BossFight.h"
#include "bosses/BossDriver.h"

namespace korvid {
namespace {

using test::BossFight;

TEST(BossColour, PulsesNeverReachIntoTheAlpha) {
    for (int t = -300; t <= 20; ++t) {
        const unsigned low = BossColour(200, 10, 900, false, t);  // below an eighth of the bar
        const unsigned grey = BossColour(200, 500, 900, true, t);
        const unsigned spent = BossColour(200, 0, 900, false, t);
        for (unsigned c : {low, grey, spent}) EXPECT_EQ(c >> 24, 200u) << "timer " << t;
        EXPECT_EQ((low >> 16) & 0xFF, 255u);
        EXPECT_EQ((low >> 8) & 0xFF, ((t % 8 + 8) % 8) * 32u);
        EXPECT_EQ(grey & 0xFF, 155u + ((t % 10 + 10) % 10) * 10u);
        EXPECT_EQ(spent & 0xFF, static_cast<unsigned>(((t % 10 + 10) % 10) * 25.5));
    }
    EXPECT_EQ(BossColour(255, 500, 900, false, 7), 0xFFFFFFFFu);
}

TEST(BossDriver, BanksIntoTheTiltRowAndMirrorsWhenHeadingLeft) {
    BossFight f;
    f.placeBoss(4, 0, 900);
    f.s.dialogueActive = 1;  // no pattern runs: the driver only moves it
    f.boss.angle = 270;
    f.boss.speed = 1;
    for (int i = 0; i < 16; ++i) f.bossFrame();
    EXPECT_EQ(f.boss.tilt, -16);
    EXPECT_FLOAT_EQ(f.boss.sprite.texX, 3 * 48) << "full bank: the tilt row's last cell";
    EXPECT_FLOAT_EQ(f.boss.sprite.texY, 64);
    const Quad& q = f.boss.sprite.quad;
    EXPECT_GT(q.v[0].x, q.v[1].x) << "drawn mirrored";

    f.boss.angle = 180;  // straight down: the front view
    f.bossFrame();
    EXPECT_EQ(f.boss.tilt, 0);
    EXPECT_FLOAT_EQ(f.boss.sprite.texY, 0);
    EXPECT_LT(f.boss.sprite.quad.v[0].x, f.boss.sprite.quad.v[1].x);
}

TEST(BossDriver, AConversationHoldsThePatternButNotItsClock) {
    BossFight f;
    f.placeBoss(4, 0, 900);
    f.s.dialogueActive = 1;
    for (int i = 0; i < 150; ++i) f.bossFrame();
    EXPECT_EQ(f.boss.timer, 150);
    EXPECT_TRUE(f.engine.loads.empty()) << "pattern 4 would have started its music at 100";
    f.s.dialogueActive = 0;
    f.boss.timer = 0;
    for (int i = 0; i <= 100; ++i) f.bossFrame();
    ASSERT_FALSE(f.engine.loads.empty());
    EXPECT_EQ(f.engine.loads.back(), "Music/music1boss.ogg");
}

}  // namespace
}  // namespace korvid
