// The extra boss's companions (type 72), two units put beside it by its
// card 77. They cannot be shot, and go as soon as the boss's timer runs
// negative (its card over). From boss timer 101 each spends 40 frames
// taking aim (the bearing to the ship kept in auxA) and 40 frames firing
// needles along that aim every 4 frames at speed 6 (texture 0 cell (64,
// 144)); the left unit (auxB 0) aims while the right one (auxB 1) fires,
// and the other way round.
#include "stages/ExtraBossTypes.h"

#include "game/Game.h"
#include "play/Geometry.h"
#include "play/PatternKit.h"

namespace korvid {

namespace {

void companion(Game& game, int slot) {
    GameState& s = game.state;
    Enemy& e = s.enemies.slot[slot];
    const Enemy& boss = s.enemies.slot[kBossSlot];
    e.noHit = 1;
    e.speed = 0;
    if (!s.bossActive || boss.timer < 0) {
        s.enemies.free[slot] = 1;
        return;
    }
    const int bt = boss.timer;
    if (bt < 101) return;
    const int phase = ((bt - 101) / 40 + static_cast<int>(e.auxB)) % 2;
    if (phase == 0) {
        e.auxA = static_cast<float>(BearingTo(e.x, e.y, s.playerX, s.playerY, 0));
        return;
    }
    if (bt % 4 == 0) Fire(game, BulletPlan{{0, 64, 144, 16, 16}, 6}, e.x, e.y, e.auxA);
}

constexpr EnemyTypeEntry kTypes[] = {{72, companion}};

}  // namespace

std::span<const EnemyTypeEntry> ExtraBossEnemyTypes() { return kTypes; }

}  // namespace korvid
