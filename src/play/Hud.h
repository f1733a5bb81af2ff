// The HUD: the numbers of the side panel (or, in the whole-screen fights,
// a compact overlay in the bottom corners), the boss timer and position
// marker, the spell-card banner and name, the extra boss's cut-in and word
// bullets, and the per-frame rules that live with them.
//
// DrawHud (game/FrameSteps.h) runs on the play frame, the pause frame and the
// replay save screens; the rules run only on the play frame.
#pragma once

#include <cstdint>
#include <string>

namespace korvid {

struct Game;
struct GameState;

// --- numbers ---
inline constexpr int kMaxDigits = 20;
// Decimal digits of n (negative counts as 0), most significant first.
int SplitDigits(std::int64_t n, int (&digits)[kMaxDigits]);
// A frame count as seconds: whole seconds and a two-digit fraction
// ((F mod 60) x 1.334, truncated), so the fraction runs 00..78.
struct Seconds {
    int whole;
    int fraction;
};
Seconds FramesAsSeconds(int frames);
// "25.00" for 1500 frames: the boss timer's text, clamped to 5999 frames.
std::string BossTimerText(int frames);
inline constexpr int kBossTimerMax = 5999;

// ARGB with the alpha clamped to 0..255.
std::uint32_t WithAlpha(int alpha, std::uint32_t rgb);
// The alpha every HUD element is drawn with: 255, or in stage 7 while the
// extra boss fades out, 255 minus its fade value.
int HudFadeAlpha(const GameState& s);
// Scales an element's own alpha by the fade.
int Faded(int alpha, int fade);

// The glyph, icon and power-bar sprites (first title visit).
void CreateHudSprites(Game& game);

// --- rules (play frame only) ---
// Power overflow, full-power timer and extra lives, power decay, the
// boss-timer warning, the extra boss's cut-in hits.
void RunHudRules(Game& game);
// Frames at full power that each give an extra-life item, per difficulty.
bool ExtraLifeAt(int difficulty, int maxPowerFrames);

// --- drawing pieces ---
// Digit glyph d (0..9; 10 the cross; 11 the point) of font1 at (x, y).
void DrawGlyph(Game& game, int glyph, float x, float y, std::uint32_t colour, float scale = 1.0f);
void DrawSidePanelNumbers(Game& game, int fade);
void DrawWideOverlay(Game& game, int fade);
void DrawBossInfo(Game& game, int fade);
void DrawBossTimer(Game& game, float x, float y, int fade);
void DrawSpellCard(Game& game, int fade);
void DrawWordBullets(Game& game);

// The spell-card name's row and width for a boss pattern and difficulty;
// false for a pattern without a name.
bool SpellNameOf(int pattern, int difficulty, int& row, int& width);

// Where the extra boss's cut-in stands at boss timer t (shift 210 in the
// whole-screen fight), and the line past which it hits the player.
struct CutIn {
    float x, y;
    float hitX;  // the player is hit right of this...
    float hitY;  // ...and at or below this
};
CutIn CutInAt(int t, float shift);

}  // namespace korvid
