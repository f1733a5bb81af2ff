// The 3D scenery of the late stages, seen through one perspective camera
// (sceneCamera: x, y, z, yaw, pitch, roll; focal length sceneFocal). Each
// frame UpdateSceneObject (game/PoolSteps.h) moves a record by the rule of
// its kind, projects its four corners and draws it as a stack of thin
// horizontal strips so the texture bends with the perspective. The list
// itself (spawn, sort, removal) is play/SceneList.h.
//
// World axes: x right, y down, z away from the viewer. A rectangle's corner
// (s, t), with s, t = -1 or +1 and hw, hh its half size, lies at
// (x + s hw cos yaw, y + t hh cos pitch, z - s hw sin yaw + t hh sin pitch).
#pragma once

namespace korvid {

struct GameState;
struct SceneObject;

// Where the projection's origin sits on the screen.
inline constexpr double kSceneOriginX = 320, kSceneOriginY = 272;

// A projected point, relative to the screen origin above. Not valid when the
// point lies at or behind the eye (focal length + depth <= 0) or the result
// is not finite: such a point is never drawn.
struct ScenePoint {
    double x = 0, y = 0;
    bool valid = false;
};
ScenePoint ProjectScenePoint(const GameState& s, double px, double py, double pz);
// Inside the window -424..424 by -380..380.
bool ScenePointVisible(const ScenePoint& p);

struct SceneCorners {
    ScenePoint tl, tr, bl, br;
};
SceneCorners ProjectSceneObject(const GameState& s, const SceneObject& o);
// At least one corner visible, and none invalid.
bool SceneRectVisible(const SceneCorners& c);

// Turns an angle back by one whole turn when it is beyond +-2 pi.
float WrapSceneAngle(float radians);

}  // namespace korvid
