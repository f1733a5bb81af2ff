// What the HUD shows of a boss: where it is, the time left, and during a
// spell card its banner and name flying in; in the extra stage also the
// boss's cut-in.
#include <algorithm>
#include <cstdio>

#include "engine/OutlinedSprite.h"
#include "game/Game.h"
#include "play/Hud.h"

namespace korvid {

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF, kRed = 0xFF0000;
constexpr int kGlyphPoint = 11;
constexpr int kSecondBossType = 35;  // an ordinary slot 0 enemy that is a second boss

struct SpellName {
    int pattern;
    int row;
    int width;         // all difficulties...
    int widthByDiff[3];  // ...unless one of these is above 0
};

constexpr SpellName kSpellNames[] = {
    {5, 0, 230, {120, 0, 0}},    {7, 1, 250, {90, 0, 0}},       {10, 2, 140, {}},
    {12, 3, 120, {}},            {13, 4, 200, {195, 185, 185}}, {14, 5, 140, {}},
    {16, 6, 120, {}},            {18, 7, 160, {120, 0, 0}},     {20, 8, 110, {160, 0, 0}},
    {21, 9, 240, {160, 160, 0}}, {23, 10, 160, {}},             {24, 11, 130, {145, 0, 0}},
    {26, 12, 145, {180, 180, 0}}, {28, 13, 160, {}},            {29, 14, 160, {}},
    {30, 15, 190, {}},           {38, 17, 80, {120, 0, 0}},     {40, 21, 120, {}},
    {42, 18, 250, {}},           {44, 19, 190, {90, 0, 0}},     {45, 22, 155, {0, 190, 120}},
    {46, 23, 155, {120, 0, 0}},  {47, 24, 125, {}},             {48, 25, 185, {170, 0, 0}},
    {49, 26, 185, {170, 0, 0}},  {50, 27, 140, {120, 0, 0}},    {51, 28, 210, {150, 0, 0}},
    {52, 29, 195, {115, 0, 0}},  {53, 30, 120, {}},             {54, 31, 110, {150, 0, 0}},
    {55, 32, 175, {145, 0, 0}},  {56, 33, 155, {125, 0, 0}},    {57, 34, 170, {}},
    {58, 35, 190, {115, 0, 0}},  {59, 36, 120, {145, 0, 0}},    {60, 37, 120, {75, 0, 90}},
    {61, 38, 90, {}},            {63, 39, 145, {0, 160, 0}},    {65, 40, 90, {0, 160, 0}},
    {66, 41, 90, {0, 160, 0}},   {68, 42, 145, {}},             {69, 43, 145, {}},
    {71, 44, 0, {}},             {73, 45, 130, {}},             {75, 46, 130, {}},
    {77, 47, 130, {}},           {79, 48, 130, {}},             {81, 49, 130, {}},
    {83, 50, 130, {}},           {85, 51, 130, {}},             {87, 52, 130, {}},
    {88, 54, 160, {}},           {153, 54, 145, {}},
};

// Where the top of the field stands during a fight, so that no piece covers
// another at any name width (at most the banner's 256): the timer at the
// top left, the "Spell Card" banner at the top right, the card's name right
// under the banner, ending where the banner ends.
constexpr float kTimerX = 26, kTimerY = 18;
constexpr float kBannerX = 160, kBannerY = 6, kBannerW = 256, kBannerH = 40;
constexpr float kNameRight = kBannerX + kBannerW, kNameY = kBannerY + kBannerH + 2;
constexpr float kNameScale = 0.96f, kNameH = 19;

bool playerUnder(const GameState& s, float x0, float x1, float y0, float y1) {
    return s.playerX > x0 && s.playerX < x1 && s.playerY > y0 && s.playerY < y1;
}

void drawMarker(Game& game, float x, int fade) {
    if (!game.hudGlyph) return;
    Sprite& m = *game.hudGlyph;
    m.SetTexture(game.state.textures[8]);
    m.SetTextureRect(216, 240, 40, 16);
    m.SetHotSpot(0, 0);
    m.SetZ(0.05f);
    m.SetColor(WithAlpha(fade, kWhite));
    m.RenderEx(x - 20, 462, 0.0f, 1.0f, 1.2f);
}

void drawBanner(Game& game, int t, float shift, int fade) {
    const GameState& s = game.state;
    if (t < 91 || !game.hudGlyph) return;
    int alpha = t <= 170 ? 3 * (t - 90) : 255;
    if (t > 170 && s.playerY < 48) alpha = 55;
    Sprite& b = *game.hudGlyph;
    b.SetTexture(s.textures[8]);
    b.SetTextureRect(0, 88, kBannerW, kBannerH);
    b.SetHotSpot(0, 0);
    b.SetZ(0.11f);
    b.SetColor(WithAlpha(Faded(alpha, fade), kWhite));
    b.Render(kBannerX + shift, kBannerY);
}

void drawName(Game& game, int t, float shift, int fade) {
    GameState& s = game.state;
    int row = 0, width = 0;
    if (t < 1 || !game.uiSprite || !SpellNameOf(s.bossPattern(), s.difficulty, row, width)) return;
    const int e = std::min(s.difficulty, 2);
    const double texX = row <= 31 ? 0 : 320;
    const double texY = (row <= 31 ? (e + 4 * row + 2) : (e + 4 * row - 126)) * 19.2 - 16;
    const float w = static_cast<float>(width);
    float x = kNameRight - w * kNameScale + shift, y = kNameY, scale = kNameScale;
    int alpha = 255;
    if (t <= 60) {
        x = static_cast<float>(4 * t) - w + 176 + shift;
        y = static_cast<float>(2 * t + 310);
        scale = static_cast<float>(3 - 0.034 * t);
    } else if (t <= 100) {
        y = 430;
    } else if (t <= 160) {
        y = static_cast<float>(430 - 6 * (t - 100));
    } else if (t <= 173) {
        y = std::max(kNameY, static_cast<float>(70 - 2 * (t - 161)));
    } else if (playerUnder(s, x - 8, kNameRight + shift + 8, 0, kNameY + kNameH + 8)) {
        alpha = 55;
    }
    Sprite& name = *game.uiSprite;
    name.SetTexture(s.textures[45]);
    name.SetTextureRect(static_cast<float>(texX), static_cast<float>(texY), w, kNameH);
    name.SetHotSpot(0, 0);
    name.SetZ(0.11f);
    RenderOutlined(name, x, y, scale, WithAlpha(Faded(alpha, fade), kWhite));
    name.SetColor(0xFFFFFFFF);
}

// Under the card's name once it has come to rest: how often the player
// has captured this card of this difficulty out of the times it was
// reached ("history 3/7"; in spell practice, the practice runs).
void drawHistory(Game& game, int t, float shift, int fade) {
    const GameState& s = game.state;
    if (t <= 173 || !game.records || !game.heiFont16) return;
    const CardCounts* c = CardRecord(*game.records, s.bossPattern(), s.difficulty);
    if (!c) return;
    const bool practice = s.spellPracticeCard != 0;
    char text[48];
    std::snprintf(text, sizeof text, "history %d/%d", practice ? c->practiceCaptured : c->captured,
                  practice ? c->practiceReached : c->reached);
    const int alpha = playerUnder(s, kNameRight + shift - 120, kNameRight + shift + 8, 0, kNameY + 2 * kNameH + 8) ? 55 : 255;
    GlyphFont& font = *game.heiFont16;
    font.SetColor(0xFF000000u & (static_cast<std::uint32_t>(Faded(alpha, fade)) << 24));
    font.Print(kNameRight + shift + 1, kNameY + kNameH + 1, kAlignRight, text);
    font.SetColor(WithAlpha(Faded(alpha, fade), kWhite));
    font.Print(kNameRight + shift, kNameY + kNameH, kAlignRight, text);
}

void drawCutIn(Game& game, int t, float shift, int fade) {
    GameState& s = game.state;
    if (s.stage != 7 || s.bossPattern() > 72 || t >= 181 || !game.uiSprite) return;
    const CutIn c = CutInAt(t, shift);
    Sprite& cut = *game.uiSprite;
    cut.SetTexture(s.textures[35]);
    cut.SetTextureRect(0, 0, 250, 400);
    cut.SetHotSpot(0, 0);
    cut.SetZ(0.12f);
    cut.SetColor(WithAlpha(fade, kWhite));
    cut.RenderEx(c.x, c.y, 0.0f, 1.0f, 1.0f);
    cut.SetColor(0xFFFFFFFF);
}

}  // namespace

