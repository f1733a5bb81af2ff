// Free text (replay names, music notes, the extra boss's words) in any
// character the system's fonts have. Each character is rasterised once, on
// first use, into this font's atlas textures and then drawn as a sprite, so
// the font talks to the platform only through the Engine.
//
// Layout is a fixed-pitch grid: characters below U+2000 advance half the
// height (rounded), all others the full height; tracking adds to every
// advance and line spacing to every line. Scale applies to everything alike:
// advances, glyph offsets and line feeds.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Engine.h"
#include "engine/Sprite.h"

namespace korvid {

class GlyphRaster;

// Text alignment of the first argument after the position.
enum TextAlign : int { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };

// UTF-8 to UTF-16 code units; bytes that are not UTF-8 and characters beyond
// the 16-bit range become U+FFFD.
std::u16string Utf16FromUtf8(std::string_view utf8);

struct GlyphInfo {
    HTEXTURE texture = 0;  // atlas page; 0 for a blank character or a missing one
    float texX = 0, texY = 0;
    float width = 0, height = 0;  // black box in pixels
    float xOffset = 0;            // minus the box's distance right of the pen
    float yOffset = 0;            // box top above the baseline, minus the ascent
    float advance = 0;            // the face's own advance
    bool exists = false;          // some face has the character
};

class GlyphFont {
public:
    // height: the character (em) height in pixels; antialias false gives one
    // bit per pixel.
    GlyphFont(Engine& engine, const char* face, int height, bool bold = false, bool italic = false,
              bool antialias = true);
    ~GlyphFont();
    GlyphFont(const GlyphFont&) = delete;
    GlyphFont& operator=(const GlyphFont&) = delete;

    // Formats like printf into a string of whatever length it needs and draws
    // the UTF-8 result. Text from files or players goes through Print, never
    // as the format.
    void Printf(float x, float y, int align, float scale, const char* format, ...)
        __attribute__((format(printf, 6, 7)));
    void Print(float x, float y, int align, std::string_view utf8, float scale = 1.0f);
    void Render(float x, float y, int align, std::u16string_view text, float scale = 1.0f);

    void SetColor(std::uint32_t argb, int vertex = -1);
    std::uint32_t GetColor(int vertex = 0) const { return sprite_.GetColor(vertex); }
    void SetZ(float z) { sprite_.SetZ(z); }
    void SetBlendMode(int mode) { sprite_.SetBlendMode(mode); }
    void SetTracking(float t) { tracking_ = t; }
    void SetLineSpacing(float s) { lineSpacing_ = s; }
    float GetTracking() const { return tracking_; }
    float GetLineSpacing() const { return lineSpacing_; }
    float GetHeight() const { return height_; }
    int GetAscent() const { return ascent_; }
    bool HasFace() const;

    // Unscaled: width of the widest line, height of all lines.
    void GetTextSize(std::u16string_view text, float* width, float* height) const;
    // Index of the character under (px, py), a point relative to where a
    // left-aligned text begins at scale 1; -1 when there is none.
    int GetCharAt(std::u16string_view text, float px, float py) const;
    // The grid advance of a character (tracking not included).
    float LayoutAdvance(char16_t c) const;
    // The character's glyph, made on first use.
    const GlyphInfo& Glyph(char16_t c);
    int AtlasPageCount() const { return static_cast<int>(pages_.size()); }

private:
    struct Page {
        HTEXTURE texture = 0;
        int side = 0;
        int penX = 0, penY = 0, rowHeight = 0;  // shelf packing
    };
    void make(char16_t c, GlyphInfo& g);
    bool place(int w, int h, HTEXTURE& texture, int& x, int& y);
    float lineWidth(std::u16string_view text, std::size_t from) const;

    Engine& engine_;
    std::unique_ptr<GlyphRaster> raster_;
    std::vector<GlyphInfo> glyphs_;  // one per UTF-16 code unit
    std::vector<std::uint8_t> tried_;
    std::vector<Page> pages_;
    Sprite sprite_;
    float height_;
    int ascent_ = 0;
    float tracking_ = 0, lineSpacing_ = 0;
};

}  // namespace korvid
