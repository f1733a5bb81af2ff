// The perspective ground: flat textured panels in a world of across, depth
// and height, moved toward the camera each frame and drawn as 40 strips
// through the two projections of BgProjection.h. UpdateBgPanel
// (game/PoolSteps.h) moves and draws one panel.
#pragma once

namespace korvid {

struct Game;

// First free slot of the 400 (none: nothing, -1). Half extents from the
// rectangle, z 0.899, centred hot spot, timer 0.
int SpawnBgPanel(Game& game, int tex, int texX, int texY, int texW, int texH, float x, float depth, float height,
                 float turn, float slope, int kind);

// Screen corners of a panel before its strips are cut: X1..X4 across (near
// left, near right, far right, far left), Yn and Yf down.
struct PanelCorners {
    int x1, x2, x3, x4;
    int yNear, yFar;
};
PanelCorners ProjectPanel(const Game& game, int slot);

}  // namespace korvid