bool SpellNameOf(int pattern, int difficulty, int& row, int& width) {
    for (const SpellName& n : kSpellNames) {
        if (n.pattern != pattern) continue;
        const int d = std::clamp(difficulty, 0, 2);
        row = n.row;
        width = n.widthByDiff[d] > 0 ? n.widthByDiff[d] : n.width;
        return true;
    }
    return false;
}

void DrawBossTimer(Game& game, float x, float y, int fade) {
    GameState& s = game.state;
    if (s.enemies.slot[kBossSlot].x < 0) return;
    const Seconds t = FramesAsSeconds(std::clamp(s.bossTimeLeft, 0, kBossTimerMax));
    const int glyphs[5] = {t.whole / 10, t.whole % 10, kGlyphPoint, t.fraction / 10, t.fraction % 10};
    const int alpha = playerUnder(s, x - 17, x + 73, y - 30, y + 14) ? 55 : 255;
    const std::uint32_t colour = WithAlpha(Faded(alpha, fade), s.bossTimeLeft <= 600 ? kRed : kWhite);
    for (int i = 0; i < 5; ++i) DrawGlyph(game, glyphs[i], x + 14.0f * static_cast<float>(i), y, colour);
}

void DrawBossInfo(Game& game, int fade) {
    GameState& s = game.state;
    const Enemy& boss = s.enemies.slot[kBossSlot];
    if (!s.enemies.free[kBossSlot] && boss.x >= 12 && boss.x <= 448 && boss.y >= 12 && boss.y <= 480)
        drawMarker(game, boss.x, fade);
    const Enemy& second = s.enemies.slot[0];
    if (!s.enemies.free[0] && second.type == kSecondBossType && second.y >= -32 && second.y <= 480)
        drawMarker(game, second.x, fade);
    DrawBossTimer(game, kTimerX, kTimerY, fade);
}

void DrawSpellCard(Game& game, int fade) {
    GameState& s = game.state;
    const int t = s.bossTimer();
    const float shift = s.wideField ? 210.0f : 0.0f;
    drawBanner(game, t, shift, fade);
    drawName(game, t, shift, fade);
    drawHistory(game, t, shift, fade);
    drawCutIn(game, t, shift, fade);
}

}  // namespace korvid
