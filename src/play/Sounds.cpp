// Sound effects are requested by setting a flag during the frame and played
// once each at the end of the player's update.
#include "game/Game.h"
#include "play/Resources.h"
#include "play/Player.h"

namespace korvid {

namespace {

constexpr int kDamageSound = 9;

// One boss pattern silences everything while its helper value is 1.
bool soundsMuted(const GameState& s) {
    const Enemy& boss = s.enemies.slot[kBossSlot];
    return s.bossActive && boss.type == 14 && boss.auxC == 1.0f;
}

}  // namespace

void PlayRequestedSounds(Game& game) {
    GameState& s = game.state;
    if (!soundsMuted(s)) {
        const auto table = SoundTable();
        for (int k = 0; k < static_cast<int>(table.size()); ++k) {
            if (!s.soundRequests[k]) continue;
            const int volume = (k == kDamageSound) ? static_cast<int>(s.seVolume * s.damageSoundPercent / 100)
                                                   : s.seVolume * table[k].percent / 100;
            game.engine.Stream_Play(s.sounds[k], false, volume);
        }
    }
    s.soundRequests.fill(0);
}

}  // namespace korvid
