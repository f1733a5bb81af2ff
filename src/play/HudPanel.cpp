// The play counters: on the side panel right of the field, or in the
// whole-screen fights as a compact overlay in the bottom corners.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "game/Game.h"
#include "play/Hud.h"

namespace korvid {

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF, kYellow = 0xFFFF00;
constexpr int kGlyphCross = 10, kGlyphPoint = 11;
constexpr int kScorePlaces = 10, kSmallPlaces = 6;
constexpr int kMaxIcons = 9;
constexpr float kCrossRotation = 1.29144859f;  // float bits 0x3FA54E30
constexpr int kFullPowerDisplayCap = 60000;    // from here every digit shows 9

std::int64_t clampCount(std::int64_t v, std::int64_t most) { return std::clamp<std::int64_t>(v, 0, most); }

// A number in `places` glyph places from x, right-aligned with empty leading
// places; one too long for them shows its first digits in yellow.
void drawScoreRow(Game& game, std::int64_t n, float x, float step, float y, float scale, int fade) {
    int d[kMaxDigits];
    const int count = SplitDigits(n, d);
    const bool tooLong = count > kScorePlaces;
    const std::uint32_t colour = WithAlpha(fade, tooLong ? kYellow : kWhite);
    const int shown = std::min(count, kScorePlaces);
    const int first = kScorePlaces - shown;
    for (int i = 0; i < shown; ++i) DrawGlyph(game, d[i], x + step * static_cast<float>(first + i), y, colour, scale);
}

// Left-aligned, at most `places` digits (the number is clamped to them).
void drawCountRow(Game& game, std::int64_t n, int places, float x, float step, float y, float scale,
                  std::uint32_t colour) {
    std::int64_t most = 1;
    for (int i = 0; i < places; ++i) most *= 10;
    int d[kMaxDigits];
    const int count = SplitDigits(clampCount(n, most - 1), d);
    for (int i = 0; i < count; ++i) DrawGlyph(game, d[i], x + step * static_cast<float>(i), y, colour, scale);
}

void drawIcon(Game& game, float texX, float x, float y, int fade) {
    if (!game.hudIcon) return;
    Sprite& icon = *game.hudIcon;
    icon.SetTexture(game.state.textures[0]);
    icon.SetTextureRect(texX, 160, 16, 16);
    icon.SetHotSpot(8, 8);
    icon.SetZ(0.1f);
    icon.SetColor(WithAlpha(fade, kWhite));
    icon.Render(x, y);
}

void drawPowerBar(Game& game, float x, float y, float hscale, float vscale, int fade) {
    GameState& s = game.state;
    if (!game.hudPowerBar) return;
    Sprite& bar = *game.hudPowerBar;
    const long long frame = std::llabs(static_cast<long long>(s.stageFrame));
    const float power = std::clamp(s.power, 0.0f, 108.0f);
    bar.SetTexture(s.textures[2]);
    bar.SetTextureRect(static_cast<float>(168 + (frame % 216) / 2), s.power >= 84 ? 294.0f : 308.0f, power, 12);
    bar.SetZ(0.1f);
    bar.SetColor(WithAlpha(fade, kWhite));
    bar.RenderEx(x, y, 0.0f, hscale, vscale);
}

// Three seconds digits, the point and one fraction digit.
void drawFullPowerTimer(Game& game, float x, float y, int fade) {
    const GameState& s = game.state;
    if (s.dialogueActive || s.screen == 12 || s.screen == 13) return;  // not under the save screens' slot list
    int digits[5];
    if (s.maxPowerFrames >= kFullPowerDisplayCap) {
        std::fill(std::begin(digits), std::end(digits), 9);
    } else {
        const Seconds t = FramesAsSeconds(s.maxPowerFrames);
        digits[0] = t.whole / 100 % 10;
        digits[1] = t.whole / 10 % 10;
        digits[2] = t.whole % 10;
        digits[4] = t.fraction / 10;
    }
    digits[3] = kGlyphPoint;
    const int alpha = (s.playerX <= 88 && s.playerY >= 432) ? 0x69 : 255;
    const std::uint32_t colour = WithAlpha(Faded(alpha, fade), kWhite);
    for (int i = 0; i < 5; ++i) DrawGlyph(game, digits[i], x + 11.0f * static_cast<float>(i), y, colour, 0.8f);
}

void drawDifficulty(Game& game, float x, float y, int fade) {
    GameState& s = game.state;
    if (!game.uiSprite) return;
    Sprite& label = *game.uiSprite;
    label.SetTexture(s.textures[9]);
    if (s.stage == 7) {
        label.SetTextureRect(258, 460, 80, 20);
    } else {
        label.SetTextureRect(256, static_cast<float>(304 + 16 * std::clamp(s.difficulty, 0, 3)), 80, 16);
    }
    label.SetHotSpot(40, 8);
    label.SetZ(0.05f);
    label.SetColor(WithAlpha(fade, kWhite));
    label.Render(x, y);
}

void drawLives(Game& game, int fade) {
    const GameState& s = game.state;
    if (s.stage == 7 && s.lives < 0) {
        // The extra stage goes on below zero: a cross, the count, one icon.
        if (game.hudGlyph) {
            Sprite& g = *game.hudGlyph;
            g.SetTexture(s.textures[8]);
            g.SetTextureRect(160, 208, 14, 24);
            g.SetHotSpot(7, 12);
            g.SetColor(WithAlpha(fade, kWhite));
            g.RenderEx(510, 102, kCrossRotation, 0.75f);
        }
        int d[kMaxDigits];
        const int count = SplitDigits(-static_cast<std::int64_t>(s.lives), d);
        for (int i = 0; i < count; ++i)
            DrawGlyph(game, d[i], 520 + 11.2f * static_cast<float>(i), 99, WithAlpha(fade, kWhite), 0.8f);
        drawIcon(game, 96, 526 + 11.2f * static_cast<float>(count), 103, fade);
        return;
    }
    for (int i = 0; i < kMaxIcons && i < s.lives; ++i) drawIcon(game, 96, 503 + 16.0f * static_cast<float>(i), 103, fade);
}

void drawBombGauge(Game& game, int fade) {
    const GameState& s = game.state;
    const int gauge = std::clamp(s.bombGauge, 0, 1999);
    const int glyphs[4] = {gauge / 200, kGlyphPoint, gauge / 20 % 10, gauge / 2 % 10};
    const int blink = std::abs(s.stageFrame % 120 - 60) * 4 + 10;
    for (int pass = 0; pass < 2; ++pass) {
        const std::uint32_t colour = WithAlpha(pass == 0 ? fade : Faded(blink, fade), kWhite);
        for (int i = 0; i < 4; ++i) DrawGlyph(game, glyphs[i], 502 + 14.0f * static_cast<float>(i), 124, colour);
    }
}

void drawFrameRate(Game& game, int fade) {
    if (!game.hudGlyph) return;
    GameState& s = game.state;
    Sprite& g = *game.hudGlyph;
    const std::uint32_t colour = WithAlpha(fade, kWhite);
    constexpr float kLabels[3] = {28, 168, 210};
    for (int i = 0; i < 3; ++i) {
        g.SetTexture(s.textures[8]);
        g.SetTextureRect(kLabels[i], 28, 14, 14);
        g.SetHotSpot(7, 12);
        g.SetZ(0.1f);
        g.SetColor(colour);
        g.Render(566 + 14.0f * static_cast<float>(i), 476);
    }
    const int fps = std::clamp(game.engine.Timer_GetFPS() + 2, 0, 62);
    DrawGlyph(game, fps / 10, 608, 464, colour);
    DrawGlyph(game, fps % 10, 622, 464, colour);
}

void drawStage1Tint(Game& game) {
    GameState& s = game.state;
    if (s.stage != 1 || !game.uiSprite) return;
    Sprite& tint = *game.uiSprite;
    tint.SetTexture(s.textures[46]);
    tint.SetTextureRect(0, 0, 480, 480);
    tint.SetHotSpot(0, 0);
    tint.SetZ(0.21f);
    tint.SetColor(WithAlpha(static_cast<int>(s.power * 1.5), kWhite));
    tint.Render(0, 0);
    tint.SetColor(0xFFFFFFFF);
}

// The high-score line: the best saved game of this difficulty and
// character from the start, then this game once it is past it. Shown only:
// the play counter bestScore is left as it is.
std::int64_t shownBest(const Game& game) {
    const GameState& s = game.state;
    const std::int64_t saved = game.records ? BestRecordedScore(*game.records, s.difficulty, s.character) : 0;
    return std::max(s.bestScore, saved);
}

}  // namespace

