// Every live object is updated and drawn once per play frame, pool by pool
// and band by band. Nothing writes depth, so this order is what covers what:
// bottom to top scenery, high effects, background panels, effects
// 0.85..0.88, high bullets, enemies, boss, player shots, items, effects
// 0.8..0.85, player, middle bullets, low effects, lowest bullets, lowest
// effects.
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "game/FrameSteps.h"
#include "game/Game.h"
#include "game/Input.h"
#include "game/PoolSteps.h"
#include "play/Collisions.h"
#include "play/StageFlow.h"
#include "play/Player.h"

namespace korvid {

namespace {

// A band is a z range; the sprite's single-precision z is compared in double.
struct Band {
    double low;
    bool lowInclusive;
    double high;
    bool highInclusive;
};
constexpr double kNone = -1e9, kAll = 1e9;

constexpr bool inBand(float zf, const Band& b) {
    const double z = zf;
    const bool aboveLow = b.lowInclusive ? z >= b.low : z > b.low;
    const bool belowHigh = b.highInclusive ? z <= b.high : z < b.high;
    return aboveLow && belowHigh;
}

// The first taken slot at or after i below `end`, or `end`: free flags are
// read eight at a time while they are all set.
template <typename PoolT>
int nextTaken(const PoolT& pool, int i, int end) {
    constexpr std::uint64_t kAllFree = 0x0101010101010101ull;
    while (i < end && pool.free[i]) {
        std::uint64_t eight = 0;
        if (i + 8 <= end) std::memcpy(&eight, pool.free.data() + i, sizeof eight);
        i += eight == kAllFree ? 8 : 1;
    }
    return i;
}

// Plain index walks reading the free flags live: an object spawned above the
// cursor during the walk is visited in the same walk. Slots past the pool's
// used mark are all free, so a walk stops there (the mark is read live too).
template <typename PoolT, typename Fn>
void walkAll(PoolT& pool, int count, Fn update) {
    auto end = [&] { return pool.used < count ? pool.used : count; };
    for (int i = nextTaken(pool, 0, end()); i < end(); i = nextTaken(pool, i + 1, end())) update(i);
}

constexpr Band kEffectsHigh{0.89, true, kAll, true};
constexpr Band kEffectsUnderBullets{0.85, false, 0.88, true};
constexpr Band kEffectsOverItems{0.8, true, 0.85, false};
constexpr Band kEffectsLow{0.21, false, 0.8, false};
constexpr Band kBulletsHigh{0.8, true, kAll, true};
constexpr Band kBulletsMiddle{0.705, false, 0.8, false};
constexpr Band kBulletsLow{0.5, false, 0.705, true};
constexpr Band kBulletsLowest{kNone, true, 0.5, true};

// The bullet bands as bits of Game::bulletBands; the bands do not overlap.
enum : std::uint8_t { kHighBit = 1, kMiddleBit = 2, kLowBit = 4, kLowestBit = 8 };

[[gnu::always_inline]] inline std::uint8_t bulletBandBit(float z) {
    if (inBand(z, kBulletsHigh)) return kHighBit;
    if (inBand(z, kBulletsMiddle)) return kMiddleBit;
    if (inBand(z, kBulletsLow)) return kLowBit;
    if (inBand(z, kBulletsLowest)) return kLowestBit;
    return 0;
}

// The first slot at or after i below `end` that is taken with kBit in its
// band hint, or `end`. Past slot i itself (a band's slots often come in
// runs), eight slots are read at a time: a slot is a candidate unless its
// free flag is exactly 1 or its hint lacks the bit, and the walk reads the
// free flag again before it visits.
template <std::uint8_t kBit, typename PoolT, std::size_t N>
[[gnu::always_inline]] inline int nextHinted(const PoolT& pool, const std::array<std::uint8_t, N>& hint, int i,
                                             int end) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr int kShift = std::countr_zero(kBit);
    static_assert(std::endian::native == std::endian::little, "the lowest slot is the lowest byte");
    if (i < end && !pool.free[i] && (hint[i] & kBit)) return i;
    for (; i + 8 <= end; i += 8) {
        std::uint64_t freeFlags, bands;
        std::memcpy(&freeFlags, pool.free.data() + i, sizeof freeFlags);
        std::memcpy(&bands, hint.data() + i, sizeof bands);
        const std::uint64_t candidates = (bands >> kShift) & ~freeFlags & kOnes;
        if (candidates) return i + std::countr_zero(candidates) / 8;
    }
    for (; i < end; ++i)
        if (!pool.free[i] && (hint[i] & kBit)) return i;
    return end;
}

// A later band's walk: the slots whose hint has the band's bit, taken and
// with their z in the band when the walk reaches them (read live: the
// spawns keep the hints up to date).
template <std::uint8_t kBit, typename PoolT, std::size_t N, typename InBand, typename Fn>
void walkHinted(PoolT& pool, const std::array<std::uint8_t, N>& hint, InBand inIt, Fn update) {
    for (int i = nextHinted<kBit>(pool, hint, 0, pool.used); i < pool.used;
         i = nextHinted<kBit>(pool, hint, i + 1, pool.used))
        if (!pool.free[i] && inIt(pool.slot[i].sprite.quad.v[0].z)) update(i);
}

// A pool's first walk (its high band) reads every taken slot's z, so it also
// finds the bands the later walks will have something in, and each slot's.
template <std::uint8_t kHigh, typename PoolT, std::size_t N, typename BitOf, typename Fn>
void walkFirstBand(PoolT& pool, std::uint8_t& bands, std::array<std::uint8_t, N>& bandOf, BitOf bitOf, Fn update) {
    bands = 0;
    for (int i = nextTaken(pool, 0, pool.used); i < pool.used; i = nextTaken(pool, i + 1, pool.used)) {
        const std::uint8_t bit = bitOf(pool.slot[i].sprite.quad.v[0].z);
        bands |= bit;
        bandOf[i] = bit;
        if (bit == kHigh) update(i);
    }
}

template <typename Fn>
void walkBulletsHigh(Game& game, Fn update) {
    walkFirstBand<kHighBit>(game.state.enemyBullets, game.bulletBands, game.bulletBandOf,
                            [](float z) { return bulletBandBit(z); }, update);
}

// A later bullet band's walk, skipped when no bullet can be in it.
template <Band kBand, std::uint8_t kBit, typename Fn>
void walkBullets(Game& game, Fn update) {
    if (!(game.bulletBands & kBit)) return;
    walkHinted<kBit>(game.state.enemyBullets, game.bulletBandOf, [](float z) { return inBand(z, kBand); }, update);
}

// The effect bands as bits of Game::effectBands. The lowest band compares in
// single precision: 0.21f itself belongs there.
enum : std::uint8_t {
    kEffectHighBit = 1,
    kUnderBulletsBit = 2,
    kOverItemsBit = 4,
    kEffectLowBit = 8,
    kEffectLowestBit = 16
};

bool inLowestEffects(float z) { return z <= 0.21f; }

[[gnu::always_inline]] inline std::uint8_t effectBandBit(float z) {
    if (inBand(z, kEffectsHigh)) return kEffectHighBit;
    if (inBand(z, kEffectsUnderBullets)) return kUnderBulletsBit;
    if (inBand(z, kEffectsOverItems)) return kOverItemsBit;
    if (inBand(z, kEffectsLow)) return kEffectLowBit;
    if (inLowestEffects(z)) return kEffectLowestBit;
    return 0;
}

void walkEffectsHigh(Game& game) {
    walkFirstBand<kEffectHighBit>(game.state.effects, game.effectBands, game.effectBandOf,
                                  [](float z) { return effectBandBit(z); }, [&](int i) { UpdateEffect(game, i); });
}

// A later effect band's walk, skipped when no effect can be in it.
template <std::uint8_t kBit, typename InBand>
void walkEffects(Game& game, InBand inIt) {
    if (!(game.effectBands & kBit)) return;
    walkHinted<kBit>(game.state.effects, game.effectBandOf, inIt, [&](int i) { UpdateEffect(game, i); });
}
template <Band kBand, std::uint8_t kBit>
void walkEffectBand(Game& game) {
    walkEffects<kBit>(game, [](float z) { return inBand(z, kBand); });
}

// The count is read live: a particle that shrinks away takes its record out
// of the list during the walk.
void walkScenery(Game& game) {
    GameState& s = game.state;
    bool reverse = false;
    if (s.stage == 7) {
        if (s.spellActive && s.bossPattern() < 72) return;
        reverse = s.spellActive || s.stageFrame >= 11850;
    } else if (s.stage != 6) {
        return;
    }
    if (reverse) {
        for (int i = s.sceneObjectCount - 1; i >= 0; --i) UpdateSceneObject(game, i);
    } else {
        for (int i = 0; i < s.sceneObjectCount; ++i) UpdateSceneObject(game, i);
    }
}

void extraStageSkip(Game& game) {
    GameState& s = game.state;
    if (s.stage != 7 || s.stageFrame < 90 || s.stageFrame > 850 || !IsKeyHeld(game, KeyFastForward)) return;
    s.timeStop = 0;
    s.stageFrame = 890;
    s.items.free.fill(1);
    s.effects.free.fill(1);
    for (EffectSprite& e : s.effects.slot) e.angle = 0;
    s.enemyBullets.free.fill(1);
}

void laserGrazeTick(Game& game) {
    GameState& s = game.state;
    if (s.laserNear != 1.0f || s.stageFrame % 6 != 0) return;
    s.laserNear = 0;
    PayGraze(game);
}

}  // namespace

