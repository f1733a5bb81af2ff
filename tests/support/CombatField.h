// A dense fight for measuring: 1,500 live enemy bullets of mixed behaviours
// and 100 enemies of the stage-1 types, on a headless engine without
// pictures. Every frame first fills the pools back up (bullets that left the
// screen or were retired, enemies that were culled or faded), then runs the
// in-play order.
//
// A bullet is retired after four seconds, as waves and cards come and go.
// Without that the mix drifts over a long run towards the kinds that never
// leave the field on their own (the homing orbs circle the still ship for
// ever): after 12,000 frames 1,440 of the 1,500 were homing orbs. That
// worst case has a mix of its own.
#pragma once

#include <memory>

#include "engine/HeadlessEngine.h"
#include "game/FrameSteps.h"
#include "game/Game.h"
#include "play/Enemies.h"
#include "play/Player.h"
#include "play/Spawn.h"
#include "play/StageFlow.h"

namespace korvid::test {

enum class CombatMix {
    Mixed,     // ten kinds in turn, one of them a laser (the costliest shape to test)
    NoLasers,  // the same with a plain bullet in the laser's turn
    Homing,    // every bullet a homing orb, and none retired
};

class CombatField {
public:
    explicit CombatField(CombatMix mix = CombatMix::Mixed)
        : engine_(CreateHeadlessEngine(HeadlessOptions{false})), mix_(mix) {
        engine_->System_Initiate();
        game_ = std::make_unique<Game>(*engine_);
        GameState& s = game_->state;
        s.screen = 10;
        s.stage = 2;
        s.character = 1;
        s.difficulty = 2;
        StageLoadReset(s);
        s.stageFrame = 1000;
        s.lives = 9;
        CreatePlayerSprites(*game_);
        topUp();
    }

    // One play frame: refill, then every pool updated and drawn.
    void frame() {
        topUp();
        GameState& s = game_->state;
        s.invincibleTimer = 100;  // the ship survives the storm, grazing all the while
        s.stageFrame += 1;
        engine_->Gfx_BeginScene();
        UpdateAndDrawPlay(*game_);
        engine_->Gfx_EndScene();
    }

    Game& game() { return *game_; }
    int liveBullets() const { return live(game_->state.enemyBullets); }
    int liveEnemies() const { return live(game_->state.enemies); }

private:
    // Bullet shapes and behaviours of the mix: plain, accelerating, turning,
    // standing, split and homing kinds, lasers and big glowing orbs.
    struct Kind {
        TexRect rect;
        float speed;
        int behavior;
    };
    static constexpr Kind kKinds[] = {
        {{0, 0, 16, 16, 16}, 1.5f, 0},   {{0, 32, 32, 16, 16}, 2.0f, 1},  {{0, 64, 48, 16, 16}, 0.0f, 2},
        {{0, 96, 64, 16, 16}, 1.0f, 5},  {{0, 128, 96, 16, 16}, 2.5f, 10}, {{2, 0, 288, 32, 32}, 1.2f, 0},
        {{1, 0, 144, 32, 32}, 1.8f, 4},  {{0, 160, 128, 16, 16}, 3.0f, 27}, {{4, 224, 0, 16, 120}, 0.5f, 0},
        {{3, 0, 96, 16, 16}, 0.0f, 117},
    };
    static constexpr int kKindCount = sizeof kKinds / sizeof kKinds[0];
    static constexpr int kLaserKind = 8;
    static constexpr int kHomingKind = 5;
    static constexpr int kRetireAge = 240;

    const Kind& kindOf(int counter) const {
        const int kind = counter % kKindCount;
        if (mix_ == CombatMix::Homing) return kKinds[kHomingKind];
        if (mix_ == CombatMix::NoLasers && kind == kLaserKind) return kKinds[0];
        return kKinds[kind];
    }

    template <typename PoolT>
    static int live(const PoolT& pool) {
        int n = 0;
        for (auto f : pool.free) n += f ? 0 : 1;
        return n;
    }

    void topUp() {
        Game& g = *game_;
        auto& bullets = g.state.enemyBullets;
        if (mix_ != CombatMix::Homing)
            for (int i = 0; i < bullets.used; ++i)
                if (!bullets.free[i] && bullets.slot[i].age > kRetireAge) bullets.free[i] = 1;
        while (bullets.firstFree() >= 0) {
            const Kind& k = kindOf(counter_);
            const float x = static_cast<float>(20 + (counter_ * 37) % 440);
            const float y = static_cast<float>(10 + (counter_ * 53) % 460);
            SpawnEnemyBullet(g, k.rect, x, y, 1, 1, static_cast<float>((counter_ * 29) % 360), 0.5f, k.speed,
                             k.behavior, 255);
            ++counter_;
        }
        while (g.state.enemies.firstFree() >= 0 && g.state.enemies.firstFree() < kBossSlot) {
            const int type = counter_ % 6;  // 0 has no behaviour of its own
            const float x = static_cast<float>(32 + (counter_ * 41) % 416);
            const float y = static_cast<float>(16 + (counter_ * 23) % 200);
            if (type == 1 || type == 4)
                SpawnEnemy(g, 6, 0, 448, 80, 64, x, y, 1, 1, 180, 0.7f, 0, type, 2500, 0);
            else if (type == 3)
                SpawnEnemy(g, 6, 0, 384, 64, 64, x, y, 1, 1, 180, 0.7f, 0, 3, 550, 255);
            else
                SpawnEnemy(g, 6, 0, 256 + 32 * (counter_ % 2), 32, 32, x, y, 1, 1, type == 5 ? 230.0f : 180.0f,
                           0.7f, type == 0 ? 0.0f : 1.0f, type, 500, 255);
            ++counter_;
        }
    }

    std::unique_ptr<Engine> engine_;
    std::unique_ptr<Game> game_;
    CombatMix mix_;
    int counter_ = 0;
};

}  // namespace korvid::test
