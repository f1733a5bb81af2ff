// The aura particles each boss sheds every frame (or every few frames), by
// pattern id. Every particle is an additive effect at z 0.88 placed around
// the boss as it stands before this frame's move; where a row scatters its
// particles each one draws its own rand().
#include "bosses/BossDriver.h"

#include <cstdlib>

#include "game/Game.h"
#include "play/Spawn.h"

namespace korvid {

namespace {

enum class Place {
    Scatter,  // c = rand() % spread - spread / 2 at (x + dx + c / xDiv, y + lift - |c| / yDiv)
    Spin,     // at the boss, turned rand() % 360
    Trio,     // three fixed spots (left, right, below) turned 300, 60 and 0 degrees
    Turning,  // at the boss (or enemy slot 0, the partner), turned 2 degrees a stage frame
};

struct AuraRow {
    int lo, hi;  // pattern ids
    int every;   // stageFrame % every == 0
    int count;
    TexRect rect;
    float scale;
    int kind;
    int secondKind;  // the second half of the particles (the two wing sides)
    EffectColour colour;
    Place place;
    // Scatter
    int spread = 0;
    double xDiv = 1;
    int lift = 0;
    int yDiv = 1;
    int wing = 0;  // the second half sits at +wing, the first at -wing
    // Trio: the y offsets of the upper pair and of the lower spot
    int trioTop = 0, trioBottom = 0;
    bool atPartner = false;  // Turning: at enemy slot 0
};

constexpr AuraRow kAura[] = {
    {1, 7, 1, 5, {33, 0, 0, 32, 32}, 1, 9, 9, {255, 70, 10, 255}, Place::Scatter, 30, 1, 32, 1},
    {14, 14, 1, 4, {33, 0, 64, 32, 32}, 1, 17, 18, {72, 54, 101, 255}, Place::Scatter, 6, 1, 28, 1, 20},
    {15, 21, 1, 3, {33, 0, 0, 32, 32}, 1, 9, 9, {72, 154, 101, 255}, Place::Scatter, 40, 1.5, 32, 2},
    {15, 21, 1, 4, {33, 0, 64, 32, 32}, 1, 17, 18, {72, 154, 101, 255}, Place::Scatter, 6, 1, 0, 1},
    {22, 24, 5, 1, {40, 0, 0, 128, 128}, 0.5f, 21, 21, {255, 255, 155, 75}, Place::Spin},
    {25, 29, 8, 3, {40, 0, 79, 118, 177}, 0.3f, 21, 21, {255, 255, 360, 180}, Place::Trio, 0, 1, 0, 1, 0, -16, 4},
    {33, 33, 5, 1, {36, 277, 64, 235, 235}, 0.2f, 21, 21, {255, 255, 205, 255}, Place::Turning},
    {45, 45, 5, 1, {40, 277, 64, 235, 235}, 0.2f, 21, 21, {255, 255, 205, 255}, Place::Turning},
    {40, 44, 5, 1, {36, 277, 64, 235, 235}, 0.2f, 21, 21, {255, 255, 205, 255}, Place::Turning,
     0, 1, 0, 1, 0, 0, 0, true},
    {37, 44, 8, 3, {36, 262, 417, 250, 94}, 0.3f, 21, 21, {255, 255, 360, 180}, Place::Trio, 0, 1, 0, 1, 0, -16, 4},
    {46, 61, 1, 6, {1, 192, 0, 16, 16}, 1.5f, 9, 9, {255, 255, 55, 0}, Place::Scatter, 50, 1, 44, 2},
    {62, 66, 8, 3, {33, 0, 64, 32, 32}, 1.6f, 21, 21, {255, 255, 360, 180}, Place::Trio, 0, 1, 0, 1, 0, -14, 10},
    {67, 71, 1, 6, {1, 128, 0, 16, 16}, 1.5f, 9, 9, {255, 25, 155, 55}, Place::Scatter, 50, 1, 44, 2},
};

void particle(Game& game, const AuraRow& row, int kind, float x, float y, float angle) {
    SpawnEffect(game, row.rect, x, y, row.scale, row.scale, angle, 0.88f, kind, row.colour, 0, 0);
}

void spawnRow(Game& game, const AuraRow& row) {
    const GameState& s = game.state;
    const Enemy& b = s.enemies.slot[kBossSlot];
    switch (row.place) {
    case Place::Scatter:
        for (int i = 0; i < row.count; ++i) {
            const bool second = i >= row.count / 2 && row.secondKind != row.kind;
            const int dx = row.wing == 0 ? 0 : (second ? row.wing : -row.wing);
            const int c = game.rand() % row.spread - row.spread / 2;
            const float x = static_cast<float>(b.x + dx + c / row.xDiv);
            const float y = b.y + row.lift - std::abs(c) / row.yDiv;
            particle(game, row, second ? row.secondKind : row.kind, x, y, 0);
        }
        break;
    case Place::Spin: {
        const int turn = game.rand() % 360;
        particle(game, row, row.kind, b.x, b.y, static_cast<float>(turn));
        break;
    }
    case Place::Trio:
        particle(game, row, row.kind, b.x - 16, b.y + row.trioTop, 300);
        particle(game, row, row.kind, b.x + 16, b.y + row.trioTop, 60);
        particle(game, row, row.kind, b.x, b.y + row.trioBottom, 0);
        break;
    case Place::Turning: {
        const Enemy& at = row.atPartner ? s.enemies.slot[0] : b;
        particle(game, row, row.kind, at.x, at.y, static_cast<float>(s.stageFrame * 2));
        break;
    }
    }
}

}  // namespace

void SpawnBossAura(Game& game, int id) {
    const int frame = game.state.stageFrame;
    for (const AuraRow& row : kAura) {
        if (id < row.lo || id > row.hi) continue;
        if (row.every > 1 && frame % row.every != 0) continue;
        spawnRow(game, row);
    }
}

}  // namespace korvid