int EffectBandStep(float z) {
    if (inBand(z, kEffectsHigh)) return 3;
    if (inBand(z, kEffectsUnderBullets)) return 5;
    if (inBand(z, kEffectsOverItems)) return 12;
    if (inBand(z, kEffectsLow)) return 16;
    if (inLowestEffects(z)) return 18;
    return 0;
}

void NoteBulletZ(Game& game, int slot, float z) {
    const std::uint8_t bit = bulletBandBit(z);
    game.bulletBands |= bit;
    game.bulletBandOf[slot] |= bit;
}

void NoteEffectZ(Game& game, int slot, float z) {
    const std::uint8_t bit = effectBandBit(z);
    game.effectBands |= bit;
    game.effectBandOf[slot] |= bit;
}

int BulletBandStep(float z) {
    if (inBand(z, kBulletsHigh)) return 6;
    if (inBand(z, kBulletsMiddle)) return 14;
    if (inBand(z, kBulletsLow)) return 15;
    if (inBand(z, kBulletsLowest)) return 17;
    return 0;
}

void UpdateAndDrawPlay(Game& game) {
    GameState& s = game.state;
    if (s.screen > 10) return;
    auto bullet = [&](int i) { UpdateEnemyBullet(game, i); };

    if (s.maxPowerFrames >= 60000 && s.power >= 84) s.score += 1000000;
    walkScenery(game);
    walkEffectsHigh(game);
    if (!s.spellActive || s.stage == 2 || s.stage == 3)
        walkAll(s.bgPanels, kBgPanelCapacity, [&](int i) { UpdateBgPanel(game, i); });
    walkEffectBand<kEffectsUnderBullets, kUnderBulletsBit>(game);
    walkBulletsHigh(game, bullet);
    walkAll(s.enemies, kBossSlot, [&](int i) { UpdateEnemy(game, i); });
    if (s.bossActive == 1) BossDriver(game);
    extraStageSkip(game);
    walkAll(s.playerShots, kPlayerShotCapacity, [&](int i) { UpdatePlayerShot(game, i); });
    walkAll(s.items, kItemCapacity, [&](int i) { UpdateItem(game, i); });
    walkEffectBand<kEffectsOverItems, kOverItemsBit>(game);
    UpdatePlayer(game);
    walkBullets<kBulletsMiddle, kMiddleBit>(game, bullet);
    walkBullets<kBulletsLow, kLowBit>(game, bullet);
    walkEffectBand<kEffectsLow, kEffectLowBit>(game);
    walkBullets<kBulletsLowest, kLowestBit>(game, bullet);
    walkEffects<kEffectLowestBit>(game, inLowestEffects);
    laserGrazeTick(game);
}

}  // namespace korvid
