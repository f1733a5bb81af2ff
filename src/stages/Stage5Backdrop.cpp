// Stage 5's pictures: the lightning of the opening, the corridor (walls,
// shaft, gates) turned and scaled about the screen's top-left corner, the
// boss's approach down the corridor, the tint over section 3c, and the
// card backdrops. Also the corridor geometry the gate count shares.
#include <algorithm>
#include <cmath>

#include "game/Game.h"
#include "stages/Stage5.h"

namespace korvid {

namespace {

constexpr int kCorridorTexture = 34;
constexpr double kDegrees = 57.3;

std::uint32_t white(int alpha) { return static_cast<std::uint32_t>(std::clamp(alpha, 0, 255)) << 24 | 0xFFFFFFu; }

// One corridor piece whose top-left lies at corridor point (u, v): the hot
// spot is minus the point, so the turn and the scale act about the screen's
// corner.
void piece(Sprite& sp, const GameState& s, double u, double v, double scale) {
    sp.SetHotSpot(static_cast<float>(-u), static_cast<float>(-v));
    sp.RenderEx(0, 0, static_cast<float>(s.bgCamTurn / kDegrees), static_cast<float>(scale),
                static_cast<float>(scale));
}

void walls(Sprite& sp, const GameState& s, double yTerm) {
    sp.SetTextureRect(0, 0, 62, 81);
    for (int i = -2; i <= 14; ++i)
        for (int j = -7; j <= 9; ++j) piece(sp, s, 61.5 * i + s.bgCamX, 81.0 * j + s.bgCamY + yTerm, s.bgCamScale);
}

void shaft(Sprite& sp, const GameState& s, double yTerm) {
    sp.SetTextureRect(167, 0, 281, 160);
    for (int i = -2; i <= 3; ++i) piece(sp, s, s.bgCamX + 201.0, 160.0 * i + s.bgCamY + yTerm, s.bgCamScale);
}

// The gates ahead and those passed; under section 4 gate 0 is the closing
// gate. They are drawn at half scale, so their points are doubled.
void gates(Sprite& sp, const GameState& s) {
    const int f = s.stageFrame;
    const bool closing = s.bossActive && s.bossPattern() == 36;
    for (int i = -s.gatesPassed; i <= s.gateRows - 1; ++i) {
        double y = GateTop(s, i) + (f % 8) / 4;
        if (closing && i == 0) {
            sp.SetTextureRect(0, 900, 216, 865);
            y -= 88;
        } else {
            sp.SetTextureRect(0, 160, 216, 708);
        }
        piece(sp, s, 2 * (s.bgCamX + 287.0), 2 * y, s.bgCamScale / 2);
    }
}

void corridor(Sprite& sp, const GameState& s) {
    const int f = s.stageFrame;
    const int alpha = f <= 600 ? static_cast<int>(4.2 * (f - 540)) : 255;
    sp.SetColor(white(alpha));
    walls(sp, s, 5 * (f % 32));
    shaft(sp, s, 8 * (f % 20));
    gates(sp, s);
}

// The boss comes down the corridor: the three approach values grow by
// 1 - t / 100 (real division: the rush slows to rest at t 100) and the
// picture fades over t 101..227. The boss's clock stands while its
// conversation runs. This part of the play runs whether or not anything is
// drawn.
bool approaching(const GameState& s) {
    const int t = s.bossTimer();
    return s.bossActive && s.bossPattern() == 37 && t >= 0 && t <= 227;
}

void approachStep(GameState& s) {
    if (!approaching(s)) return;
    const int t = s.bossTimer();
    if (t <= 100) {
        const double step = 1 - t / 100.0;
        for (float& v : s.bossApproach) v = static_cast<float>(v + step);
    }
    if (s.dialogueActive) s.bossTimer() -= 1;
    if (s.bossApproach[1] > 20) s.bossApproach[1] -= 20;
}

// Drawn with the values after this frame's step; t is the timer before it.
void approach(const GameState& s, Sprite& sp, int t) {
    const int f = s.stageFrame;
    sp.SetColor(t <= 100 ? 0xFFFFFFFFu : white(255 - (2 * t - 200)));
    walls(sp, s, s.bossApproach[0] + (f % 160));
    shaft(sp, s, 8.0 * s.bossApproach[1]);
    sp.SetTextureRect(0, 1800, 448, 103);
    sp.SetHotSpot(0, 0);
    sp.Render(0, static_cast<float>(8.0 * s.bossApproach[2] - 390));
}

// Section 3c's dark veil, only while its body is there (the timer runs to
// -230 after it falls), its alpha clamped to the tint's own.
void tint(Game& game, Sprite& sp) {
    const GameState& s = game.state;
    if (!s.bossActive || s.bossPattern() != 35) return;
    const int t = s.bossTimer();
    const int alpha = t <= 60 ? std::clamp(static_cast<int>(2.4 * t), 0, 0x90) : 0x90;
    sp.SetTexture(s.textures[25]);
    sp.SetTextureRect(120, 104, 8, 8);
    sp.SetHotSpot(0, 0);
    sp.SetColor(static_cast<std::uint32_t>(alpha) << 24 | 0xFFFFFFu);
    sp.RenderEx(0, 0, 0, 60, 60);
}

}  // namespace

int LightningShade(int f) {
    double w;
    if (f >= 0 && f <= 100) w = 5.0 * std::abs(f - 50);
    else if (f >= 160 && f <= 240) w = 6.0 * std::abs(f - 200);
    else if (f >= 280 && f <= 340) w = 8.0 * std::abs(f - 310);
    else if (f >= 370 && f <= 410) w = 12.0 * std::abs(f - 390);
    else if (f >= 430 && f < 540) w = 25.0 * std::abs(((f - 430) % 20) - 10);
    else if (f >= 540 && f <= 600) w = 4.2 * (f - 540);
    else return -1;
    return std::clamp(static_cast<int>(std::trunc(255 - w)), 0, 255);
}

ScreenPoint CorridorToScreen(const GameState& s, double u, double v) {
    const double a = s.bgCamTurn / kDegrees, k = s.bgCamScale;
    return {k * (u * std::cos(a) - v * std::sin(a)), k * (u * std::sin(a) + v * std::cos(a))};
}

ScreenPoint ScreenToCorridor(const GameState& s, double x, double y) {
    const double a = s.bgCamTurn / kDegrees;
    const double k = s.bgCamScale != 0 ? s.bgCamScale : 1;
    return {(x * std::cos(a) + y * std::sin(a)) / k, (-x * std::sin(a) + y * std::cos(a)) / k};
}

double GateTop(const GameState& s, int i) { return 300.0 * i + s.bgCamY + s.stage5Work + 240; }
double GateCentreU(const GameState& s) { return s.bgCamX + 287.0 + 54; }

void CountGates(GameState& s) {
    const ScreenPoint ship = ScreenToCorridor(s, s.playerX, s.playerY);
    const int next = s.gateRows - 1 - s.gatesPassed;
    const double line = GateTop(s, next) + kGateHalfHeight;
    const bool inside = std::fabs(ship.x - GateCentreU(s)) <= kGateOpening;
    const double over = line - ship.y;  // > 0: the ship is above the line
    s.gateFlag = inside && std::fabs(over) <= 24 ? 1 : 0;
    if (inside && over > 0 && over <= 24) s.gatesPassed += 1;
}

// The stage's pictures, every frame before its boss gate.
void DrawStage5Scene(Game& game) {
    GameState& s = game.state;
    const int f = s.stageFrame;
    const int shade = LightningShade(f);
    if (shade >= 0) {
        const auto v = static_cast<std::uint32_t>(shade);
        game.engine.Gfx_Clear(v << 24 | v << 16 | v << 8 | v);
    }
    const int t = s.bossTimer();
    const bool approachShown = approaching(s);
    approachStep(s);
    if (f < 540 || !game.uiSprite) return;
    Sprite& sp = *game.uiSprite;
    sp.SetBlendMode(BLEND_ALPHABLEND);
    sp.SetZ(0.92f);
    sp.SetTexture(s.textures[kCorridorTexture]);
    const int id = s.bossPattern();
    if ((!s.bossActive || id < 37) && f < 90000) {
        corridor(sp, s);
    } else if (approachShown) {
        approach(s, sp, t);
    }
    tint(game, sp);
    sp.SetColor(0xFFFFFFFFu);
    sp.SetHotSpot(0, 0);
}

void DrawStage5SpellBackdrop(Game& game) {
    const GameState& s = game.state;
    if (!s.bossActive) return;
    const int id = s.bossPattern();
    Sprite& sp = *game.uiSprite;
    sp.SetZ(0.89f);
    sp.SetColor(0xFFFFFFFFu);
    if (id == 38 || id == 40 || id == 42) {
        sp.SetTexture(s.textures[35]);
        sp.SetTextureRect(0, 0, 576, 576);
        sp.SetHotSpot(288, 288);
        sp.RenderEx(224, 240, static_cast<float>(((s.stageFrame % 720) / 2.0) / kDegrees), 0.95f, 0.95f);
    } else if (id == 44) {
        sp.SetTexture(s.textures[38]);
        sp.SetTextureRect(0, 0, 480, 480);
        sp.SetHotSpot(240, 240);
        sp.Render(224, 240);
    }
}

}  // namespace korvid
