// A picture's clear window: the largest rectangle of fully transparent
// texels (a frame around a hole, say). Drawing those texels changes no pixel
// in any blend mode, so a quad that maps its texture one texel to one pixel
// can be drawn as up to four pieces around the window instead of whole.
#pragma once

#include <cstdint>

#include "engine/Engine.h"

namespace korvid {

// Texels [x0, x1) x [y0, y1); empty when x1 <= x0 or y1 <= y0.
struct TexelRect {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool empty() const { return x1 <= x0 || y1 <= y0; }
};

// The largest rectangle of texels with alpha 0 in the top-left w x h of a
// surface `stride` texels wide; empty when it is too small to be worth
// cutting around (under 64 x 64).
TexelRect FindClearWindow(const std::uint32_t* argb, int stride, int w, int h);

// The pieces of `q` that leave out the window, when q is an upright
// rectangle of one colour on whole pixels whose texels map one to one onto
// its pixels, with the window (less a texel all round) inside it: 1 to 4
// pieces written to out. Otherwise 0, and q is drawn whole.
int CutAroundWindow(const Quad& q, int texW, int texH, TexelRect window, Quad out[4]);

}  // namespace korvid
