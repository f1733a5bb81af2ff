// The spell-card history: a card counts as reached when it is declared and
// as captured only when it ends without a bomb, a death or a time-out;
// spell practice counts apart, a replay being watched not at all.
#include <gtest/gtest.h>

#include "bosses/BossDriver.h"
#include "play/Player.h"
#include "support/BossField.h"

namespace korvid {
namespace {

constexpr int kCard = 5;  // the stage-1 boss's first card

// Plays the card from its declaration until it ends; `during(t)` runs
// before each frame.
template <typename Fn>
void playCard(test::BossField& f, Fn during) {
    GameState& s = f.state();
    f.startPattern(kCard, true);
    s.bossTimedOut = 0;
    s.bossTimeLeft = 1500;
    for (int t = 0; t < 4000 && s.spellActive && s.bossPattern() == kCard; ++t) {
        during(t);
        f.frame();
    }
    ASSERT_FALSE(s.spellActive && s.bossPattern() == kCard) << "the card never ended";
}

TEST(CardHistory, CapturedBombedAndTimedOutCardsCountAsTheyShould) {
    test::BossField f(1);
    Game& game = f.game();
    GameState& s = f.state();
    game.records = std::make_unique<RecordBook>();
    Enemy& boss = s.enemies.slot[kBossSlot];
    const CardCounts& counts = game.records->cards[kCard][1];

    playCard(f, [&](int t) { if (t == 200) boss.hp = 0; });
    EXPECT_EQ(counts.reached, 1);
    EXPECT_EQ(counts.captured, 1);
    EXPECT_EQ(counts.stage, 1);

    playCard(f, [&](int t) {
        if (t == 100) {
            s.bombGauge = 400;
            StartBomb(game, false);
        }
        if (t == 300) boss.hp = 0;
    });
    EXPECT_EQ(counts.reached, 2);
    EXPECT_EQ(counts.captured, 1);

    playCard(f, [&](int t) { if (t == 0) s.bossTimeLeft = 40; });
    EXPECT_TRUE(s.bossTimedOut);
    EXPECT_EQ(counts.reached, 3);
    EXPECT_EQ(counts.captured, 1);

    // Spell practice keeps its own count (its boss already in).
    s.spellPracticeCard = kCard;
    s.spellPracticePhase = 1;
    playCard(f, [&](int t) { if (t == 200) boss.hp = 0; });
    s.spellPracticeCard = 0;
    EXPECT_EQ(counts.practiceReached, 1);
    EXPECT_EQ(counts.practiceCaptured, 1);
    EXPECT_EQ(counts.reached, 3);

    // Watching a replay is not playing.
    s.replayPlaying = 1;
    playCard(f, [&](int t) { if (t == 200) boss.hp = 0; });
    EXPECT_EQ(counts.reached, 3);
    EXPECT_EQ(counts.captured, 1);
    EXPECT_EQ(counts.practiceReached, 1);
}

}  // namespace
}  // namespace korvid
