// Where a texture is clear or opaque, in cells of 8 x 8 texels: counts of
// the cells holding a texel that is not clear (alpha above 0) and of those
// holding one that is not opaque (alpha under 255), summed from the top-left
// so any rectangle of cells is read in four look-ups. A quad whose filtered
// texels are all clear changes no pixel; one whose texels are all opaque,
// drawn with an opaque colour and alpha blending, covers what is under it.
#pragma once

#include <cstdint>
#include <vector>

namespace korvid {

enum class TexelAlpha { Clear, Opaque, Mixed };

class AlphaGrid {
public:
    static constexpr int kCell = 8;

    // From a surface of w x h texels (rows top-down, ARGB).
    void build(const std::uint32_t* argb, int w, int h);
    bool built() const { return cellsX_ > 0; }
    void reset() { cellsX_ = cellsY_ = 0; }

    // What texels u0..u1 x v0..v1 (texture coordinates, the surface
    // repeating) may sample with bilinear filtering: a texel more all round.
    TexelAlpha sample(float u0, float v0, float u1, float v1) const;

private:
    // Cells [cx0, cx1) x [cy0, cy1) within the grid: how many are not clear, not opaque.
    void count(int cx0, int cy0, int cx1, int cy1, int* notClear, int* notOpaque) const;

    int w_ = 0, h_ = 0, cellsX_ = 0, cellsY_ = 0;
    std::vector<int> notClear_, notOpaque_;  // (cellsX + 1) x (cellsY + 1) running sums
};

}  // namespace korvid
