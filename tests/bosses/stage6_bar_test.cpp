// The stage-6 boss's long bar played out: every card hands over at its
// fraction on the same frame and declares the next with the full limit, the
// ring going on from the same fraction (interludes refill it from empty);
// the first card can be hurt only by bombs; a card that timed out hands over
// with a limit of its own and pays nothing.
#include <gtest/gtest.h>

#include "BossFight.h"
#include "bosses/FightRegistry.h"
#include "bosses/Stage6Boss.h"
#include "play/Player.h"
#include "stages/Stage6.h"
#include "stages/StageScript.h"

namespace korvid {
namespace {

using test::BossFight;

// A stage-6 fight brought in directly at card `id`, far into the stage.
struct Stage6Fight : BossFight {
    explicit Stage6Fight(int id, int difficulty = 1) : BossFight(difficulty, 6) {
        s.stageFrame = 7000;
        EXPECT_TRUE(BringInFightAt(game, id));
    }
    // Boss frames (driver only) until the timer reads `t`.
    void bossTo(int t) {
        for (int guard = 0; boss.timer < t && guard < 20000; ++guard) bossFrame();
    }
};

TEST(Stage6Bar, EveryCardHandsOverAtItsFractionAndDeclaresTheNextWithTheFullLimit) {
    Stage6Fight f(46);
    const auto cards = Stage6BarCards();
    ASSERT_EQ(cards.size(), 15u);
    for (std::size_t i = 0; i + 1 < cards.size(); ++i) {
        const BarCard& c = cards[i];
        const BarCard& next = cards[i + 1];
        SCOPED_TRACE(c.id);
        ASSERT_EQ(f.s.bossPattern(), c.id);
        EXPECT_FLOAT_EQ(f.boss.maxHp, c.maxHp);
        f.bossTo(std::max(c.holdTo, c.pictureFrom) + 1);
        EXPECT_FLOAT_EQ(f.boss.hp, static_cast<float>(c.hold * c.maxHp)) << "held through the opening";
        EXPECT_EQ(f.s.bossVar[kPictureWanted], c.picture);
        EXPECT_EQ(f.s.spellActive, 1);

        // One point above the end the card runs on; at the end it hands over.
        f.boss.hp = static_cast<float>(c.endsAt * c.maxHp + 1);
        f.bossFrame();
        ASSERT_EQ(f.s.bossPattern(), c.id);
        f.boss.hp = static_cast<float>(c.endsAt * c.maxHp);
        f.s.bossTimeLeft = 1234;
        f.bossFrame();
        if (c.refillMaxHp > 0) {
            EXPECT_EQ(f.s.bossPattern(), c.id) << "the card waits through its interlude";
            EXPECT_EQ(f.boss.timer, -299);
            EXPECT_FLOAT_EQ(f.boss.maxHp, c.refillMaxHp);
            EXPECT_EQ(f.s.spellActive, 1) << "declared until the bar is full";
            int frames = 0;
            while (f.s.bossPattern() == c.id && frames < 400) {
                f.bossFrame();
                ++frames;
            }
            EXPECT_EQ(frames, 100) << "refilled by a hundredth a frame";
        }
        ASSERT_EQ(f.s.bossPattern(), next.id);
        EXPECT_EQ(f.boss.timer, 1);
        EXPECT_FLOAT_EQ(f.boss.maxHp, c.nextMaxHp);
        EXPECT_FLOAT_EQ(f.boss.maxHp, next.maxHp);
        if (f.boss.timer > next.holdTo) {
            EXPECT_FLOAT_EQ(f.boss.hp, c.nextHp);
        }
        if (c.refillMaxHp == 0) {
            EXPECT_NEAR(static_cast<double>(c.nextHp) / c.nextMaxHp, c.endsAt, 1e-12)
                << "the ring goes on from the same fraction";
        }
        EXPECT_EQ(f.s.bossTimeLeft, kBarCardLimit);
        EXPECT_EQ(f.s.spellTimeLimit, kBarCardLimit) << "the limit is set before the declaration";
        EXPECT_EQ(f.s.spellActive, 1);
        if (next.pictureFrom == 0) {
            EXPECT_EQ(f.s.bossVar[kPictureWanted], next.picture) << "no frame without a picture";
        }
    }
    EXPECT_EQ(f.s.bossPattern(), 60);
}

TEST(Stage6Bar, ATimedOutCardHandsOverWithAFullLimitAndPaysNothing) {
    Stage6Fight f(51);
    f.bossTo(100);
    const std::int64_t score = f.s.score;
    f.s.bossTimeLeft = 0;
    for (int i = 0; i < 30 && f.s.bossPattern() == 51; ++i) {
        BossTimeOut(f.game);  // the stage's gate while the count stays out
        f.bossFrame();
    }
    ASSERT_EQ(f.s.bossPattern(), 52) << "drained by a twentieth a frame";
    EXPECT_EQ(f.s.score, score);
    EXPECT_EQ(f.s.bossTimeLeft, kBarCardLimit);
    EXPECT_EQ(f.s.spellTimeLimit, kBarCardLimit);
    EXPECT_EQ(f.s.bossTimedOut, 0);
    // Card 52 then pays its own bonus when shot down in time.
    f.bossTo(200);
    f.boss.hp = 0.5f * f.boss.maxHp;
    f.bossFrame();
    EXPECT_EQ(f.s.bossPattern(), 53);
    EXPECT_GT(f.s.score, score);
}

TEST(Stage6Bar, TheFirstCardIsHurtOnlyByBombsAndHandsOverAtFourFifths) {
    Stage6Fight f(46);
    GameState& s = f.s;
    s.keyBindings[KeyShoot].code = 'Z';
    s.keyBindings[KeyBomb].code = 'X';
    s.invincibleTimer = 0;
    s.lives = 9;
    s.bombGauge = 2000;
    f.engine.keys['Z'] = true;
    // Glide, declaration, then a long while of shooting straight at it.
    while (f.boss.timer < 400) {
        s.invincibleTimer = 2;
        PlayFrame(f.game);
    }
    EXPECT_EQ(s.spellActive, 1);
    EXPECT_EQ(s.bossVar[4], 4);
    EXPECT_EQ(f.engine.loads.back(), "Music/music6boss.mp3");
    EXPECT_NEAR(f.boss.x, 224, 24) << "glided in from the left";
    EXPECT_FLOAT_EQ(f.boss.hp, 3500) << "shots never hurt it";

    int bombs = 0;
    while (s.bossPattern() == 46 && f.boss.timer < 3000) {
        s.invincibleTimer = 2;
        f.engine.keys['X'] = !s.bombActive && bombs < 20;
        if (f.engine.keys['X']) ++bombs;
        const float before = f.boss.hp;
        const bool bombing = s.bombActive;
        PlayFrame(f.game);
        if (s.bossPattern() == 46 && !bombing && !s.bombActive) {
            EXPECT_GE(f.boss.hp, before) << "no bomb on this frame";
        }
    }
    ASSERT_EQ(s.bossPattern(), 47) << "bombs brought it to four fifths";
    EXPECT_FLOAT_EQ(f.boss.maxHp, 8000);
    EXPECT_EQ(s.bossTimeLeft, 6000);
    EXPECT_EQ(s.spellTimeLimit, 6000);
    EXPECT_EQ(f.boss.noHit, 0);
    EXPECT_LE(f.boss.hp, 6400);
    f.bossFrame();
    EXPECT_FLOAT_EQ(f.boss.hp, 6400) << "held at four fifths of the new bar";
}

}  // namespace
}  // namespace korvid
