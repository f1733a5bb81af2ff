#include "menus/MenuText.h"

#include "game/Game.h"

namespace korvid {

// Until the glyph fonts are part of the game, free text is not drawn.
void DrawMenuText(Game&, MenuFont, float, float, std::string_view, std::uint32_t) {}

void DrawOutlinedText(Game& game, MenuFont font, float x, float y, std::string_view utf8, std::uint32_t argb) {
    const std::uint32_t black = 0xFF000000u & (argb | 0x00FFFFFFu);
    DrawMenuText(game, font, x - 1, y, utf8, black);
    DrawMenuText(game, font, x, y - 1, utf8, black);
    DrawMenuText(game, font, x + 1, y, utf8, black);
    DrawMenuText(game, font, x, y + 1, utf8, black);
    DrawMenuText(game, font, x, y, utf8, argb);
}

namespace {
class NoFont final : public BoxFont {
public:
    float Height() const override { return 14; }
    void DrawLine(float, float, std::u32string_view) override {}
};
}  // namespace

std::unique_ptr<BoxFont> MakeTextBoxFont(Game&) { return std::make_unique<NoFont>(); }

}  // namespace korvid
