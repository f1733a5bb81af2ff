// Stage 2's spell-card backdrop: the card's picture (texture 38, a rune
// circle on a deep blue night) laid over the sky and fading in over the
// card's first 64 frames, turning slowly about the field's centre; the
// glowing floor keeps drifting in front of it. Drawn with the shared
// uiSprite at z 0.9.
#include <algorithm>

#include "game/Game.h"
#include "stages/Stage2.h"

namespace korvid {

void DrawStage2SpellBackdrop(Game& game) {
    const GameState& s = game.state;
    Sprite& sp = *game.uiSprite;
    const int t = s.bossTimer();
    const int alpha = std::clamp(4 * t, 0, 255);
    sp.SetTexture(s.textures[38]);
    sp.SetTextureRect(0, 0, 512, 512);
    sp.SetHotSpot(256, 256);
    sp.SetColor(static_cast<std::uint32_t>(alpha) << 24 | 0xFFFFFFu);
    sp.RenderEx(224, 240, static_cast<float>((t % 1440) / 4.0 / 57.3), 1.2f);
    sp.SetColor(0xFFFFFFFFu);
    sp.SetHotSpot(0, 0);
}

}  // namespace korvid
