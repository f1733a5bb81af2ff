// A bitmap font described by a text file ("[HGEFONT]", a "Bitmap=" line and
// one "Char=" line per glyph) over one glyph texture. The game loads one,
// the menu font, at start; numbers and Chinese text are drawn by other means,
// so what matters here is reading the file safely.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "engine/Sprite.h"

namespace korvid {

class BitmapFont {
public:
    BitmapFont(Engine& engine, const char* filename);
    ~BitmapFont();
    BitmapFont(const BitmapFont&) = delete;
    BitmapFont& operator=(const BitmapFont&) = delete;

    void SetColor(std::uint32_t argb);
    void SetZ(float z);
    void SetBlendMode(int mode);

    HTEXTURE texture() const { return texture_; }
    const Sprite* glyph(unsigned char c) const { return glyphs_[c].get(); }
    float preSpacing(unsigned char c) const { return pre_[c]; }
    float postSpacing(unsigned char c) const { return post_[c]; }
    float lineHeight() const { return height_; }
    int glyphCount() const;

    // Plain left-aligned drawing of ASCII text (menus do not use it, tools do).
    void Render(float x, float y, const char* text);

private:
    void parse(const char* filename, const char* text);

    Engine* engine_;
    HTEXTURE texture_ = 0;
    std::array<std::unique_ptr<Sprite>, 256> glyphs_{};
    std::array<float, 256> pre_{};
    std::array<float, 256> post_{};
    float height_ = 0.0f;
    std::uint32_t color_ = 0xFFFFFFFF;
    float z_ = 0.5f;
    int blend_ = BLEND_DEFAULT;
};

}  // namespace korvid
