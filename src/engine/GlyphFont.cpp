#include "engine/GlyphFont.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "engine/GlyphRaster.h"

namespace korvid {

namespace {

constexpr std::size_t kCodeUnits = 65536;
constexpr char16_t kReplacement = 0xFFFD;
constexpr int kPadding = 1;  // empty texels around each glyph, so filtering never bleeds

bool IsLineEnd(char16_t c) { return c == u'\n' || c == u'\r'; }

int PageSideFor(float height) {
    int side = 256;
    while (side < 8 * height && side < 4096) side *= 2;
    return side;
}

}  // namespace

std::u16string Utf16FromUtf8(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned char lead = static_cast<unsigned char>(s[i]);
        std::size_t extra = 0;
        char32_t c = lead;
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1, c = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2, c = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3, c = lead & 0x07;
        } else if (lead >= 0x80) {
            out += kReplacement;  // a stray continuation byte or an invalid lead
            ++i;
            continue;
        }
        bool valid = i + extra < s.size();
        for (std::size_t k = 1; valid && k <= extra; ++k) {
            const unsigned char next = static_cast<unsigned char>(s[i + k]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (!valid) {
            out += kReplacement;
            ++i;
            continue;
        }
        i += 1 + extra;
        // Overlong forms, surrogates and characters past U+FFFF have no
        // place in the 16-bit glyph table.
        const bool overlong = (extra == 2 && c < 0x800) || (extra == 3 && c < 0x10000);
        out += (overlong || (c >= 0xD800 && c <= 0xDFFF) || c > 0xFFFF) ? kReplacement : static_cast<char16_t>(c);
    }
    return out;
}

GlyphFont::GlyphFont(Engine& engine, const char* face, int height, bool bold, bool italic, bool antialias)
    : engine_(engine),
      raster_(std::make_unique<GlyphRaster>(face ? face : "", height, bold, italic, antialias)),
      glyphs_(kCodeUnits),
      tried_(kCodeUnits, 0),
      sprite_(engine, 0, 0, 0, 0, 0),
      height_(static_cast<float>(height)) {
    ascent_ = raster_->ascent();
    sprite_.SetZ(0.09f);
    sprite_.SetColor(0xFFFFFFFF);
}

GlyphFont::~GlyphFont() {
    for (const Page& p : pages_) engine_.Texture_Free(p.texture);
}

bool GlyphFont::HasFace() const { return raster_->loaded(); }

float GlyphFont::LayoutAdvance(char16_t c) const {
    return c < 0x2000 ? std::round(height_ / 2) : height_;
}

const GlyphInfo& GlyphFont::Glyph(char16_t c) {
    GlyphInfo& g = glyphs_[c];
    if (!tried_[c]) {
        tried_[c] = 1;
        make(c, g);
    }
    return g;
}

bool GlyphFont::place(int w, int h, HTEXTURE& texture, int& x, int& y) {
    const int cellW = w + kPadding, cellH = h + kPadding;
    if (!pages_.empty()) {
        Page& p = pages_.back();
        if (p.penX + cellW > p.side) {  // next shelf
            p.penX = 0;
            p.penY += p.rowHeight;
            p.rowHeight = 0;
        }
        if (p.penY + cellH <= p.side && p.penX + cellW <= p.side) {
            texture = p.texture;
            x = p.penX;
            y = p.penY;
            p.penX += cellW;
            p.rowHeight = std::max(p.rowHeight, cellH);
            return true;
        }
    }
    Page page;
    page.side = PageSideFor(height_);
    if (cellW > page.side || cellH > page.side) return false;
    page.texture = engine_.Texture_Create(page.side, page.side);
    if (!page.texture) return false;
    texture = page.texture;
    x = y = 0;
    page.penX = cellW;
    page.rowHeight = cellH;
    pages_.push_back(page);
    return true;
}

void GlyphFont::make(char16_t c, GlyphInfo& g) {
    GlyphBitmap bitmap;
    if (!raster_->render(c, bitmap)) return;
    g.exists = true;
    g.width = static_cast<float>(bitmap.width);
    g.height = static_cast<float>(bitmap.height);
    g.xOffset = static_cast<float>(-bitmap.left);
    g.yOffset = static_cast<float>(bitmap.top - ascent_);
    g.advance = static_cast<float>(bitmap.advance);
    if (bitmap.width == 0 || bitmap.height == 0) return;  // blank: advances, draws nothing

    HTEXTURE texture = 0;
    int x = 0, y = 0;
    if (!place(bitmap.width, bitmap.height, texture, x, y)) return;
    const int stride = engine_.Texture_GetWidth(texture);
    std::uint32_t* texels = engine_.Texture_Lock(texture, false, 0, 0, 0, 0);
    if (!texels || stride <= 0) return;
    for (int row = 0; row < bitmap.height; ++row) {
        std::uint32_t* dst = texels + std::size_t(y + row) * std::size_t(stride) + std::size_t(x);
        const std::uint8_t* src = bitmap.coverage.data() + std::size_t(row) * std::size_t(bitmap.width);
        for (int col = 0; col < bitmap.width; ++col) dst[col] = (std::uint32_t(src[col]) << 24) | 0x00FFFFFFu;
    }
    engine_.Texture_Unlock(texture);
    g.texture = texture;
    g.texX = static_cast<float>(x);
    g.texY = static_cast<float>(y);
}

float GlyphFont::lineWidth(std::u16string_view text, std::size_t from) const {
    float w = 0;
    for (std::size_t i = from; i < text.size() && !IsLineEnd(text[i]); ++i) w += LayoutAdvance(text[i]) + tracking_;
    return w;
}

void GlyphFont::Render(float x, float y, int align, std::u16string_view text, float scale) {
    auto lineStart = [&](std::size_t from) {
        if (align == kAlignCenter) return x - lineWidth(text, from) * scale / 2;
        if (align == kAlignRight) return x - lineWidth(text, from) * scale;
        return x;
    };
    float penX = lineStart(0), penY = y;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (IsLineEnd(c)) {
            // A CR LF pair is one line end.
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            penY += (height_ + lineSpacing_) * scale;
            penX = lineStart(i + 1);
            continue;
        }
        const GlyphInfo& g = Glyph(c);
        if (g.texture) {
            sprite_.SetTexture(g.texture);
            sprite_.SetTextureRect(g.texX, g.texY, g.width, g.height);
            sprite_.RenderEx(penX - g.xOffset * scale, penY - g.yOffset * scale, 0.0f, scale);
        }
        penX += (LayoutAdvance(c) + tracking_) * scale;
    }
}

