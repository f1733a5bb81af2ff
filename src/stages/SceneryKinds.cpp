// Kind 1 is stage 6's tunnel rushing at the viewer; 3 and 4 the extra
// stage's shaft walls and rings sliding up while they turn; 5 and 6 its
// block wall and the pillars thrusting out of it; 7 to 9 the drums of its
// turning tower. The turning kinds go half a degree per frame (114.6 is
// 57.3 x 2).
#include "stages/SceneryKinds.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "game/GameState.h"

namespace korvid {

namespace {

std::uint32_t argb(int alpha, int grey) {
    return static_cast<std::uint32_t>(alpha) << 24 | static_cast<std::uint32_t>(grey) << 16 |
           static_cast<std::uint32_t>(grey) << 8 | static_cast<std::uint32_t>(grey);
}

// 0..255 from a computed value; a value that is not finite gives 0.
int channel(double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<int>(std::clamp(v, 0.0, 255.0));
}

// --- motion ---

void standStill(const GameState&, SceneObject&) {}

void rushAtViewer(const GameState&, SceneObject& o) {
    o.z = static_cast<float>(o.z - 28.0);
    if (o.z < -488) o.z = static_cast<float>(o.z + 2560.0);
}

// Round the vertical axis at `radius`; direction -1 turns one way, +1 the other.
void orbit(SceneObject& o, double radius, int direction) {
    const double theta = direction * o.timer / 114.6;
    o.x = static_cast<float>(radius * std::sin(theta));
    o.z = static_cast<float>(radius * std::cos(theta));
    o.yaw = static_cast<float>(theta);
}

void slideUp(SceneObject& o) {
    o.y = static_cast<float>(o.y + 16.0);
    if (o.y > 2148) o.y = static_cast<float>(o.y - 10240.0);
}

void shaftWall(const GameState&, SceneObject& o) {
    slideUp(o);
    orbit(o, 256 * 1.73, -1);
}

void shaftRing(const GameState&, SceneObject& o) {
    slideUp(o);
    orbit(o, 698.88, +1);
}

void slideLeft(const GameState& s, SceneObject& o) {
    if (s.stageFrame < 10000) return;
    o.x = static_cast<float>(o.x - 3.0);
    if (o.x < -1000) o.x = static_cast<float>(o.x + 3072.0);
}

// Out at the viewer for the first 60 frames of each 180, back for the last 60.
void pillar(const GameState& s, SceneObject& o) {
    slideLeft(s, o);
    if (o.timer > 1620) return;
    const int phase = o.timer % 180;
    if (phase < 60)
        o.z = static_cast<float>(o.z - 25.0);
    else if (phase >= 120)
        o.z = static_cast<float>(o.z + 25.0);
}

void towerInner(const GameState&, SceneObject& o) { orbit(o, 442.88, -1); }
void towerMiddle(const GameState&, SceneObject& o) { orbit(o, 570.88, -1); }
void towerOuter(const GameState&, SceneObject& o) { orbit(o, 662.88, -1); }

// --- colour ---

std::uint32_t opaqueWhite(const GameState&, const SceneObject&) { return 0xFFFFFFFF; }

// Darker with distance; fades in from stage frame 8850 to 8977.
std::uint32_t tunnelGrey(const GameState& s, const SceneObject& o) {
    const int grey = channel(255 - o.distance / 5.0);
    const int alpha = s.stageFrame <= 8977 ? channel(2.0 * s.stageFrame - 17700) : 255;
    return argb(alpha, grey);
}

// Fades in from stage frame 900 to 1155.
std::uint32_t shaftWhite(const GameState& s, const SceneObject&) {
    const int alpha = s.stageFrame <= 1155 ? channel(s.stageFrame - 900.0) : 255;
    return argb(alpha, 255);
}

constexpr SceneKind kStill{41, standStill, opaqueWhite};
constexpr std::array<SceneKind, 10> kKinds{{
    kStill,
    {45, rushAtViewer, tunnelGrey},
    kStill,
    {45, shaftWall, shaftWhite},
    {45, shaftRing, shaftWhite},
    {41, slideLeft, shaftWhite},
    {41, pillar, opaqueWhite},
    {41, towerInner, opaqueWhite},
    {41, towerMiddle, opaqueWhite},
    {41, towerOuter, opaqueWhite},
}};

}  // namespace

const SceneKind& SceneKindOf(int kind) {
    if (kind < 0 || kind >= static_cast<int>(kKinds.size())) return kStill;
    return kKinds[kind];
}

ParticleKind ParticleKindOf(int kind) {
    switch (kind) {
    case 101: return {0.02, 0.0f};
    case 102: return {0.03, 2.0f};
    default: return {0.0, 0.0f};
    }
}

}  // namespace korvid
