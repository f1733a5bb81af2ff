#include "menus/MenuText.h"

#include "engine/GlyphFont.h"
#include "engine/Utf8.h"
#include "game/Game.h"

namespace korvid {

namespace {

GlyphFont* fontOf(Game& game, MenuFont font) {
    switch (font) {
        case MenuFont::Box14: return game.songFont14.get();
        case MenuFont::List16: return game.heiFont16.get();
        case MenuFont::Outline18: return game.heiFont18.get();
    }
    return nullptr;
}

// The boxes' text is black on their white tile.
class GlyphBoxFont final : public BoxFont {
public:
    explicit GlyphBoxFont(GlyphFont* font) : font_(font) {}
    float Height() const override { return font_ ? font_->GetHeight() : 14; }
    void DrawLine(float x, float y, std::u32string_view line) override {
        if (!font_) return;
        font_->SetColor(0xFF000000);
        font_->Print(x, y, kAlignLeft, EncodeUtf8(line));
    }

private:
    GlyphFont* font_;
};

// The width of a line laid out by the face's own advances: half-width
// characters (below U+2000) take their own advance, the others the grid's
// full height, as the grid gives them.
float spacedAdvance(GlyphFont& font, char16_t c) {
    if (c >= 0x2000) return font.LayoutAdvance(c) + font.GetTracking();
    const GlyphInfo& g = font.Glyph(c);
    return (g.exists ? g.advance : font.LayoutAdvance(c)) + font.GetTracking();
}

float spacedWidth(GlyphFont& font, std::u16string_view line) {
    float w = 0;
    for (const char16_t c : line) w += spacedAdvance(font, c);
    return w;
}

// English reads badly on the fixed-pitch grid ("Repl ay"): its lines are
// laid out by the face's own advances, one character at a time.
void drawSpaced(GlyphFont& font, float x, float y, std::string_view utf8, int align) {
    const std::u16string text = Utf16FromUtf8(utf8);
    std::size_t from = 0;
    while (from <= text.size()) {
        std::size_t end = text.find(u'\n', from);
        if (end == std::u16string::npos) end = text.size();
        const std::u16string_view line = std::u16string_view(text).substr(from, end - from);
        const float width = spacedWidth(font, line);
        float penX = align == kAlignCenter ? x - width / 2 : align == kAlignRight ? x - width : x;
        for (std::size_t i = 0; i < line.size(); ++i) {
            font.Render(penX, y, kAlignLeft, line.substr(i, 1));
            penX += spacedAdvance(font, line[i]);
        }
        y += font.GetHeight() + font.GetLineSpacing();
        from = end + 1;
    }
}

}  // namespace

void DrawMenuText(Game& game, MenuFont font, float x, float y, std::string_view utf8, std::uint32_t argb,
                  int align) {
    GlyphFont* f = fontOf(game, font);
    if (!f || utf8.empty()) return;
    f->SetColor(argb);
    if (game.language == 1) drawSpaced(*f, x, y, utf8, align);
    else f->Print(x, y, align, utf8);
}

void DrawOutlinedText(Game& game, MenuFont font, float x, float y, std::string_view utf8, std::uint32_t argb,
                      int align) {
    const std::uint32_t black = 0xFF000000u & (argb | 0x00FFFFFFu);
    DrawMenuText(game, font, x - 1, y, utf8, black, align);
    DrawMenuText(game, font, x, y - 1, utf8, black, align);
    DrawMenuText(game, font, x + 1, y, utf8, black, align);
    DrawMenuText(game, font, x, y + 1, utf8, black, align);
    DrawMenuText(game, font, x, y, utf8, argb, align);
}

const char* Say(const Game& game, const char* chinese, const char* english) {
    return game.language == 1 ? english : chinese;
}

std::unique_ptr<BoxFont> MakeTextBoxFont(Game& game) {
    return std::make_unique<GlyphBoxFont>(game.songFont14.get());
}

}  // namespace korvid
