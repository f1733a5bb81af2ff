#include "TextPainter.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>

#include "Json.h"

namespace korvid::packgen {

namespace {

struct FontFile {
    std::string path;
    int index = 0;
};

// Manifest face names and the fontconfig patterns they stand for.
const std::map<std::string, std::string>& FacePatterns() {
    static const std::map<std::string, std::string> table = {
        {"song", "AR PL UMing CN"},      {"宋体", "AR PL UMing CN"},
        {"hei", "WenQuanYi Zen Hei"},    {"黑体", "WenQuanYi Zen Hei"},
        {"serif", "DejaVu Serif:bold"},  {"sans", "DejaVu Sans:bold"},
        {"mono", "DejaVu Sans Mono:bold"},
    };
    return table;
}

FontFile ResolveFont(const std::string& face) {
    static std::mutex lock;
    static std::map<std::string, FontFile> cache;
    std::lock_guard<std::mutex> guard(lock);
    auto hit = cache.find(face);
    if (hit != cache.end()) return hit->second;

    auto known = FacePatterns().find(face);
    std::string pattern = known != FacePatterns().end() ? known->second : face;
    FcInit();
    FcPattern* pat = FcNameParse(reinterpret_cast<const FcChar8*>(pattern.c_str()));
    FcConfigSubstitute(nullptr, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pat, &result);
    FcPatternDestroy(pat);
    FontFile font;
    if (match) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file)
            font.path = reinterpret_cast<const char*>(file);
        FcPatternGetInteger(match, FC_INDEX, 0, &font.index);
        FcPatternDestroy(match);
    }
    if (font.path.empty()) throw std::runtime_error("no font found for " + face);
    cache[face] = font;
    return font;
}

// FreeType objects are not shared between threads: each thread opens its own.
class FaceCache {
public:
    ~FaceCache() {
        for (auto& f : faces_) FT_Done_Face(f.second);
        if (library_) FT_Done_FreeType(library_);
    }

    FT_Face get(const std::string& face, float size) {
        if (!library_ && FT_Init_FreeType(&library_) != 0) throw std::runtime_error("FreeType init failed");
        FontFile file = ResolveFont(face);
        std::string key = file.path + "#" + std::to_string(file.index);
        auto it = faces_.find(key);
        FT_Face ft = nullptr;
        if (it == faces_.end()) {
            if (FT_New_Face(library_, file.path.c_str(), file.index, &ft) != 0)
                throw std::runtime_error("cannot open font " + file.path);
            faces_[key] = ft;
        } else {
            ft = it->second;
        }
        FT_Set_Char_Size(ft, 0, FT_F26Dot6(std::lround(size * 64)), 72, 72);
        return ft;
    }

private:
    FT_Library library_ = nullptr;
    std::map<std::string, FT_Face> faces_;
};

FaceCache& Faces() {
    thread_local FaceCache cache;
    return cache;
}

// The face that draws `code`: the one asked for, else the Hei face, else the
// Song face (Latin lettering faces have no Chinese characters).
FT_Face FaceFor(unsigned code, const std::string& face, float size) {
    FT_Face ft = Faces().get(face, size);
    if (FT_Get_Char_Index(ft, code) != 0) return ft;
    for (const char* fallback : {"hei", "song"}) {
        FT_Face alt = Faces().get(fallback, size);
        if (FT_Get_Char_Index(alt, code) != 0) return alt;
    }
    return Faces().get(face, size);
}

constexpr FT_Int32 kLoadFlags = FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT;

// A coverage mask the size of the text box, with a margin for outlines and glow.
struct Mask {
    int w = 0, h = 0;
    std::vector<float> a;
    float at(int x, int y) const { return (x < 0 || y < 0 || x >= w || y >= h) ? 0 : a[std::size_t(y) * w + x]; }
};

void StampGlyph(Mask& m, const std::string& face, float size, unsigned code, float penX, float baseline) {
    FT_Face ft = FaceFor(code, face, size);
    if (FT_Load_Char(ft, code, kLoadFlags | FT_LOAD_RENDER) != 0) return;
    const FT_Bitmap& bm = ft->glyph->bitmap;
    int ox = int(std::lround(penX)) + ft->glyph->bitmap_left;
    int oy = int(std::lround(baseline)) - ft->glyph->bitmap_top;
    for (unsigned y = 0; y < bm.rows; ++y)
        for (unsigned x = 0; x < bm.width; ++x) {
            int tx = ox + int(x), ty = oy + int(y);
            if (tx < 0 || ty < 0 || tx >= m.w || ty >= m.h) continue;
            float v = bm.buffer[y * unsigned(bm.pitch) + x] / 255.0f;
            float& d = m.a[std::size_t(ty) * m.w + tx];
            d = std::max(d, v);
        }
}

