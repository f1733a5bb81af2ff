// Angles and directions of play. Angles are bearings in degrees: 0 up, 90
// right, clockwise on screen. Steps along a bearing come from two tables of
// 3601 entries, one per tenth of a degree.
#pragma once

namespace korvid {

// Folds a stored angle the way spawns and updates do: negative angles first
// become 360 - |a|, then whole turns are taken off with a truncating
// remainder, keeping the fraction. Angles below -360 stay negative.
float NormaliseAngleFolded(float a);
inline float NormaliseAngle(float a) {
    return (a > 0.0f && a < 360.0f) ? a : NormaliseAngleFolded(a);  // already folded: given back unchanged
}

struct DirectionTables {
    float dirX[3601];
    float dirY[3601];
};
// Built once, when the program loads; never changes afterwards.
extern const DirectionTables kDirectionTables;
inline const DirectionTables& Directions() { return kDirectionTables; }

// Table index for a bearing: the angle is wrapped into [0, 360) first (the
// behaviours turn angles after they were normalised), then k = trunc(a * 10)
// in single precision.
int DirectionIndexFolded(float angle);
inline int DirectionIndex(float angle) {
    if (!(angle >= 0.0f && angle < 360.0f)) return DirectionIndexFolded(angle);
    const int k = static_cast<int>(angle * 10.0f);  // in [0, 360) the remainder is the angle itself
    return k > 3600 ? 3600 : k;
}
inline float DirX(float angle) { return Directions().dirX[DirectionIndex(angle)]; }
inline float DirY(float angle) { return Directions().dirY[DirectionIndex(angle)]; }

// Bearing from point 1 to point 2, plus offset, not normalised. Points less
// than one pixel apart horizontally (same integer part) give exactly 0 or 180.
double BearingTo(double x1, double y1, double x2, double y2, double offset);

// Degrees to radians as the game draws them: 57.3 degrees per radian.
inline float DegToRad(float degrees) { return degrees / 57.3f; }

}  // namespace korvid
