// A snapshot of play taken and restored: fed the same keys again, the game
// plays the same frames, every state hash equal to the first time, across
// a boss's arrival with its conversation and the fight after it, and
// across a stage cleared and the next one loaded.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "app/FrameDriver.h"
#include "app/StateHash.h"
#include "bosses/BossFight.h"
#include "bosses/FightRegistry.h"
#include "game/PlaySnapshot.h"

namespace korvid {
namespace {

using test::BossFight;

// Keys that change every few frames: Shoot tapped (the conversations page
// on it), the ship weaving left and right, focus now and then, one bomb.
void pressKeysOfFrame(test::FightEngine& e, int i) {
    e.keys.fill(false);
    e.keys['Z'] = (i / 2) % 2 == 0;
    e.keys[(i / 40) % 2 ? 37 : 39] = true;
    e.keys[38] = (i / 70) % 3 == 0;
    e.keys[16] = (i / 100) % 2 == 1;
    e.keys['X'] = i == 350;
}

struct Roundtrip {
    BossFight& f;
    explicit Roundtrip(BossFight& fight) : f(fight) {
        const int codes[] = {38, 40, 37, 39, 16, 'Z', 'X'};
        for (int k = KeyUp; k <= KeyBomb; ++k) f.s.keyBindings[k].code = codes[k];
        f.s.invincibleTimer = 0;  // the ship can be hit
    }
    // Plays whole frames (screen flow included) until `done` or `limit`.
    template <typename Done>
    std::vector<std::uint64_t> play(int limit, Done done) {
        std::vector<std::uint64_t> hashes;
        for (int i = 0; i < limit && !done(f.s); ++i) {
            pressKeysOfFrame(f.engine, i);
            RenderFunc(f.game);
            hashes.push_back(HashGameState(f.s));
            seen(f.s);
        }
        return hashes;
    }
    // Played from a snapshot, restored, played again: frame by frame equal.
    template <typename Done>
    void expectSameTwice(int limit, Done done) {
        auto snapshot = std::make_unique<PlaySnapshot>();
        SavePlay(f.s, *snapshot);
        const std::uint64_t start = HashGameState(f.s);
        const auto whole = std::make_unique<PlayRecords>(static_cast<const PlayRecords&>(f.s));
        const std::vector<std::uint64_t> first = play(limit, done);
        RestorePlay(*snapshot, f.s);
        EXPECT_EQ(HashGameState(f.s), start);
        // Only the used part of each pool was copied, yet every byte of play
        // is back, the slots play reached in between cleared again.
        EXPECT_EQ(std::memcmp(whole.get(), static_cast<const PlayRecords*>(&f.s), sizeof(PlayRecords)), 0);
        const std::vector<std::uint64_t> second = play(limit, done);
        ASSERT_EQ(first.size(), second.size());
        for (std::size_t i = 0; i < first.size(); ++i) ASSERT_EQ(first[i], second[i]) << "frame " << i << " after";
    }
    virtual void seen(const GameState&) {}
    virtual ~Roundtrip() = default;
};

TEST(SnapshotRoundtrip, SameHashesThroughABossesConversationAndItsFight) {
    BossFight f(1, 2);
    f.s.character = 1;
    f.jumpTo(5000);
    ASSERT_EQ(f.s.dialogueActive, 1);
    struct Watch : Roundtrip {
        using Roundtrip::Roundtrip;
        int talking = 0, fighting = 0, livesLost = 0, lives = 0;
        void seen(const GameState& s) override {
            talking += s.dialogueActive;
            fighting += s.bossActive && !s.dialogueActive && s.bossTimer() > 100;
            if (lives && s.lives < lives) ++livesLost;
            lives = s.lives;
        }
    } run(f);
    run.expectSameTwice(900, [](const GameState&) { return false; });
    EXPECT_GT(run.talking, 0);
    EXPECT_GT(run.fighting, 300);
}

TEST(SnapshotRoundtrip, SameHashesAcrossAStageClearAndTheNextStagesStart) {
    BossFight f(1, 1);
    f.s.character = 1;
    f.s.practiceMode = 0;
    f.s.stageFrame = 7000;
    ASSERT_TRUE(BringInFightAt(f.game, 7));
    f.boss.hp = 0;  // shot down on the next frame
    struct Watch : Roundtrip {
        using Roundtrip::Roundtrip;
        int cleared = 0, talking = 0;
        void seen(const GameState& s) override {
            cleared += s.stage == 1 && s.stageCleared;
            talking += s.dialogueActive;
        }
    } run(f);
    run.expectSameTwice(6000, [](const GameState& s) { return s.stage == 2 && s.stageFrame >= 300; });
    EXPECT_EQ(f.s.stage, 2);
    EXPECT_GE(f.s.stageFrame, 300);
    EXPECT_GT(run.cleared, 0);
}

}  // namespace
}  // namespace korvid
