// Items: they rise, stop and fall; near the player, or when the pickup
// conditions hold, they fly to the ship; touched, they pay score, gauge,
// bombs or lives.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "game/Game.h"
#include "game/PoolSteps.h"
#include "play/Geometry.h"
#include "play/Spawn.h"

namespace korvid {

namespace {

constexpr int kPickupSound = 10;
constexpr int kExtraLifeSound = 29;
constexpr int kGaugeCap = 1999;
constexpr float kCollectLine = 144;  // above this line everything flies to the player at full value
constexpr int kFinalPattern = 88;
constexpr int kStage7FadeEntry = 6;  // bossVarArr entry that fades the large copy in the extra stage's end

enum ItemKind : int {
    kPoint = 1,
    kGauge = 2,
    kBigPoint = 3,
    kStar = 4,
    kSmallStar = 5,
    kExtraLife = 6,
    kPanelOne = 7,
    kPanelTen = 8,
    kPanelHundred = 9,
    kBombRefill = 10,
};

// Large items: drawn twice, never drawn in, collected only by touch.
bool isLarge(int kind) { return kind == kExtraLife || kind == kBombRefill; }

// The graze gauge grows by 1 while low and ever less above 5.
void gainGauge(GameState& s, int times) {
    if (s.invincibleTimer > 0) return;
    for (int i = 0; i < times; ++i) s.power = static_cast<float>(s.power + (s.power <= 5 ? 1.0 : 5.0 / s.power));
}

// Halved when the item was fetched by holding fire; multiples of 10.
std::int64_t settle(std::int64_t v, const Item& it) {
    v = v / 10 * 10;
    if (it.halfValue) v /= 2;
    return v / 10 * 10;
}

std::int64_t livesForScore(const GameState& s) { return std::max(s.lives, 0); }

std::int64_t bigPointValue(const GameState& s) {
    const std::int64_t lives = livesForScore(s);
    switch (s.difficulty) {
        case 0: return s.bombGauge * lives * 100;
        case 1: return s.grazeCount * std::int64_t{500} + s.bombGauge * lives * 10 + 50000;
        default: return s.maxPowerFrames * std::int64_t{60} + 50000;
    }
}

void payGaugeAndLives(GameState& s, const Item& it, int gains, int gauge) {
    gainGauge(s, gains);
    s.bombGauge += gauge;
    s.score += settle(s.bombGauge * livesForScore(s), it);
    s.bombGauge = std::min(s.bombGauge, kGaugeCap);
}

void extraLife(Game& game) {
    GameState& s = game.state;
    s.lives += 1;
    s.soundRequests[kExtraLifeSound] = 1;
    SpawnEffect(game, {9, 256, 224, 96, 32}, 224, 76, 1, 1, 0, 0.21f, 14, {255, 255, 255, 255}, 2, 0);
}

// The panel counter starts from the score file, which may hold any int: it
// stops at the largest one rather than wrap.
void addToPanelCounter(GameState& s, int n) {
    s.panelCounter = s.panelCounter > INT_MAX - n ? INT_MAX : s.panelCounter + n;
}

void pay(Game& game, const Item& it) {
    GameState& s = game.state;
    switch (it.kind) {
        case kPoint: payGaugeAndLives(s, it, 1, 1); break;
        case kGauge: payGaugeAndLives(s, it, 10, 10); break;
        case kBigPoint:
            gainGauge(s, 1);
            s.score += settle(bigPointValue(s), it);
            break;
        case kStar: s.score += 1000; break;
        case kSmallStar: s.score += 100; break;
        case kExtraLife: extraLife(game); break;
        case kPanelOne: addToPanelCounter(s, 1); break;
        case kPanelTen: addToPanelCounter(s, 10); break;
        case kPanelHundred: addToPanelCounter(s, 100); break;
        case kBombRefill: s.bombGauge = std::min(s.bombGauge + 600, kGaugeCap); break;
        default: break;
    }
}

// The pickup conditions. Items fetched only because the player held fire
// (below the line, no bomb, gauge not full) are worth half.
void attract(const GameState& s, Item& it) {
    const bool high = s.playerY <= kCollectLine;
    const bool bomb = s.bombActive != 0;
    const bool full = s.power >= 84;
    const bool idle = s.framesSinceShot >= 20;
    if (high || bomb || full || idle) it.attracted = 1;
    if (idle && !high && !bomb && !full) it.halfValue = 1;
}

void fall(Item& it) { it.y = static_cast<float>(it.y + (it.timer - 100) / 50.0); }

}  // namespace

void UpdateItem(Game& game, int slot) {
    GameState& s = game.state;
    Item& it = s.items.slot[slot];
    const float share = (it.kind == kExtraLife) ? 3.0f : 1.0f;
    const float dx = std::abs(it.x - s.playerX) / share, dy = std::abs(it.y - s.playerY) / share;
    if (!s.timeStop || s.stage == 7) it.timer += 1;
    attract(s, it);
    const bool playerHere = !s.playerDying && !s.playerRespawning;
    if ((dx * dx + dy * dy <= 2304 || it.attracted) && playerHere) {
        it.heading = static_cast<float>(BearingTo(it.x, it.y, s.playerX, s.playerY, 0));
        if (!s.timeStop && !isLarge(it.kind)) {
            it.x += DirX(it.heading) * 6;
            it.y += DirY(it.heading) * 6;
        }
        if (dx + dy <= (it.kind == kBombRefill ? 40 : 15)) {
            it.attracted = 1;
            s.soundRequests[kPickupSound] = 1;
            s.items.free[slot] = 1;
            pay(game, it);
        }
        sprite::Render(game.engine, it.sprite, it.x, it.y);
    } else {
        sprite::RenderEx(game.engine, it.sprite, it.x, it.y, it.timer <= 100 ? static_cast<float>(it.timer * 18) : 0, 1);
        fall(it);
    }
    if (isLarge(it.kind)) {
        it.attracted = 0;
        fall(it);
        const bool fading = s.stage == 7 && ((s.bossActive && s.bossPattern() == kFinalPattern) || s.stageCleared);
        if (fading) {
            const int alpha = std::clamp(static_cast<int>(255 - s.bossVarArr[kStage7FadeEntry]), 0, 255);
            sprite::SetColor(it.sprite, static_cast<std::uint32_t>(alpha) << 24 | 0xFFFFFFu);
        }
        sprite::RenderEx(game.engine, it.sprite, it.x, it.y, 0, 3);
        if (fading) sprite::SetColor(it.sprite, 0xFFFFFFFFu);
    }
    if (it.y >= 480) s.items.free[slot] = 1;
}

}  // namespace korvid