void GlyphFont::Print(float x, float y, int align, std::string_view utf8, float scale) {
    Render(x, y, align, Utf16FromUtf8(utf8), scale);
}

void GlyphFont::Printf(float x, float y, int align, float scale, const char* format, ...) {
    if (!format) return;
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text;
    if (n > 0) {
        text.resize(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(text.data(), text.size(), format, again);
        text.resize(static_cast<std::size_t>(n));
    }
    va_end(again);
    Print(x, y, align, text, scale);
}

void GlyphFont::SetColor(std::uint32_t argb, int vertex) { sprite_.SetColor(argb, vertex); }

void GlyphFont::GetTextSize(std::u16string_view text, float* width, float* height) const {
    float widest = 0, h = height_;
    std::size_t from = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !IsLineEnd(text[i])) continue;
        widest = std::max(widest, lineWidth(text, from));
        if (i < text.size()) {
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            h += height_ + lineSpacing_;
        }
        from = i + 1;
    }
    if (width) *width = widest;
    if (height) *height = h;
}

int GlyphFont::GetCharAt(std::u16string_view text, float px, float py) const {
    if (py < 0) return -1;
    const int line = static_cast<int>(py / (height_ + lineSpacing_));
    int currentLine = 0;
    float penX = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (IsLineEnd(c)) {
            if (currentLine == line) return -1;
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            ++currentLine;
            penX = 0;
            continue;
        }
        const float step = LayoutAdvance(c) + tracking_;
        if (currentLine == line && px >= penX && px < penX + step) return static_cast<int>(i);
        penX += step;
    }
    return -1;
}

}  // namespace korvid
