// One scenery record's update: age it, measure its distance, then either
// draw a flat particle and shrink it, or project the rectangle, move it by
// its kind, push the player out of a thrusting pillar and draw the strips.
#include "stages/Scenery.h"

#include <cmath>

#include "game/Game.h"
#include "game/PoolSteps.h"
#include "play/Collisions.h"
#include "play/SceneList.h"
#include "stages/SceneryKinds.h"

namespace korvid {

namespace {

constexpr double kDegreesPerRadian = 57.3;
constexpr float kNearDistance = 100;     // nearer objects are not drawn
constexpr int kTextureSlices = 40;      // the texture advances 1/40 of its height per strip
constexpr double kStripRise = 40.6;      // the strips 1/40.6 of the projected height
constexpr int kPillarHitPhase = 60;
constexpr int kPillarLastFrame = 1620;   // pillars stop thrusting after this age

double distanceToCamera(const GameState& s, const SceneObject& o) {
    const double dx = o.x - static_cast<double>(s.sceneCamera[0]);
    const double dy = o.y - static_cast<double>(s.sceneCamera[1]);
    const double dz = o.z - static_cast<double>(s.sceneCamera[2]);
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

float particleZ(const GameState& s) { return static_cast<float>(0.899 + 0.0021 * SceneDepthScale(s)); }

// Drawn twice, additively, in screen coordinates; then it shrinks, and
// leaves the list once its scale is gone (after it was drawn this update).
void updateParticle(Game& game, int index) {
    GameState& s = game.state;
    SceneObject& o = s.sceneObjects[index];
    sprite::SetBlendMode(o.sprite, 0);
    sprite::SetTextureRect(o.sprite, o.texX, o.texY, o.texW, o.texH);
    const float turn = static_cast<float>(o.yaw / kDegreesPerRadian);
    for (std::uint32_t colour : {0xFF323232u, 0xFF460AFFu}) {
        sprite::SetColor(o.sprite, colour);
        sprite::RenderEx(game.engine, o.sprite, o.flatX, o.flatY, turn, o.pitch, o.pitch);
    }
    const ParticleKind kind = ParticleKindOf(o.kind);
    o.pitch = static_cast<float>(o.pitch - kind.shrink);
    o.flatY += kind.fall;
    if (o.pitch <= 0) {
        RemoveSceneObject(s, index, particleZ(s));
        return;
    }
    o.distance = kFlatSceneDistance;
    sprite::SetZ(o.sprite, particleZ(s));
}

// A pillar's front face over the player strikes once as it thrusts out (at
// phase 60 of its 180-frame cycle) and, while it is out (phases 60..120),
// puts the player on the nearest edge of its projected rectangle on every
// frame with no hit pending.
void pushFromPillar(Game& game, const SceneObject& o, const SceneCorners& c) {
    if (static_cast<double>(o.yaw) + o.pitch != 0 || o.timer > kPillarLastFrame) return;
    if (!c.tl.valid || !c.tr.valid || !c.bl.valid) return;
    GameState& s = game.state;
    const double left = kSceneOriginX + c.tl.x, right = kSceneOriginX + c.tr.x;
    const double top = kSceneOriginY + c.tl.y, bottom = kSceneOriginY + c.bl.y;
    if (!(left < s.playerX && s.playerX < right && top < s.playerY && s.playerY < bottom)) return;
    const int phase = o.timer % 180;
    if (phase == kPillarHitPhase) RecordPlayerHit(game, true);
    if (std::abs(phase - 90) > 30 || s.hitPending != 0) return;
    const double dx = (s.playerX - kSceneOriginX) - (c.tl.x + c.tr.x) / 2;
    const double dy = (s.playerY - kSceneOriginY) - (c.tl.y + c.bl.y) / 2;
    if (std::abs(dy) < std::abs(dx))
        s.playerX = static_cast<float>(dx < 0 ? left : right);
    else
        s.playerY = static_cast<float>(dy < 0 ? top : bottom);
}

std::uint32_t stripColour(const GameState& s, const SceneObject& o, const SceneKind& kind) {
    // The scenery fades out while the extra boss's first attack enters.
    if (s.bossActive && s.bossPattern() == 72 && s.bossTimer() < 0) {
        const int alpha = std::min(255, std::max(0, -2 * s.bossTimer() - 345));
        return static_cast<std::uint32_t>(alpha) << 24 | 0x00FFFFFFu;
    }
    return kind.colour(s, o);
}

bool finite(float a, float b) { return std::isfinite(a) && std::isfinite(b); }

// Strip j runs from step j to step j + 1 down the left edge (TL to BL) and
// the right edge (TR to BR): x steps 1/40 of the edge, y 1/40.6, so the
// last strips run past the bottom edge.
void drawStrips(Game& game, SceneObject& o, const SceneCorners& c, const SceneKind& kind) {
    sprite::SetColor(o.sprite, stripColour(game.state, o, kind));
    const double lx = (c.bl.x - c.tl.x) / kTextureSlices, ly = (c.bl.y - c.tl.y) / kStripRise;
    const double rx = (c.br.x - c.tr.x) / kTextureSlices, ry = (c.br.y - c.tr.y) / kStripRise;
    const double slice = o.texH / static_cast<double>(kTextureSlices);
    auto at = [](double origin, double corner, double step, int j) {
        return static_cast<float>(origin + corner + j * step);
    };
    for (int j = 0; j < kind.strips; ++j) {
        const float x0 = at(kSceneOriginX, c.tl.x, lx, j), y0 = at(kSceneOriginY, c.tl.y, ly, j);
        const float x1 = at(kSceneOriginX, c.tr.x, rx, j), y1 = at(kSceneOriginY, c.tr.y, ry, j);
        const float x2 = at(kSceneOriginX, c.tr.x, rx, j + 1), y2 = at(kSceneOriginY, c.tr.y, ry, j + 1);
        const float x3 = at(kSceneOriginX, c.tl.x, lx, j + 1), y3 = at(kSceneOriginY, c.tl.y, ly, j + 1);
        if (!finite(x0, y0) || !finite(x1, y1) || !finite(x2, y2) || !finite(x3, y3)) continue;
        sprite::SetTextureRect(o.sprite, o.texX, static_cast<float>(o.texY + j * slice), o.texW,
                               static_cast<float>(slice));
        sprite::Render4V(game.engine, o.sprite, x0, y0, x1, y1, x2, y2, x3, y3);
    }
}

}  // namespace

void UpdateSceneObject(Game& game, int index) {
    GameState& s = game.state;
    if (index < 0 || index >= s.sceneObjectCount || index >= kSceneObjectCapacity) return;
    SceneObject& o = s.sceneObjects[index];
    sprite::SetBlendMode(o.sprite, BLEND_ALPHABLEND);
    o.timer += 1;
    o.yaw = WrapSceneAngle(o.yaw);
    o.distance = static_cast<float>(distanceToCamera(s, o));
    if (o.kind > kLastSceneKind3D) {
        updateParticle(game, index);
        return;
    }
    // Drawn where it stood before this frame's motion.
    const SceneCorners corners = ProjectSceneObject(s, o);
    const SceneKind& kind = SceneKindOf(o.kind);
    kind.move(s, o);
    // Whether it is drawn does not decide whether a pillar pushes.
    if (o.kind == kPillarKind) pushFromPillar(game, o, corners);
    if (o.distance > kNearDistance && SceneRectVisible(corners)) drawStrips(game, o, corners, kind);
}

}  // namespace korvid
