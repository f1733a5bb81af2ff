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

}  // namespace

void DrawMenuText(Game& game, MenuFont font, float x, float y, std::string_view utf8, std::uint32_t argb) {
    GlyphFont* f = fontOf(game, font);
    if (!f || utf8.empty()) return;
    f->SetColor(argb);
    f->Print(x, y, kAlignLeft, utf8);
}

void DrawOutlinedText(Game& game, MenuFont font, float x, float y, std::string_view utf8, std::uint32_t argb) {
    const std::uint32_t black = 0xFF000000u & (argb | 0x00FFFFFFu);
    DrawMenuText(game, font, x - 1, y, utf8, black);
    DrawMenuText(game, font, x, y - 1, utf8, black);
    DrawMenuText(game, font, x + 1, y, utf8, black);
    DrawMenuText(game, font, x, y + 1, utf8, black);
    DrawMenuText(game, font, x, y, utf8, argb);
}

const char* Say(const Game& game, const char* chinese, const char* english) {
    return game.language == 1 ? english : chinese;
}

std::unique_ptr<BoxFont> MakeTextBoxFont(Game& game) {
    return std::make_unique<GlyphBoxFont>(game.songFont14.get());
}

}  // namespace korvid
