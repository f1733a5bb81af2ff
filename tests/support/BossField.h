// The stage-1 boss on a headless engine without pictures, for measuring:
// whole play frames (script, pools, boss, player, HUD) from the boss's
// entry at stage frame 7000, its conversation skipped. The ship stays
// invincible and does not shoot, so the patterns run until they time out,
// or for as long as `holdPattern` keeps their limit topped up.
#pragma once

#include <memory>

#include "app/FrameDriver.h"
#include "bosses/SpellCards.h"
#include "engine/HeadlessEngine.h"
#include "game/Game.h"
#include "play/Player.h"
#include "play/StageFlow.h"

namespace korvid::test {

class BossField {
public:
    explicit BossField(int difficulty = 2) : engine_(CreateHeadlessEngine(HeadlessOptions{false})) {
        engine_->System_Initiate();
        game_ = std::make_unique<Game>(*engine_);
        GameState& s = game_->state;
        s.screen = 10;
        s.stage = 1;
        s.character = 1;
        s.difficulty = difficulty;
        StageLoadReset(s);
        s.lives = 9;
        CreatePlayerSprites(*game_);
        s.stageFrame = 6999;
        frame();  // the boss enters with its conversation
        s.dialogueActive = 0;
        s.bossTimer() = 0;
    }

    // Puts the boss straight onto pattern `id` (declared, when it is a card).
    void startPattern(int id, bool spell) {
        GameState& s = game_->state;
        s.bossPattern() = id;
        s.bossTimer() = 0;
        if (spell) {
            s.spellActive = 1;
            SpellDeclare(*game_);
        }
    }

    void frame() {
        GameState& s = game_->state;
        s.invincibleTimer = 100;
        engine_->Gfx_BeginScene();
        PlayFrame(*game_);
        engine_->Gfx_EndScene();
    }
    // A frame of the current pattern that never times out.
    void holdPattern() {
        game_->state.bossTimeLeft = 1000;
        frame();
    }

    Game& game() { return *game_; }
    Engine& engine() { return *engine_; }
    GameState& state() { return game_->state; }
    int liveBullets() const {
        int n = 0;
        for (auto f : game_->state.enemyBullets.free) n += f ? 0 : 1;
        return n;
    }

private:
    std::unique_ptr<Engine> engine_;
    std::unique_ptr<Game> game_;
};

}  // namespace korvid::test
