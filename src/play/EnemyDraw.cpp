#include "play/EnemyDraw.h"

#include <cmath>
#include <cstdlib>

#include "game/Game.h"
#include "play/Spawn.h"

namespace korvid {

namespace {

std::uint32_t argb(int a, int r, int g, int b) {
    auto c = [](int v) { return static_cast<std::uint32_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); };
    return (c(a) << 24) | (c(r) << 16) | (c(g) << 8) | c(b);
}

float radians(double degrees) { return static_cast<float>(degrees / 57.3); }

// Without pictures (`seen` false) nothing is coloured or drawn, and a step
// skips the cells and hot spots it sets afresh before each of its pictures.
// What it leaves on the sprite for a later frame's picture it still sets.
struct Ctx {
    Game& game;
    Enemy& e;
    SpriteData& spr;
    int clock;
    bool seen;

    void rect(int x, int y, int w, int h) {
        sprite::SetTextureRect(spr, static_cast<float>(x), static_cast<float>(y), static_cast<float>(w),
                               static_cast<float>(h), true);
    }
    void hot(float x, float y) { sprite::SetHotSpot(spr, x, y); }
    void colour(std::uint32_t c) {
        if (seen) sprite::SetColor(spr, c);
    }
    void texture(int index) { sprite::SetTexture(game.engine, spr, game.state.textures[index]); }
    void draw(float x, float y, float rot, float sx, float sy) {
        if (seen) sprite::RenderEx(game.engine, spr, x, y, rot, sx, sy);
    }
    void drawPlain(float x, float y) {
        if (seen) sprite::Render(game.engine, spr, x, y);
    }
    // Column n of the first-cell row: 4 animation cells, then 4 banking
    // cells, then 4 full-bank cells.
    void cell(int column) { rect(e.texX + column * e.texW, e.texY, e.texW, e.texH); }
    int animColumn() const { return (clock % 32) / 8; }
};

// Greyed-in arrival of stage-4 enemies spawned with a negative timer.
std::uint32_t arrivalColour(const Enemy& e) {
    if (e.timer < -60) return argb(e.alpha, 0, 0, 0);
    const int v = static_cast<int>(std::trunc(240 - 4 * std::abs(e.timer)));
    return argb(e.alpha, v, v, v);
}

// --- case 1: stage 4, a stage-sheet layer under the common-sheet body ---

float stage4Rotation(const Enemy& e) {
    if (e.type != 18 && e.type != 21) return 0;
    return radians(std::trunc(e.angle + 180.0f));
}

// The stage-sheet pictures under the body, by type: the cell, the hot spot
// (negative: the spawn's centred one is kept) and how it is drawn.
enum class Layer { Plain, Turned, Scaled };
struct LayerCell {
    int type;
    int x, y, w, h;
    float hotX, hotY;
    Layer how;
};
constexpr LayerCell kStage4Layers[] = {
    {17, 0, 0, 64, 48, 32, 28, Layer::Plain},  {18, 0, 0, 64, 48, 32, 28, Layer::Turned},
    {19, 0, 48, 64, 48, -1, -1, Layer::Plain}, {20, 0, 0, 64, 48, -1, -1, Layer::Plain},
    {21, 64, 0, 128, 48, 64, 28, Layer::Turned}, {25, 0, 0, 64, 48, 32, 28, Layer::Scaled},
};

// Type 20's six satellites turning around it.
void drawSatellites(Ctx& c) {
    c.rect(0, 96, 32, 32);
    c.hot(16, 64);
    for (int j = 0; j < 6; ++j) c.draw(c.e.x, c.e.y, radians(4 * c.e.timer + 60 * j), 1, 1);
}

void stage4FirstLayer(Ctx& c) {
    Enemy& e = c.e;
    if (e.texW <= 200) c.texture(36);
    switch (e.texY) {
        case 288: c.colour(argb(e.alpha, 0, 255, 255)); break;
        case 320: c.colour(argb(e.alpha, 255, 0, 255)); break;
        default: c.colour(argb(e.alpha, 255, 255, 255)); break;
    }
    for (const LayerCell& l : kStage4Layers) {
        if (l.type != e.type) continue;
        c.rect(l.x, l.y, l.w, l.h);
        if (l.hotX >= 0) c.hot(l.hotX, l.hotY);
        switch (l.how) {
            case Layer::Plain: c.drawPlain(e.x, e.y); break;
            case Layer::Turned: c.draw(e.x, e.y, stage4Rotation(e), 1, 1); break;
            case Layer::Scaled:
                if (e.timer < 0) c.colour(arrivalColour(e));
                c.draw(e.x, e.y, 0, e.scaleX, e.scaleY);
                break;
        }
        if (e.type == 20) drawSatellites(c);
    }
}

void drawStage4(Ctx& c) {
    Enemy& e = c.e;
    e.tilt = 0;
    stage4FirstLayer(c);
    c.colour(EnemyHealthColour(e.alpha, e.hp, e.maxHp, e.timer));
    if (e.texW <= 200) {
        c.texture(6);
        c.hot(static_cast<float>(e.texW / 2), static_cast<float>(e.texH / 2));
    }
    if (e.texW >= 200) c.rect(e.texX, e.texY, e.texW, e.texH);
    else c.cell(c.animColumn());
    if (e.timer < 0) c.colour(arrivalColour(e));
    c.draw(e.x, e.y, stage4Rotation(e), e.scaleX, e.scaleY);
}

// --- case 2: orbs, a core inside two counter-turning rings ---

void drawOrb(Ctx& c) {
    Enemy& e = c.e;
    e.tilt = 0;
    if (!c.seen) return;  // every cell and the blend are set before each picture
    sprite::SetBlendMode(c.spr, BLEND_DEFAULT);
    const float spin = static_cast<float>(c.clock / 7.3);
    c.rect(e.texX + 128, e.texY + 32, 32, 32);
    c.draw(e.x + 1, e.y, -spin, e.scaleX * 1.6f, e.scaleX * 1.6f);
    c.draw(e.x + 1, e.y, spin, e.scaleX, e.scaleY);
    c.rect(e.texX, e.texY, 32, 32);
    c.draw(e.x, e.y, -spin, e.scaleX, e.scaleY);
}

// --- case 3: type 24, a walker with two arms ---

void drawWalker(Ctx& c) {
    if (!c.seen) return;  // every cell and hot spot are set before each picture
    Enemy& e = c.e;
    const int phase = c.clock % 24;
    const int n = phase < 6 ? 1 : (phase < 12 ? 2 : (phase < 18 ? 1 : 0));
    const int half = n / 2;
    c.hot(60, 80);
    c.rect(n * e.texW, e.texY, e.texW, e.texH);
    c.draw(e.x, e.y, 0, e.scaleX, e.scaleY);
    c.rect(446, 357, 54, 143);
    c.hot(27, 24);
    const float sx = 0.7f * e.scaleX, sy = 0.7f * e.scaleY;
    c.draw(e.x - 48 + half, e.y - half, radians(e.auxD - half), sx, sy);
    c.draw(e.x + 48 - half, e.y - half, radians(half - e.auxC), sx, sy);
}

// --- case 4: type 28, the stage-4 set piece seen from its cockpit ---

void drawSetPiece(Ctx& c) {
    Enemy& e = c.e;
    GameState& s = c.game.state;
    if (c.seen) {
        c.rect(1500, 0, 177, 173);
        c.hot(88, 86);
        const float h = e.timer < 61 ? static_cast<float>(0.015 * e.timer) : 0.9f;
        c.draw(90, 300, 0, h, 1.8f);
    }
    // Flames are effects drawn by the effect pool: their random heights are
    // part of the game even when no picture is made.
    for (int k = 0; k < 4; ++k) {
        const int y = c.game.rand() % 200 + 218;
        SpawnEffect(c.game, {19, 0, 192, 64, 64}, 75, static_cast<float>(y), 0.8f, 0.8f, 0, 0.84f, 2,
                    {255, 251, 121, 0}, 0, 2);
    }
    if (!c.seen) return;  // the window's cell and hot spot are set before each picture
    // The open part of the window: a rectangle the stage-4 boss keeps in
    // bossVar 1..4 (x, y, width, height).
    c.hot(700, 150);
    c.rect(static_cast<int>(s.bossVar[1]), static_cast<int>(s.bossVar[2]), static_cast<int>(s.bossVar[3]),
           static_cast<int>(s.bossVar[4]));
    c.draw(e.x, e.y, 0, e.scaleX, e.scaleY);
}

// --- cases 5 and 6 ---

// Under a stage-6 boss an ordinary enemy is drawn still, in the cell it was
// last given: the only picture that shows a cell set on an earlier frame.
bool drawnStill(const GameState& s) { return s.stage == 6 && s.bossActive; }
bool stillMayFollow(const GameState& s) { return s.stage == 6; }

void drawStill(Ctx& c) {
    c.e.tilt = 0;
    c.draw(c.e.x, c.e.y, 0, c.e.scaleX, c.e.scaleY);
}

void drawCommon(Ctx& c) {
    if (!c.seen && !stillMayFollow(c.game.state)) return;
    Enemy& e = c.e;
    const int tilt = static_cast<int>(std::trunc(e.tilt));
    if (tilt == 0) {
        c.cell(c.animColumn());
        c.draw(e.x, e.y, 0, e.scaleX, e.scaleY);
        return;
    }
    const int lean = std::abs(tilt);
    c.cell(lean == 16 ? 8 + c.animColumn() : 4 + lean / 4);
    c.draw(e.x, e.y, 0, e.tilt <= 0 ? -e.scaleX : e.scaleX, e.scaleY);  // leaning left: mirrored
}

// --- overlays ---

void overlayGlow(Ctx& c) {
    // Its cell is shown later only by a still draw; the blend ends as it began.
    if (!c.seen && !stillMayFollow(c.game.state)) return;
    Enemy& e = c.e;
    sprite::SetBlendMode(c.spr, 0);
    c.rect(e.texX, e.texY - e.texH, e.texW, e.texH);
    const int glow = static_cast<int>(std::trunc(9 * std::abs(e.timer % 40 - 20)));
    c.colour(argb(glow, 0x9B, 0, 0));
    c.draw(e.x, e.y, 0, e.scaleX, e.scaleY);
    sprite::SetBlendMode(c.spr, BLEND_DEFAULT);
}

// Type 61 (card 59's left partner, sheet 38): a canopy of light above it,
// bobbing. The sheet's top-left corner is the boss's own cells, so the
// canopy has its own place on the sheet, right of the sweeping beams. The
// partner's hot spot (the middle of its cell) is put back after.
constexpr int kCanopyX = 712, kCanopyY = 0;

void overlayCanopy(Ctx& c) {
    Enemy& e = c.e;
    c.hot(145.5f, 78);
    c.rect(kCanopyX, kCanopyY, 290, 156);
    const int bob = std::abs(e.timer % 10 - 5) / 2;
    c.draw(e.x, static_cast<float>(e.y - 24 + bob), 0, e.scaleX + 0.02f, e.scaleY);
    c.hot(e.texW / 2.0f, e.texH / 2.0f);
}

}  // namespace

std::uint32_t EnemyHealthColour(int alpha, float hp, float maxHp, int clock) {
    if (hp < maxHp / 8) {
        const int shade = (clock % 8) * 32;
        return argb(alpha, 255, shade, shade);
    }
    return argb(alpha, 255, 255, 255);
}

void DrawEnemy(Game& game, int slot, int clock) {
    GameState& s = game.state;
    Enemy& e = s.enemies.slot[slot];
    Ctx c{game, e, e.sprite, clock, !game.engine.Gfx_OnlyCounts()};
    if (c.seen) c.colour(EnemyHealthColour(e.alpha, e.hp, e.maxHp, clock));
    if (s.stage == 4 && (e.type < 22 || e.type == 25)) drawStage4(c);
    else if (e.texY == 192) drawOrb(c);
    else if (e.type == 24) drawWalker(c);
    else if (e.type == 28) drawSetPiece(c);
    else if (drawnStill(s)) drawStill(c);
    else drawCommon(c);
    if (e.type == 33) overlayGlow(c);
    else if (e.type == 61) overlayCanopy(c);
}

}  // namespace korvid
