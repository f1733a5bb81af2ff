// Stage 3's spell-card backdrops, drawn with the shared uiSprite at z 0.9.
// The mid-boss's card (14) turns a great rune disc over the field and is
// also where its time stop takes hold: while the boss's freeze value is
// exactly 1 the disc is grey, the stage clock is held (the frame's advance
// taken back) and timeStop is set; otherwise the disc is white and time
// flows. The boss's cards turn a faint circle over the field, card 18 over
// a night landscape.
#include <cmath>
#include <cstdlib>

#include "game/Game.h"
#include "stages/Stage3.h"

namespace korvid {

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kGrey = 0xFF7D7D7Du;

void timeStopDisc(Game& game) {
    GameState& s = game.state;
    Sprite& sp = *game.uiSprite;
    const bool frozen = s.enemies.slot[kBossSlot].auxC == 1.0f;
    if (frozen) {
        s.stageFrame -= 1;
        s.timeStop = 1;
    } else {
        s.timeStop = 0;
    }
    const int f = s.stageFrame;
    const int g = std::abs(f % 480 - 240);
    sp.SetColor(frozen ? kGrey : kWhite);
    sp.SetTexture(s.textures[39]);
    sp.SetTextureRect(0, 0, 256, 256);
    sp.SetHotSpot(static_cast<float>(0.2 * g + 120), static_cast<float>(0.2 * g + 120));
    sp.RenderEx(224, 210, static_cast<float>((f % 720) / 114.6), static_cast<float>(2.8 + 0.001 * g));
    sp.SetColor(0x7DFFFFFFu);
}

void bossCircle(Game& game) {
    const GameState& s = game.state;
    Sprite& sp = *game.uiSprite;
    const int f = s.stageFrame;
    if (s.bossPattern() == 18) {
        sp.SetTexture(s.textures[35]);
        sp.SetTextureRect(80, 0, 480, 320);
        sp.SetHotSpot(160, 160);
        sp.RenderEx(224, 240, 0, 1.2f, 1.5f);
    }
    sp.SetTexture(s.textures[40]);
    sp.SetColor(0x4BFFFFFFu);
    sp.SetHotSpot(255, 239);
    sp.SetTextureRect(0, 0, 510, 479);
    sp.RenderEx(224, 240, static_cast<float>((f % 1800) / 5.0 / 57.3), 0.9f);
}

}  // namespace

void DrawStage3SpellBackdrop(Game& game) {
    if (game.state.bossPattern() == 14) {
        timeStopDisc(game);
    } else {
        bossCircle(game);
    }
}

}  // namespace korvid
