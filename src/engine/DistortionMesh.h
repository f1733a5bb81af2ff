// One texture rectangle drawn through a grid of vertices whose position,
// colour and z can be changed one by one, so a picture can wave, bend and be
// tinted per vertex. Cell (c, r) is drawn as the quad of vertices (c, r),
// (c + 1, r), (c + 1, r + 1), (c, r + 1).
//
// A grid needs at least two columns and two rows, and its texture rectangle
// a divisor for the texture coordinates (the texture's surface size, or the
// rectangle's size without a texture): a mesh without them is refused and
// draws nothing. The vertices are allocated once, at construction.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/Engine.h"

namespace korvid {

class DistortionMesh {
public:
    // What a displacement is measured from.
    enum Reference : int {
        FromNode = 0,     // the vertex's own grid point
        FromTopLeft = 1,  // nothing: the position itself
        FromCentre = 2,   // the grid's centre
    };

    // Every vertex at (0, 0), z 0.5, white, texture coordinates 0; no
    // texture; blend mode 6 (alpha blending with depth writes); cells of size 0.
    DistortionMesh(Engine& engine, int columns, int rows);
    DistortionMesh(const DistortionMesh&) = delete;
    DistortionMesh& operator=(const DistortionMesh&) = delete;

    void SetTexture(HTEXTURE texture) { texture_ = texture; }
    // Cell size w / (columns - 1) by h / (rows - 1); each vertex goes to its
    // grid point and takes its texture coordinates.
    void SetTextureRect(float x, float y, float w, float h);
    void SetBlendMode(int mode) { blend_ = mode; }
    // Every vertex back to its grid point with this colour and z.
    void Clear(std::uint32_t colour = 0xFFFFFFFF, float z = 0.5f);

    // One vertex; a vertex outside the grid (or an unknown reference) is ignored.
    void SetZ(int column, int row, float z);
    void SetColor(int column, int row, std::uint32_t colour);
    void SetDisplacement(int column, int row, float dx, float dy, int reference);

    // Read back; 0 outside the grid.
    float GetZ(int column, int row) const;
    std::uint32_t GetColor(int column, int row) const;
    void GetDisplacement(int column, int row, int reference, float* dx, float* dy) const;

    // Draws every cell offset by (x, y); nothing when the mesh is refused.
    void Render(float x, float y);

    int GetColumns() const { return columns_; }
    int GetRows() const { return rows_; }
    float GetCellWidth() const { return cellW_; }
    float GetCellHeight() const { return cellH_; }
    HTEXTURE GetTexture() const { return texture_; }
    int GetBlendMode() const { return blend_; }
    // False for a grid of fewer than two columns or rows, or after a texture
    // rectangle that had nothing to divide its coordinates by.
    bool Usable() const { return gridUsable_ && rectUsable_; }

private:
    Vertex* at(int column, int row);
    const Vertex* at(int column, int row) const;
    // The point a displacement is measured from, or false for an unknown reference.
    bool origin(int column, int row, int reference, float* ox, float* oy) const;

    Engine& engine_;
    int columns_ = 0, rows_ = 0;
    bool gridUsable_ = false;
    bool rectUsable_ = true;
    float cellW_ = 0, cellH_ = 0;
    float texX_ = 0, texY_ = 0, texW_ = 0, texH_ = 0;
    HTEXTURE texture_ = 0;
    int blend_ = BLEND_ALPHABLEND | BLEND_ZWRITE;
    std::vector<Vertex> vertices_;  // row-major: column + row x columns
};

}  // namespace korvid
