#include "app/Autopilot.h"

#include <algorithm>
#include <iterator>
#include <cstdio>
#include <cstdlib>

#include "app/FrameDriver.h"
#include "app/StateHash.h"
#include "engine/EngineHooks.h"
#include "game/Game.h"

namespace korvid {

namespace {

constexpr std::uint32_t bit(GameKey k) { return 1u << k; }

// The candidates, in the order ties are settled: staying put first, then
// the eight directions, each plain and focused; all of them shoot.
constexpr std::uint32_t kDirections[] = {
    0,
    bit(KeyLeft),
    bit(KeyRight),
    bit(KeyUp),
    bit(KeyDown),
    bit(KeyUp) | bit(KeyLeft),
    bit(KeyUp) | bit(KeyRight),
    bit(KeyDown) | bit(KeyLeft),
    bit(KeyDown) | bit(KeyRight),
};

// Squared distance from the ship to the nearest harmful enemy bullet,
// capped: a ship in the open scores as well as one far from everything.
float nearestBulletSq(const GameState& s) {
    constexpr float kCap = 80.0f * 80.0f;
    float best = kCap;
    const EnemyBulletPool& pool = s.enemyBullets;
    for (int i = 0; i < EnemyBulletPool::kCapacity; ++i) {
        if (pool.free[i]) continue;
        const EnemyBullet& b = pool.slot[i];
        if (b.behavior < 0) continue;
        const float dx = b.x - s.playerX;
        const float dy = b.y - s.playerY;
        best = std::min(best, dx * dx + dy * dy);
    }
    return best;
}

bool hurt(const GameState& s, int livesBefore) {
    return s.lives < livesBefore || s.playerDying != 0 || s.hitPending > 0;
}

}  // namespace

int Autopilot::tallySlot(const GameState& s) const {
    if (!s.bossActive) return 0;
    return std::clamp(s.bossPattern(), 0, kTallySlots - 1);
}

// A life gone since the last frame is put down to what was on then.
void Autopilot::tally(const GameState& s) {
    if (s.screen != 10) {
        over_ = over_ || playedOnce_;
        lastLives_ = -1;
        return;
    }
    playedOnce_ = true;
    over_ = over_ || s.pauseState != 0;
    cleared_ = cleared_ || s.stageCleared != 0;
    seen_[tallySlot(s)] = 1;
    if (lastLives_ >= 0 && s.lives < lastLives_) livesLost_[tallySlot(s)] += lastLives_ - s.lives;
    lastLives_ = s.lives;
}

bool Autopilot::inPlay(const GameState& s) const {
    return s.screen == 10 && s.pauseState == 0 && !s.replayPlaying && s.dialogueActive == 0 && !s.stageCleared;
}

Autopilot::Outcome Autopilot::tryKeys(Game& game, std::uint32_t keys, int horizon) {
    GameState& s = game.state;
    keys_ = keys;
    const int livesBefore = s.lives;
    const std::int64_t scoreBefore = s.score;
    Outcome o;
    o.survived = true;
    float nearest = 1e9f;
    int frame = 0;
    for (; frame < horizon; ++frame) {
        game.engine.Input_ReadKeySource();
        RenderFunc(game);
        if (frame < kInterval) o.hashes[frame] = HashGameState(s);
        if (hurt(s, livesBefore)) {
            o.survived = false;
            break;
        }
        if (s.screen != 10) break;  // the stage ended: nothing more to look at
        if (frame % 4 == 3) nearest = std::min(nearest, nearestBulletSq(s));
    }
    nearest = std::min(nearest, nearestBulletSq(s));
    // Surviving longer, then scoring, then keeping room, then lining up
    // under the boss.
    std::int64_t value = static_cast<std::int64_t>(frame) * 1000000000LL;
    value += (s.score - scoreBefore);
    value += static_cast<std::int64_t>(nearest) * 20;
    if (s.bossActive) {
        const float dx = s.enemies.slot[kBossSlot].x - s.playerX;
        value -= static_cast<std::int64_t>(std::abs(dx)) * 50;
    }
    o.value = value;
    return o;
}

// One candidate of the plan, tried from root_ and the state put back: the
// 18 sets without the bomb, then the 18 with it only when none of those
// survives, then, when few survive, the long looks along each of them (the
// value counts frames lived first, so the one that lasts longest wins).
// Gives the frames it played, 0 when the plan is complete.
int Autopilot::planStep(Game& game) {
    GameState& s = game.state;
    Plan& p = plan_;
    if (p.next == kSets && p.any && p.best.survived) p.next = 2 * kSets;  // no call for the bomb
    if (p.next < 2 * kSets) {
        const bool withBomb = p.next >= kSets;
        const bool focus = (p.next % kSets) >= static_cast<int>(std::size(kDirections));
        const std::uint32_t dir = kDirections[p.next % std::size(kDirections)];
        const std::uint32_t keys =
            dir | bit(KeyShoot) | (focus ? bit(KeySlow) : 0u) | (withBomb ? bit(KeyBomb) : 0u);
        const Outcome o = tryKeys(game, keys, kHorizon);
        RestorePlay(*root_, s);
        if (o.survived && !withBomb) p.survivors[p.survived++] = keys;
        const bool better =
            !p.any || (o.survived && !p.best.survived) || (o.survived == p.best.survived && o.value > p.best.value);
        if (better) {
            p.best = o;
            p.bestKeys = keys;
            p.any = true;
        }
        ++p.next;
        return kHorizon;
    }
    if (p.survived > 0 && p.survived <= kFewSurvivors && p.longNext < p.survived) {
        const Outcome o = tryKeys(game, p.survivors[p.longNext], kLongHorizon);
        RestorePlay(*root_, s);
        if (p.longNext == 0 || o.value > p.best.value) {
            p.best = o;
            p.bestKeys = p.survivors[p.longNext];
        }
        ++p.longNext;
        return kLongHorizon;
    }
    return 0;
}

void Autopilot::decide(Game& game) {
    GameState& s = game.state;
    // Made ahead from the very state on show (else made afresh).
    const bool ahead = plan_.open && plan_.rootReady && plan_.rootHash == HashGameState(s);
    if (!ahead) {
        plan_ = Plan{};
        SavePlay(s, *root_);
    }
    ++decisions_;
    // The look-ahead is thrown away: never seen nor heard, and whatever it
    // loads is let go.
    SetTrialFrames(game.engine, true);
    while (planStep(game) > 0) {
    }
    SetTrialFrames(game.engine, false);
    Outcome& best = plan_.best;
    // After the long looks: each of them lived through the short look, so
    // its first frames are safe, and they are what the real frames will
    // check against.
    if (plan_.survived > 0 && plan_.survived <= kFewSurvivors) best.survived = true;
    keys_ = plan_.any ? plan_.bestKeys : bit(KeyShoot);
    if (keys_ & bit(KeyBomb)) bombs_[tallySlot(s)] += 1;
    expected_ = best.hashes;
    checking_ = best.survived;
    // The next choice is for the state these keys lead to.
    chosen_ = keys_;
    SavePlay(s, *chosenAt_);
    plan_ = Plan{};
    plan_.open = true;
    game.engine.Input_ReadKeySource();
}

// A share of the next choice's look-ahead, on a frame before it is due: the
// state on show is put aside and back.
void Autopilot::prepareAhead(Game& game) {
    if (!plan_.open || plan_.complete) return;
    GameState& s = game.state;
    SavePlay(s, *real_);
    SetTrialFrames(game.engine, true);
    int budget = kSliceFrames;
    if (!plan_.rootReady) {
        // The frames the chosen keys are kept, played from where they were chosen.
        RestorePlay(*chosenAt_, s);
        keys_ = chosen_;
        for (int i = 0; i < kInterval; ++i) {
            game.engine.Input_ReadKeySource();
            RenderFunc(game);
        }
        plan_.open = inPlay(s);  // else the next choice is not made in play
        plan_.rootReady = true;
        plan_.rootHash = HashGameState(s);
        SavePlay(s, *root_);
        budget -= kInterval;
    } else {
        RestorePlay(*root_, s);
    }
    while (plan_.open && budget > 0) {
        const int played = planStep(game);
        plan_.complete = played == 0;
        if (plan_.complete) break;
        budget -= played;
    }
    RestorePlay(*real_, s);
    SetTrialFrames(game.engine, false);
    keys_ = chosen_;
}

void Autopilot::beforeFrame(Game& game, bool settling) {
    GameState& s = game.state;
    tally(s);
    // The frame just played was played in the look-ahead too: same hash.
    if (checking_ && played_ > 0 && played_ <= kInterval) {
        if (HashGameState(s) != expected_[played_ - 1]) ++mismatches_;
    }
    if (settling || !inPlay(s)) {
        checking_ = false;
        framesLeft_ = 0;
        played_ = 0;
        // Conversations page on the shot key: tap it.
        plan_.open = false;
        dialogueTick_ += 1;
        keys_ = (s.dialogueActive && dialogueTick_ % 2 == 0) ? bit(KeyShoot) : 0u;
        game.engine.Input_ReadKeySource();
        return;
    }
    if (framesLeft_ == 0) {
        decide(game);
        framesLeft_ = kInterval;
        played_ = 0;
    } else {
        prepareAhead(game);
        game.engine.Input_ReadKeySource();
    }
    framesLeft_ -= 1;
    played_ += 1;
}

void PrintAutopilotTally(const Autopilot& pilot) {
    int lives = 0, bombs = 0;
    std::printf("autopilot: lost");
    for (int i = 0; i < Autopilot::kTallySlots; ++i) {
        if (!pilot.seen(i)) continue;
        lives += pilot.livesLost()[i];
        bombs += pilot.bombs()[i];
        if (i == 0)
            std::printf(" waves");
        else
            std::printf(" p%d", i);
        std::printf(" %d/%d", pilot.livesLost()[i], pilot.bombs()[i]);
    }
    std::printf(" total %d/%d\n", lives, bombs);
    std::printf("autopilot: stage %s\n", pilot.stageCleared() ? "cleared" : "not cleared");
}

}  // namespace korvid
