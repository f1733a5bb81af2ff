// Stage 1's spell-card backdrop: the sunset picture, and a veil of cloud
// scrolling down over it. Drawn with the shared uiSprite at z 0.9.
#include "game/Game.h"
#include "stages/Stage1.h"

namespace korvid {

void DrawStage1SpellBackdrop(Game& game) {
    Sprite& sp = *game.uiSprite;
    const GameState& s = game.state;
    const int f = s.stageFrame;
    sp.SetTexture(s.textures[39]);
    sp.SetTextureRect(0, 0, 512, 512);
    sp.SetHotSpot(0, 0);
    sp.Render(0, 0);
    sp.SetColor(0x7DFFFFFF);
    sp.SetTexture(s.textures[40]);
    sp.SetTextureRect(0, static_cast<float>((128 - f % 128) * 2), 256, 256);
    sp.RenderEx(0, 0, 0, 2);
    sp.SetColor(0xFFFFFFFF);
}

}  // namespace korvid
