// Stage 4's wall map: where it stands frame by frame, and what its walls
// do. On Hard a wall under the ship is a hit; on the other difficulties the
// ship is pushed out by the first way that is open. Player shots over a wall
// are stopped unless a bomb runs.
#include <cmath>

#include "game/Game.h"
#include "play/PatternKit.h"
#include "stages/Stage4.h"

namespace korvid {

namespace {

constexpr std::uint32_t kFree = 0x00FFFFFFu;

constexpr int kSlideInFrom = 7000, kScrollFrom = 7961, kSlideOutFrom = 11000, kGoneFrom = 11960;

constexpr double kPlayerMarginIn = -6;   // slide-in: tested while playerY < edge - 6
constexpr double kPlayerMarginOut = 3;   // slide-out: tested while playerY > edge + 3

int trunc(double v) { return static_cast<int>(std::trunc(v)); }

bool wallUnder(const WallMapView& map, const WallMapPhase& at, float x, float y) {
    return map.wall(trunc(x), at.row(y));
}

// One pixel a step, at most six, until the ship stands on free space.
void slide(const WallMapView& map, const WallMapPhase& at, float& coordinate, float step, const float& x,
           const float& y) {
    for (int k = 0; k < 6; ++k) {
        coordinate += step;
        if (!wallUnder(map, at, x, y)) return;
    }
}

void pushOut(GameState& s, const WallMapView& map, const WallMapPhase& at) {
    float& x = s.playerX;
    float& y = s.playerY;
    const int column = trunc(x), row = at.row(y);
    if (!map.wall(column, row + 6) && y <= 442) {
        slide(map, at, y, 1, x, y);
    } else if (!map.wall(column + 6, row) && x <= 400) {
        slide(map, at, x, 1, x, y);
    } else if (!map.wall(column - 6, row) && x >= 46) {
        slide(map, at, x, -1, x, y);
    } else if (!map.wall(column, row - 6) && y >= 30) {
        slide(map, at, y, -1, x, y);
    } else {
        x += x < 224 ? 2.0f : (x > 224 ? -2.0f : 0.0f);
    }
}

void shipRule(Game& game, const WallMapView& map, const WallMapPhase& at) {
    GameState& s = game.state;
    const double margin = at.phase == 1 ? kPlayerMarginIn : kPlayerMarginOut;
    if (!at.covers(s.playerY, margin) || !wallUnder(map, at, s.playerX, s.playerY)) return;
    if (s.difficulty == 2) {
        if (s.invincibleTimer != 0 || s.hitPending != 0) return;
        RequestSound(game, 13);
        s.hitPending = 11;
        s.invincibleTimer = 31;
        return;
    }
    pushOut(s, map, at);
}

void shotRule(GameState& s, const WallMapView& map, const WallMapPhase& at) {
    if (s.bombActive) return;
    PlayerShotPool& shots = s.playerShots;
    for (int i = 0; i < kPlayerShotCapacity; ++i) {
        if (shots.free[i]) continue;
        const PlayerShot& p = shots.slot[i];
        if (p.y <= 0 || p.y >= 480 || !at.covers(p.y, 0)) continue;
        if (wallUnder(map, at, p.x, p.y)) shots.free[i] = 1;
    }
}

}  // namespace

bool WallMapView::wall(int column, int row) const {
    if (!pixels || column < 0 || row < 0 || column >= width || row >= height) return false;
    return pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(stride) + static_cast<std::size_t>(column)] !=
           kFree;
}

// Frame 7960 still belongs to the slide-in: its edge is then at 480 and
// it shows map rows 1520..1999, exactly the window the scroll starts from.
WallMapPhase WallMapAt(int f) {
    WallMapPhase at;
    if (f > kSlideInFrom && f < kScrollFrom) {
        at.phase = 1;
        at.edge = (f - kSlideInFrom) / 2.0;
    } else if (f >= kScrollFrom && f < kSlideOutFrom) {
        at.phase = 2;
        at.edge = 1520 - (f - kScrollFrom) / 2.0;
    } else if (f >= kSlideOutFrom && f < kGoneFrom) {
        at.phase = 3;
        at.edge = (f - kSlideOutFrom) / 2.0;
    }
    return at;
}

bool WallMapPhase::covers(double y, double margin) const {
    switch (phase) {
        case 1: return y < edge + margin;
        case 2: return true;
        case 3: return y > edge + margin;
        default: return false;
    }
}

int WallMapPhase::row(double y) const {
    switch (phase) {
        case 1: return trunc(2000 - (edge - y));
        case 2: return trunc(edge + y);
        case 3: return trunc(y - edge);
        default: return -1;
    }
}

void WallMapRules(Game& game, const WallMapView& map, const WallMapPhase& at) {
    shipRule(game, map, at);
    shotRule(game.state, map, at);
}

}  // namespace korvid
