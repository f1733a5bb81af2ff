// Frames played without pictures (a replay seek) must leave every enemy's
// sprite as frames with pictures would: the first picture after them shows
// the same cells.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "game/PoolSteps.h"
#include "play/Enemies.h"
#include "play/StageFlow.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

// A recording engine that can stop drawing, as a seek's unseen frames do.
struct SeekingEngine : test::RecordingEngine {
    void unseen(bool on) { onlyCounts_ = on; }
};

struct Playthrough {
    SeekingEngine engine;
    std::unique_ptr<Game> owned = std::make_unique<Game>(engine);  // too large for the stack
    Game& game = *owned;
    int slot = -1;

    Playthrough() {
        GameState& s = game.state;
        s.screen = 10;
        s.stage = 6;
        s.character = 1;
        StageLoadReset(s);
        s.invincibleTimer = 10000;
        // Popcorn crossing sideways: it banks into its lean cells as it goes.
        slot = SpawnEnemy(game, 6, 0, 256, 32, 32, 40, 200, 1, 1, 90, 0.7f, 0.6f, 0, 500, 255);
    }
    // `frames` frames of the enemy, then one under a boss, which shows the
    // enemy still in the last cell it was given; that picture's quad.
    Quad playThenStill(int frames, bool seen) {
        engine.unseen(!seen);
        for (int f = 0; f < frames; ++f) UpdateEnemy(game, slot);
        engine.unseen(false);
        game.state.bossActive = true;
        engine.quads.clear();
        UpdateEnemy(game, slot);
        return engine.quads.empty() ? Quad{} : engine.quads.back();
    }
};

TEST(EnemyUnseenFrames, AStillPictureAfterUnseenFramesShowsThePlayedCell) {
    auto played = std::make_unique<Playthrough>(), sought = std::make_unique<Playthrough>();
    const Quad atSpawn = played->game.state.enemies.slot[played->slot].sprite.quad;
    const Quad a = played->playThenStill(45, true), b = sought->playThenStill(45, false);
    ASSERT_EQ(played->engine.quads.size(), 1u);
    ASSERT_EQ(sought->engine.quads.size(), 1u);
    EXPECT_NE(a.v[0].tx, atSpawn.v[0].tx) << "by now the enemy leans: its cell is not the spawn's";
    for (int i = 0; i < 4; ++i) EXPECT_EQ(b.v[i].tx, a.v[i].tx) << "corner " << i;
    EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0) << "the same corners, colour, texture and blend";
}

}  // namespace
}  // namespace korvid
