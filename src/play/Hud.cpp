// The HUD's frame: the rules (play frame only), then the side panel or the
// whole-screen overlay, the boss's information, the spell card and the
// extra boss's word bullets.
#include <algorithm>
#include <cstring>

#include "engine/GbkChars.h"
#include "game/FrameSteps.h"
#include "game/Game.h"
#include "play/Hud.h"

namespace korvid {

namespace {

constexpr int kWordBehaviour = 120;

bool wideOverlayShown(const GameState& s) {
    return (s.wideField && s.bossActive) || (s.stage == 6 && s.stageCleared && s.wideFieldFightStarted);
}

}  // namespace

void DrawWordBullets(Game& game) {
    GameState& s = game.state;
    if (s.stage != 7 || !game.heiFont16 || !game.heiFont18) return;
    constexpr std::size_t kPairs = std::tuple_size_v<decltype(s.wordBulletText)> / 2;
    const std::size_t length = strnlen(s.wordBulletText.data(), s.wordBulletText.size());
    char16_t chars[kPairs];
    bool decoded = false;
    const int t = s.bossTimer();
    const float scale = t <= 60 ? static_cast<float>(3 - 0.034 * t) : 1.0f;
    for (int i = 0; i < kEnemyBulletCapacity; ++i) {
        const EnemyBullet& b = s.enemyBullets.slot[i];
        if (s.enemyBullets.free[i] || b.behavior != kWordBehaviour) continue;
        if (!decoded) {
            Utf16FromGbkPairs(s.wordBulletText.data(), length / 2, chars);
            decoded = true;
        }
        // Only a whole character inside the text is shown.
        const double at = static_cast<double>(b.work);
        if (!(at >= 0) || at >= static_cast<double>(length / 2)) continue;
        const char16_t c = chars[static_cast<std::size_t>(at)];
        if (c == 0) continue;
        const char16_t text[1] = {c};
        const std::u16string_view one(text, 1);
        constexpr float kOutline[3][2] = {{0, 0}, {-1, -1}, {1, -1}};
        GlyphFont& outline = *game.heiFont18;
        outline.SetColor(0xFF000000);
        for (const auto& o : kOutline)
            outline.Render(b.x + o[0], b.y + o[1] - 9 * scale, kAlignCenter, one, scale);
        GlyphFont& white = *game.heiFont16;
        white.SetColor(0xFFFFFFFF);
        white.Render(b.x, b.y - 8 * scale, kAlignCenter, one, scale);
    }
}

void DrawHud(Game& game) {
    GameState& s = game.state;
    s.bestScore = std::max(s.bestScore, s.score);
    RunHudRules(game);

    const int fade = HudFadeAlpha(s);
    if (!s.wideField) {
        DrawSidePanelNumbers(game, fade);
        if (s.bossActive) DrawBossInfo(game, fade);
    } else if (wideOverlayShown(s)) {
        DrawWideOverlay(game, fade);
    }
    if (s.bossActive && s.spellActive) DrawSpellCard(game, fade);
    DrawWordBullets(game);
}

}  // namespace korvid
