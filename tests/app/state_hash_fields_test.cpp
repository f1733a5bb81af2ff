// Every field of the play records is in the state hash, or named here as
// deliberately left out: a field added to GamePlay, StagePlay or a pool
// record without a line in HashGameState fails this test, by its offset.
// Each byte of a record's fields (padding found and skipped) is changed in
// turn; a byte whose change leaves the hash alone belongs to an unhashed
// field.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <vector>

#include "app/StateHash.h"
#include "game/GameState.h"

namespace korvid {
namespace {

// Which bytes of a T are padding: default-initialise it over 0x00 and over
// 0xFF; a byte no field sets keeps the fill.
template <typename T>
std::vector<bool> paddingOf() {
    std::vector<bool> pad(sizeof(T));
    auto a = std::make_unique<unsigned char[]>(sizeof(T) + alignof(T));
    auto b = std::make_unique<unsigned char[]>(sizeof(T) + alignof(T));
    void* pa = a.get();
    void* pb = b.get();
    std::size_t space = sizeof(T) + alignof(T);
    pa = std::align(alignof(T), sizeof(T), pa, space);
    space = sizeof(T) + alignof(T);
    pb = std::align(alignof(T), sizeof(T), pb, space);
    std::memset(pa, 0x00, sizeof(T));
    std::memset(pb, 0xFF, sizeof(T));
    T* ta = new (pa) T;
    T* tb = new (pb) T;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        pad[i] = static_cast<unsigned char*>(pa)[i] != static_cast<unsigned char*>(pb)[i];
    ta->~T();
    tb->~T();
    return pad;
}

// The offsets within `record` (bytes from..to) whose change leaves the hash
// alone, padding skipped.
std::set<std::size_t> unhashedBytes(GameState& s, unsigned char* record, const std::vector<bool>& pad,
                                    std::size_t from, std::size_t to) {
    std::set<std::size_t> found;
    const std::uint64_t base = HashGameState(s);
    for (std::size_t i = from; i < to; ++i) {
        if (pad[i]) continue;
        const unsigned char keep = record[i];
        record[i] = static_cast<unsigned char>(keep ^ 0x21);
        if (HashGameState(s) == base) found.insert(i);
        record[i] = keep;
    }
    return found;
}

template <typename R, typename F>
void addField(std::set<std::size_t>& to, const R& record, const F& field) {
    const auto* r = reinterpret_cast<const unsigned char*>(&record);
    const auto* f = reinterpret_cast<const unsigned char*>(&field);
    for (std::size_t i = 0; i < sizeof(F); ++i) to.insert(static_cast<std::size_t>(f - r) + i);
}

void expectOnly(const std::set<std::size_t>& unhashed, const std::set<std::size_t>& allowed, const char* record) {
    for (std::size_t offset : unhashed)
        EXPECT_TRUE(allowed.count(offset))
            << record << ": the byte at offset " << offset
            << " is not in the state hash. Add its field to HashGameState (app/StateHash.cpp; a field added "
               "after the stage-1 goldens goes in with addIfSet so their hashes stay), or name it here.";
}

TEST(StateHashFields, EveryPlayFieldIsHashedOrNamedAsLeftOut) {
    auto owner = std::make_unique<GameState>();
    GameState& s = *owner;
    s.enemies.free[kBossSlot] = 1;

    // The game's record. Left out: the HUD's score counters (drawing only).
    {
        GamePlay& g = s;
        std::set<std::size_t> allowed;
        addField(allowed, g, g.bestScore);
        addField(allowed, g, g.hudWork);
        const auto pad = paddingOf<GamePlay>();
        expectOnly(unhashedBytes(s, reinterpret_cast<unsigned char*>(&g), pad, 0, sizeof(GamePlay)), allowed,
                   "GamePlay");
    }
    // The stage's record up to its pools. Left out: this frame's sound
    // requests and the hit sound's volume (sound only), the end-of-game flag
    // for the save screen, how far play has reached into the scenery (what a
    // snapshot copies) and the pools themselves (below).
    {
        StagePlay& p = s;
        std::set<std::size_t> allowed;
        addField(allowed, p, p.sceneObjectsUsed);
        addField(allowed, p, p.soundRequests);
        addField(allowed, p, p.damageSoundPercent);
        addField(allowed, p, p.gameFinished);
        const auto* base = reinterpret_cast<unsigned char*>(&p);
        const std::size_t pools = static_cast<std::size_t>(reinterpret_cast<unsigned char*>(&p.enemyBullets) - base);
        const auto pad = paddingOf<StagePlay>();
        expectOnly(unhashedBytes(s, reinterpret_cast<unsigned char*>(&p), pad, 0, pools), allowed, "StagePlay");
    }
    // One live slot of each pool, its fields after the sprite (drawing state).
    auto slotFields = [&](auto& pool, const char* name) {
        using Record = std::remove_reference_t<decltype(pool.slot[0])>;
        pool.free.fill(1);
        pool.occupy(0);
        const auto pad = paddingOf<Record>();
        std::set<std::size_t> allowed;
        expectOnly(unhashedBytes(s, reinterpret_cast<unsigned char*>(&pool.slot[0]), pad, sizeof(SpriteData),
                                 sizeof(Record)),
                   allowed, name);
        pool.free[0] = 1;
    };
    slotFields(s.enemyBullets, "EnemyBullet");
    slotFields(s.effects, "EffectSprite");
    slotFields(s.items, "Item");
    slotFields(s.playerShots, "PlayerShot");
    slotFields(s.enemies, "Enemy");
    slotFields(s.bgPanels, "BgPanel");
    s.sceneObjectCount = 1;
    {
        const auto pad = paddingOf<SceneObject>();
        expectOnly(unhashedBytes(s, reinterpret_cast<unsigned char*>(&s.sceneObjects[0]), pad, sizeof(SpriteData),
                                 sizeof(SceneObject)),
                   {}, "SceneObject");
    }
}

}  // namespace
}  // namespace korvid
