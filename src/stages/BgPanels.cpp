#include "stages/BgPanels.h"

#include <algorithm>
#include <cmath>

#include "game/Game.h"
#include "game/PoolSteps.h"
#include "stages/BgProjection.h"

namespace korvid {

namespace {

constexpr double kDegreesPerRadian = 57.3;
constexpr int kStrips = 40;
constexpr float kPanelZ = 0.899f;

// Screen place of the projected origin and where the strips start.
struct KindLook {
    float offsetX, offsetY;
};

std::uint32_t whiteWithAlpha(int alpha) {
    return (static_cast<std::uint32_t>(std::clamp(alpha, 0, 255)) << 24) | 0x00FFFFFFu;
}

int truncAlpha(double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<int>(std::clamp(v, -1e6, 1e6));
}

// Kind 1, the stage-1 ground: recedes by the scroll speed and jumps back to
// the far end; strips fade in toward the bottom of the screen. The jump is
// the length of the nine rows laid end to end, so the row that comes back
// meets the farthest one edge to edge at any scroll speed (a jump to a fixed
// depth left a gap or an overlap, a line across the ground).
constexpr float kGroundLoopDepth = 9 * 512;

void moveGround(GameState& s, BgPanel& p) {
    p.depth -= s.scrollSpeed;
    if (p.slope != 110 && p.depth <= 280) p.depth += kGroundLoopDepth;
}

// How a kind colours its strips from the strip's near edge y0.
enum class StripAlpha { Ground, Floor };

int stripAlpha(StripAlpha rule, double y0) {
    return rule == StripAlpha::Ground ? truncAlpha((y0 + 20) * 0.5 - 15) : truncAlpha(y0);
}

void drawStrips(Game& game, BgPanel& p, const PanelCorners& c, KindLook look, StripAlpha rule) {
    const double dX1 = (c.x4 - c.x1) / static_cast<double>(kStrips);
    const double dX2 = (c.x3 - c.x2) / static_cast<double>(kStrips);
    const double dY = (c.yFar - c.yNear) / static_cast<double>(kStrips);
    const double stripH = p.halfH / 20.0;
    for (int k = 0; k < kStrips; ++k) {
        const double y0 = c.yNear + k * dY;
        sprite::SetColor(p.sprite, whiteWithAlpha(stripAlpha(rule, y0)));
        sprite::SetTextureRect(p.sprite, 0, static_cast<float>(k * p.halfW / 20), 2 * p.halfW,
                               static_cast<float>(stripH));
        const float top = static_cast<float>(look.offsetY + y0);
        const float bottom = static_cast<float>(look.offsetY + y0 + dY);
        sprite::Render4V(game.engine, p.sprite, static_cast<float>(look.offsetX + c.x1 + k * dX1), top,
                         static_cast<float>(look.offsetX + c.x2 + k * dX2), top,
                         static_cast<float>(look.offsetX + c.x2 + (k + 1) * dX2), bottom,
                         static_cast<float>(look.offsetX + c.x1 + (k + 1) * dX1), bottom);
    }
}

// Kind 3, the stage-3 strip: three panels one behind the other loop over
// 918 in depth; drawn opaque, widened three times and stretched twelve
// times down the screen from 850 above the near edge. Under a card the strip
// moves but is not drawn.
void moveStrip(GameState& s, BgPanel& p) {
    p.depth -= s.scrollSpeed;
    if (p.depth <= 1548) p.depth = 2466;
}

void drawStretchedStrips(Game& game, BgPanel& p, const PanelCorners& c) {
    const double x1 = 3 * c.x1, x2 = 3 * c.x2;
    const double dX1 = 3 * (c.x4 - c.x1) / static_cast<double>(kStrips);
    const double dX2 = 3 * (c.x3 - c.x2) / static_cast<double>(kStrips);
    const double yNear = 12 * c.yNear - 850;
    const double dY = 12 * (c.yFar - c.yNear) / static_cast<double>(kStrips);
    const double stripH = p.halfH / 20.0;
    constexpr float ox = 224, oy = 240;
    sprite::SetColor(p.sprite, 0xFFFFFFFFu);
    for (int k = 1; k <= kStrips; ++k) {
        sprite::SetTextureRect(p.sprite, 0, static_cast<float>(k * p.halfW / 20), 2 * p.halfW,
                               static_cast<float>(stripH));
        const float top = static_cast<float>(oy + yNear + k * dY);
        const float bottom = static_cast<float>(oy + yNear + (k + 1) * dY);
        sprite::Render4V(game.engine, p.sprite, static_cast<float>(ox + x1 + k * dX1), top,
                         static_cast<float>(ox + x2 + k * dX2), top, static_cast<float>(ox + x2 + (k + 1) * dX2),
                         bottom, static_cast<float>(ox + x1 + (k + 1) * dX1), bottom);
    }
}

// Kind 4, the stage-2 floor: glides toward the camera and to the left by
// fixed steps whatever the scroll speed; on the jump back in depth it is
// carried right by all the way it drifted left since its last jump, so the
// grid keeps its columns.
constexpr float kFloorLoopDepth = 4760;

void moveFloor(BgPanel& p) {
    p.depth -= 12;
    p.x -= 6;
    if (p.depth <= 150) {
        p.depth += kFloorLoopDepth;
        p.x += static_cast<float>(6 * p.timer);
        p.timer = 0;
    }
}

// Kinds 5 and 6, the stage-5 boss's shaft: additive strips cut from the
// corridor sheet, coming at the camera 12 a frame over a loop of 4640 (kind
// 6 also sinking 2 a frame and starting again at height 100). They fade out
// as the boss arrives (its pattern 37, timer 100..199) and back in over
// 200..260: the factor f scales their alpha.
constexpr float kShaftLoopDepth = 4640;

double shaftFade(const GameState& s) {
    const int t = s.bossTimer();
    if (!s.bossActive || s.bossPattern() != 37 || t < 100 || t > 260) return 1;
    return t < 200 ? 0 : (t - 200) / 60.0;
}

void moveShaft(BgPanel& p) {
    p.depth -= 12;
    if (p.kind == 6) p.height -= 2;
    if (p.depth <= 150) {
        p.depth += kShaftLoopDepth;
        p.timer = 0;
        if (p.kind == 6) p.height = 100;
    }
}

// Strip k is cut from (167, k halfH / 20, 281, halfH / 20) for kind 5 and
// from (270, k halfH / 20 + 190, 100, halfH / 20) for kind 6; kind 5's
// alpha grows with the square root of the strip's screen row, kind 6's
// falls with depth, the same for every strip.
void drawShaftStrips(Game& game, BgPanel& p, const PanelCorners& c, double f) {
    const double dX1 = (c.x4 - c.x1) / static_cast<double>(kStrips);
    const double dX2 = (c.x3 - c.x2) / static_cast<double>(kStrips);
    const double dY = (c.yFar - c.yNear) / static_cast<double>(kStrips);
    const double stripH = p.halfH / 20.0;
    const bool shaft = p.kind == 5;
    const int depthAlpha = truncAlpha(std::max(0.0, 250 - p.depth / 20.0) * f);
    constexpr float ox = 224, oy = 240;
    sprite::SetBlendMode(p.sprite, 0);
    for (int k = 0; k < kStrips; ++k) {
        const double y0 = c.yNear + k * dY;
        const int alpha = shaft ? truncAlpha(std::sqrt(std::max(0.0, y0)) * 15 * f) : depthAlpha;
        sprite::SetColor(p.sprite, whiteWithAlpha(alpha));
        const double row = k * p.halfH / 20.0 + (shaft ? 0 : 190);
        sprite::SetTextureRect(p.sprite, shaft ? 167.0f : 270.0f, static_cast<float>(row), shaft ? 281.0f : 100.0f,
                               static_cast<float>(stripH));
        const float top = static_cast<float>(oy + y0);
        const float bottom = static_cast<float>(oy + y0 + dY);
        sprite::Render4V(game.engine, p.sprite, static_cast<float>(ox + c.x1 + k * dX1), top,
                         static_cast<float>(ox + c.x2 + k * dX2), top,
                         static_cast<float>(ox + c.x2 + (k + 1) * dX2), bottom,
                         static_cast<float>(ox + c.x1 + (k + 1) * dX1), bottom);
    }
}

}  // namespace

int SpawnBgPanel(Game& game, int tex, int texX, int texY, int texW, int texH, float x, float depth, float height,
                 float turn, float slope, int kind) {
    GameState& s = game.state;
    const int i = s.bgPanels.firstFree();
    if (i < 0) return -1;
    BgPanel& p = s.bgPanels.slot[i];
    const HTEXTURE t = (tex >= 0 && tex < kTextureTableSize) ? s.textures[tex] : 0;
    sprite::SetTexture(game.engine, p.sprite, t);
    sprite::SetTextureRect(p.sprite, static_cast<float>(texX), static_cast<float>(texY), static_cast<float>(texW),
                           static_cast<float>(texH));
    p.halfW = static_cast<float>(texW / 2.0);
    p.halfH = static_cast<float>(texH / 2.0);
    p.x = x;
    p.depth = depth;
    p.height = height;
    p.turn = turn;
    p.slope = slope;
    p.kind = kind;
    sprite::SetZ(p.sprite, kPanelZ);
    sprite::SetHotSpot(p.sprite, p.halfW, p.halfH);
    p.timer = 0;
    s.bgPanels.occupy(i);
    return i;
}

PanelCorners ProjectPanel(const Game& game, int slot) {
    const GameState& s = game.state;
    const BgPanel& p = s.bgPanels.slot[slot];
    const PlaneView top(s.camX, s.camDepth, s.camYaw, 2400);
    // A panel lying flat (slope 90) has its edges exactly half its length
    // before and behind its centre, at its own height: the rows of a ground
    // then share their edges to the pixel. (The sine and cosine of 90 over
    // 57.3 put them a fraction apart, and the screen's whole pixels made
    // that a pixel's gap or overlap at some scroll positions: a light line.)
    const bool flat = p.slope == 90;
    const double cx = p.halfW * std::cos(p.turn / kDegreesPerRadian);
    const double cd = flat ? p.halfH : p.halfH * std::sin(p.slope / kDegreesPerRadian);
    PanelCorners c{};
    c.x1 = top.Offset(p.x - cx, p.depth - cd);
    c.x2 = top.Offset(p.x + cx, p.depth - cd);
    c.x3 = top.Offset(p.x + cx, p.depth + cd);
    c.x4 = top.Offset(p.x - cx, p.depth + cd);

    // The stage-1 ground is watched from much farther up the side view.
    const PlaneView side(s.camHeight, s.camDepth, s.camPitch, s.stage == 1 ? 2400 + 9600 : 2400);
    const double ch = flat ? 0.0 : p.halfH * std::cos(p.slope / kDegreesPerRadian);
    c.yNear = side.Offset(p.height - ch, p.depth - cd);
    c.yFar = side.Offset(p.height + ch, p.depth + cd);
    return c;
}

void UpdateBgPanel(Game& game, int slot) {
    GameState& s = game.state;
    BgPanel& p = s.bgPanels.slot[slot];
    sprite::SetBlendMode(p.sprite, BLEND_DEFAULT);
    p.timer += 1;
    // With nothing drawn or logged (a headless run without pictures) the
    // strips make no difference to the play and are not worked out at all.
    const bool draws = !game.engine.Gfx_OnlyCounts();
    switch (p.kind) {
    case 1: {
        // Projected where the panel stood at the frame's start, drawn after the move.
        const PanelCorners corners = draws ? ProjectPanel(game, slot) : PanelCorners{};
        moveGround(s, p);
        if (draws) drawStrips(game, p, corners, {224, 0}, StripAlpha::Ground);
        break;
    }
    case 4: {
        // Drawn additively, and only once its near edge is 5 rows down.
        const PanelCorners corners = draws ? ProjectPanel(game, slot) : PanelCorners{};
        sprite::SetBlendMode(p.sprite, 0);
        moveFloor(p);
        if (draws && corners.yNear >= 5) drawStrips(game, p, corners, {224, 240}, StripAlpha::Floor);
        break;
    }
    case 3: {
        const PanelCorners corners = draws ? ProjectPanel(game, slot) : PanelCorners{};
        moveStrip(s, p);
        if (draws && !(s.stage == 3 && s.spellActive)) drawStretchedStrips(game, p, corners);
        break;
    }
    case 5:
    case 6: {
        const PanelCorners corners = draws ? ProjectPanel(game, slot) : PanelCorners{};
        moveShaft(p);
        if (draws) drawShaftStrips(game, p, corners, shaftFade(s));
        break;
    }
    default:
        // Kinds of other stages' landscapes; a kind without a rule stays put.
        break;
    }
}

}  // namespace korvid
