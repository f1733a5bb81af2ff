// Stage 4's spell-card backdrop: under the mid-boss's cards the card's
// picture fades in over the ground as the card's fade value rises (the
// ground fades out by the same value). The boss's cards keep the ground,
// which scrolls faster under them.
#include "game/Game.h"
#include "stages/Stage4.h"

namespace korvid {

void DrawStage4SpellBackdrop(Game& game) {
    const GameState& s = game.state;
    if (!s.bossActive || s.bossPattern() > 24) return;
    Sprite& sp = *game.uiSprite;
    sp.SetTexture(s.textures[35]);
    sp.SetTextureRect(0, 0, 512, 512);
    sp.SetHotSpot(0, 0);
    sp.SetColor(static_cast<std::uint32_t>(s.bossFade & 0xFF) << 24 | 0xFFFFFFu);
    sp.Render(0, 0);
    sp.SetColor(0xFFFFFFFFu);
}

}  // namespace korvid
