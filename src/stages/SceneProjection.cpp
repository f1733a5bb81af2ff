// The camera: a turn about the vertical axis (yaw), then a tilt (pitch),
// then a roll in the picture plane; a point at depth d after the turns is
// scaled by f / (f + d).
#include <cmath>
#include <numbers>

#include "game/GameState.h"
#include "stages/Scenery.h"

namespace korvid {

namespace {

constexpr double kHalfWindowX = 424, kHalfWindowY = 380;

}  // namespace

ScenePoint ProjectScenePoint(const GameState& s, double px, double py, double pz) {
    const auto& cam = s.sceneCamera;
    const double dx = px - cam[0], dy = py - cam[1], dz = pz - cam[2];
    const double cy = std::cos(cam[3]), sy = std::sin(cam[3]);
    const double x1 = cy * dx - sy * dz;
    const double z1 = sy * dx + cy * dz;
    const double cp = std::cos(cam[4]), sp = std::sin(cam[4]);
    const double y2 = cp * dy - sp * z1;
    const double z2 = sp * dy + cp * z1;
    const double cr = std::cos(cam[5]), sr = std::sin(cam[5]);
    const double x3 = cr * x1 - sr * y2;
    const double y3 = sr * x1 + cr * y2;
    const double f = s.sceneFocal;
    const double depth = f + z2;
    ScenePoint p;
    // At or behind the eye the scale would be infinite or mirror the point.
    if (!(depth > 0)) return p;
    const double k = f / depth;
    p.x = x3 * k;
    p.y = y3 * k;
    p.valid = std::isfinite(p.x) && std::isfinite(p.y);
    return p;
}

bool ScenePointVisible(const ScenePoint& p) {
    return p.valid && p.x >= -kHalfWindowX && p.x <= kHalfWindowX && p.y >= -kHalfWindowY && p.y <= kHalfWindowY;
}

SceneCorners ProjectSceneObject(const GameState& s, const SceneObject& o) {
    const double hw = o.texW / 2.0, hh = o.texH / 2.0;
    const double wx = hw * std::cos(o.yaw), wz = hw * std::sin(o.yaw);
    const double hy = hh * std::cos(o.pitch), hz = hh * std::sin(o.pitch);
    auto corner = [&](int side, int updown) {
        return ProjectScenePoint(s, o.x + side * wx, o.y + updown * hy, o.z - side * wz + updown * hz);
    };
    return SceneCorners{corner(-1, -1), corner(+1, -1), corner(-1, +1), corner(+1, +1)};
}

bool SceneRectVisible(const SceneCorners& c) {
    if (!c.tl.valid || !c.tr.valid || !c.bl.valid || !c.br.valid) return false;
    return ScenePointVisible(c.tl) || ScenePointVisible(c.tr) || ScenePointVisible(c.bl) ||
           ScenePointVisible(c.br);
}

float WrapSceneAngle(float radians) {
    constexpr double kTurn = 2 * std::numbers::pi;
    if (radians > kTurn) return static_cast<float>(radians - kTurn);
    if (radians < -kTurn) return static_cast<float>(radians + kTurn);
    return radians;
}

}  // namespace korvid
