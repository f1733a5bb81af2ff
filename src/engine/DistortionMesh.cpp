#include "engine/DistortionMesh.h"

namespace korvid {

DistortionMesh::DistortionMesh(Engine& engine, int columns, int rows) : engine_(engine) {
    gridUsable_ = columns >= 2 && rows >= 2;
    if (columns < 1 || rows < 1) return;  // no vertices at all
    columns_ = columns;
    rows_ = rows;
    vertices_.assign(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows),
                     Vertex{0.0f, 0.0f, 0.5f, 0xFFFFFFFF, 0.0f, 0.0f});
}

Vertex* DistortionMesh::at(int column, int row) {
    if (column < 0 || row < 0 || column >= columns_ || row >= rows_) return nullptr;
    return &vertices_[static_cast<std::size_t>(row) * columns_ + column];
}

const Vertex* DistortionMesh::at(int column, int row) const {
    return const_cast<DistortionMesh*>(this)->at(column, row);
}

void DistortionMesh::SetTextureRect(float x, float y, float w, float h) {
    texX_ = x;
    texY_ = y;
    texW_ = w;
    texH_ = h;
    float surfaceW = w, surfaceH = h;
    if (texture_) {
        surfaceW = static_cast<float>(engine_.Texture_GetWidth(texture_));
        surfaceH = static_cast<float>(engine_.Texture_GetHeight(texture_));
    }
    // A one-column or one-row grid has no cells to divide the rectangle
    // into, and a surface of size 0 nothing to divide coordinates by.
    rectUsable_ = surfaceW != 0.0f && surfaceH != 0.0f;
    if (!gridUsable_ || !rectUsable_) return;
    cellW_ = w / static_cast<float>(columns_ - 1);
    cellH_ = h / static_cast<float>(rows_ - 1);
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < columns_; ++c) {
            Vertex& v = *at(c, r);
            v.x = static_cast<float>(c) * cellW_;
            v.y = static_cast<float>(r) * cellH_;
            v.tx = (x + static_cast<float>(c) * cellW_) / surfaceW;
            v.ty = (y + static_cast<float>(r) * cellH_) / surfaceH;
        }
    }
}

void DistortionMesh::Clear(std::uint32_t colour, float z) {
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < columns_; ++c) {
            Vertex& v = *at(c, r);
            v.x = static_cast<float>(c) * cellW_;
            v.y = static_cast<float>(r) * cellH_;
            v.col = colour;
            v.z = z;
        }
    }
}

void DistortionMesh::SetZ(int column, int row, float z) {
    if (Vertex* v = at(column, row)) v->z = z;
}

void DistortionMesh::SetColor(int column, int row, std::uint32_t colour) {
    if (Vertex* v = at(column, row)) v->col = colour;
}

bool DistortionMesh::origin(int column, int row, int reference, float* ox, float* oy) const {
    switch (reference) {
    case FromNode:
        *ox = static_cast<float>(column) * cellW_;
        *oy = static_cast<float>(row) * cellH_;
        return true;
    case FromTopLeft:
        *ox = 0.0f;
        *oy = 0.0f;
        return true;
    case FromCentre:
        *ox = static_cast<float>(columns_ - 1) * cellW_ / 2.0f;
        *oy = static_cast<float>(rows_ - 1) * cellH_ / 2.0f;
        return true;
    default:
        return false;
    }
}

void DistortionMesh::SetDisplacement(int column, int row, float dx, float dy, int reference) {
    Vertex* v = at(column, row);
    float ox = 0, oy = 0;
    if (!v || !origin(column, row, reference, &ox, &oy)) return;
    v->x = dx + ox;
    v->y = dy + oy;
}

float DistortionMesh::GetZ(int column, int row) const {
    const Vertex* v = at(column, row);
    return v ? v->z : 0.0f;
}

std::uint32_t DistortionMesh::GetColor(int column, int row) const {
    const Vertex* v = at(column, row);
    return v ? v->col : 0u;
}

void DistortionMesh::GetDisplacement(int column, int row, int reference, float* dx, float* dy) const {
    *dx = 0.0f;
    *dy = 0.0f;
    const Vertex* v = at(column, row);
    float ox = 0, oy = 0;
    if (!v || !origin(column, row, reference, &ox, &oy)) return;
    *dx = v->x - ox;
    *dy = v->y - oy;
}

void DistortionMesh::Render(float x, float y) {
    if (!Usable()) return;
    Quad q{};
    q.tex = texture_;
    q.blend = blend_;
    for (int r = 0; r + 1 < rows_; ++r) {
        for (int c = 0; c + 1 < columns_; ++c) {
            // Top left, top right, bottom right, bottom left.
            q.v[0] = *at(c, r);
            q.v[1] = *at(c + 1, r);
            q.v[2] = *at(c + 1, r + 1);
            q.v[3] = *at(c, r + 1);
            for (Vertex& v : q.v) {
                v.x += x;
                v.y += y;
            }
            engine_.Gfx_RenderQuad(&q);
        }
    }
}

}  // namespace korvid
