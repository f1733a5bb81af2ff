#include "bosses/BossSkeleton.h"

#include <cmath>

#include "bosses/SpellCards.h"
#include "game/Game.h"
#include "play/Geometry.h"
#include "play/PatternKit.h"
#include "play/Spawn.h"

namespace korvid {

namespace {

constexpr float kHomeX = 224, kHomeY = 143;

}  // namespace

Enemy& Boss(Game& game) { return game.state.enemies.slot[kBossSlot]; }

// ------------------------------------------------------------------ opening

void MusicVolume(Game& game, int percent) {
    GameState& s = game.state;
    game.engine.Channel_SetVolume(s.bgmChannel, percent * s.bgmVolume / 100);
}

void SwitchMusic(Game& game, const char* file, float startAt) {
    GameState& s = game.state;
    game.engine.Stream_Free(s.bgmStream);
    s.bgmStream = game.engine.Stream_Load(file);
    s.bgmChannel = game.engine.Stream_Play(s.bgmStream, true, s.bgmVolume);
    if (startAt > 0) game.engine.Channel_SetPos(s.bgmChannel, startAt);
}

void ChargeBurst(Game& game, int pos, int from, int to) {
    if (pos < from || pos > to) return;
    if (pos == from) RequestSound(game, 16);
    const Enemy& b = Boss(game);
    ChargeParticles(game, b.x, b.y);
}

void Opening(Game& game, int t, const OpeningPlan& plan) {
    Enemy& b = Boss(game);
    if (plan.glideTo >= 0 && t >= 1 && t <= plan.glideTo) SpeedRamp(game, 5, 60, 0, kBossSlot);
    if (plan.music && t >= plan.fadeFrom && t <= 99) MusicVolume(game, 100 - t);
    if (plan.chargeFrom >= 0) ChargeBurst(game, t, plan.chargeFrom, plan.chargeTo);
    if (t >= plan.holdFrom && t <= plan.holdTo) b.hp = b.maxHp;
    if (plan.music && t == 100) SwitchMusic(game, plan.music);
}

// ------------------------------------------------------------ movement legs

void MovementLeg(Game& game, int t, int pos, int legAt, int rampFrom, int rampTo) {
    Enemy& b = Boss(game);
    if (pos == legAt) {
        const bool outside = b.x < 96 || b.x > 352 || b.y < 96 || b.y > 160;
        if (outside) {
            const int offset = game.rand() % 30 - 15;
            b.angle = static_cast<float>(BearingTo(b.x, b.y, kHomeX, kHomeY, offset));
        } else {
            b.angle = static_cast<float>(game.rand() % 360);
        }
        b.auxC = static_cast<float>(t);
    }
    if (pos >= rampFrom && pos <= rampTo) {
        const int leg = static_cast<int>(b.auxC);
        SpeedRamp(game, 1.2f, leg + 70, leg + 1, kBossSlot);
    }
}

// ---------------------------------------------------------- end of pattern

void DropPatternItems(Game& game) {
    const Enemy& b = Boss(game);
    auto drop = [&](int cell, int kind) {
        const int dy = game.rand() % 64 - 32;
        const int dx = game.rand() % 64 - 32;
        SpawnItem(game, TexRect{3, cell, 96, 16, 16}, b.x + dx, b.y + dy, 0, kind);
    };
    for (int i = 0; i < 10; ++i) drop(16, 3);
    for (int i = 0; i < 2; ++i) drop(32, 2);
}

void PatternEnd(Game& game, const PatternEndPlan& plan) {
    Enemy& b = Boss(game);
    b.timer = -300;
    if (plan.maxHp >= 0) b.maxHp = plan.maxHp;
    if (plan.chargeSound) RequestSound(game, 16);
    if (plan.dropItems) DropPatternItems(game);
    BulletsToItems(game);
    if (plan.speed >= 0) b.speed = plan.speed;
    if (plan.spellEnd) SpellEnd(game);
}

PatternEndPlan EndBefore(const NextPattern& next, bool spellEnd) {
    PatternEndPlan plan;
    plan.maxHp = next.maxHp;
    plan.speed = 2;
    plan.spellEnd = spellEnd;
    return plan;
}

// ---------------------------------------------------------------- interlude

void BeginPattern(Game& game, const NextPattern& next) {
    GameState& s = game.state;
    Enemy& b = Boss(game);
    b.type = next.id;
    if (next.limit >= 0) s.bossTimeLeft = next.limit;
    b.timer = 0;
    s.bossTimedOut = 0;
    if (next.spell) {
        s.spellActive = 1;
        SpellDeclare(game);
    }
}

void InterludeRefill(Game& game, int t, float dy, const NextPattern& next) {
    Enemy& b = Boss(game);
    if (b.hp <= b.maxHp) {
        b.hp = static_cast<float>(b.hp + b.maxHp / 50.0);
        b.y += dy;
    }
    // On a pattern's own first frame the same refill runs once (the mid-boss
    // enters that way); only an interlude may hand over.
    if (b.hp > b.maxHp && t < 0) BeginPattern(game, next);
}

void InterludeHome(Game& game, const NextPattern& next) {
    Enemy& b = Boss(game);
    b.angle = static_cast<float>(BearingTo(b.x, b.y, kHomeX, kHomeY, 0));
    if (b.hp <= b.maxHp) b.hp = static_cast<float>(b.hp + b.maxHp / 50.0);
    if (std::fabs(b.x - kHomeX) + std::fabs(b.y - kHomeY) < 16) {
        b.x = kHomeX;
        b.y = kHomeY;
        b.speed = 0;
        b.hp = b.maxHp;
        BeginPattern(game, next);
    }
}

// ----------------------------------------------------------------- defeat

void DefeatSequence(Game& game, int t, const DefeatPlan& plan) {
    GameState& s = game.state;
    const Enemy& b = Boss(game);
    s.backgroundShake = static_cast<float>(game.rand() % 32);
    ChargeParticles(game, b.x, b.y);
    if (t != plan.endAt) return;
    s.enemies.free[kBossSlot] = 1;
    s.bossActive = 0;
    RequestSound(game, 7);
    s.backgroundShake = 0;
    if (plan.after == AfterDefeat::ClearStage) {
        s.stageCleared = 1;
        s.stageFrame = 100000;
    } else {
        s.scrollSpeed = plan.scrollSpeed;
        s.stageFrame = plan.resumeFrame;
    }
}

}  // namespace korvid
