#include "play/BossTimeOut.h"

#include "game/GameState.h"

namespace korvid {

void DrainTimedOutBoss(GameState& s) {
    Enemy& boss = s.enemies.slot[kBossSlot];
    s.bossTimedOut = 1;
    s.bossTimeLeft = 0;
    if (s.bossTimer() >= 0) boss.hp = static_cast<float>(boss.hp - boss.maxHp / 20.0);
}

void EmptyTimedOutBoss(GameState& s) {
    s.bossTimedOut = 1;
    s.enemies.slot[kBossSlot].hp = 0;
}

}  // namespace korvid
