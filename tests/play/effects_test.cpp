#include <gtest/gtest.h>

#include <cmath>

#include "app/FrameDriver.h"
#include "game/FrameSteps.h"
#include "game/GameRandom.h"
#include "game/PoolSteps.h"
#include "play/EffectSteps.h"
#include "play/Geometry.h"
#include "play/Spawn.h"
#include "play/StageFlow.h"
#include "support/PlayStart.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

constexpr HTEXTURE kDeathSheet = 52;

class EffectsTest : public ::testing::Test {
protected:
    test::TestGame t;
    void SetUp() override {
        test::StartPlay(t, 1);
        t.s.stageFrame = 0;
        t.s.textures[52] = kDeathSheet;
        t.engine.textureSizes[kDeathSheet] = {1024, 2048};
        t.s.playerX = 224;
        t.s.playerY = 400;
    }
    int effect(int type, float x = 100, float y = 100, float scale = 1, int age = 0, float z = 0.6f, int alpha = 255,
               TexRect r = {1, 0, 0, 16, 16}) {
        return SpawnEffect(*t.game, r, x, y, scale, scale, 0, z, type, {alpha, 255, 255, 255}, 0, age);
    }
    // Updates slot 0 until it is freed; returns the frames it was drawn in.
    int framesDrawnUntilFreed(int slot, int limit = 2000) {
        int drawn = 0;
        for (int i = 0; i < limit && !t.s.effects.free[slot]; ++i) {
            const std::size_t before = t.engine.quads.size();
            UpdateEffect(*t.game, slot);
            drawn += t.engine.quads.size() > before;
        }
        return drawn;
    }
    int bullet(float x, float y, int behavior = 5, bool marked = false) {
        const int i = SpawnEnemyBullet(*t.game, {0, 0, 48, 16, 16}, x, y, 1, 1, 0, 0.5f, 0, behavior, 255);
        t.s.enemyBullets.slot[i].marked = marked;
        return i;
    }
};

TEST_F(EffectsTest, DrawnInTheFrameTheyEnd) {
    // The death effect, as the hand-off spawns it at age 8: frames 4 to 31 over 55 frames.
    const int death = SpawnEffect(*t.game, {52, 0, 0, 310, 100}, 224, 400, 1, 1, 0, 0.85f, 46, {255, 255, 255, 255}, 1, 8);
    UpdateEffect(*t.game, death);
    const Quad& first = t.engine.quads.back();
    EXPECT_FLOAT_EQ(first.v[0].tx * 1024, 0);
    EXPECT_FLOAT_EQ(first.v[0].ty * 2048, 400);  // frame 4 of the first column
    EXPECT_EQ(first.blend, 1);
    EXPECT_EQ(first.v[0].col, 0xFF000000u);  // black, colour added
    EXPECT_EQ(framesDrawnUntilFreed(death) + 1, 55);
    const Quad& last = t.engine.quads.back();
    EXPECT_FLOAT_EQ(last.v[0].tx * 1024, 310);
    EXPECT_FLOAT_EQ(last.v[0].ty * 2048, 1400);  // frame 31: second column, row 14
    EXPECT_EQ(t.s.effects.free[death], 1);

    // Spawned at 998 a hit spark shows twice; a laser part at 999 once.
    EXPECT_EQ(framesDrawnUntilFreed(effect(48, 0, 0, 1, 998)), 2);
    EXPECT_EQ(framesDrawnUntilFreed(effect(52, 0, 0, 1, 999)), 1);
    // A type 13 request takes no slot; one that exists anyway goes at once.
    const auto before = t.s.effects.free;
    EXPECT_EQ(effect(13), -1);
    EXPECT_EQ(t.s.effects.free, before);
    const int forced = effect(0);
    t.s.effects.slot[forced].type = 13;
    EXPECT_EQ(framesDrawnUntilFreed(forced), 1);
}