void DrawSidePanelNumbers(Game& game, int fade) {
    GameState& s = game.state;
    drawStage1Tint(game);
    drawScoreRow(game, shownBest(game), 498, 14, 44, 1.0f, fade);
    drawScoreRow(game, s.score, 498, 14, 68, 1.0f, fade);
    drawLives(game, fade);
    drawBombGauge(game, fade);
    drawCountRow(game, s.panelCounter, kSmallPlaces, 502, 14, 147, 1.0f, WithAlpha(fade, kWhite));
    drawCountRow(game, s.grazeCount, kSmallPlaces, 502, 14, 171, 1.0f, WithAlpha(fade, kWhite));
    drawPowerBar(game, 498, 193, 1.0f, 1.0f, fade);
    drawPowerBar(game, 34, 452, 0.5f, 0.6f, fade);
    drawFullPowerTimer(game, 36, 438, fade);
    drawFrameRate(game, fade);
    drawDifficulty(game, 528, 24, fade);
}

void DrawWideOverlay(Game& game, int fade) {
    GameState& s = game.state;
    if (s.screen >= 12) return;
    DrawBossTimer(game, 291, 48, fade);
    drawScoreRow(game, s.score, 12, 11.2f, 418, 0.8f, fade);
    drawCountRow(game, s.grazeCount, kSmallPlaces, 12, 11.2f, 433, 0.8f, WithAlpha(fade, kWhite));
    for (int i = 0; i < kMaxIcons && i < s.lives; ++i) drawIcon(game, 96, 623 - 16.0f * static_cast<float>(i), 443, fade);
    const int bombs = std::clamp(s.bombGauge, 0, 1999) / 200;
    for (int i = 0; i < bombs; ++i) drawIcon(game, 160, 623 - 16.0f * static_cast<float>(i), 463, fade);
    drawFullPowerTimer(game, 12, 448, fade);
    drawPowerBar(game, 10, 462, 0.5f, 0.6f, fade);
    drawDifficulty(game, 608, 423, fade);
}

}  // namespace korvid
