#include "engine/BitmapFont.h"

#include <cstdio>
#include <cstring>
#include <string_view>

namespace korvid {

namespace {

// Splits the loaded text into lines, dropping a trailing '\r' (CRLF files).
template <typename Fn>
void forEachLine(std::string_view text, Fn fn) {
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!fn(line)) return;
        if (end == text.size()) return;
        pos = end + 1;
    }
}

int hexDigit(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Parses the character after "Char=": a quoted character or a hex code.
// Returns the code and leaves `rest` after it, or -1 for a bad character.
int parseCharCode(std::string_view& rest) {
    std::size_t i = 0;
    while (i < rest.size() && (rest[i] == ' ' || rest[i] == '\t')) ++i;
    if (i >= rest.size()) return -1;
    if (rest[i] == '"') {
        if (i + 1 >= rest.size()) return -1;
        const int code = static_cast<unsigned char>(rest[i + 1]);
        // The closing quote is expected; tolerate its absence.
        std::size_t next = i + 2;
        if (next < rest.size() && rest[next] == '"') ++next;
        rest.remove_prefix(next);
        return code;
    }
    int code = 0;
    std::size_t j = i;
    while (j < rest.size() && hexDigit(static_cast<unsigned char>(rest[j])) >= 0) {
        code = code * 16 + hexDigit(static_cast<unsigned char>(rest[j]));
        if (code > 0xFFFF) code = 0xFFFF;  // bounded: anything above 255 is skipped
        ++j;
    }
    if (j == i) return -1;
    rest.remove_prefix(j);
    return code;
}

}  // namespace

BitmapFont::BitmapFont(Engine& engine, const char* filename) : engine_(&engine) {
    std::uint32_t size = 0;
    void* data = engine.Resource_Load(filename, &size);
    if (!data) return;
    parse(filename, static_cast<const char*>(data));
    engine.Resource_Free(data);
}

BitmapFont::~BitmapFont() {
    if (texture_) engine_->Texture_Free(texture_);
}

void BitmapFont::parse(const char* filename, const char* text) {
    bool first = true;
    forEachLine(std::string_view(text), [&](std::string_view line) {
        if (first) {
            first = false;
            if (line != "[HGEFONT]") {
                engine_->System_Log("Font %s has incorrect format.", filename);
                return false;
            }
            return true;
        }
        if (line.substr(0, 6) == "Bitmap") {
            const std::size_t eq = line.find('=');
            if (eq == std::string_view::npos) return true;
            std::string_view name = line.substr(eq + 1);
            while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
            // "%s" stops at the first blank.
            const std::size_t blank = name.find_first_of(" \t");
            if (blank != std::string_view::npos) name = name.substr(0, blank);
            // Resolved in the font file's own folder.
            std::string path(filename);
            std::size_t slash = path.find_last_of('\\');
            if (slash == std::string::npos) slash = path.find_last_of('/');
            path = (slash == std::string::npos) ? std::string() : path.substr(0, slash + 1);
            path.append(name);
            if (texture_) engine_->Texture_Free(texture_);
            texture_ = engine_->Texture_Load(path.c_str());
            if (!texture_) return false;
            return true;
        }
        if (line.substr(0, 4) == "Char") {
            const std::size_t eq = line.find('=');
            if (eq == std::string_view::npos) return true;
            std::string_view rest = line.substr(eq + 1);
            const int code = parseCharCode(rest);
            if (code < 0 || code > 255) return true;
            const std::string numbers(rest);
            int x, y, w, h, pre, post;
            if (std::sscanf(numbers.c_str(), " , %d , %d , %d , %d , %d , %d", &x, &y, &w, &h, &pre, &post) != 6)
                return true;
            glyphs_[code] = std::make_unique<Sprite>(*engine_, texture_, static_cast<float>(x),
                                                     static_cast<float>(y), static_cast<float>(w),
                                                     static_cast<float>(h));
            glyphs_[code]->SetColor(color_);
            glyphs_[code]->SetZ(z_);
            glyphs_[code]->SetBlendMode(blend_);
            pre_[code] = static_cast<float>(pre);
            post_[code] = static_cast<float>(post);
            if (static_cast<float>(h) > height_) height_ = static_cast<float>(h);
        }
        return true;
    });
}

int BitmapFont::glyphCount() const {
    int n = 0;
    for (const auto& g : glyphs_) n += g ? 1 : 0;
    return n;
}

void BitmapFont::SetColor(std::uint32_t argb) {
    color_ = argb;
    for (auto& g : glyphs_)
        if (g) g->SetColor(argb);
}

void BitmapFont::SetZ(float z) {
    z_ = z;
    for (auto& g : glyphs_)
        if (g) g->SetZ(z);
}

void BitmapFont::SetBlendMode(int mode) {
    blend_ = mode;
    for (auto& g : glyphs_)
        if (g) g->SetBlendMode(mode);
}

void BitmapFont::Render(float x, float y, const char* text) {
    float pen = x;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        Sprite* g = glyphs_[*p].get();
        if (!g) continue;
        pen += pre_[*p];
        g->Render(pen, y);
        pen += g->GetWidth() + post_[*p];
    }
}

}  // namespace korvid
