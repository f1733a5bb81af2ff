// Digits, seconds, alphas and the glyph sprite the HUD draws them with.
#include <algorithm>
#include <cstdio>

#include "game/Game.h"
#include "play/Hud.h"

namespace korvid {

int SplitDigits(std::int64_t n, int (&digits)[kMaxDigits]) {
    if (n < 0) n = 0;
    int reversed[kMaxDigits];
    int count = 0;
    do {
        reversed[count++] = static_cast<int>(n % 10);
        n /= 10;
    } while (n > 0 && count < kMaxDigits);
    for (int i = 0; i < count; ++i) digits[i] = reversed[count - 1 - i];
    return count;
}

Seconds FramesAsSeconds(int frames) {
    if (frames < 0) frames = 0;
    // The fraction is sixtieths stretched by 1.334, not hundredths.
    return Seconds{frames / 60, static_cast<int>((frames % 60) * 1.334)};
}

std::string BossTimerText(int frames) {
    const Seconds t = FramesAsSeconds(std::clamp(frames, 0, kBossTimerMax));
    char text[8];
    std::snprintf(text, sizeof text, "%02d.%02d", t.whole, t.fraction);
    return text;
}

std::uint32_t WithAlpha(int alpha, std::uint32_t rgb) {
    return (static_cast<std::uint32_t>(std::clamp(alpha, 0, 255)) << 24) | (rgb & 0x00FFFFFFu);
}

int HudFadeAlpha(const GameState& s) {
    if (s.stage != 7 || (s.bossPattern() != 88 && !s.stageCleared)) return 255;
    return std::clamp(255 - static_cast<int>(s.bossVarArr[7]), 0, 255);
}

int Faded(int alpha, int fade) { return std::clamp(alpha, 0, 255) * std::clamp(fade, 0, 255) / 255; }

void CreateHudSprites(Game& game) {
    Engine& e = game.engine;
    const GameState& s = game.state;
    game.hudGlyph = std::make_unique<Sprite>(e, s.textures[8], 0, 208, 14, 24);
    game.hudGlyph->SetHotSpot(7, 12);
    game.hudGlyph->SetZ(0.1f);
    game.hudIcon = std::make_unique<Sprite>(e, s.textures[0], 96, 160, 16, 16);
    game.hudIcon->SetHotSpot(8, 8);
    game.hudIcon->SetZ(0.1f);
    game.hudPowerBar = std::make_unique<Sprite>(e, s.textures[2], 276, 308, 108, 12);
    game.hudPowerBar->SetZ(0.1f);
}

void DrawGlyph(Game& game, int glyph, float x, float y, std::uint32_t colour, float scale) {
    if (!game.hudGlyph || glyph < 0) return;
    Sprite& g = *game.hudGlyph;
    g.SetTexture(game.state.textures[8]);
    g.SetTextureRect(static_cast<float>(16 * glyph), 208, 14, 24);
    g.SetHotSpot(7, 12);
    g.SetZ(0.1f);
    g.SetColor(colour);
    g.RenderEx(x, y, 0.0f, scale);
}

}  // namespace korvid
