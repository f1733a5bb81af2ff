#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace korvid::packgen {

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), clip_{0, 0, width, height}, px_(std::size_t(width) * height) {}

void Canvas::setClip(Rect r) {
    int x0 = std::max(0, r.x), y0 = std::max(0, r.y);
    int x1 = std::min(width_, r.right()), y1 = std::min(height_, r.bottom());
    clip_ = {x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

Rgba Canvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return {};
    Rgba p = px_[std::size_t(y) * width_ + x];
    if (p.a <= 0) return {};
    return {p.r / p.a, p.g / p.a, p.b / p.a, p.a};
}

void Canvas::set(int x, int y, Rgba c) {
    if (!inClip(x, y)) return;
    px_[std::size_t(y) * width_ + x] = {c.r * c.a, c.g * c.a, c.b * c.a, c.a};
}

void Canvas::over(int x, int y, Rgba c, float coverage) {
    if (!inClip(x, y)) return;
    float a = Clamp01(c.a * coverage);
    if (a <= 0) return;
    Rgba& d = px_[std::size_t(y) * width_ + x];
    float k = 1 - a;
    d.r = c.r * a + d.r * k;
    d.g = c.g * a + d.g * k;
    d.b = c.b * a + d.b * k;
    d.a = a + d.a * k;
}

void Canvas::add(int x, int y, Rgba c, float coverage) {
    if (!inClip(x, y)) return;
    float a = Clamp01(c.a * coverage);
    if (a <= 0) return;
    Rgba& d = px_[std::size_t(y) * width_ + x];
    d.r += c.r * a;
    d.g += c.g * a;
    d.b += c.b * a;
    d.a = std::min(1.0f, d.a + a);
    // Keep premultiplied colour within its alpha so it stays a valid colour.
    d.r = std::min(d.r, d.a);
    d.g = std::min(d.g, d.a);
    d.b = std::min(d.b, d.a);
}

void Canvas::fill(Rect r, Rgba c) {
    for (int y = r.y; y < r.bottom(); ++y)
        for (int x = r.x; x < r.right(); ++x) over(x, y, c);
}

void Canvas::draw(const Canvas& src, int dx, int dy, float opacity) {
    for (int y = 0; y < src.height_; ++y)
        for (int x = 0; x < src.width_; ++x) {
            int tx = x + dx, ty = y + dy;
            if (!inClip(tx, ty)) continue;
            const Rgba& s = src.px_[std::size_t(y) * src.width_ + x];
            float a = s.a * opacity;
            if (a <= 0) continue;
            Rgba& d = px_[std::size_t(ty) * width_ + tx];
            float k = 1 - a;
            d.r = s.r * opacity + d.r * k;
            d.g = s.g * opacity + d.g * k;
            d.b = s.b * opacity + d.b * k;
            d.a = a + d.a * k;
        }
}

void Canvas::blur(int radius, int passes) {
    if (radius <= 0 || clip_.w <= 0 || clip_.h <= 0) return;
    std::vector<Rgba> line;
    auto run = [&](int count, auto getter) {
        // Running-sum box filter over one line of `count` pixels.
        line.assign(std::size_t(count), {});
        for (int i = 0; i < count; ++i) line[std::size_t(i)] = *getter(i);
        float norm = 1.0f / float(2 * radius + 1);
        Rgba sum{};
        for (int i = -radius; i <= radius; ++i) {
            const Rgba& p = line[std::size_t(std::clamp(i, 0, count - 1))];
            sum = {sum.r + p.r, sum.g + p.g, sum.b + p.b, sum.a + p.a};
        }
        for (int i = 0; i < count; ++i) {
            *getter(i) = {sum.r * norm, sum.g * norm, sum.b * norm, sum.a * norm};
            const Rgba& out = line[std::size_t(std::clamp(i - radius, 0, count - 1))];
            const Rgba& in = line[std::size_t(std::clamp(i + radius + 1, 0, count - 1))];
            sum = {sum.r + in.r - out.r, sum.g + in.g - out.g, sum.b + in.b - out.b, sum.a + in.a - out.a};
        }
    };
    for (int p = 0; p < passes; ++p) {
        for (int y = clip_.y; y < clip_.bottom(); ++y)
            run(clip_.w, [&](int i) { return &px_[std::size_t(y) * width_ + clip_.x + i]; });
        for (int x = clip_.x; x < clip_.right(); ++x)
            run(clip_.h, [&](int i) { return &px_[std::size_t(clip_.y + i) * width_ + x]; });
    }
}

void Canvas::fade(float k) {
    for (int y = clip_.y; y < clip_.bottom(); ++y)
        for (int x = clip_.x; x < clip_.right(); ++x) {
            Rgba& d = px_[std::size_t(y) * width_ + x];
            d = {d.r * k, d.g * k, d.b * k, d.a * k};
        }
}

std::vector<std::uint32_t> Canvas::toArgb(std::uint32_t clear) const {
    std::vector<std::uint32_t> out(px_.size());
    auto byte = [](float v) { return std::uint32_t(std::lround(Clamp01(v) * 255.0f)); };
    for (std::size_t i = 0; i < px_.size(); ++i) {
        const Rgba& p = px_[i];
        std::uint32_t a = byte(p.a);
        if (a == 0) {
            out[i] = clear & 0x00FFFFFFu;
            continue;
        }
        out[i] = (a << 24) | (byte(p.r / p.a) << 16) | (byte(p.g / p.a) << 8) | byte(p.b / p.a);
    }
    return out;
}

}  // namespace korvid::packgen
