// A textured quad cut from a texture: hot spot, per-vertex colour and z,
// blend mode, drawn axis-aligned, rotated/scaled or by its four corners.
//
// The data lives in SpriteData, a plain record, so pool slots can keep their
// sprite inside the copyable, hashable game state; the free functions in
// `sprite::` work on it. `Sprite` bundles a record with its engine for the
// menus and HUD, which share a few of them. Drawing never allocates.
#pragma once

#include "engine/Engine.h"

namespace korvid {

struct SpriteData {
    Quad quad{};
    float texX = 0, texY = 0;
    float width = 0, height = 0;       // drawn size at scale 1
    float texWidth = 1, texHeight = 1;  // texture surface size; 1 x 1 without texture
    float hotX = 0, hotY = 0;
};

namespace sprite {

// A sprite with no texture and an empty rectangle, in its fresh state.
void Reset(SpriteData& s);
// Fresh sprite: z 0.5 and white on all four vertices, alpha blending, hot spot 0.
void Init(Engine& engine, SpriteData& s, HTEXTURE texture, float x, float y, float w, float h);
void SetTexture(Engine& engine, SpriteData& s, HTEXTURE texture);
void SetTextureRect(SpriteData& s, float x, float y, float w, float h, bool adjustSize = true);
inline void SetHotSpot(SpriteData& s, float x, float y) {
    s.hotX = x;
    s.hotY = y;
}
void SetColor(SpriteData& s, std::uint32_t argb, int i = -1);
void SetZ(SpriteData& s, float z, int i = -1);
inline void SetBlendMode(SpriteData& s, int mode) { s.quad.blend = mode; }
void Render(Engine& engine, SpriteData& s, float x, float y);
// rotation in radians; vscale 0 means vscale = hscale; negative scales mirror.
void RenderEx(Engine& engine, SpriteData& s, float x, float y, float rotation, float hscale = 1.0f,
              float vscale = 0.0f);
void Render4V(Engine& engine, SpriteData& s, float x0, float y0, float x1, float y1, float x2, float y2, float x3,
              float y3);

}  // namespace sprite

class Sprite {
public:
    Sprite(Engine& engine, HTEXTURE texture, float x, float y, float w, float h) : engine_(&engine) {
        sprite::Init(engine, data_, texture, x, y, w, h);
    }
    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;

    void SetTexture(HTEXTURE texture) { sprite::SetTexture(*engine_, data_, texture); }
    void SetTextureRect(float x, float y, float w, float h, bool adjustSize = true) {
        sprite::SetTextureRect(data_, x, y, w, h, adjustSize);
    }
    void SetHotSpot(float x, float y) { sprite::SetHotSpot(data_, x, y); }
    void SetColor(std::uint32_t argb, int i = -1) { sprite::SetColor(data_, argb, i); }
    void SetZ(float z, int i = -1) { sprite::SetZ(data_, z, i); }
    void SetBlendMode(int mode) { sprite::SetBlendMode(data_, mode); }

    void Render(float x, float y) { sprite::Render(*engine_, data_, x, y); }
    void RenderEx(float x, float y, float rotation, float hscale = 1.0f, float vscale = 0.0f) {
        sprite::RenderEx(*engine_, data_, x, y, rotation, hscale, vscale);
    }
    void Render4V(float x0, float y0, float x1, float y1, float x2, float y2, float x3, float y3) {
        sprite::Render4V(*engine_, data_, x0, y0, x1, y1, x2, y2, x3, y3);
    }

    HTEXTURE GetTexture() const { return data_.quad.tex; }
    std::uint32_t GetColor(int i = 0) const { return data_.quad.v[i].col; }
    float GetZ(int i = 0) const { return data_.quad.v[i].z; }
    int GetBlendMode() const { return data_.quad.blend; }
    float GetWidth() const { return data_.width; }
    float GetHeight() const { return data_.height; }
    void GetTextureRect(float* x, float* y, float* w, float* h) const {
        *x = data_.texX;
        *y = data_.texY;
        *w = data_.width;
        *h = data_.height;
    }
    void GetHotSpot(float* x, float* y) const {
        *x = data_.hotX;
        *y = data_.hotY;
    }
    const Quad& GetQuad() const { return data_.quad; }
    SpriteData& data() { return data_; }

private:
    Engine* engine_;
    SpriteData data_;
};

}  // namespace korvid
