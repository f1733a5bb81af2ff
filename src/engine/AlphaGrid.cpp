#include "engine/AlphaGrid.h"

#include <cmath>

namespace korvid {

void AlphaGrid::build(const std::uint32_t* argb, int w, int h) {
    w_ = w, h_ = h;
    cellsX_ = (w + kCell - 1) / kCell, cellsY_ = (h + kCell - 1) / kCell;
    const int stride = cellsX_ + 1;
    notClear_.assign(std::size_t(stride) * std::size_t(cellsY_ + 1), 0);
    notOpaque_.assign(notClear_.size(), 0);
    std::vector<std::uint8_t> cellBits(std::size_t(cellsX_) * std::size_t(cellsY_), 0);
    for (int y = 0; y < h; ++y) {
        const std::uint32_t* row = argb + std::size_t(y) * std::size_t(w);
        std::uint8_t* bits = cellBits.data() + std::size_t(y / kCell) * std::size_t(cellsX_);
        for (int x = 0; x < w; ++x) {
            const std::uint32_t a = row[x] >> 24;
            bits[x / kCell] |= std::uint8_t((a != 0 ? 1 : 0) | (a != 255 ? 2 : 0));
        }
    }
    for (int cy = 0; cy < cellsY_; ++cy) {
        for (int cx = 0; cx < cellsX_; ++cx) {
            const std::uint8_t b = cellBits[std::size_t(cy) * std::size_t(cellsX_) + std::size_t(cx)];
            const std::size_t at = std::size_t(cy + 1) * std::size_t(stride) + std::size_t(cx + 1);
            const std::size_t up = at - std::size_t(stride), left = at - 1, diag = up - 1;
            notClear_[at] = (b & 1) + notClear_[up] + notClear_[left] - notClear_[diag];
            notOpaque_[at] = ((b >> 1) & 1) + notOpaque_[up] + notOpaque_[left] - notOpaque_[diag];
        }
    }
}

void AlphaGrid::count(int cx0, int cy0, int cx1, int cy1, int* notClear, int* notOpaque) const {
    const std::size_t stride = std::size_t(cellsX_) + 1;
    auto at = [&](int cx, int cy) { return std::size_t(cy) * stride + std::size_t(cx); };
    *notClear += notClear_[at(cx1, cy1)] - notClear_[at(cx0, cy1)] - notClear_[at(cx1, cy0)] + notClear_[at(cx0, cy0)];
    *notOpaque +=
        notOpaque_[at(cx1, cy1)] - notOpaque_[at(cx0, cy1)] - notOpaque_[at(cx1, cy0)] + notOpaque_[at(cx0, cy0)];
}

TexelAlpha AlphaGrid::sample(float u0, float v0, float u1, float v1) const {
    if (!built() || !std::isfinite(u0) || !std::isfinite(v0) || !std::isfinite(u1) || !std::isfinite(v1))
        return TexelAlpha::Mixed;
    const double x0 = std::floor(double(u0) * w_) - 1, x1 = std::ceil(double(u1) * w_) + 1;
    const double y0 = std::floor(double(v0) * h_) - 1, y1 = std::ceil(double(v1) * h_) + 1;
    // Texel spans on the repeating surface: the whole side, or one or two pieces of it.
    struct Span {
        int from, to;
    };
    auto spans = [](double lo, double hi, int size, Span out[2]) {
        if (hi - lo >= size) {
            out[0] = {0, size};
            return 1;
        }
        const int a = int(lo - std::floor(lo / size) * size);
        const int b = a + int(hi - lo);
        if (b <= size) {
            out[0] = {a, b};
            return 1;
        }
        out[0] = {a, size};
        out[1] = {0, b - size};
        return 2;
    };
    if (std::fabs(x0) > 1e7 || std::fabs(x1) > 1e7 || std::fabs(y0) > 1e7 || std::fabs(y1) > 1e7)
        return TexelAlpha::Mixed;
    Span xs[2], ys[2];
    const int nx = spans(x0, x1, w_, xs), ny = spans(y0, y1, h_, ys);
    int notClear = 0, notOpaque = 0;
    for (int i = 0; i < nx; ++i)
        for (int j = 0; j < ny; ++j)
            count(xs[i].from / kCell, ys[j].from / kCell, (xs[i].to + kCell - 1) / kCell,
                  (ys[j].to + kCell - 1) / kCell, &notClear, &notOpaque);
    if (notClear == 0) return TexelAlpha::Clear;
    if (notOpaque == 0) return TexelAlpha::Opaque;
    return TexelAlpha::Mixed;
}

}  // namespace korvid
