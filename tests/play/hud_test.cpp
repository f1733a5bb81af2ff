#include "play/Hud.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/FrameSteps.h"
#include "play/StageFlow.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

constexpr HTEXTURE kFont1 = 8008;

struct HudGame : test::TestGame {
    HudGame() {
        s.textures[8] = kFont1;
        engine.textureSizes[kFont1] = {512, 256};
        CreateHudSprites(*game);
        ClearAllPools(s);
        s.screen = 10;
        s.stage = 2;
        s.stageFrame = 500;
        s.character = 1;
    }
    // Glyphs of font1's digit row drawn since the last clear: (glyph, x, colour).
    struct Drawn {
        int glyph;
        float x, y;
        std::uint32_t colour;
    };
    std::vector<Drawn> digitsAt(float y) const {
        std::vector<Drawn> out;
        for (const Quad& q : engine.quads) {
            const float ty = q.v[0].ty * 256, tx = q.v[0].tx * 512;
            const float cy = (q.v[0].y + q.v[2].y) / 2;
            if (q.tex != kFont1 || std::abs(ty - 208) > 0.01f || std::abs(cy - y) > 0.6f) continue;
            out.push_back({static_cast<int>(tx / 16 + 0.5f), (q.v[0].x + q.v[2].x) / 2, cy, q.v[0].col});
        }
        return out;
    }
};

TEST(HudNumbers, SecondsAndTheBossTimerText) {
    EXPECT_EQ(BossTimerText(1500), "25.00");
    EXPECT_EQ(BossTimerText(1499), "24.78");
    // Limits beyond two seconds digits show the largest time they can.
    for (int limit : {6000, 9999, 12000}) EXPECT_EQ(BossTimerText(limit), "99.78");
    EXPECT_EQ(BossTimerText(-5), "00.00");
    int d[kMaxDigits];
    ASSERT_EQ(SplitDigits(10203, d), 5);
    EXPECT_EQ(d[0] * 10000 + d[1] * 1000 + d[2] * 100 + d[3] * 10 + d[4], 10203);
    EXPECT_EQ(SplitDigits(0, d), 1);
    EXPECT_EQ(WithAlpha(726, 0xFFFFFF), 0xFFFFFFFFu);
    EXPECT_EQ(WithAlpha(-20, 0x123456), 0x00123456u);
}

TEST(HudRules, RunOnlyOnThePlayFrameNeverOnPauseOrSaveScreens) {
    HudGame t;
    t.s.power = 90;
    t.s.maxPowerFrames = 100;
    for (auto [screen, pause] : {std::pair{10, 1}, {12, 0}, {13, 0}, {10, 2}}) {
        t.s.screen = screen;
        t.s.pauseState = pause;
        DrawHud(*t.game);
        EXPECT_EQ(t.s.maxPowerFrames, 100) << screen << "/" << pause;
        EXPECT_FLOAT_EQ(t.s.power, 90);
    }
    t.s.screen = 10;
    t.s.pauseState = 0;
    DrawHud(*t.game);
    EXPECT_EQ(t.s.maxPowerFrames, 101);
    EXPECT_FLOAT_EQ(t.s.power, static_cast<float>(90.0f - 0.01));
    t.s.framesSinceShot = 40;  // idle: faster decay
    DrawHud(*t.game);
    EXPECT_FLOAT_EQ(t.s.power, static_cast<float>(static_cast<float>(90.0f - 0.01) - 0.1));
}

TEST(HudRules, FullPowerGivesExtraLifeItemsAtTheDifficultysCounts) {
    HudGame t;
    t.s.difficulty = 0;
    t.s.power = 108;
    int lifeItems = 0;
    for (int f = 0; f < 1800; ++f) {
        t.s.power = 108;
        DrawHud(*t.game);
        if (t.s.lastItemSlot >= 0 && !t.s.items.free[t.s.lastItemSlot] && t.s.items.slot[t.s.lastItemSlot].kind == 6) {
            ++lifeItems;
            t.s.items.free[t.s.lastItemSlot] = 1;
        }
        if (f == 599) {
            EXPECT_EQ(lifeItems, 1);
        }
    }
    EXPECT_EQ(lifeItems, 2);
    EXPECT_TRUE(ExtraLifeAt(1, 6000));
    EXPECT_FALSE(ExtraLifeAt(1, 600));
    EXPECT_TRUE(ExtraLifeAt(2, 18000));
    // Not while a conversation runs or before the stage proper.
    const int before = t.s.maxPowerFrames;
    t.s.dialogueActive = 1;
    DrawHud(*t.game);
    t.s.dialogueActive = 0;
    t.s.stageFrame = -3;
    DrawHud(*t.game);
    EXPECT_EQ(t.s.maxPowerFrames, before);
}

