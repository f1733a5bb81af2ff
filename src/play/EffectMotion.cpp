// Effects that only move, turn, grow and fade: sparks, flashes, explosions,
// trails and captions. Most are one row of a table; the few with motion of
// their own have a small step each.
#include <array>
#include <cmath>
#include <utility>

#include "play/EffectSteps.h"
#include "play/Geometry.h"

namespace korvid {

namespace {

constexpr int kAdditive = 0;
constexpr int kColourAdd = 1;
constexpr int kAlphaBlend = BLEND_DEFAULT;

// What ends a plain effect: a field compared with a value.
enum class Field { None, Always, Age, Alpha, ScaleX, ScaleY, Y };
enum class Cmp { Below, AtMost, AtLeast, Above };

struct PlainRow {
    int type;
    int blend;
    float turn;                 // degrees per frame
    double growX, growY;        // per frame
    int growUntilAge;           // 0: always
    double moveX, moveY;        // pixels per frame
    int fade;                   // alpha lost per frame
    Field endField;
    Cmp endCmp;
    double endValue;
    bool hiddenDuringBomb = false;
    bool wrapX = false;         // fog sheets re-enter from the other side
};

constexpr PlainRow kPlainRows[] = {
    // type blend       turn growX   growY  until moveX moveY fade  end
    {0, kAlphaBlend, 0, 0, 0, 0, 0, 0, 8, Field::Alpha, Cmp::Below, 1},
    {1, kAlphaBlend, 0, 0.05, 0.05, 0, 0, 0, 8, Field::Age, Cmp::AtLeast, 18, true},
    {2, kAdditive, 8, 0, 0, 0, 0, -2, 8, Field::Age, Cmp::AtLeast, 20},
    {4, kAlphaBlend, 0, -0.018, -0.018, 0, 0, -2, 0, Field::Age, Cmp::AtLeast, 30},
    {6, kAlphaBlend, 0, 0, 0, 0, 0, 0, 0, Field::None, Cmp::Above, 0},
    {7, kAlphaBlend, 0, 0, 0, 0, 0, 6, 0, Field::Y, Cmp::AtLeast, 480},
    {14, kAlphaBlend, 0, 0, -0.05, 0, 0, 0, 0, Field::ScaleY, Cmp::AtMost, 0},
    {16, kAlphaBlend, 0, 0, 0, 0, 0, -2, 0, Field::Age, Cmp::Above, 23},
    {17, kAdditive, 0, -0.03, -0.03, 0, -1, 0, 0, Field::ScaleX, Cmp::AtMost, 0},
    {18, kAdditive, 0, -0.03, -0.03, 0, 1, -1.4, 0, Field::ScaleX, Cmp::AtMost, 0},
    {19, kAlphaBlend, 0, 0.032, 0.16, 10, 0, 0, 13, Field::Age, Cmp::Above, 17},
    {20, kAlphaBlend, 0, 0.05, 0.05, 0, 0, 0, 13, Field::Age, Cmp::Above, 17},
    {21, kAdditive, 0, 0.01, 0.01, 0, 0, 0, 10, Field::Age, Cmp::Above, 17},
    {23, kAlphaBlend, 0, 0, 0, 0, 0, 0, 0, Field::Age, Cmp::AtLeast, 50},
    {28, kAlphaBlend, 0, 0.01, 0.01, 0, 0, 0, 0, Field::None, Cmp::Above, 0},
    {34, kAlphaBlend, 0, 0, 0, 0, 0, 0, 0, Field::Age, Cmp::Above, 22},
    {35, kAdditive, 0, 0, 0, 0, 4, 0, 0, Field::Alpha, Cmp::Below, 5, false, true},
    {36, kAdditive, 0, 0, 0, 0, -4, 0, 0, Field::Alpha, Cmp::Below, 5, false, true},
    {40, kColourAdd, 0, 0.025, 0.025, 0, 0, 0, 0, Field::None, Cmp::Above, 0},
    {47, kAdditive, 0, -0.06, -0.07, 0, 0, 4, 0, Field::ScaleY, Cmp::AtMost, 0},
    {48, kAdditive, 0, 0, 0, 0, 0, 0, 0, Field::Age, Cmp::Above, 999},
    {49, kAdditive, 0, -0.04, -0.04, 0, 0, 0, 0, Field::ScaleX, Cmp::AtMost, 0},
    {51, kAdditive, 0, 0, 0, 0, 0, 0, 0, Field::Age, Cmp::Above, 15},
    {52, kAlphaBlend, 0, 0, 0, 0, 0, 0, 0, Field::Age, Cmp::Above, 999},
    {56, kAlphaBlend, 0, 0, 0, 0, 0, 0, 0, Field::Age, Cmp::Above, 31},
    {64, kAlphaBlend, 0, 0.02, 0.02, 0, 0, 0, 2, Field::Age, Cmp::AtLeast, 54},
    {65, kAdditive, 0, -0.01, -0.01, 0, 0, 2, 5, Field::Alpha, Cmp::Below, 1},
};

constexpr const PlainRow* findRow(int type) {
    for (const PlainRow& r : kPlainRows)
        if (r.type == type) return &r;
    return nullptr;
}

bool compare(double v, Cmp c, double limit) {
    switch (c) {
        case Cmp::Below: return v < limit;
        case Cmp::AtMost: return v <= limit;
        case Cmp::AtLeast: return v >= limit;
        case Cmp::Above: return v > limit;
    }
    return false;
}

// Inlined into each row's step, where the row is known and the switch folds away.
[[gnu::always_inline]] inline bool ended(const EffectSprite& e, const PlainRow& r) {
    switch (r.endField) {
        case Field::None: return false;
        case Field::Always: return true;
        case Field::Age: return compare(e.age, r.endCmp, r.endValue);
        case Field::Alpha: return compare(e.alpha, r.endCmp, r.endValue);
        case Field::ScaleX: return compare(e.scaleX, r.endCmp, r.endValue);
        case Field::ScaleY: return compare(e.scaleY, r.endCmp, r.endValue);
        case Field::Y: return compare(e.y, r.endCmp, r.endValue);
    }
    return false;
}

// A sheet 512 wide scrolling sideways comes back in on the far side, so two
// sheets keep the field covered.
void wrapSheet(EffectSprite& e) {
    if (e.x > 768) e.x -= 1024;
    if (e.x < -256) e.x += 1024;
}

template <int Type>
void plainStep(EffectFrame& f) {
    static constexpr const PlainRow& r = *findRow(Type);
    EffectSprite& e = f.e;
    sprite::SetBlendMode(e.sprite, r.blend);
    e.angle += r.turn;
    if (r.growUntilAge == 0 || e.age <= r.growUntilAge) {
        e.scaleX += r.growX;
        e.scaleY += r.growY;
    }
    e.x += r.moveX;
    e.y += r.moveY;
    if (r.wrapX) wrapSheet(e);
    e.alpha -= r.fade;
    if (r.hiddenDuringBomb && f.s.bombActive) f.draw = false;
    if (ended(e, r)) {
        f.free = true;
        // A sheet shrunk to exactly nothing is not drawn at full size.
        if ((r.endField == Field::ScaleX && e.scaleX == 0) || (r.endField == Field::ScaleY && e.scaleY == 0))
            f.draw = false;
    }
}

template <std::size_t... I>
constexpr auto makePlainSteps(std::index_sequence<I...>) {
    return std::array<std::pair<int, EffectStep>, sizeof...(I)>{
        std::pair<int, EffectStep>{kPlainRows[I].type, &plainStep<kPlainRows[I].type>}...};
}
constexpr auto kPlainSteps = makePlainSteps(std::make_index_sequence<std::size(kPlainRows)>{});

// `step` px along the sprite's angle, one table look-up for both axes.
void fly(EffectSprite& e, double step) {
    const int k = DirectionIndex(e.angle);
    e.x += Directions().dirX[k] * step;
    e.y += Directions().dirY[k] * step;
}

// Steps shrink both scales by `by`; shrunk to nothing ends the effect.
bool shrink(EffectSprite& e, double by) {
    e.scaleX -= by;
    e.scaleY -= by;
    return e.scaleX <= 0;
}

// Additive, losing `fade` alpha and `by` scale a frame, flying `step` px along its angle.
void fadeShrinkFly(EffectSprite& e, int fade, double by, double step) {
    sprite::SetBlendMode(e.sprite, kAdditive);
    e.alpha -= fade;
    shrink(e, by);
    fly(e, step);
}

}  // namespace

EffectStep PlainStep(int type) {
    for (const auto& [t, step] : kPlainSteps)
        if (t == type) return step;
    return nullptr;
}

// The graze spark flies out along its angle, slowing, and shrinks away.
void StepGrazeSpark(EffectFrame& f) {
    EffectSprite& e = f.e;
    sprite::SetBlendMode(e.sprite, kAdditive);
    e.scaleX -= 0.025;
    e.scaleY -= 0.025;
    const double step = (40 - e.age) / 10.0;
    fly(e, step);
    f.free = e.scaleX <= 0;
}

// Charge motes spin, shrink and drift onto the player.
void StepChargeMote(EffectFrame& f) {
    EffectSprite& e = f.e;
    sprite::SetBlendMode(e.sprite, kAdditive);
    e.angle += 4;
    e.scaleX -= 0.02;
    e.scaleY -= 0.02;
    const double dx = f.s.playerX - e.x;
    const double dy = f.s.playerY - e.y;
    e.x += dx / 10;
    e.y += dy / 10;
    const double left = std::sqrt((f.s.playerX - e.x) * (f.s.playerX - e.x) + (f.s.playerY - e.y) * (f.s.playerY - e.y));
    // Shrunk away before arriving also ends it (a negative scale would draw mirrored).
    f.free = left <= 4 || e.scaleX <= 0;
}

// Aura motes shrink ever faster.
void StepAuraMote(EffectFrame& f) {
    EffectSprite& e = f.e;
    sprite::SetBlendMode(e.sprite, kAdditive);
    e.workA += 0.004f;
    f.free = shrink(e, e.workA);
}

// Shards fly out along their angle, shrinking and fading.
void StepShard(EffectFrame& f) {
    fadeShrinkFly(f.e, 6, 0.01, 3);
    f.free = f.e.alpha <= 60;
}

// A glimmer brightens by 4.2 a frame to full, then dims the same way,
// drifting a tenth of a pixel sideways (41 right, 42 left).
void StepGlimmer(EffectFrame& f) {
    EffectSprite& e = f.e;
    if (e.workA == 0) {
        e.alpha = static_cast<int>(e.alpha + 4.2);
        if (e.alpha >= 250) e.workA = 1;
    } else {
        e.alpha = static_cast<int>(e.alpha - 4.2);
    }
    e.x += (e.type == 41) ? 0.1 : -0.1;
    f.free = e.workA != 0 && e.alpha <= 4;
}

// A wanderer swings its heading back and forth while it shrinks away.
void StepWanderer(EffectFrame& f) {
    EffectSprite& e = f.e;
    sprite::SetBlendMode(e.sprite, kAdditive);
    e.angle += (e.age % 40 < 20) ? 6 : -6;
    e.x += DirX(e.angle);
    e.y += DirY(e.angle);
    f.free = shrink(e, 0.015);
}

// Drifting smoke: fades 7 a frame, shrinks, drifts along its angle.
void StepDrift(EffectFrame& f) {
    fadeShrinkFly(f.e, 7, 0.01, 0.5);
    f.free = f.e.alpha < 1;
}

// A whiteout over the field: alpha 2 * age + 1 up to its peak, then
// 714 - 2 * age (the peak overshoots 255 and is clamped when drawn).
void StepWhiteout(EffectFrame& f) {
    EffectSprite& e = f.e;
    e.alpha = (e.age <= 178) ? 2 * e.age + 1 : 714 - 2 * e.age;
    f.free = e.age > 356;
}

// A bloom grows quickly, brightens by 2 to full, then fades 5 a frame.
void StepBloom(EffectFrame& f) {
    EffectSprite& e = f.e;
    sprite::SetBlendMode(e.sprite, kAdditive);
    e.scaleX += 0.07;
    e.scaleY += 0.07;
    if (e.workA == 0) {
        e.alpha += 2;
        if (e.alpha >= 255) e.workA = 1;
    } else {
        e.alpha -= 5;
    }
    f.free = e.alpha < 0;
}

}  // namespace korvid
