#include "Figure.h"

#include <cmath>
#include <functional>

#include "Json.h"
#include "PaintKit.h"

namespace korvid::packgen {

namespace {

// Body landmarks in figure units: y runs from 0 (top of the hair) to 1 (feet).
struct Proportions {
    float headY, headR, shoulderY, waistY, hemY, halfShoulder, hemHalf, limb;
};

const Proportions kChibi{0.22f, 0.19f, 0.42f, 0.6f, 0.8f, 0.12f, 0.25f, 0.05f};
const Proportions kTall{0.1f, 0.078f, 0.2f, 0.43f, 0.72f, 0.1f, 0.2f, 0.035f};

// Maps figure units to canvas pixels: the figure pivots about its feet.
struct Xf {
    Vec2 feet;
    float scale, lean;
    Vec2 toPixel(Vec2 q) const { return feet + Rotate(q - Vec2{0, 1}, lean) * scale; }
    Vec2 toLocal(Vec2 p) const { return Rotate((p - feet) * (1 / scale), -lean) + Vec2{0, 1}; }
};

// Fills a part given by its signed distance in figure units, shaded from
// light at `top` to shadow at `bottom`, with a thin dark outline.
void Part(Canvas& c, const Xf& xf, Vec2 lo, Vec2 hi, const std::function<float(Vec2)>& sd, Rgba base,
          float top, float bottom, float outline = 1.1f) {
    std::vector<Vec2> corners = {xf.toPixel(lo), xf.toPixel({hi.x, lo.y}), xf.toPixel(hi), xf.toPixel({lo.x, hi.y})};
    ShadeSdf(c, BoundsOf(corners, 2), [&](Vec2 p) { return sd(xf.toLocal(p)) * xf.scale; },
             [&](Vec2 p, float d) {
                 Vec2 q = xf.toLocal(p);
                 float t = Clamp01((q.y - top) / std::max(1e-3f, bottom - top));
                 Rgba col = Mix(Lighter(base, 0.22f), Darker(base, 0.22f), t);
                 return d > -outline ? WithAlpha(Darker(base, 0.6f), base.a) : col;
             });
}

std::vector<Vec2> Mirrored(const std::vector<Vec2>& rightHalf) {
    std::vector<Vec2> all = rightHalf;
    std::vector<Vec2> left = MirrorX(rightHalf);
    all.insert(all.end(), left.begin(), left.end());
    return all;
}

void Wings(Canvas& c, const Xf& xf, const FigureLook& look, const FigurePose& pose, const Proportions& P) {
    float spread = 0.85f + 0.25f * std::sin(2 * kPi * pose.flap);
    Rgba col = look.wingColour;
    for (int side = -1; side <= 1; side += 2) {
        Vec2 root{0.05f * side, P.shoulderY + 0.03f};
        if (look.wings == "feather") {
            for (int f = 0; f < 4; ++f) {
                float a = (-0.25f - 0.28f * f) * spread;
                float len = (P.hemY - P.shoulderY) * (1.3f - 0.18f * f) * (look.chibi ? 1.0f : 1.6f);
                Vec2 dir{std::cos(a) * side, std::sin(a)};
                Vec2 tip = root + dir * len;
                Vec2 mid = (root + tip) * 0.5f;
                float w = len * 0.2f;
                Part(c, xf, {std::min(root.x, tip.x) - w, std::min(root.y, tip.y) - w},
                     {std::max(root.x, tip.x) + w, std::max(root.y, tip.y) + w},
                     [&](Vec2 q) {
                         Vec2 d = Rotate(q - mid, -std::atan2(dir.y, dir.x));
                         return SdEllipse(d, len * 0.5f, w);
                     },
                     col, root.y - len, root.y + len * 0.5f, 0.8f);
            }
        } else if (look.wings == "crystal") {
            for (int f = 0; f < 3; ++f) {
                float a = (-0.6f + 0.45f * f) * spread;
                float len = (P.hemY - P.shoulderY) * (1.1f - 0.2f * std::fabs(float(f) - 1)) * (look.chibi ? 1.0f : 1.5f);
                Vec2 dir{std::cos(a) * side, std::sin(a)}, n{-dir.y, dir.x};
                Vec2 tip = root + dir * len;
                std::vector<Vec2> shard = {root + n * (len * 0.08f), root + dir * (len * 0.7f) + n * (len * 0.14f), tip,
                                           root + dir * (len * 0.7f) - n * (len * 0.14f), root - n * (len * 0.08f)};
                Part(c, xf, {std::min(root.x, tip.x) - len * 0.2f, std::min(root.y, tip.y) - len * 0.2f},
                     {std::max(root.x, tip.x) + len * 0.2f, std::max(root.y, tip.y) + len * 0.2f},
                     [&](Vec2 q) { return SdPolygon(q, shard); }, col, root.y - len, root.y + len, 0.8f);
            }
        } else if (look.wings == "bat") {
            float len = (P.hemY - P.shoulderY) * 1.4f * (look.chibi ? 1.0f : 1.5f);
            std::vector<Vec2> wing = {root};
            Vec2 top = root + Vec2{side * len * 0.9f, -len * 0.55f * spread};
            wing.push_back(top);
            for (int s = 1; s <= 3; ++s) {
                Vec2 a = top + Vec2{-side * len * 0.22f * float(s - 1), len * 0.35f * float(s) * 0.45f};
                Vec2 b = root + Vec2{side * len * (0.75f - 0.22f * float(s)), len * 0.4f};
                AppendCurve(wing, a, (a + b) * 0.5f + Vec2{0, -len * 0.08f}, b, 3);
            }
            Part(c, xf, {root.x - len, root.y - len}, {root.x + len, root.y + len},
                 [&](Vec2 q) { return SdPolygon(q, wing); }, col, root.y - len * 0.5f, root.y + len * 0.5f, 0.8f);
        }
    }
}

void HairBack(Canvas& c, const Xf& xf, const FigureLook& look, const FigurePose& pose, const Proportions& P) {
    Vec2 h{0, P.headY};
    float R = P.headR;
    float sway = 0.03f * std::sin(2 * kPi * pose.flap) * (look.chibi ? 1 : 0.5f);
    switch (look.hairStyle) {
    case 1: {  // long, falling to the waist
        std::vector<Vec2> right = {{0, P.headY - R * 1.05f}};
        AppendCurve(right, right.back(), {R * 1.35f, P.headY - R}, {R * 1.25f + sway, P.waistY}, 6);
        AppendCurve(right, right.back(), {R * 0.6f, P.waistY + 0.06f}, {0, P.waistY - 0.01f}, 4);
        std::vector<Vec2> shape = Mirrored(right);
        Part(c, xf, {-R * 1.6f, P.headY - R * 1.2f}, {R * 1.6f, P.waistY + 0.1f},
             [&](Vec2 q) { return SdPolygon(q, shape); }, look.hair, P.headY - R, P.waistY);
        break;
    }
    case 2:  // twin tails
        for (int side = -1; side <= 1; side += 2) {
            Vec2 root{side * R * 0.95f, P.headY - R * 0.45f};
            Vec2 end{side * (R * 1.55f) + sway * side, P.waistY + (look.chibi ? 0.1f : 0.05f)};
            Vec2 mid = (root + end) * 0.5f + Vec2{side * R * 0.35f, 0};
            std::vector<Vec2> tail = {root + Vec2{0, -R * 0.2f}};
            AppendCurve(tail, tail.back(), mid + Vec2{side * R * 0.45f, 0}, end, 6);
            AppendCurve(tail, end, mid - Vec2{side * R * 0.1f, 0}, root + Vec2{0, R * 0.25f}, 6);
            Part(c, xf, {std::min(root.x, end.x) - R, root.y - R}, {std::max(root.x, end.x) + R, end.y + 0.02f},
                 [&](Vec2 q) { return SdPolygon(q, tail); }, look.hair, root.y, end.y);
        }
        [[fallthrough]];
    case 0:  // bob, just below the chin
    default: {
        float rx = R * 1.18f, ry = R * 1.12f;
        Part(c, xf, {-rx - 0.02f, h.y - ry - 0.02f}, {rx + 0.02f, h.y + ry + 0.06f},
             [&](Vec2 q) { return SdEllipse(q - h - Vec2{0, R * 0.12f}, rx, ry); }, look.hair, h.y - R, h.y + R);
        break;
    }
    case 3: {  // spiky
        std::vector<Vec2> spikes;
        for (int i = 0; i < 18; ++i) {
            float a = kPi * 0.1f + 2 * kPi * float(i) / 18;
            float rr = R * ((i % 2) ? 1.05f : 1.45f);
            spikes.push_back(h + Vec2{std::cos(a) * rr, std::sin(a) * rr * 1.05f + R * 0.1f});
        }
        Part(c, xf, {-R * 1.6f, h.y - R * 1.6f}, {R * 1.6f, h.y + R * 1.6f},
             [&](Vec2 q) { return SdPolygon(q, spikes); }, look.hair, h.y - R, h.y + R);
        break;
    }
    }
}

void Body(Canvas& c, const Xf& xf, const FigureLook& look, const FigurePose& pose, const Proportions& P) {
    float limb = P.limb;
    // Legs and shoes.
    for (int side = -1; side <= 1; side += 2) {
        Vec2 top{side * 0.055f, P.hemY - 0.04f}, foot{side * 0.06f, 0.975f};
        Part(c, xf, {top.x - limb, top.y}, {top.x + limb, 1.0f},
             [&](Vec2 q) { return SdSegment(q, top, foot) - limb * 0.75f; }, look.skin, top.y, 1);
        Part(c, xf, {foot.x - limb * 1.5f, foot.y - limb}, {foot.x + limb * 1.5f, 1.0f},
             [&](Vec2 q) { return SdEllipse(q - foot - Vec2{side * limb * 0.2f, 0}, limb * 1.1f, limb * 0.6f); },
             Darker(look.dress, 0.45f), foot.y - limb, 1);
    }
    // Skirt: a bell from the waist to the hem.
    float waistHalf = P.halfShoulder * 0.8f;
    std::vector<Vec2> skirtR = {{0, P.waistY - 0.02f}, {waistHalf, P.waistY - 0.02f}};
    AppendCurve(skirtR, skirtR.back(), {P.hemHalf * 0.8f, (P.waistY + P.hemY) / 2}, {P.hemHalf, P.hemY}, 6);
    AppendCurve(skirtR, skirtR.back(), {P.hemHalf * 0.5f, P.hemY + 0.035f}, {0, P.hemY + 0.01f}, 4);
    std::vector<Vec2> skirt = Mirrored(skirtR);
    Part(c, xf, {-P.hemHalf - 0.02f, P.waistY - 0.03f}, {P.hemHalf + 0.02f, P.hemY + 0.05f},
         [&](Vec2 q) { return SdPolygon(q, skirt); }, look.dress, P.waistY, P.hemY);
    // Hem trim.
    Part(c, xf, {-P.hemHalf - 0.02f, P.hemY - 0.04f}, {P.hemHalf + 0.02f, P.hemY + 0.05f},
         [&](Vec2 q) { return std::max(SdPolygon(q, skirt), -(q.y - (P.hemY - 0.025f + 0.02f * q.x * q.x / (P.hemHalf * P.hemHalf)))); },
         look.accent, P.hemY - 0.03f, P.hemY + 0.03f, 0.6f);
    // Torso.
    float torsoH = (P.waistY - P.shoulderY) * 0.5f + 0.01f;
    Vec2 torsoC{0, (P.shoulderY + P.waistY) / 2};
    Part(c, xf, {-P.halfShoulder - 0.02f, P.shoulderY - 0.03f}, {P.halfShoulder + 0.02f, P.waistY + 0.02f},
         [&](Vec2 q) { return SdBox(q - torsoC, P.halfShoulder * (0.85f + 0.15f * (torsoC.y - q.y) / torsoH), torsoH, 0.02f); },
         look.dress, P.shoulderY, P.waistY);
    // Arms: down at the sides, or raised while casting.
    for (int side = -1; side <= 1; side += 2) {
        Vec2 shoulder{side * P.halfShoulder * 0.95f, P.shoulderY + 0.02f};
        Vec2 hand = pose.casting ? Vec2{side * (P.halfShoulder + 0.15f), P.shoulderY - (look.chibi ? 0.14f : 0.1f)}
                                 : Vec2{side * (P.halfShoulder + 0.06f), P.waistY + 0.03f};
        Part(c, xf, {std::min(shoulder.x, hand.x) - limb * 1.5f, std::min(shoulder.y, hand.y) - limb * 1.5f},
             {std::max(shoulder.x, hand.x) + limb * 1.5f, std::max(shoulder.y, hand.y) + limb * 1.5f},
             [&](Vec2 q) { return SdSegment(q, shoulder, hand) - limb; }, look.dress, P.shoulderY, P.waistY);
        Part(c, xf, {hand.x - limb, hand.y - limb}, {hand.x + limb, hand.y + limb},
             [&](Vec2 q) { return SdCircle(q - hand, limb * 0.8f); }, look.skin, hand.y - limb, hand.y + limb, 0.7f);
        if (pose.casting) Glow(c, xf.toPixel(hand), xf.scale * limb * 3, WithAlpha(look.accent, 0.8f), 1.2f);
    }
    // Bow at the collar.
    Vec2 bow{0, P.shoulderY + 0.015f};
    float bs = P.headR * 0.45f;
    for (int side = -1; side <= 1; side += 2) {
        std::vector<Vec2> wing = {bow, bow + Vec2{side * bs * 1.2f, -bs * 0.6f}, bow + Vec2{side * bs * 1.2f, bs * 0.6f}};
        Part(c, xf, {bow.x - bs * 1.3f, bow.y - bs}, {bow.x + bs * 1.3f, bow.y + bs},
             [&](Vec2 q) { return SdPolygon(q, wing); }, look.accent, bow.y - bs, bow.y + bs, 0.6f);
    }
}

void Head(Canvas& c, const Xf& xf, const FigureLook& look, const Proportions& P) {
    Vec2 h{0, P.headY};
    float R = P.headR;
    Part(c, xf, {-R - 0.01f, h.y - R - 0.01f}, {R + 0.01f, h.y + R + 0.01f},
         [&](Vec2 q) { return SdEllipse(q - h, R * 0.93f, R); }, look.skin, h.y - R * 0.5f, h.y + R * 1.5f, 0.9f);
    // Eyes with a highlight, and a small mouth.
    for (int side = -1; side <= 1; side += 2) {
        Vec2 e{side * R * 0.38f, h.y + R * 0.18f};
        Part(c, xf, {e.x - R * 0.2f, e.y - R * 0.3f}, {e.x + R * 0.2f, e.y + R * 0.3f},
             [&](Vec2 q) { return SdEllipse(q - e, R * 0.14f, R * 0.22f); }, look.eyes, e.y - R * 0.2f, e.y + R * 0.2f, 0.5f);
        Disc(c, xf.toPixel(e + Vec2{-R * 0.04f, -R * 0.08f}), std::max(0.5f, xf.scale * R * 0.06f), {1, 1, 1, 0.95f});
    }
    Vec2 m{0, h.y + R * 0.55f};
    Line(c, xf.toPixel(m - Vec2{R * 0.08f, 0}), xf.toPixel(m + Vec2{R * 0.08f, 0}), std::max(0.6f, xf.scale * R * 0.04f),
         Darker(look.skin, 0.5f));
    // Fringe over the forehead, cut in points.
    std::vector<Vec2> fringe;
    for (int i = 0; i <= 16; ++i) {
        float a = kPi + kPi * float(i) / 16;
        fringe.push_back(h + Vec2{std::cos(a) * R * 1.08f, std::sin(a) * R * 1.08f - R * 0.02f});
    }
    for (int i = 0; i <= 8; ++i) {
        float x = R * 1.05f - 2.1f * R * float(i) / 8;
        float y = h.y - R * ((i % 2) ? 0.05f : -0.12f) - (std::fabs(x) > R * 0.8f ? -R * 0.35f : 0);
        fringe.push_back({x, y});
    }
    Part(c, xf, {-R * 1.2f, h.y - R * 1.2f}, {R * 1.2f, h.y + R * 0.5f}, [&](Vec2 q) { return SdPolygon(q, fringe); },
         look.hair, h.y - R, h.y, 0.9f);
}

void Headwear(Canvas& c, const Xf& xf, const FigureLook& look, const FigurePose& pose, const Proportions& P) {
    Vec2 h{0, P.headY};
    float R = P.headR;
    if (look.hat == "witch") {
        std::vector<Vec2> cone = {{-R * 0.75f, h.y - R * 0.75f}, {R * 1.6f + 0.03f * std::sin(2 * kPi * pose.flap), h.y - R * 2.5f},
                                  {R * 0.8f, h.y - R * 0.75f}};
        Part(c, xf, {-R * 1.5f, h.y - R * 2.7f}, {R * 2, h.y - R * 0.5f}, [&](Vec2 q) { return SdPolygon(q, cone); },
             Darker(look.dress, 0.3f), h.y - R * 2.5f, h.y - R * 0.7f);
        Part(c, xf, {-R * 1.7f, h.y - R}, {R * 1.7f, h.y - R * 0.45f},
             [&](Vec2 q) { return SdEllipse(q - h - Vec2{0, -R * 0.72f}, R * 1.55f, R * 0.22f); },
             Darker(look.dress, 0.3f), h.y - R, h.y - R * 0.5f);
        Part(c, xf, {-R, h.y - R * 1.1f}, {R, h.y - R * 0.7f},
             [&](Vec2 q) { return SdBox(q - h - Vec2{0, -R * 0.9f}, R * 0.8f, R * 0.1f); }, look.accent, h.y - R, h.y - R * 0.8f, 0.5f);
    } else if (look.hat == "cap") {
        Part(c, xf, {-R * 1.2f, h.y - R * 1.4f}, {R * 1.2f, h.y - R * 0.3f},
             [&](Vec2 q) { return std::max(SdEllipse(q - h - Vec2{0, -R * 0.55f}, R * 1.1f, R * 0.75f), q.y - (h.y - R * 0.45f)); },
             look.accent, h.y - R * 1.3f, h.y - R * 0.4f);
    } else if (look.hat == "ribbon") {
        Vec2 o = h + Vec2{0, -R * 1.05f};
        for (int side = -1; side <= 1; side += 2) {
            std::vector<Vec2> loop = {o, o + Vec2{side * R * 1.1f, -R * 0.55f}, o + Vec2{side * R * 0.95f, R * 0.35f}};
            Part(c, xf, {o.x - R * 1.3f, o.y - R * 0.7f}, {o.x + R * 1.3f, o.y + R * 0.5f},
                 [&](Vec2 q) { return SdPolygon(q, loop) - R * 0.05f; }, look.accent, o.y - R * 0.5f, o.y + R * 0.4f, 0.7f);
        }
    } else if (look.hat == "horns") {
        for (int side = -1; side <= 1; side += 2) {
            std::vector<Vec2> horn = {h + Vec2{side * R * 0.45f, -R * 0.75f}};
            AppendCurve(horn, horn.back(), h + Vec2{side * R * 1.2f, -R * 1.3f}, h + Vec2{side * R * 0.9f, -R * 1.9f}, 5);
            AppendCurve(horn, horn.back(), h + Vec2{side * R * 0.95f, -R * 1.25f}, h + Vec2{side * R * 0.15f, -R * 0.85f}, 5);
            Part(c, xf, {-R * 1.5f, h.y - R * 2}, {R * 1.5f, h.y - R * 0.6f}, [&](Vec2 q) { return SdPolygon(q, horn); },
                 look.accent, h.y - R * 1.9f, h.y - R * 0.7f, 0.7f);
        }
    } else if (look.hat == "halo") {
        Vec2 o = h + Vec2{0, -R * 1.35f};
        Part(c, xf, {-R * 1.2f, o.y - R * 0.5f}, {R * 1.2f, o.y + R * 0.5f},
             [&](Vec2 q) { return std::fabs(SdEllipse(q - o, R * 0.85f, R * 0.28f)) - R * 0.07f; }, look.accent,
             o.y - R * 0.3f, o.y + R * 0.3f, 0.4f);
        Glow(c, xf.toPixel(o), xf.scale * R * 1.2f, WithAlpha(look.accent, 0.5f), 1.0f);
    }
}

}  // namespace

FigureLook ReadFigureLook(const Json& s) {
    FigureLook look;
    auto colour = [&](const char* key, Rgba& into) {
        if (s.has(key)) into = ParseColour(s.str(key, ""));
    };
    colour("hair", look.hair);
    colour("dress", look.dress);
    colour("accent", look.accent);
    colour("skin", look.skin);
    colour("eyes", look.eyes);
    colour("wingColour", look.wingColour);
    look.hairStyle = s.integer("hairStyle", look.hairStyle);
    look.wings = s.str("wings", look.wings);
    look.hat = s.str("hat", look.hat);
    look.chibi = s.flag("chibi", look.chibi);
    return look;
}

void DrawFigure(Canvas& c, Rect box, const FigureLook& look, const FigurePose& pose, float zoom, float focusY) {
    const Proportions& P = look.chibi ? kChibi : kTall;
    // Leave room above the head for hats and below for the feet.
    float scale = float(box.h) * (look.hat.empty() ? 0.9f : 0.78f) * zoom;
    float width = P.hemHalf * 2.6f + (look.wings.empty() ? 0 : 1.0f);
    scale = std::min(scale, float(box.w) / width * zoom * 1.6f);
    Vec2 focus{box.x + box.w * 0.5f, box.y + box.h * 0.5f};
    Vec2 feet = focus + Vec2{0, (1 - focusY) * scale};
    if (zoom <= 1) feet.y = float(box.bottom()) - float(box.h) * 0.04f;
    feet.y += pose.bob * scale;
    Xf xf{feet, scale, pose.lean};
    if (!look.wings.empty()) Wings(c, xf, look, pose, P);
    HairBack(c, xf, look, pose, P);
    Body(c, xf, look, pose, P);
    Head(c, xf, look, P);
    if (!look.hat.empty()) Headwear(c, xf, look, pose, P);
}

}  // namespace korvid::packgen
