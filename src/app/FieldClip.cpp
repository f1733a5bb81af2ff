#include "app/FieldClip.h"

#include <algorithm>
#include <cmath>

#include "bosses/BossSkeleton.h"
#include "game/Game.h"
#include "stages/StageRegistry.h"

namespace korvid {

namespace {

constexpr int kPanelTexture = 32;
// A defeat shakes the panel by rand() % shake each frame: it grows about the
// screen's centre by at most (shake - 1) / 1500. Plans use the default or no shake.
constexpr int kDefeatShake = DefeatPlan{}.shake;
constexpr double kMostGrowth = 1 + (kDefeatShake - 1) / 1500.0;

struct Box {
    int x0, y0, x1, y1;
};

// The bounding box of the panel's texels that are not fully opaque; false
// when the picture does not span the screen (its outside is not covered).
bool seeThroughPart(Engine& e, HTEXTURE tex, int screenW, int screenH, Box* out) {
    const int w = e.Texture_GetWidth(tex, true), h = e.Texture_GetHeight(tex, true);
    const int stride = e.Texture_GetWidth(tex);
    if (w != screenW || h != screenH) return false;
    const std::uint32_t* texels = e.Texture_Lock(tex, true);
    if (!texels) return false;
    Box b{w, h, 0, 0};
    for (int y = 0; y < h; ++y) {
        const std::uint32_t* row = texels + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride);
        int x = 0;
        while (x < w && (row[x] >> 24) == 0xFF) ++x;
        if (x == w) continue;
        int last = w - 1;
        while ((row[last] >> 24) == 0xFF) --last;
        b = {std::min(b.x0, x), std::min(b.y0, y), std::max(b.x1, last + 1), y + 1};
    }
    e.Texture_Unlock(tex);
    *out = b;
    return true;
}

// Whether the panel will be drawn unscaled (or shaken by a defeat at most)
// and opaque at the end of this frame, whatever the frame does meanwhile.
bool panelCoversFrame(const Game& game) {
    const GameState& s = game.state;
    const StageLine* line = Stages(game).line(s.stage);
    if (line && line->panelMovesFrom >= 0 && s.stageFrame >= line->panelMovesFrom) return false;
    return !s.wideField && s.backgroundShake < kDefeatShake;
}

}  // namespace

void ClipToPanelWindow(Game& game) {
    Engine& e = game.engine;
    const GameState& s = game.state;
    Box b{};
    const int screenW = e.System_GetStateInt(HGE_SCREENWIDTH), screenH = e.System_GetStateInt(HGE_SCREENHEIGHT);
    if (e.Gfx_OnlyCounts() || !game.panelSprite || !panelCoversFrame(game) ||
        !seeThroughPart(e, s.textures[kPanelTexture], screenW, screenH, &b) || b.x1 <= b.x0) {
        e.Gfx_SetClipping();
        return;
    }
    // Grown about the centre as a shake would, and a pixel more all round
    // for the filtering of the grown picture.
    const double cx = screenW / 2.0, cy = screenH / 2.0;
    const int x0 = static_cast<int>(std::floor(cx + (b.x0 - cx) * kMostGrowth)) - 1;
    const int y0 = static_cast<int>(std::floor(cy + (b.y0 - cy) * kMostGrowth)) - 1;
    const int x1 = static_cast<int>(std::ceil(cx + (b.x1 - cx) * kMostGrowth)) + 1;
    const int y1 = static_cast<int>(std::ceil(cy + (b.y1 - cy) * kMostGrowth)) + 1;
    e.Gfx_SetClipping(x0, y0, x1 - x0, y1 - y0);
}

}  // namespace korvid
