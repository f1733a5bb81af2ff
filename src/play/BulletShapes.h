// The hit shape of every round bullet, by sprite key: the bullet hits when
// m*m + o*o <= R, with m and o the doubled distances divided by the scales
// (so the hit radius at scale 1 is sqrt(R) / 2 pixels). Grazing uses the
// same shape at eight times the distance.
#pragma once

#include <limits>

namespace korvid {

struct BulletShape {
    int key;
    int radiusSquared;
};

inline constexpr BulletShape kBulletShapes[] = {
    {248, 4},
    {16, 9},     {240, 9},
    {64, 16},    {80, 16},    {96, 16},    {112, 16},   {128, 16},   {129, 16},   {144, 16},   {38200, 16},
    {51032, 16},
    {32, 25},    {48, 25},    {160, 25},   {176, 25},   {257, 25},   {288, 25},   {304, 25},   {336, 25},
    {400, 25},   {432, 25},   {464, 25},   {2064, 25},  {3192, 25},
    {368, 36},   {1144, 36},  {1176, 36},  {1256, 36},  {1288, 36},  {2000, 36},  {2096, 36},  {2128, 36},
    {2032, 64},  {2256, 64},  {3000, 64},  {3096, 64},  {3208, 64},  {3224, 64},
    {50000, 81}, {50064, 81},  // only while the bullet is nearly opaque (alpha 250 and up)
    {2192, 400}, {2288, 400},
    {39000, 1024}, {38272, 1024},
};

// The table above as an open-addressed hash, built at compile time: the hit
// test looks a key up on every bullet of every frame, in one or two probes.
struct BulletShapeIndex {
    static constexpr int kSlots = 128;  // a power of two, well over the table's size
    int key[kSlots]{};
    int radiusSquared[kSlots]{};
    static constexpr int home(int k) { return static_cast<int>((static_cast<unsigned>(k) * 2654435761u) >> 25); }
    constexpr BulletShapeIndex() {
        for (int i = 0; i < kSlots; ++i) key[i] = -1;
        for (const BulletShape& s : kBulletShapes) {
            int i = home(s.key);
            while (key[i] != -1) i = (i + 1) & (kSlots - 1);
            key[i] = s.key;
            radiusSquared[i] = s.radiusSquared;
        }
    }
};
inline constexpr BulletShapeIndex kBulletShapeIndex{};

// R for a key, 0 when the key has no round shape.
constexpr int BulletRadiusSquared(int key) {
    for (int i = BulletShapeIndex::home(key);; i = (i + 1) & (BulletShapeIndex::kSlots - 1)) {
        if (kBulletShapeIndex.key[i] == key) return kBulletShapeIndex.radiusSquared[i];
        if (kBulletShapeIndex.key[i] == -1) return 0;
    }
}
constexpr bool EveryShapeIndexed() {
    for (const BulletShape& s : kBulletShapes)
        if (BulletRadiusSquared(s.key) != s.radiusSquared) return false;
    return true;
}
static_assert(EveryShapeIndexed(), "each key is found with its own R (no key twice)");

// Glowing keys that only hurt while nearly opaque.
constexpr bool FadesHarmless(int key) { return key == 50000 || key == 50064; }

// Keys 4000..4999 are lasers (texture 4).
constexpr bool IsLaserKey(int key) { return key / 1000 == 4; }

// The large box and the rotating beam of one boss card.
inline constexpr int kBoxKey = 40079;
inline constexpr int kBeamKey = 38272;

constexpr int LargestRadiusSquared() {
    int r = 0;
    for (const BulletShape& s : kBulletShapes) r = s.radiusSquared > r ? s.radiusSquared : r;
    return r;
}
static_assert(LargestRadiusSquared() <= 32 * 32, "round shapes reach m, o <= 32");

// True when the shape of `key` cannot touch at the doubled, scaled distances
// m and o: round shapes reach 32 at most, the box 100 across and 168 down;
// the beam and lasers are never ruled out here.
constexpr bool OutOfReach(int key, float m, float o) {
    if (key == kBeamKey || IsLaserKey(key)) return false;
    if (key == kBoxKey) return m > 100 || o > 168;
    return m > 32 || o > 32;
}

// How far a key's shape reaches, as a bound on the graze test's m and o
// before they are divided: with q = distance / 4 (exact) and k the scale,
// the test reads m = q / |k| rounded to float. When q > reach * |k| (worked
// in double, where q is exact and the product off by at most one part in
// 2^53), m is past the shape for certain: a round shape's reach is its
// radius sqrt(R) with a margin of 1e-5 that outweighs every rounding of
// m * m + o * o, the box's is its 100 by 168 with the same margin, and the
// beam and lasers have no bound. A key without a shape never touches.
struct ShapeReach {
    double x, y;
};
inline constexpr double kReachMargin = 1 + 1e-5;
inline constexpr double kUnbounded = std::numeric_limits<double>::infinity();

constexpr int CeilSqrt(int r) {
    int i = 0;
    while (i * i < r) ++i;
    return i;
}

// The reach of every key with a round shape, looked up as R is; the few
// special keys are tested first.
struct ShapeReachIndex {
    double reach[BulletShapeIndex::kSlots]{};
    constexpr ShapeReachIndex() {
        for (int i = 0; i < BulletShapeIndex::kSlots; ++i)
            reach[i] = kBulletShapeIndex.key[i] == -1 ? -kUnbounded
                                                      : CeilSqrt(kBulletShapeIndex.radiusSquared[i]) * kReachMargin;
    }
};
inline constexpr ShapeReachIndex kShapeReachIndex{};

constexpr ShapeReach ReachOf(int key) {
    if (key == kBeamKey || IsLaserKey(key)) return {kUnbounded, kUnbounded};
    if (key == kBoxKey) return {100 * kReachMargin, 168 * kReachMargin};
    for (int i = BulletShapeIndex::home(key);; i = (i + 1) & (BulletShapeIndex::kSlots - 1)) {
        const int k = kBulletShapeIndex.key[i];
        if (k == key || k == -1) return {kShapeReachIndex.reach[i], kShapeReachIndex.reach[i]};
    }
}
static_assert(ReachOf(2288).x == 20 * kReachMargin && ReachOf(248).y == 2 * kReachMargin);
static_assert(ReachOf(4000).x == kUnbounded && ReachOf(17).y == -kUnbounded);

// True when a bullet of `key` at distances dx, dy (already halved for the
// doubled shapes) and scales kx, ky cannot graze: the test's divisions are
// then not needed. A NaN anywhere leaves the decision to the full test.
[[gnu::always_inline]] inline bool BeyondReach(int key, float dx, float dy, float kx, float ky) {
    const ShapeReach r = ReachOf(key);
    const double absX = kx < 0 ? -kx : kx, absY = ky < 0 ? -ky : ky;
    return 0.25 * dx > r.x * absX || 0.25 * dy > r.y * absY;
}

}  // namespace korvid
