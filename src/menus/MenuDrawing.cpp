#include <algorithm>

#include "game/Game.h"
#include "menus/TitleMenus.h"

namespace korvid {

void DrawMenuRect(Game& game, std::uint32_t texture, float x, float y, float w, float h, float atX, float atY,
                  std::uint32_t color, float scale) {
    Sprite& ui = *game.uiSprite;
    ui.SetTexture(texture);
    ui.SetTextureRect(x, y, w, h);
    ui.SetHotSpot(0, 0);
    ui.SetZ(0.1f);
    ui.SetColor(color);
    ui.RenderEx(atX, atY, 0, scale);
}

void SetSubMenuTexture(Game& game, const char* file) {
    GameState& s = game.state;
    if (s.subMenuTexture) game.engine.Texture_Free(s.subMenuTexture);
    s.subMenuTexture = file ? game.engine.Texture_Load(file) : 0;
}

void DrawSlidingCard(Game& game, int s) {
    const GameState& st = game.state;
    const float slide = static_cast<float>(s);
    DrawMenuRect(game, st.cardTexture, 0, static_cast<float>(4 + 160 * st.difficulty), 320, 160, 160 - 4.5f * slide,
                 160 + 6.1f * slide, kMenuSelected, 1 - 0.01f * slide);
}

}  // namespace korvid