TEST_F(EffectsTest, PlainEffectsMoveAndEndByTheirRows) {
    // Graze spark: flies out along its angle, slowing, and shrinks to nothing in 32 frames.
    const int spark = effect(3, 100, 100, 0.8f);
    t.s.effects.slot[spark].angle = 90;
    UpdateEffect(*t.game, spark);
    EXPECT_FLOAT_EQ(t.s.effects.slot[spark].x, 100 + 3.9f);
    EXPECT_EQ(t.engine.quads.back().blend, 0);
    EXPECT_EQ(framesDrawnUntilFreed(spark), 32);  // 0.8f less 32 steps of 0.025 leaves a trace above 0
    // The muzzle flash: grows, fades, ends at age 18, and hides while a bomb runs.
    const int flash = effect(1);
    t.s.bombActive = 1;
    const std::size_t quads = t.engine.quads.size();
    UpdateEffect(*t.game, flash);
    EXPECT_EQ(t.engine.quads.size(), quads);
    EXPECT_FLOAT_EQ(t.s.effects.slot[flash].scaleX, static_cast<float>(1.0f + 0.05));
    EXPECT_EQ(t.s.effects.slot[flash].alpha, 247);
    t.s.bombActive = 0;
    EXPECT_EQ(framesDrawnUntilFreed(flash), 17);
    // The extra-life caption flattens away: freed when scaleY reaches 0.
    const int caption = effect(14);
    for (int i = 0; i < 19; ++i) UpdateEffect(*t.game, caption);
    EXPECT_EQ(t.s.effects.free[caption], 0);
    framesDrawnUntilFreed(caption);
    EXPECT_LE(t.s.effects.slot[caption].scaleY, 0);
    EXPECT_LE(t.s.effects.slot[caption].age, 21);
}

TEST_F(EffectsTest, ColourChannelsAndRingAreClamped) {
    // The whiteout peaks at alpha 357: drawn at 255.
    const int white = effect(63, 224, 240, 80, 177);
    UpdateEffect(*t.game, white);
    UpdateEffect(*t.game, white);
    EXPECT_EQ(t.s.effects.slot[white].alpha, 714 - 2 * 179);  // drawn from 357 this frame
    EXPECT_EQ(t.engine.quads.back().v[0].col >> 24, 255u);
    EXPECT_EQ(PackArgb(357, -3, 300, 17), 0xFF00FF11u);

    // The hit-point ring: 720 strips at most, none for a bar without a maximum.
    t.s.enemies.occupy(kBossSlot);
    Enemy& boss = t.s.enemies.slot[kBossSlot];
    boss.x = 224;
    boss.y = 143;
    const int ring = SpawnEffect(*t.game, {0, 65, 192, 4, 1}, 224, 240, 1, 1, 0, 0.6f, 11, {255, 255, 255, 255}, 2, 0);
    auto strips = [&](float hp, float maxHp) {
        boss.hp = hp;
        boss.maxHp = maxHp;
        const std::size_t before = t.engine.quads.size();
        UpdateEffect(*t.game, ring);
        return static_cast<int>(t.engine.quads.size() - before);
    };
    EXPECT_EQ(strips(350, 700), 360);
    EXPECT_EQ(strips(900, 700), 720);
    EXPECT_EQ(strips(-5, 700), 0);
    EXPECT_EQ(strips(5, 0), 0);
    EXPECT_FLOAT_EQ(t.s.effects.slot[ring].y, 143);
    t.s.enemies.free[kBossSlot] = 1;
    UpdateEffect(*t.game, ring);
    EXPECT_EQ(t.s.effects.free[ring], 1);
}

TEST_F(EffectsTest, BombBlastErasesWithinItsRadius) {
    // At scaleX 0.4 the reach is sqrt(70000) * 0.4, about 105.8 px (0.4f does not
    // count as at most 0.4, so it has stopped growing).
    const int blast = SpawnEffect(*t.game, {55, 0, 512, 512, 512}, 200, 200, 0.4f, 0.4f, 0, 0.21f, 50,
                                  {255, 0, 0, 0}, 1, 0);
    const int near = bullet(300, 200);
    const int marked = bullet(200, 300, 5, true);
    const int shielded = bullet(200, 100, 20);
    const int far = bullet(310, 200);
    t.s.enemies.occupy(3);
    t.s.enemies.slot[3].x = 200;
    t.s.enemies.slot[3].y = 290;
    t.s.enemies.occupy(4);
    t.s.enemies.slot[4].x = 200;
    t.s.enemies.slot[4].y = 320;
    UpdateEffect(*t.game, blast);
    EXPECT_FLOAT_EQ(t.s.effects.slot[blast].scaleX, 0.4f);
    EXPECT_EQ(t.s.enemyBullets.free[near], 1);
    EXPECT_EQ(t.s.enemyBullets.free[marked], 0);
    EXPECT_EQ(t.s.enemyBullets.free[shielded], 0);
    EXPECT_EQ(t.s.enemyBullets.free[far], 0);
    // One damage object, at the enemy inside the reach.
    EXPECT_EQ(t.s.playerShots.free[0], 0);
    EXPECT_EQ(t.s.playerShots.slot[0].kind, 6);
    EXPECT_FLOAT_EQ(t.s.playerShots.slot[0].damage, 0.55f);
    EXPECT_FLOAT_EQ(t.s.playerShots.slot[0].y, 290);
    EXPECT_EQ(t.s.playerShots.free[1], 1);
    // Spinning by whole radians, fading after age 100.
    EXPECT_EQ(framesDrawnUntilFreed(blast), 125);
}

