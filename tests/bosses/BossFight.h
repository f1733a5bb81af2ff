// A stage-1 game on an engine that keeps nothing it draws (boss fights run
// thousands of frames) but remembers what happens to the music.
#pragma once

#include <string>
#include <vector>

#include "app/FrameDriver.h"
#include "game/FrameSteps.h"
#include "game/Game.h"
#include "game/PoolSteps.h"
#include "play/Enemies.h"
#include "play/StageFlow.h"
#include "support/RecordingEngine.h"

namespace korvid::test {

struct FightEngine : RecordingEngine {
    std::vector<std::string> loads;
    std::vector<float> positions;  // Channel_SetPos
    float channelPos = 0;          // what Channel_GetPos answers
    int quadCount = 0;
    HSTREAM Stream_Load(const char* name) override {
        loads.emplace_back(name);
        return static_cast<HSTREAM>(100 + loads.size());
    }
    HCHANNEL Stream_Play(HSTREAM s, bool loop, int volume) override {
        RecordingEngine::Stream_Play(s, loop, volume);
        return s + 1000;
    }
    void Channel_SetPos(HCHANNEL, float at) override { positions.push_back(at); }
    float Channel_GetPos(HCHANNEL) override { return channelPos; }
    void Gfx_RenderQuad(const Quad*) override { ++quadCount; }
};

struct BossFight {
    FightEngine engine;
    Game game{engine};
    GameState& s = game.state;
    Enemy& boss = s.enemies.slot[kBossSlot];

    explicit BossFight(int difficulty = 1, int stage = 1) {
        s.screen = 10;
        s.stage = stage;
        s.difficulty = difficulty;
        s.bgmVolume = 100;
        StartRoutine(game);
        s.lives = 9;
        s.invincibleTimer = 1 << 28;  // the ship stays out of the fight
    }
    // Whole play frames until the stage clock reads `frame`.
    void playTo(int frame) {
        while (s.stageFrame < frame && s.screen == 10) PlayFrame(game);
    }
    // The clock jumps to just before `frame` (nothing of the stage before
    // it is played) and plays on to it.
    void jumpTo(int frame) {
        s.stageFrame = frame - 1;
        PlayFrame(game);
    }
    // The boss as the stage brings it in at 7000, its conversation over.
    void bringInBoss() {
        jumpTo(7000);
        s.dialogueActive = 0;
        boss.timer = 0;
    }
    // Only the boss driver, one frame (timer and all).
    void bossFrame() { BossDriver(game); }
    // The stage script (its gate counts the limit down) and the boss, nothing else.
    void gateAndBoss() {
        s.stageFrame += 1;
        RunStageScript(game);
        if (s.bossActive) BossDriver(game);
    }
    // A boss on pattern `id` at (224, 143), as if it had got there.
    void placeBoss(int id, int timer, float hp) {
        s.bossActive = 1;
        SpawnEnemy(game, 36, 0, 0, 48, 64, 224, 143, 1, 1, 180, 0.7f, 0, id, hp, 255);
        boss.timer = timer;
    }
    int itemsOfKind(int kind) const {
        int n = 0;
        for (int i = 0; i < kItemCapacity; ++i) n += !s.items.free[i] && s.items.slot[i].kind == kind;
        return n;
    }
};

}  // namespace korvid::test