// Maximum over a disc: grows the mask by `radius` pixels.
Mask Dilate(const Mask& m, float radius) {
    Mask out{m.w, m.h, std::vector<float>(m.a.size())};
    int r = int(std::ceil(radius));
    std::vector<std::pair<int, int>> offsets;
    std::vector<float> weights;
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
            float d = std::sqrt(float(dx * dx + dy * dy));
            if (d > radius + 0.5f) continue;
            offsets.push_back({dx, dy});
            weights.push_back(std::min(1.0f, radius + 0.5f - d));
        }
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) {
            float best = 0;
            for (std::size_t i = 0; i < offsets.size() && best < 1; ++i)
                best = std::max(best, m.at(x + offsets[i].first, y + offsets[i].second) * weights[i]);
            out.a[std::size_t(y) * m.w + x] = best;
        }
    return out;
}

Mask BoxBlur(const Mask& m, int radius) {
    Mask cur = m;
    for (int pass = 0; pass < 3; ++pass) {
        Mask next = cur;
        for (int y = 0; y < m.h; ++y)
            for (int x = 0; x < m.w; ++x) {
                float s = 0;
                for (int k = -radius; k <= radius; ++k) s += cur.at(x + k, y);
                next.a[std::size_t(y) * m.w + x] = s / float(2 * radius + 1);
            }
        for (int y = 0; y < m.h; ++y)
            for (int x = 0; x < m.w; ++x) {
                float s = 0;
                for (int k = -radius; k <= radius; ++k) s += next.at(x, y + k);
                cur.a[std::size_t(y) * m.w + x] = s / float(2 * radius + 1);
            }
    }
    return cur;
}

std::vector<std::string> SplitLines(const std::string& s) {
    std::vector<std::string> lines(1);
    for (char c : s) {
        if (c == '\n') lines.emplace_back();
        else lines.back() += c;
    }
    return lines;
}

}  // namespace

std::vector<unsigned> DecodeUtf8(const std::string& s) {
    std::vector<unsigned> out;
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : 4;
        unsigned code = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
        for (int k = 1; k < len && i + std::size_t(k) < s.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(s[i + std::size_t(k)]) & 0x3F);
        out.push_back(code);
        i += std::size_t(len);
    }
    return out;
}

float GlyphAdvance(unsigned code, const std::string& face, float size) {
    FT_Face ft = FaceFor(code, face, size);
    if (FT_Load_Char(ft, code, kLoadFlags) != 0) return 0;
    return float(ft->glyph->advance.x) / 64.0f;
}

float FaceAscent(const std::string& face, float size) {
    FT_Face ft = Faces().get(face, size);
    return float(ft->size->metrics.ascender) / 64.0f;
}

float MeasureText(const std::string& line, const std::string& face, float size, float tracking) {
    float w = 0;
    for (unsigned code : DecodeUtf8(line)) w += GlyphAdvance(code, face, size) + tracking;
    return w;
}

TextStyle ReadTextStyle(const Json& entry, TextStyle s) {
    s.face = entry.str("face", s.face);
    s.size = float(entry.num("size", s.size));
    if (entry.has("fill")) s.fill = s.fillBottom = ParseColour(entry.str("fill", ""));
    if (entry.has("fillBottom")) s.fillBottom = ParseColour(entry.str("fillBottom", ""));
    if (entry.has("outline")) s.outline = ParseColour(entry.str("outline", ""));
    if (entry.has("glow")) s.glow = ParseColour(entry.str("glow", ""));
    s.outlineWidth = float(entry.num("outlineWidth", s.outlineWidth));
    s.glowRadius = float(entry.num("glowRadius", s.glowRadius));
    std::string align = entry.str("align", "");
    if (align == "left") s.align = 0;
    if (align == "centre" || align == "center") s.align = 1;
    if (align == "right") s.align = 2;
    std::string valign = entry.str("valign", "");
    if (valign == "top") s.valign = 0;
    if (valign == "middle") s.valign = 1;
    if (valign == "bottom") s.valign = 2;
    s.tracking = float(entry.num("tracking", s.tracking));
    s.lineHeight = float(entry.num("lineHeight", s.lineHeight));
    s.shrink = entry.flag("shrink", s.shrink);
    return s;
}