TEST(HudRules, PowerOverflowHitsOrDropsTo90WhenInvincible) {
    HudGame t;
    t.s.power = 108.5f;
    DrawHud(*t.game);
    EXPECT_EQ(t.s.hitPending, 11);
    EXPECT_EQ(t.s.soundRequests[13], 1);
    EXPECT_LT(t.s.power, 1.0f);
    HudGame u;
    u.s.power = 120;
    u.s.invincibleTimer = 5;
    DrawHud(*u.game);
    EXPECT_EQ(u.s.hitPending, 0);
    EXPECT_NEAR(u.s.power, 90, 0.02);
    // The boss-timer warning: each whole second of the last ten.
    u.s.bossTimeLeft = 600;
    DrawHud(*u.game);
    EXPECT_EQ(u.s.soundRequests[17], 1);
}

TEST(HudPanel, ScoreRightAlignedAndTooLongScoresShowTheirFirstTenDigitsInYellow) {
    HudGame t;
    t.s.score = 12345;
    t.s.bestScore = 12345678901234;
    DrawHud(*t.game);
    auto score = t.digitsAt(68);
    ASSERT_EQ(score.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(score[i].glyph, i + 1);
        EXPECT_FLOAT_EQ(score[i].x, 498 + 14 * (5 + i));  // places 5..9
        EXPECT_EQ(score[i].colour, 0xFFFFFFFFu);
    }
    auto best = t.digitsAt(44);
    ASSERT_EQ(best.size(), 10u);
    EXPECT_EQ(best[0].glyph, 1);
    EXPECT_EQ(best[9].glyph, 0);  // "1234567890"
    EXPECT_EQ(best[0].colour, 0xFFFFFF00u);
}

TEST(HudPanel, GaugeGrazeAndCounterAreClampedToTheirRows) {
    HudGame t;
    t.s.bombGauge = 5000;
    t.s.grazeCount = 12345678;
    t.s.stageFrame = -119;  // the blink's alpha would be 726
    DrawHud(*t.game);
    auto gauge = t.digitsAt(124);
    ASSERT_EQ(gauge.size(), 8u);  // drawn white, then blinking
    EXPECT_EQ(gauge[0].glyph, 9);
    EXPECT_EQ(gauge[1].glyph, 11);  // the point
    EXPECT_EQ(gauge[2].glyph, 9);
    EXPECT_EQ(gauge[3].glyph, 9);
    EXPECT_EQ(gauge[4].colour >> 24, 255u);
    auto graze = t.digitsAt(171);
    ASSERT_EQ(graze.size(), 6u);
    for (const auto& d : graze) EXPECT_EQ(d.glyph, 9);
}

TEST(HudBoss, TimerClampedRedInTheLastTenSecondsAndFadedUnderThePlayer) {
    HudGame t;
    t.s.bossActive = 1;
    t.s.enemies.occupy(kBossSlot);
    t.s.enemies.slot[kBossSlot].x = 224;
    t.s.enemies.slot[kBossSlot].y = 100;
    t.s.bossTimeLeft = 12000;
    t.s.playerX = 224;
    t.s.playerY = 400;
    DrawHud(*t.game);
    auto timer = t.digitsAt(18);
    ASSERT_EQ(timer.size(), 5u);
    const int want[5] = {9, 9, 11, 7, 8};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(timer[i].glyph, want[i]);
    EXPECT_EQ(timer[0].colour, 0xFFFFFFFFu);
    t.engine.quads.clear();
    t.s.bossTimeLeft = 599;
    t.s.playerX = 60;
    t.s.playerY = 20;  // under the timer
    DrawHud(*t.game);
    timer = t.digitsAt(18);
    ASSERT_EQ(timer.size(), 5u);
    EXPECT_EQ(timer[0].colour, 0x37FF0000u);
    // The marker follows the boss along the bottom edge.
    const bool marker = std::any_of(t.engine.quads.begin(), t.engine.quads.end(), [](const Quad& q) {
        return q.tex == kFont1 && std::abs(q.v[0].tx * 512 - 216) < 0.01f && std::abs(q.v[0].x - 204) < 0.01f;
    });
    EXPECT_TRUE(marker);
}

struct Box {
    float x0, y0, x1, y1;
};
Box boxOf(const Quad& q) { return {q.v[0].x, q.v[0].y, q.v[2].x, q.v[2].y}; }
bool overlap(const Box& a, const Box& b) { return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1; }
std::string describe(const Box& b) {
    return "(" + std::to_string(b.x0) + "," + std::to_string(b.y0) + ")-(" + std::to_string(b.x1) + "," +
           std::to_string(b.y1) + ")";
}

