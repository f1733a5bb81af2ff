#include "stages/StageScript.h"

#include "game/FrameSteps.h"
#include "game/Game.h"
#include "play/Enemies.h"
#include "stages/Dialogue.h"

namespace korvid {

namespace {

using StageScript = void (*)(Game&);

// Stages 1..7; a stage without a script yet runs nothing.
constexpr StageScript kStageScripts[8] = {nullptr, RunStage1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};

// What a stage does when its boss's time runs out.
struct TimeOutRule {
    bool drain;           // hp -= maxHp / 20 (else hp = 0)
    bool forcePattern3;   // a pattern below 3 jumps to 3
    int timeLeftAfter;    // -1 keeps the count where it is
};
constexpr TimeOutRule kTimeOuts[8] = {
    {false, false, -1},   // no stage
    {true, true, 0},      // 1: drained within 20 frames
    {false, true, 9999},  // 2
    {false, false, 9999}, // 3
    {false, true, 9999},  // 4
    {false, false, -1},   // 5: hp 0 on every frame while the count stays out
    {true, false, 0},     // 6
    {true, false, 0},     // 7
};

}  // namespace

void RunStageScript(Game& game) {
    const int stage = game.state.stage;
    if (stage < 1 || stage > 7 || !kStageScripts[stage]) return;
    kStageScripts[stage](game);
}

bool BossGate(Game& game) {
    GameState& s = game.state;
    if (!s.bossActive) return false;
    if (!s.dialogueActive) s.bossTimeLeft -= 1;
    if (s.bossTimeLeft <= 0) BossTimeOut(game);
    return true;
}

void BossTimeOut(Game& game) {
    GameState& s = game.state;
    const int stage = (s.stage >= 1 && s.stage <= 7) ? s.stage : 0;
    const TimeOutRule& rule = kTimeOuts[stage];
    if (stage == 0) return;
    Enemy& boss = s.enemies.slot[kBossSlot];
    // A card that ends this way pays nothing, whatever the count shows then.
    s.bossTimedOut = 1;
    if (rule.drain) {
        // Not between patterns: a bar that refills there must fill, or the
        // fight would never move on.
        if (s.bossTimer() >= 0) boss.hp -= boss.maxHp / 20;
    } else {
        boss.hp = 0;
    }
    if (rule.forcePattern3 && s.bossPattern() < 3) {
        s.bossPattern() = 3;
        // Caught in the refill between two attacks, the boss starts
        // pattern 3 from its beginning, so that pattern's end always runs.
        if (s.bossTimer() >= -300 && s.bossTimer() < 0) s.bossTimer() = 0;
    }
    if (rule.timeLeftAfter >= 0) s.bossTimeLeft = rule.timeLeftAfter;
}

void StartStageMusic(Game& game, const char* file, bool loop) {
    GameState& s = game.state;
    Engine& e = game.engine;
    if (s.bgmStream) e.Stream_Free(s.bgmStream);
    s.bgmStream = e.Stream_Load(file);
    s.bgmChannel = e.Stream_Play(s.bgmStream, loop, s.bgmVolume);
}

void MusicLoopPoint(Game& game, float at, float to) {
    GameState& s = game.state;
    if (game.engine.Channel_GetPos(s.bgmChannel) >= at) game.engine.Channel_SetPos(s.bgmChannel, to);
}

void SpawnTitleCard(Game& game, float z) {
    SpawnEffect(game, {24, 0, 0, 320, 250}, 224, 170, 1, 1, 0, z, 10, {0, 255, 255, 255}, 2, 0);
}

void SpawnEntryFlash(Game& game, float z) {
    constexpr EffectColour kWhite{255, 255, 255, 255};
    SpawnEffect(game, {2, 256, 0, 128, 128}, 224, 240, 0.86f, 0.86f, 0, z, 12, kWhite, 2, 0);
    SpawnEffect(game, {2, 256, 0, 128, 128}, 224, 240, 0.79f, 0.79f, 0, z, 12, kWhite, 2, 0);
    SpawnEffect(game, {0, 65, 192, 4, 1}, 224, 240, 1, 1, 0, z, 11, kWhite, 2, 0);
}

void BringInBoss(Game& game, const BossEntry& entry) {
    GameState& s = game.state;
    s.bossActive = 1;
    s.bossTimeLeft = entry.timeLimit;
    if (entry.talkPages > 0) StartConversation(game, 1, entry.talkPages, entry.talkStampsStart);
    const TexRect& c = entry.cell;
    SpawnEnemy(game, c.tex, c.x, c.y, c.w, c.h, entry.x, entry.y, 1, 1, 180, 0.7f, 0, entry.pattern, entry.hp, 255);
    SpawnEntryFlash(game, entry.flashZ);
}

}  // namespace korvid
