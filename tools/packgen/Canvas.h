// The RGBA picture every painter draws into. Pixels are kept premultiplied in
// floats; painters hand in straight colours and a coverage, and everything is
// clipped to the current clip rectangle (the region being painted).
#pragma once

#include <cstdint>
#include <vector>

#include "Colour.h"

namespace korvid::packgen {

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    int right() const { return x + w; }
    int bottom() const { return y + h; }
    bool contains(const Rect& o) const {
        return o.x >= x && o.y >= y && o.right() <= right() && o.bottom() <= bottom();
    }
};

class Canvas {
public:
    Canvas(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }

    void setClip(Rect r);
    void resetClip() { setClip({0, 0, width_, height_}); }
    Rect clip() const { return clip_; }

    // Straight colour of a pixel (0 outside the canvas).
    Rgba pixel(int x, int y) const;
    // Replaces a pixel outright (clipped).
    void set(int x, int y, Rgba c);
    // Source-over of colour c at the given coverage (0..1).
    void over(int x, int y, Rgba c, float coverage = 1);
    // Additive light: colour sums, alpha saturates; good for glows.
    void add(int x, int y, Rgba c, float coverage = 1);

    void fill(Rect r, Rgba c);

    // Calls f(px, py) for every pixel centre inside [x0, x1) x [y0, y1) and
    // the clip, and composites the straight colour it returns.
    template <class F>
    void shade(float x0, float y0, float x1, float y1, F f, bool additive = false) {
        int ix0 = clampX(int(x0) - 1), iy0 = clampY(int(y0) - 1);
        int ix1 = clampX(int(x1) + 2), iy1 = clampY(int(y1) + 2);
        for (int y = iy0; y < iy1; ++y)
            for (int x = ix0; x < ix1; ++x) {
                Rgba c = f(x + 0.5f, y + 0.5f);
                if (c.a <= 0) continue;
                if (additive) add(x, y, c);
                else over(x, y, c);
            }
    }

    // Draws another canvas with its top-left corner at (dx, dy), source-over.
    void draw(const Canvas& src, int dx, int dy, float opacity = 1);
    // Box blur of the clip area, repeated `passes` times (three make a soft Gaussian).
    void blur(int radius, int passes = 3);
    // Alpha of the whole canvas multiplied (clip area only).
    void fade(float k);

    // 0xAARRGGBB words, straight alpha, rows top to bottom. Fully transparent
    // pixels become `clear` (a picture read back pixel by pixel may care).
    std::vector<std::uint32_t> toArgb(std::uint32_t clear = 0) const;

private:
    int clampX(int x) const { return x < clip_.x ? clip_.x : (x > clip_.right() ? clip_.right() : x); }
    int clampY(int y) const { return y < clip_.y ? clip_.y : (y > clip_.bottom() ? clip_.bottom() : y); }
    bool inClip(int x, int y) const { return x >= clip_.x && y >= clip_.y && x < clip_.right() && y < clip_.bottom(); }

    int width_, height_;
    Rect clip_;
    std::vector<Rgba> px_;  // premultiplied
};

}  // namespace korvid::packgen