TEST_F(EffectsTest, HazardsHitInsideTheirShapes) {
    struct Case {
        int type;
        float scale;
        float dx;
        bool hits;
    };
    for (const Case c : {Case{31, 1, 9, true}, Case{31, 1, 9.1f, false}, Case{31, 2, 18, true},
                         Case{38, 1, 16, true}, Case{38, 1, 16.2f, false}, Case{38, 2, 32, true}}) {
        ClearAllPools(t.s);
        t.s.hitPending = 0;
        t.s.invincibleTimer = 0;
        t.s.soundRequests.fill(0);
        const int slot = effect(c.type, 200, 300, c.scale, 1);
        t.s.playerX = 200 + c.dx;
        t.s.playerY = 300;
        if (c.type == 38) t.s.playerY -= 2;  // it moves 2 px up along angle 0 first
        UpdateEffect(*t.game, slot);
        EXPECT_EQ(t.s.hitPending == 11, c.hits) << c.type << " " << c.dx;
        EXPECT_EQ(t.s.invincibleTimer == 31, c.hits) << c.type << " " << c.dx;
        EXPECT_EQ(t.s.soundRequests[13] == 1, c.hits) << c.type << " " << c.dx;
    }
    // Staying in contact does not re-arm the hit: it counts down as usual.
    ClearAllPools(t.s);
    t.s.hitPending = 0;
    t.s.invincibleTimer = 0;
    t.s.playerX = 200;
    t.s.playerY = 300;
    const int device = effect(31, 200, 300, 1, 1);
    UpdateEffect(*t.game, device);
    t.s.hitPending -= 1;
    UpdateEffect(*t.game, device);
    EXPECT_EQ(t.s.hitPending, 10);
}

TEST_F(EffectsTest, FallingObjectOfTheExtraStageKillsTenFramesLater) {
    t.s.stage = 7;
    t.s.lives = 2;
    t.s.playerX = 224 + 150;
    t.s.playerY = 170 + 110;
    const int card = SpawnEffect(*t.game, {24, 0, 0, 320, 250}, 224, 170, 1, 1, 0, 0.85f, 10, {0, 255, 255, 255}, 2, 0);
    int hitAge = 0;
    for (int frame = 0; frame < 400 && !hitAge; ++frame) {
        PlayFrame(*t.game);
        if (t.s.hitPending == 11) hitAge = t.s.effects.slot[card].age;
    }
    const EffectSprite& e = t.s.effects.slot[card];
    EXPECT_EQ(hitAge, 251);
    EXPECT_LE(std::abs(t.s.playerY - e.y), 125);
    EXPECT_EQ(t.s.invincibleTimer, 30);  // 31, and the player's update later in the frame counted one off
    for (int frame = 0; frame < 9; ++frame) PlayFrame(*t.game);
    EXPECT_EQ(t.s.lives, 2);
    PlayFrame(*t.game);
    EXPECT_EQ(t.s.lives, 1);
    EXPECT_EQ(t.s.playerDying, 1);

    // In other stages it is the title card: in, out, gone at 377, harmless.
    ClearAllPools(t.s);
    t.s.stage = 1;
    t.s.hitPending = 0;
    t.s.invincibleTimer = 0;
    const int title = SpawnEffect(*t.game, {24, 0, 0, 320, 250}, 224, 170, 1, 1, 0, 0.6f, 10, {0, 255, 255, 255}, 2, 0);
    t.s.playerX = 224;
    t.s.playerY = 170;
    EXPECT_EQ(framesDrawnUntilFreed(title), 377);
    EXPECT_EQ(t.s.hitPending, 0);
    EXPECT_EQ(t.s.effects.slot[title].alpha, 0);
}

