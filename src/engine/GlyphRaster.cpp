#include "engine/GlyphRaster.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cstddef>

namespace korvid {

namespace {

struct FamilyAlias {
    const char* windows;
    const char* debian;
};
// The game's faces by their Windows names (as UTF-8) and the usual English ones.
constexpr FamilyAlias kAliases[] = {
    {"\xE5\xAE\x8B\xE4\xBD\x93", "AR PL UMing CN"},     // 宋体
    {"SimSun", "AR PL UMing CN"},
    {"\xE9\xBB\x91\xE4\xBD\x93", "WenQuanYi Zen Hei"},  // 黑体
    {"SimHei", "WenQuanYi Zen Hei"},
};

constexpr const char* kFallbackFamilies[] = {"sans-serif", "serif"};

// Pixels from FreeType's 26.6 fixed point, rounded.
int FromFixed(FT_Pos v) { return static_cast<int>((v + 32) >> 6); }

bool CopyCoverage(const FT_Bitmap& b, GlyphBitmap& out) {
    out.width = static_cast<int>(b.width);
    out.height = static_cast<int>(b.rows);
    out.coverage.assign(std::size_t(out.width) * std::size_t(out.height), 0);
    if (out.width == 0 || out.height == 0 || !b.buffer) return true;
    for (unsigned y = 0; y < b.rows; ++y) {
        const std::uint8_t* row = BitmapRow(b.buffer, b.pitch, b.rows, y);
        std::uint8_t* dst = out.coverage.data() + std::size_t(y) * std::size_t(out.width);
        for (unsigned x = 0; x < b.width; ++x) {
            switch (b.pixel_mode) {
            case FT_PIXEL_MODE_MONO:
                dst[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
                break;
            case FT_PIXEL_MODE_GRAY: {
                const unsigned levels = b.num_grays > 1 ? b.num_grays - 1 : 255;
                dst[x] = static_cast<std::uint8_t>(std::min(255u, row[x] * 255u / levels));
                break;
            }
            default:
                return false;
            }
        }
    }
    return true;
}

}  // namespace

const std::uint8_t* BitmapRow(const std::uint8_t* buffer, int pitch, unsigned rows, unsigned row) {
    const std::ptrdiff_t step = pitch;
    const std::uint8_t* top = step < 0 ? buffer - step * static_cast<std::ptrdiff_t>(rows - 1) : buffer;
    return top + step * static_cast<std::ptrdiff_t>(row);
}

std::string MappedFamily(const std::string& family) {
    for (const FamilyAlias& a : kAliases)
        if (family == a.windows) return a.debian;
    return family;
}

FontFile FindFontFile(const std::string& family) {
    FontFile found;
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return found;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    if (match) {
        FcChar8* file = nullptr;
        int index = 0;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
            found.path = reinterpret_cast<const char*>(file);
            if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) found.index = index;
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return found;
}

struct GlyphRaster::Impl {
    FT_Library library = nullptr;
    FT_Face faces[2] = {nullptr, nullptr};  // the asked-for face, then the fallback
    bool bold = false, italic = false, antialias = true;

    FT_Face open(const FontFile& file, int height) {
        FT_Face face = nullptr;
        if (file.path.empty() || FT_New_Face(library, file.path.c_str(), file.index, &face) != 0) return nullptr;
        if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(height)) != 0) {
            FT_Done_Face(face);
            return nullptr;
        }
        return face;
    }

    ~Impl() {
        for (FT_Face f : faces)
            if (f) FT_Done_Face(f);
        if (library) FT_Done_FreeType(library);
    }
};

GlyphRaster::GlyphRaster(const std::string& family, int height, bool bold, bool italic, bool antialias)
    : impl_(std::make_unique<Impl>()) {
    impl_->bold = bold;
    impl_->italic = italic;
    impl_->antialias = antialias;
    if (height < 1 || FT_Init_FreeType(&impl_->library) != 0) {
        impl_->library = nullptr;
        return;
    }
    const FontFile primary = FindFontFile(MappedFamily(family));
    impl_->faces[0] = impl_->open(primary, height);
    for (const char* fallbackFamily : kFallbackFamilies) {
        const FontFile fallback = FindFontFile(fallbackFamily);
        if (fallback.path.empty() || (fallback.path == primary.path && fallback.index == primary.index)) continue;
        impl_->faces[1] = impl_->open(fallback, height);
        if (impl_->faces[1]) break;
    }
    const FT_Face metricsFace = impl_->faces[0] ? impl_->faces[0] : impl_->faces[1];
    if (metricsFace) ascent_ = FromFixed(metricsFace->size->metrics.ascender);
}

GlyphRaster::~GlyphRaster() = default;

bool GlyphRaster::loaded() const { return impl_->faces[0] || impl_->faces[1]; }

bool GlyphRaster::render(char32_t c, GlyphBitmap& out) {
    out = GlyphBitmap{};
    for (FT_Face face : impl_->faces) {
        if (!face) continue;
        const FT_UInt index = FT_Get_Char_Index(face, c);
        if (index == 0) continue;
        const FT_Int32 target = impl_->antialias ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO;
        if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | target) != 0) continue;
        FT_GlyphSlot slot = face->glyph;
        if (impl_->bold) FT_GlyphSlot_Embolden(slot);
        if (impl_->italic) FT_GlyphSlot_Oblique(slot);
        if (slot->format != FT_GLYPH_FORMAT_BITMAP &&
            FT_Render_Glyph(slot, impl_->antialias ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0)
            continue;
        if (!CopyCoverage(slot->bitmap, out)) continue;
        out.left = slot->bitmap_left;
        out.top = slot->bitmap_top;
        out.advance = FromFixed(slot->advance.x);
        return true;
    }
    return false;
}

}  // namespace korvid
