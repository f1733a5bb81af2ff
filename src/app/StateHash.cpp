#include "app/StateHash.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "game/GameState.h"

namespace korvid {

namespace {

// FNV-1a over explicit fields (never over raw structs: padding bytes carry
// no meaning and are not guaranteed to be equal).
class Hasher {
public:
    void bytes(const void* p, std::size_t n) {
        const auto* b = static_cast<const std::uint8_t*>(p);
        for (std::size_t i = 0; i < n; ++i) {
            h_ ^= b[i];
            h_ *= 0x100000001B3ull;
        }
    }
    template <typename... T>
    void add(const T&... v) {
        (one(v), ...);
    }
    // Fields added after the stage-1 golden replays were recorded count only
    // when set, so the hashes recorded with them stay as they are.
    template <typename... T>
    void addIfSet(const T&... v) {
        (oneIfSet(v), ...);
    }
    std::uint64_t value() const { return h_; }

private:
    void one(std::int64_t v) { bytes(&v, sizeof v); }
    void one(int v) { one(static_cast<std::int64_t>(v)); }
    void one(std::uint8_t v) { one(static_cast<std::int64_t>(v)); }
    void one(std::uint32_t v) { one(static_cast<std::int64_t>(v)); }
    void one(float v) {
        std::uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        one(bits);
    }
    template <typename T, std::size_t N>
    void one(const std::array<T, N>& a) {
        for (const T& x : a) one(x);
    }
    template <typename T>
    void oneIfSet(const T& v) {
        if (v != T{}) one(v);
    }
    std::uint64_t h_ = 0xCBF29CE484222325ull;
};

template <typename PoolT, typename Fn>
void hashPool(Hasher& h, const PoolT& pool, Fn fields) {
    for (int i = 0; i < PoolT::kCapacity; ++i) {
        if (pool.free[i]) continue;
        h.add(i);
        fields(pool.slot[i]);
    }
}

}  // namespace

std::uint64_t HashGameState(const GameState& s) {
    Hasher h;
    h.add(s.screen, s.stage, s.stageFrame, s.startStage, s.difficulty, s.character, s.practiceMode, s.menuCursor);
    h.add(s.score, s.lives, s.bombGauge, s.power, s.grazeCount, s.maxPowerFrames, s.invincibleTimer, s.hitPending);
    h.add(s.playerX, s.playerY, s.playerDying, s.playerRespawning, s.deathScale, s.focusLevel, s.bombActive,
          s.shotTimer, s.framesSinceShot, s.optionSpread, s.optionLift, s.tilt, s.moveDirection, s.laserFrames,
          s.laserFramesB);
    h.add(s.laserEndY);
    h.add(s.bossActive, s.spellActive, s.spellBonusLost, s.spellTimeLimit, s.bossTimeLeft, s.stageCleared,
          s.bossRotation, s.bossVar, s.bossVarX, s.bossVarArr, s.bossTimedOut);
    h.add(s.wordBulletText);
    h.addIfSet(s.bossClosingTalk, s.bgCamX, s.bgCamY, s.bgCamTurn);
    h.add(s.wideField, s.wideFieldFightStarted, s.timeStop, s.dialogueActive, s.dialoguePage, s.backgroundShake,
          s.scrollSpeed, s.stage5Work, s.camX, s.camHeight, s.camDepth, s.camYaw, s.camPitch, s.sceneCamera,
          s.sceneFocal, s.sceneObjectCount, s.laserNear);
    h.addIfSet(s.popcornCounter);
    h.addIfSet(s.bossScroll, s.bossFade, s.wallMapLoaded);
    h.addIfSet(s.bgCamScale, s.gatesPassed, s.gateTotal, s.gateRows, s.gateFlag, s.bossApproach);
    h.add(s.dialoguePageCount, s.dialogueKeyLatch, s.dialoguePageStart, s.dialogueShootReleased,
          s.dialogueTextAlpha, s.dialogueTicks);
    h.add(s.replayFrame, s.frameKeys, s.rng.state, s.pauseState);
    h.add(s.lastEnemyBulletSlot, s.lastEffectSlot, s.lastItemSlot, s.lastEnemySlot);
    hashPool(h, s.enemyBullets, [&](const EnemyBullet& b) {
        h.add(b.texX, b.texY, b.texW, b.texH, b.x, b.y, b.scaleX, b.scaleY, b.angle, b.speed, b.behavior, b.alpha,
              b.red, b.green, b.blue, b.spriteKey, b.age, b.grazed, b.marked, b.work, b.laserSlope, b.laserIntercept);
        h.addIfSet(b.owner);
    });
    hashPool(h, s.effects, [&](const EffectSprite& e) {
        h.add(e.texX, e.texY, e.texW, e.texH, e.x, e.y, e.scaleX, e.scaleY, e.angle, e.type, e.alpha, e.red, e.green,
              e.blue, e.age, e.workA, e.workB);
    });
    hashPool(h, s.items, [&](const Item& it) {
        h.add(it.x, it.y, it.heading, it.kind, it.timer, it.attracted, it.halfValue);
    });
    hashPool(h, s.playerShots, [&](const PlayerShot& p) {
        h.add(p.x, p.y, p.scaleX, p.scaleY, p.angle, p.speed, p.kind, p.alpha, p.damage, p.age);
    });
    hashPool(h, s.enemies, [&](const Enemy& e) {
        h.add(e.x, e.y, e.angle, e.speed, e.type, e.hp, e.maxHp, e.timer, e.alpha, e.scaleX, e.scaleY, e.texX, e.texY,
              e.texW, e.texH, e.spriteKey, e.tilt, e.noHit, e.auxA, e.auxB, e.auxC, e.auxD);
    });
    hashPool(h, s.bgPanels, [&](const BgPanel& p) {
        h.add(p.x, p.depth, p.height, p.halfW, p.halfH, p.turn, p.slope, p.kind, p.timer);
    });
    for (int i = 0; i < s.sceneObjectCount && i < kSceneObjectCapacity; ++i) {
        const SceneObject& o = s.sceneObjects[i];
        h.add(o.texX, o.texY, o.texW, o.texH, o.x, o.y, o.z, o.yaw, o.pitch, o.flatX, o.kind, o.flatY, o.distance,
              o.timer);
    }
    return h.value();
}

namespace {

template <typename PoolT>
int live(const PoolT& pool, int upTo = PoolT::kCapacity) {
    int n = 0;
    for (int i = 0; i < upTo; ++i) n += pool.free[i] ? 0 : 1;
    return n;
}

std::string probeFields(const GameState& s) {
    const bool boss = s.bossActive && !s.enemies.free[kBossSlot];
    const Enemy& b = s.enemies.slot[kBossSlot];
    char line[256];
    std::snprintf(line, sizeof line,
                  " pattern=%d bosshp=%.2f timeleft=%d card=%d cleared=%d timestop=%d enemies=%d bullets=%d "
                  "items=%d scenery=%d bossat=%.1f,%.1f bosst=%d",
                  boss ? b.type : 0, boss ? static_cast<double>(b.hp) : 0.0, s.bossTimeLeft, s.spellActive,
                  s.stageCleared, s.timeStop, live(s.enemies, kBossSlot), live(s.enemyBullets), live(s.items),
                  s.sceneObjectCount, boss ? static_cast<double>(b.x) : 0.0, boss ? static_cast<double>(b.y) : 0.0,
                  boss ? b.timer : 0);
    return line;
}

}  // namespace

std::string DescribeState(const GameState& s, bool withHash, bool probe) {
    char line[256];
    int n = std::snprintf(line, sizeof line,
                          "screen=%d stage=%d frame=%d score=%" PRId64 " lives=%d bomb=%d graze=%d power=%.2f "
                          "x=%.2f y=%.2f",
                          s.screen, s.stage, s.replayFrame, static_cast<std::int64_t>(s.score), s.lives, s.bombGauge,
                          s.grazeCount, static_cast<double>(s.power), static_cast<double>(s.playerX),
                          static_cast<double>(s.playerY));
    if (withHash && n > 0 && n < static_cast<int>(sizeof line))
        std::snprintf(line + n, sizeof line - n, " hash=%016" PRIx64, HashGameState(s));
    if (!probe) return line;
    return line + probeFields(s);
}

}  // namespace korvid
