#include "engine/Sprite.h"

#include <cmath>

namespace korvid::sprite {

namespace {

// Surface size of a texture, or 1 x 1 without one, so that a sprite with no
// texture takes its texel rectangle as texture coordinates directly.
void surfaceSize(Engine& engine, HTEXTURE tex, float& w, float& h) {
    w = h = 0.0f;
    if (tex) {
        w = static_cast<float>(engine.Texture_GetWidth(tex));
        h = static_cast<float>(engine.Texture_GetHeight(tex));
    }
    if (w <= 0.0f || h <= 0.0f) {
        w = 1.0f;
        h = 1.0f;
    }
}

void setCorners(Quad& q, float uLeft, float vTop, float uRight, float vBottom) {
    q.v[0].tx = uLeft;
    q.v[0].ty = vTop;
    q.v[1].tx = uRight;
    q.v[1].ty = vTop;
    q.v[2].tx = uRight;
    q.v[2].ty = vBottom;
    q.v[3].tx = uLeft;
    q.v[3].ty = vBottom;
}

void setTexCoords(SpriteData& s, float x, float y, float w, float h) {
    setCorners(s.quad, x / s.texWidth, y / s.texHeight, (x + w) / s.texWidth, (y + h) / s.texHeight);
}

}  // namespace

void Reset(SpriteData& s) {
    s = SpriteData{};
    for (Vertex& v : s.quad.v) {
        v.z = 0.5f;
        v.col = 0xFFFFFFFF;
    }
    s.quad.blend = BLEND_DEFAULT;
}

void Init(Engine& engine, SpriteData& s, HTEXTURE texture, float x, float y, float w, float h) {
    Reset(s);
    s.texX = x;
    s.texY = y;
    s.width = w;
    s.height = h;
    surfaceSize(engine, texture, s.texWidth, s.texHeight);
    s.quad.tex = texture;
    setTexCoords(s, x, y, w, h);
}

void SetTexture(Engine& engine, SpriteData& s, HTEXTURE texture) {
    s.quad.tex = texture;
    float newW, newH;
    surfaceSize(engine, texture, newW, newH);
    if (newW != s.texWidth || newH != s.texHeight) {
        // Keep showing the same texel rectangle on a surface of another size.
        const Quad& q = s.quad;
        const float uLeft = q.v[0].tx * s.texWidth / newW;
        const float vTop = q.v[0].ty * s.texHeight / newH;
        const float uRight = q.v[2].tx * s.texWidth / newW;
        const float vBottom = q.v[2].ty * s.texHeight / newH;
        setCorners(s.quad, uLeft, vTop, uRight, vBottom);
        s.texWidth = newW;
        s.texHeight = newH;
    }
}

void SetTextureRect(SpriteData& s, float x, float y, float w, float h, bool adjustSize) {
    s.texX = x;
    s.texY = y;
    if (adjustSize) {
        s.width = w;
        s.height = h;
    }
    setTexCoords(s, x, y, w, h);
}

void SetColor(SpriteData& s, std::uint32_t argb, int i) {
    if (i == -1) {
        for (Vertex& v : s.quad.v) v.col = argb;
    } else if (i >= 0 && i < 4) {
        s.quad.v[i].col = argb;
    }
}

void SetZ(SpriteData& s, float z, int i) {
    if (i == -1) {
        for (Vertex& v : s.quad.v) v.z = z;
    } else if (i >= 0 && i < 4) {
        s.quad.v[i].z = z;
    }
}

void Render(Engine& engine, SpriteData& s, float x, float y) {
    if (engine.Gfx_OnlyCounts()) return;
    const float left = x - s.hotX;
    const float top = y - s.hotY;
    const float right = x + s.width - s.hotX;
    const float bottom = y + s.height - s.hotY;
    Render4V(engine, s, left, top, right, top, right, bottom, left, bottom);
}

void RenderEx(Engine& engine, SpriteData& s, float x, float y, float rotation, float hscale, float vscale) {
    // Nothing will be drawn: the corners are not worked out and the quad is
    // not handed over (its corners are only ever read when it is drawn).
    if (engine.Gfx_OnlyCounts()) return;
    if (vscale == 0.0f) vscale = hscale;
    const float a = -s.hotX * hscale;
    const float b = -s.hotY * vscale;
    const float c = (s.width - s.hotX) * hscale;
    const float d = (s.height - s.hotY) * vscale;
    const float px[4] = {a, c, c, a};
    const float py[4] = {b, b, d, d};
    Quad& q = s.quad;
    if (rotation != 0.0f) {
        const float cs = std::cos(rotation);
        const float sn = std::sin(rotation);
        for (int i = 0; i < 4; ++i) {
            q.v[i].x = x + px[i] * cs - py[i] * sn;
            q.v[i].y = y + px[i] * sn + py[i] * cs;
        }
    } else {
        for (int i = 0; i < 4; ++i) {
            q.v[i].x = x + px[i];
            q.v[i].y = y + py[i];
        }
    }
    engine.Gfx_RenderQuad(&q);
}

void Render4V(Engine& engine, SpriteData& s, float x0, float y0, float x1, float y1, float x2, float y2, float x3,
              float y3) {
    if (engine.Gfx_OnlyCounts()) return;
    Quad& q = s.quad;
    q.v[0].x = x0;
    q.v[0].y = y0;
    q.v[1].x = x1;
    q.v[1].y = y1;
    q.v[2].x = x2;
    q.v[2].y = y2;
    q.v[3].x = x3;
    q.v[3].y = y3;
    engine.Gfx_RenderQuad(&q);
}

}  // namespace korvid::sprite
