// What is drawn under the play field while a boss is present: during a
// spell card the stage's card backdrop (from the stage registry) and, for its
// first frames, the declaration flash. Drawn with the shared uiSprite, cut
// afresh per call.
#include "bosses/ExtraBoss.h"
#include "game/FrameSteps.h"
#include "game/Game.h"
#include "stages/StageRegistry.h"

namespace korvid {

namespace {

void cut(Game& game, int tex, float x, float y, float w, float h) {
    Sprite& sp = *game.uiSprite;
    sp.SetTexture(game.state.textures[tex]);
    sp.SetTextureRect(x, y, w, h);
}

// The card's declaration: a large rune circle sliding away for 186 frames,
// fading out over its last 36.
void declarationFlash(Game& game, int t) {
    if (t > 186) return;
    Sprite& sp = *game.uiSprite;
    const int alpha = t < 150 ? 120 : (55 - 3 * t) & 0xFF;
    cut(game, 41, 0, 0, 544, 512);
    sp.SetZ(0.88f);
    sp.SetColor(static_cast<std::uint32_t>(alpha) << 24 | 0xFFFFFFu);
    sp.RenderEx(static_cast<float>(-t), static_cast<float>(-t), 0, 1.3f);
    sp.SetColor(0xFFFFFFFF);
}

void spellBackdrop(Game& game) {
    GameState& s = game.state;
    Sprite& sp = *game.uiSprite;
    sp.SetZ(0.9f);
    sp.SetBlendMode(BLEND_DEFAULT);
    // Each stage's own backdrop comes with its line in the stage registry.
    const StageLine* line = Stages(game).line(s.stage);
    if (line && line->spellBackdrop) line->spellBackdrop(game);
    sp.SetColor(0xFFFFFFFF);
    sp.SetHotSpot(0, 0);
    declarationFlash(game, s.bossTimer());
}

}  // namespace

void DrawBossBackdrops(Game& game) {
    if (!game.uiSprite) return;
    // Stage 7: the extra boss's pictures and sky, under any card's.
    if (game.state.stage == 7) DrawExtraBossBackdrop(game);
    if (game.state.spellActive == 1) spellBackdrop(game);
}

}  // namespace korvid