// Once a card's name has flown in, the timer, the "Spell Card" banner and
// the name stand apart at every name width the game uses, on the narrow
// field and on the whole-screen one, and the name stays inside the field.
TEST(HudBoss, TimerBannerAndCardNameNeverCoverEachOther) {
    constexpr HTEXTURE kNames = 8045;
    HudGame t;
    t.s.textures[45] = kNames;
    t.engine.textureSizes[kNames] = {1024, 1024};
    t.s.bossActive = 1;
    t.s.spellActive = 1;
    t.s.enemies.occupy(kBossSlot);
    t.s.enemies.slot[kBossSlot].x = 224;
    t.s.enemies.slot[kBossSlot].y = 100;
    t.s.bossTimeLeft = 3000;
    t.s.playerX = 224;
    t.s.playerY = 400;
    int checked = 0;
    for (int wide = 0; wide <= 1; ++wide) {
        t.s.wideField = static_cast<std::uint8_t>(wide);
        const float right = wide ? 640 : 448;
        for (int pattern = 0; pattern < 200; ++pattern) {
            for (int difficulty = 0; difficulty <= 3; ++difficulty) {
                int row = 0, width = 0;
                if (!SpellNameOf(pattern, difficulty, row, width) || width == 0) continue;
                t.s.difficulty = difficulty;
                t.s.bossPattern() = pattern;
                t.s.bossTimer() = 300;
                t.engine.quads.clear();
                DrawHud(*t.game);
                std::vector<Box> banner, name, timer;
                for (const Quad& q : t.engine.quads) {
                    const float ty = q.v[0].ty * 256;
                    if (q.tex == kNames && q.v[0].col == 0xFFFFFFFFu) name.push_back(boxOf(q));
                    if (q.tex == kFont1 && std::abs(ty - 88) < 0.01f) banner.push_back(boxOf(q));
                    if (q.tex == kFont1 && std::abs(ty - 208) < 0.01f && q.v[0].y < 120 && q.v[0].x < right)
                        timer.push_back(boxOf(q));  // not the side panel's numbers
                }
                const std::string what = "pattern " + std::to_string(pattern) + " difficulty " +
                                         std::to_string(difficulty) + (wide ? " wide" : "");
                ASSERT_EQ(banner.size(), 1u) << what;
                ASSERT_EQ(name.size(), 1u) << what;
                ASSERT_EQ(timer.size(), 5u) << what;
                EXPECT_FALSE(overlap(banner[0], name[0])) << what << describe(banner[0]) << describe(name[0]);
                for (const Box& d : timer) {
                    EXPECT_FALSE(overlap(d, banner[0])) << what << describe(d) << describe(banner[0]);
                    EXPECT_FALSE(overlap(d, name[0])) << what << describe(d) << describe(name[0]);
                }
                EXPECT_GE(name[0].x0, 8) << what;
                EXPECT_LE(name[0].x1, right) << what;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 200);
}

// The replay save screens list their slots over the field's left side: the
// full-power timer of the field's bottom-left corner is not drawn under
// them, neither on the list nor on the overwrite question.
TEST(HudPanel, NothingOfTheFieldCornerUnderTheSaveScreens) {
    HudGame t;
    for (int screen : {10, 12, 13}) {
        t.s.screen = screen;
        t.engine.quads.clear();
        DrawHud(*t.game);
        const auto corner = t.digitsAt(438);
        std::size_t inField = 0;
        for (const auto& d : corner) inField += d.x < 448 ? 1 : 0;
        EXPECT_EQ(inField, screen == 10 ? 5u : 0u) << "screen " << screen;
    }
}

TEST(HudBoss, SpellNamesByPatternAndDifficulty) {
    int row = 0, width = 0;
    ASSERT_TRUE(SpellNameOf(13, 0, row, width));
    EXPECT_EQ(row, 4);
    EXPECT_EQ(width, 195);
    ASSERT_TRUE(SpellNameOf(45, 1, row, width));
    EXPECT_EQ(width, 190);
    ASSERT_TRUE(SpellNameOf(45, 0, row, width));
    EXPECT_EQ(width, 155);
    ASSERT_TRUE(SpellNameOf(60, 3, row, width));  // the extra difficulty counts as the hardest
    EXPECT_EQ(width, 90);
    EXPECT_FALSE(SpellNameOf(6, 0, row, width));
    // The cut-in's hit line follows it.
    EXPECT_FLOAT_EQ(CutInAt(10, 0).hitY, 440);
    EXPECT_FLOAT_EQ(CutInAt(160, 210).x, 180 + 210 + 108);
}

}  // namespace
}  // namespace korvid
