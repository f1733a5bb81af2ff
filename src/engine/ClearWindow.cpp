#include "engine/ClearWindow.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace korvid {

namespace {

constexpr int kWorthCutting = 64;

bool whole(float v) { return v == std::floor(v); }

}  // namespace

TexelRect FindClearWindow(const std::uint32_t* argb, int stride, int w, int h) {
    // Each row's run of clear texels above every column, then the largest
    // rectangle under that histogram (one stack walk per row).
    std::vector<int> run(std::size_t(w) + 1, 0), stack;
    stack.reserve(std::size_t(w) + 1);
    TexelRect best;
    long long bestArea = 0;
    for (int y = 0; y < h; ++y) {
        const std::uint32_t* row = argb + std::size_t(y) * std::size_t(stride);
        for (int x = 0; x < w; ++x) run[std::size_t(x)] = (row[x] >> 24) == 0 ? run[std::size_t(x)] + 1 : 0;
        stack.clear();
        for (int x = 0; x <= w; ++x) {
            const int height = x < w ? run[std::size_t(x)] : 0;
            while (!stack.empty() && run[std::size_t(stack.back())] >= height) {
                const int top = run[std::size_t(stack.back())];
                stack.pop_back();
                const int left = stack.empty() ? 0 : stack.back() + 1;
                const long long area = static_cast<long long>(top) * (x - left);
                if (area > bestArea) {
                    bestArea = area;
                    best = {left, y + 1 - top, x, y + 1};
                }
            }
            stack.push_back(x);
        }
    }
    if (best.x1 - best.x0 < kWorthCutting || best.y1 - best.y0 < kWorthCutting) return {};
    return best;
}

int CutAroundWindow(const Quad& q, int texW, int texH, TexelRect window, Quad out[4]) {
    const Vertex* v = q.v;
    const bool upright = v[0].y == v[1].y && v[3].y == v[2].y && v[0].x == v[3].x && v[1].x == v[2].x &&
                         v[0].ty == v[1].ty && v[3].ty == v[2].ty && v[0].tx == v[3].tx && v[1].tx == v[2].tx;
    if (!upright || window.empty()) return 0;
    if (v[1].col != v[0].col || v[2].col != v[0].col || v[3].col != v[0].col) return 0;
    const float x0 = v[0].x, y0 = v[0].y, w = v[1].x - x0, h = v[3].y - y0;
    const float u0 = v[0].tx * float(texW), t0 = v[0].ty * float(texH);
    const float u1 = v[1].tx * float(texW), t1 = v[3].ty * float(texH);
    if (w <= 0 || h <= 0 || !whole(x0) || !whole(y0) || !whole(u0) || !whole(t0)) return 0;
    if (u1 - u0 != w || t1 - t0 != h) return 0;
    // The window less a texel all round (no filtering reaches past it),
    // within the quad's texels.
    const int qx0 = int(u0), qy0 = int(t0), qx1 = int(u1), qy1 = int(t1);
    const TexelRect c{std::max(window.x0 + 1, qx0), std::max(window.y0 + 1, qy0), std::min(window.x1 - 1, qx1),
                      std::min(window.y1 - 1, qy1)};
    if (c.x1 - c.x0 < kWorthCutting || c.y1 - c.y0 < kWorthCutting) return 0;
    const TexelRect parts[4] = {{qx0, qy0, qx1, c.y0}, {qx0, c.y1, qx1, qy1}, {qx0, c.y0, c.x0, c.y1},
                                {c.x1, c.y0, qx1, c.y1}};
    int n = 0;
    for (const TexelRect& p : parts) {
        if (p.empty()) continue;
        Quad& o = out[n++];
        o = q;
        const float px0 = x0 + float(p.x0 - qx0), py0 = y0 + float(p.y0 - qy0);
        const float px1 = x0 + float(p.x1 - qx0), py1 = y0 + float(p.y1 - qy0);
        const float pu0 = float(p.x0) / float(texW), pv0 = float(p.y0) / float(texH);
        const float pu1 = float(p.x1) / float(texW), pv1 = float(p.y1) / float(texH);
        o.v[0].x = px0, o.v[0].y = py0, o.v[0].tx = pu0, o.v[0].ty = pv0;
        o.v[1].x = px1, o.v[1].y = py0, o.v[1].tx = pu1, o.v[1].ty = pv0;
        o.v[2].x = px1, o.v[2].y = py1, o.v[2].tx = pu1, o.v[2].ty = pv1;
        o.v[3].x = px0, o.v[3].y = py1, o.v[3].tx = pu0, o.v[3].ty = pv1;
    }
    return n;
}

}  // namespace korvid