void DrawTextLine(Canvas& canvas, float x, float baseline, const std::string& utf8, const std::string& face,
                  float size, Rgba colour) {
    for (unsigned code : DecodeUtf8(utf8)) {
        FT_Face ft = FaceFor(code, face, size);
        if (FT_Load_Char(ft, code, kLoadFlags | FT_LOAD_RENDER) != 0) continue;
        const FT_Bitmap& bm = ft->glyph->bitmap;
        int ox = int(std::lround(x)) + ft->glyph->bitmap_left;
        int oy = int(std::lround(baseline)) - ft->glyph->bitmap_top;
        for (unsigned y = 0; y < bm.rows; ++y)
            for (unsigned px = 0; px < bm.width; ++px)
                canvas.over(ox + int(px), oy + int(y), colour, bm.buffer[y * unsigned(bm.pitch) + px] / 255.0f);
        x += float(ft->glyph->advance.x) / 64.0f;
    }
}

void DrawText(Canvas& canvas, Rect box, const std::string& utf8, const TextStyle& style) {
    std::vector<std::string> lines = SplitLines(utf8);
    float size = style.size;
    auto lineStep = [&](float sz) { return style.lineHeight > 0 ? style.lineHeight * sz / style.size : sz * 1.25f; };
    float margin = style.outlineWidth + float(style.glowRadius) * 2;
    if (style.shrink) {
        for (int guard = 0; guard < 40; ++guard) {
            float widest = 0;
            for (const auto& l : lines) widest = std::max(widest, MeasureText(l, style.face, size, style.tracking));
            float tall = lineStep(size) * float(lines.size() - 1) + size * 1.1f;
            float avail = float(box.w) - 2 * style.outlineWidth;
            if ((widest <= avail && tall <= float(box.h) + 1) || size < 6) break;
            size *= 0.94f;
        }
    }
    int pad = int(std::ceil(margin)) + 2;
    Mask mask{box.w + 2 * pad, box.h + 2 * pad, {}};
    mask.a.assign(std::size_t(mask.w) * mask.h, 0);

    FT_Face ft = Faces().get(style.face, size);
    float ascent = float(ft->size->metrics.ascender) / 64.0f;
    float descent = -float(ft->size->metrics.descender) / 64.0f;
    float step = lineStep(size);
    float blockH = step * float(lines.size() - 1) + ascent + descent;
    float top = style.valign == 0 ? 0 : style.valign == 1 ? (float(box.h) - blockH) / 2 : float(box.h) - blockH;
    std::vector<std::pair<float, float>> lineSpans;  // top and bottom of each line, for the gradient
    for (std::size_t i = 0; i < lines.size(); ++i) {
        float w = MeasureText(lines[i], style.face, size, style.tracking);
        float x = style.align == 0 ? style.outlineWidth
                : style.align == 1 ? (float(box.w) - w) / 2
                                   : float(box.w) - w - style.outlineWidth;
        float baseline = top + ascent + step * float(i);
        lineSpans.push_back({baseline - ascent * 0.8f + float(pad), baseline + float(pad)});
        for (unsigned code : DecodeUtf8(lines[i])) {
            StampGlyph(mask, style.face, size, code, x + float(pad), baseline + float(pad));
            x += GlyphAdvance(code, style.face, size) + style.tracking;
        }
    }

    auto composite = [&](const Mask& m, auto colourAt, bool additive) {
        for (int y = 0; y < m.h; ++y)
            for (int x = 0; x < m.w; ++x) {
                float a = m.a[std::size_t(y) * m.w + x];
                if (a <= 0) continue;
                int tx = box.x + x - pad, ty = box.y + y - pad;
                if (additive) canvas.add(tx, ty, colourAt(y), a);
                else canvas.over(tx, ty, colourAt(y), a);
            }
    };
    if (style.glowRadius > 0 && style.glow.a > 0) {
        Mask glow = BoxBlur(Dilate(mask, style.glowRadius * 0.5f), std::max(1, int(style.glowRadius / 2)));
        composite(glow, [&](int) { return style.glow; }, true);
    }
    if (style.outlineWidth > 0 && style.outline.a > 0)
        composite(Dilate(mask, style.outlineWidth), [&](int) { return style.outline; }, false);
    composite(
        mask,
        [&](int y) {
            float fy = float(y);
            for (const auto& span : lineSpans)
                if (fy <= span.second + 2) return Mix(style.fill, style.fillBottom, Clamp01((fy - span.first) / (span.second - span.first)));
            return style.fillBottom;
        },
        false);
}

}  // namespace korvid::packgen
