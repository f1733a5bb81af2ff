// One font face rasterised with FreeType, found by family name through
// fontconfig. The Windows family names the game asks for map to the Song
// and Hei faces Debian ships ("宋体" to AR PL UMing, "黑体" to WenQuanYi Zen
// Hei); a second, fallback face supplies characters the first one lacks.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace korvid {

// A rendered character: coverage 0..255 per pixel, rows top-down.
struct GlyphBitmap {
    int width = 0, height = 0;  // the black box; 0 x 0 for a blank character
    int left = 0;               // pen origin to the box's left edge
    int top = 0;                // baseline up to the box's top edge
    int advance = 0;            // the face's own pen advance, pixels
    std::vector<std::uint8_t> coverage;
};

// Row `row` (0 = top) of a bitmap whose rows are `pitch` bytes apart; a
// negative pitch means the buffer begins with the bottom row.
const std::uint8_t* BitmapRow(const std::uint8_t* buffer, int pitch, unsigned rows, unsigned row);

// The font file fontconfig picks for a family (after the Windows names are
// mapped); empty when none is found.
struct FontFile {
    std::string path;
    int index = 0;
};
FontFile FindFontFile(const std::string& family);
// The Debian family a Windows family name stands for (the name itself when
// it is not one of the mapped ones).
std::string MappedFamily(const std::string& family);

class GlyphRaster {
public:
    // height: the em height in pixels. antialias false renders one bit per
    // pixel (coverage 0 or 255).
    GlyphRaster(const std::string& family, int height, bool bold, bool italic, bool antialias);
    ~GlyphRaster();
    GlyphRaster(const GlyphRaster&) = delete;
    GlyphRaster& operator=(const GlyphRaster&) = delete;

    bool loaded() const;  // at least one face opened
    int ascent() const { return ascent_; }
    // False when no face has the character.
    bool render(char32_t c, GlyphBitmap& out);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    int ascent_ = 0;
};

}  // namespace korvid
