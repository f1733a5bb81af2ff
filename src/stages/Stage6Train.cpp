#include "stages/Stage6Train.h"

#include <algorithm>
#include <cmath>

#include "game/Game.h"

namespace korvid {

// --------------------------------------------------- the train's course

TrainWalls TrainWallsAt(int d, int t, float storedY) {
    TrainWalls w;
    if (d <= 0) {
        // Easy: the train pulls in from the right along y 240, one length
        // after another; everything right of its nose (440 - 8t) is train.
        const int p = t % 65;
        w.wall[w.count++] = {static_cast<float>(720 - 8 * p), 240, 0, false};
        if (t > 59) w.wall[w.count++] = {static_cast<float>(200 - 8 * p), 240, 0, false};
        return w;
    }
    if (d == 1) {
        // Normal: every 240 frames the train crosses at the height the ship
        // had at the cycle's frame 60, from the right or the left in turn.
        const int h = t % 240;
        if (h > 119) {
            const int x = t % 480 > 240 ? 8 * h - 1284 : 1680 - 8 * h;
            w.wall[w.count++] = {static_cast<float>(x), storedY, 0, false};
        }
        return w;
    }
    // Hard: the train flies along parabolas, pointing along its path.
    const int p = t % 500;
    if (t % 1000 > 500) {
        const double x = 2 * p - 160;
        if (p <= 380) {
            const double y = (x * x - 420 * x) / 480 + 220;
            w.wall[w.count++] = {static_cast<float>(x), static_cast<float>(y),
                                 static_cast<float>(std::atan((2 * x - 420) / 480)), true};
        }
    } else if (p > 19) {
        const double x = 550 - 2 * p;
        const double y = (x * x - 240 * x) / 480 + 160;
        w.wall[w.count++] = {static_cast<float>(x), static_cast<float>(y),
                             static_cast<float>(std::atan((2 * x - 240) / 480)), false};
    }
    return w;
}

namespace {

constexpr float kWallZ = 0.89f;

int trainDifficulty(const Game& game) { return std::clamp(game.state.difficulty, 0, 2); }

}  // namespace

void DrawStage6SpellBackdrop(Game& game) {
    const GameState& s = game.state;
    if (!s.bossActive || s.bossPattern() != 45 || !game.uiSprite) return;
    const int t = s.bossTimer();
    if (t < 0) return;
    const TrainWalls walls = TrainWallsAt(trainDifficulty(game), t, s.enemies.slot[kBossSlot].auxA);
    Sprite& sp = *game.uiSprite;
    sp.SetZ(kWallZ);
    sp.SetTexture(s.textures[36]);
    sp.SetTextureRect(0, 0, 700, 256);
    sp.SetHotSpot(350, 128);
    sp.SetColor(0xFFFFFFFFu);
    for (int i = 0; i < walls.count; ++i) {
        const TrainWall& w = walls.wall[i];
        sp.RenderEx(w.x, w.y, w.rotation, w.mirrored ? -1.0f : 1.0f, 1.0f);
    }
}

}  // namespace korvid
