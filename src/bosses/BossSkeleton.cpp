#include "bosses/BossSkeleton.h"

#include <cmath>

#include "bosses/FightRegistry.h"
#include "bosses/SpellCards.h"
#include "game/Game.h"
#include "play/Geometry.h"
#include "play/PatternKit.h"
#include "play/Spawn.h"

namespace korvid {

namespace {

constexpr float kHomeX = 224, kHomeY = 143;  // where movement legs head back to

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
    if (plan.chargeFrom >= 0) {
        if (plan.chargeEvery <= 0) {
            ChargeBurst(game, t, plan.chargeFrom, plan.chargeTo);
        } else if (t >= plan.chargeFrom) {
            ChargeBurst(game, (t - plan.chargeFrom) % plan.chargeEvery, 0, plan.chargeTo - plan.chargeFrom);
        }
    }
    if (t >= plan.holdFrom && t <= plan.holdTo) b.hp = b.maxHp;
    if (plan.music && t == 100) SwitchMusic(game, plan.music);
    if (plan.castPoseTo > 0 && t >= 1 && t <= plan.castPoseTo) b.texY = 192;
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

void PatternEnd(Game& game, const FightLine& fight, const PatternRow& row) {
    Enemy& b = Boss(game);
    const PatternEndPlan& plan = row.end;
    if (plan.restPose) b.texY = 0;
    b.timer = -300;
    if (row.endMaxHp >= 0) b.maxHp = row.endMaxHp;
    if (plan.chargeSound) RequestSound(game, 16);
    if (plan.dropItems) DropPatternItems(game);
    BulletsToItems(game);
    if (plan.motion == EndMotion::Travel) b.speed = fight.params.travelSpeed;
    if (row.spell) SpellEnd(game);
    if (plan.bonusItemKind > 0) SpawnItem(game, plan.bonusItemCell, b.x, b.y, 0, plan.bonusItemKind);
}

// ---------------------------------------------------------------- interlude

void BeginPattern(Game& game, int id, int limit, bool spell) {
    GameState& s = game.state;
    Enemy& b = Boss(game);
    b.type = id;
    if (limit >= 0) s.bossTimeLeft = limit;
    b.timer = 0;
    s.bossTimedOut = 0;
    if (spell) {
        s.spellActive = 1;
        SpellDeclare(game);
    }
}

void BeginNextPattern(Game& game, const FightLine& fight, const PatternRow& row) {
    const PatternRow* next = FindRow(fight, row.next);
    BeginPattern(game, row.next, row.limit, next && next->spell);
}

void InterludeRefill(Game& game, const FightLine& fight, const PatternRow& row, int t) {
    Enemy& b = Boss(game);
    if (b.hp <= b.maxHp) {
        b.hp = static_cast<float>(b.hp + b.maxHp / fight.params.refillDivisor);
        b.y += row.refillDy;
    }
    // On a pattern's own first frame the same refill runs once (the mid-boss
    // enters that way); only an interlude may hand over.
    if (b.hp > b.maxHp && t < 0) BeginNextPattern(game, fight, row);
}

void InterludeHome(Game& game, const FightLine& fight, const PatternRow& row) {
    Enemy& b = Boss(game);
    const float hx = fight.params.homeX, hy = fight.params.homeY;
    b.angle = static_cast<float>(BearingTo(b.x, b.y, hx, hy, 0));
    if (b.hp <= b.maxHp) b.hp = static_cast<float>(b.hp + b.maxHp / fight.params.refillDivisor);
    if (std::fabs(b.x - hx) + std::fabs(b.y - hy) < 16) {
        b.x = hx;
        b.y = hy;
        b.speed = 0;
        b.hp = b.maxHp;
        BeginNextPattern(game, fight, row);
    }
}

// ----------------------------------------------------------------- defeat

void RemoveBoss(Game& game) {
    GameState& s = game.state;
    s.enemies.free[kBossSlot] = 1;
    s.bossActive = 0;
    RequestSound(game, 7);
    s.backgroundShake = 0;
}

namespace {

void clearStage(GameState& s) {
    s.stageCleared = 1;
    s.stageFrame = 100000;
}

void runOn(GameState& s, const DefeatPlan& plan) {
    if (plan.scrollSpeed >= 0) s.scrollSpeed = plan.scrollSpeed;
    if (plan.resumeFrame >= 0) s.stageFrame = plan.resumeFrame;
}

}  // namespace

void DefeatSequence(Game& game, int t, const DefeatPlan& plan) {
    GameState& s = game.state;
    Enemy& b = Boss(game);
    if (plan.during) plan.during(game, t);
    if (plan.after == AfterDefeat::FlyOff) {
        b.angle = plan.flyHeading;
        b.speed = plan.flySpeed;
    } else {
        if (plan.shake > 0) s.backgroundShake = static_cast<float>(game.rand() % plan.shake);
        ChargeParticles(game, b.x, b.y);
    }
    if (t != plan.endAt) return;
    switch (plan.after) {
    case AfterDefeat::ClearStage:
        RemoveBoss(game);
        clearStage(s);
        break;
    case AfterDefeat::ResumeStage:
        RemoveBoss(game);
        runOn(s, plan);
        break;
    case AfterDefeat::FlyOff:
        s.enemies.free[kBossSlot] = 1;
        s.bossActive = 0;
        runOn(s, plan);
        break;
    case AfterDefeat::ClosingTalk:
        // The body is gone but the slot holds the fight until the last page:
        // the stage's timeline must not run on meanwhile.
        s.backgroundShake = 0;
        RequestSound(game, 7);
        b.alpha = 0;
        b.noHit = 1;
        s.bossClosingTalk = 1;
        if (!StartTalk(game, plan.talk)) s.dialogueActive = 0;
        break;
    case AfterDefeat::Own:
        RemoveBoss(game);
        if (plan.finish) plan.finish(game);
        break;
    }
}

// ---------------------------------------------------------------- the rows

void RunPatternRow(Game& game, const FightLine& fight, const PatternRow& row) {
    GameState& s = game.state;
    if (s.bossClosingTalk) {
        // The closing conversation has ended (patterns do not run during one).
        s.bossClosingTalk = 0;
        RemoveBoss(game);
        clearStage(s);
        return;
    }
    if (row.own) {
        row.own(game);
        return;
    }
    Enemy& b = Boss(game);
    const int t = b.timer;
    if (t < row.interludeBelow) {
        switch (row.interlude) {
        case InterludeKind::Home: InterludeHome(game, fight, row); break;
        case InterludeKind::Refill: InterludeRefill(game, fight, row, t); break;
        case InterludeKind::Defeat:
            if (row.defeat) DefeatSequence(game, t, *row.defeat);
            break;
        }
        return;
    }
    Opening(game, t, row.opening);
    if (t <= row.opening.attackAfter) return;
    if (b.hp <= 0) {
        PatternEnd(game, fight, row);
        return;
    }
    if (row.attack) row.attack(game, t);
}

// ------------------------------------------------- segmented bars (stage 6)

void SegmentTransition(Game& game, const Segment& next) {
    GameState& s = game.state;
    Enemy& b = Boss(game);
    SpellEnd(game);
    s.spellActive = 0;
    if (next.bulletsToItems) BulletsToItems(game);
    b.timer = 0;
    b.type = next.id;
    s.bossTimedOut = 0;
    s.bossTimeLeft = next.limit;  // before the declaration, which remembers it
    s.spellActive = 1;
    SpellDeclare(game);
    b.maxHp = next.maxHp;
    b.hp = next.hp;
    s.bossVar[1] = 0;
    s.bossVar[5] = 0;
    s.bossVarX = 0;
}

}  // namespace korvid
