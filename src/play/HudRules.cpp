// The gameplay rules that run with the HUD, once per play frame: never on
// the pause menu or the replay save screens, where nothing of the game may
// move (else the full-power time would grow while a replay name is typed,
// and the save would write it).
#include "game/Game.h"
#include "play/Hud.h"
#include "play/Spawn.h"

namespace korvid {

namespace {

constexpr float kFullPower = 84;
constexpr float kPowerMax = 108;
constexpr int kSoundHit = 13;
constexpr int kSoundTimeout = 17;

// Two extra lives per difficulty, at these full-power frame counts.
constexpr int kExtraLifeFrames[3][2] = {{600, 1800}, {1800, 6000}, {3600, 18000}};

void hitPlayer(GameState& s) {
    s.soundRequests[kSoundHit] = 1;
    s.hitPending = 11;
}

void powerOverflow(GameState& s) {
    if (s.power > kPowerMax) {
        s.power = 0;
        if (s.invincibleTimer > 0) {
            s.power = 90;
        } else if (s.hitPending == 0) {
            hitPlayer(s);
        }
    }
    if (s.power > kPowerMax) s.power = kPowerMax;
}

bool fullPowerClockRuns(const GameState& s) {
    if (s.dialogueActive || s.pauseState != 0 || s.stageFrame < 0) return false;
    return !(s.wideField && s.screen >= 12);
}

void fullPowerTimer(Game& game) {
    GameState& s = game.state;
    if (s.power < kFullPower) return;
    s.maxPowerFrames += 1;
    if (ExtraLifeAt(s.difficulty, s.maxPowerFrames))
        SpawnItem(game, {3, 80, 96, 16, 16}, s.playerX, s.playerY, 0, 6);
}

void powerDecay(GameState& s) {
    const bool idle = s.framesSinceShot > 39;
    if (s.power >= kFullPower) {
        s.power = static_cast<float>(s.power - (idle ? 0.1 : 0.01));
    } else if (s.power >= 0.3) {
        s.power = static_cast<float>(s.power - (idle ? 0.3 : 0.03));
    }
}

void bossTimerWarning(GameState& s) {
    if (s.bossTimeLeft > 0 && s.bossTimeLeft <= 600 && s.bossTimeLeft % 60 == 0) s.soundRequests[kSoundTimeout] = 1;
}

// The extra boss's cut-in sweeps over the right of the field and hits
// whatever stands there.
void cutInHit(GameState& s) {
    if (s.stage != 7 || !s.bossActive || !s.spellActive || s.bossPattern() > 72) return;
    const int t = s.bossTimer();
    if (t >= 181 || s.invincibleTimer != 0 || s.hitPending != 0) return;
    const CutIn c = CutInAt(t, s.wideField ? 210.0f : 0.0f);
    if (s.playerX > c.hitX && s.playerY >= c.hitY) {
        hitPlayer(s);
        s.invincibleTimer = 31;
    }
}

}  // namespace

bool ExtraLifeAt(int difficulty, int maxPowerFrames) {
    const int d = difficulty < 0 ? 0 : (difficulty > 2 ? 2 : difficulty);
    return maxPowerFrames == kExtraLifeFrames[d][0] || maxPowerFrames == kExtraLifeFrames[d][1];
}

CutIn CutInAt(int t, float shift) {
    const float x = 180 + shift;
    if (t < 51) return {x, static_cast<float>(480 - 7 * t), 220, static_cast<float>(510 - 7 * t)};
    if (t < 151) return {x, static_cast<float>(130 - 0.3 * (t - 51)), 220, 160};
    return {x + static_cast<float>(12 * (t - 151)), 100, static_cast<float>(220 + 8 * (t - 151)), 160};
}

void RunHudRules(Game& game) {
    GameState& s = game.state;
    if (s.screen != 10 || s.pauseState != 0) return;
    powerOverflow(s);
    if (fullPowerClockRuns(s)) {
        fullPowerTimer(game);
        powerDecay(s);
    }
    bossTimerWarning(s);
    cutInHit(s);
}

}  // namespace korvid