TEST_F(EffectsTest, MissileDrawsItsHeadingAndHomes) {
    t.game->srand(123);
    GameRandom ref;
    ref.seed(123);
    const int missile = effect(57, 224, 100, 1, 0, 0.6f);
    UpdateEffect(*t.game, missile);
    const float heading = static_cast<float>(ref.next() % 80 - 40);
    const EffectSprite& m = t.s.effects.slot[missile];
    EXPECT_EQ(m.angle, heading);
    EXPECT_FLOAT_EQ(m.x, 224 + static_cast<float>(DirX(heading) * (0.08 * 59)));
    EXPECT_FLOAT_EQ(m.y, 100 + static_cast<float>(DirY(heading) * (0.08 * 59)));
    // Its trail is left behind on even ages; it burns out at age 300.
    t.s.playerX = 10;
    t.s.playerY = 470;
    auto offAim = [&] {
        const double off = std::fmod(BearingTo(m.x, m.y, 10, 470, 0) - m.angle + 720, 360.0);
        return std::min(off, 360 - off);
    };
    for (int i = 0; i < 68; ++i) UpdateEffect(*t.game, missile);
    const double offBefore = offAim();
    for (int i = 0; i < 132; ++i) UpdateEffect(*t.game, missile);
    EXPECT_GT(offBefore, 90);
    EXPECT_LT(offAim(), 30);
    EXPECT_EQ(t.s.effects.slot[1].type, 49);
    for (int i = 0; i < 98 && !t.s.effects.free[missile]; ++i) UpdateEffect(*t.game, missile);
    EXPECT_EQ(t.s.effects.free[missile], 0);
    UpdateEffect(*t.game, missile);
    EXPECT_EQ(t.s.effects.free[missile], 1);
}

TEST_F(EffectsTest, BalloonClosesOnTheRecordedShootKey) {
    const int balloon = SpawnEffect(*t.game, {34, 0, 459, 176, 53}, 210, 340, 0.9f, 0, 9, 0.31f, 55,
                                    {255, 255, 255, 255}, 0, 0);
    t.hold('Z');
    for (int i = 0; i < 179; ++i) UpdateEffect(*t.game, balloon);
    EXPECT_EQ(t.s.effects.free[balloon], 0);
    UpdateEffect(*t.game, balloon);
    EXPECT_EQ(t.s.effects.free[balloon], 1);
    EXPECT_EQ(t.s.frameKeys[KeyShoot], 1);  // read through the recorded keys
    // During playback the record answers, not the keyboard.
    const int replayed = SpawnEffect(*t.game, {34, 0, 459, 176, 53}, 210, 340, 0.9f, 0, 9, 0.31f, 55,
                                     {255, 255, 255, 255}, 0, 200);
    t.s.replayPlaying = 1;
    t.s.frameKeys[KeyShoot] = 0;
    UpdateEffect(*t.game, replayed);
    EXPECT_EQ(t.s.effects.free[replayed], 0);
    t.s.frameKeys[KeyShoot] = 1;
    UpdateEffect(*t.game, replayed);
    EXPECT_EQ(t.s.effects.free[replayed], 1);
}

TEST_F(EffectsTest, EmittersFireOnTheirTimetable) {
    // A spiral of marked bullets that ends at age 1590.
    const int spiral = effect(61, 224, 200);
    for (int i = 0; i < 3; ++i) UpdateEffect(*t.game, spiral);
    ASSERT_EQ(t.s.enemyBullets.free[0], 0);
    EXPECT_EQ(t.s.enemyBullets.free[2], 1);
    EXPECT_EQ(t.s.enemyBullets.slot[0].marked, 1);
    EXPECT_FLOAT_EQ(t.s.enemyBullets.slot[0].angle, 3 * 3.7f);
    EXPECT_FLOAT_EQ(t.s.enemyBullets.slot[1].angle, 3 * 3.7f + 180);
    EXPECT_EQ(framesDrawnUntilFreed(spiral), 1587);

    // The sprayer takes back its own behaviour-124 bullets at age 160.
    ClearAllPools(t.s);
    const int sprayer = effect(67, 224, 200);
    const int other = bullet(10, 10, 5);
    const int foreign = bullet(30, 30, 124);  // another emitter's, or a boss's
    for (int i = 0; i < 159; ++i) UpdateEffect(*t.game, sprayer);
    int own = 0;
    for (int i = 0; i < kEnemyBulletCapacity; ++i)
        own += !t.s.enemyBullets.free[i] && t.s.enemyBullets.slot[i].behavior == 124;
    EXPECT_EQ(own, 45 + 1);
    UpdateEffect(*t.game, sprayer);
    own = 0;
    for (int i = 0; i < kEnemyBulletCapacity; ++i)
        own += !t.s.enemyBullets.free[i] && t.s.enemyBullets.slot[i].behavior == 124;
    EXPECT_EQ(own, 1);
    EXPECT_EQ(t.s.enemyBullets.free[other], 0);
    EXPECT_EQ(t.s.enemyBullets.free[foreign], 0);
}

TEST_F(EffectsTest, EffectsBetweenTheBandsNeverUpdate) {
    const int lost = effect(0, 100, 100, 1, 0, 0.885f);
    const int kept = effect(0, 100, 100, 1, 0, 0.88f);
    UpdateAndDrawPlay(*t.game);
    EXPECT_EQ(t.s.effects.slot[lost].age, 0);
    EXPECT_EQ(t.s.effects.slot[kept].age, 1);
}

}  // namespace
}  // namespace korvid
