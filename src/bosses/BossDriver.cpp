// The boss slot's frame: aura, the pattern library (unless a conversation
// runs), the pattern clock, movement, banking, colour, animation and drawing.
#include "bosses/BossDriver.h"

#include <cstdint>
#include <cstdlib>

#include "bosses/FightRegistry.h"
#include "game/Game.h"
#include "game/PoolSteps.h"
#include "play/Geometry.h"
#include "play/PatternKit.h"

namespace korvid {

namespace {

// The pattern library, called in this order with the id read at the start
// of the frame: a pattern that switches to an id of a later range does not
// run twice in one frame.
struct PatternRange {
    int lo, hi;
};
// The game's ids end at 88; the last range runs on over the ids the fight
// table keeps free (for fights that tests add).
constexpr PatternRange kRanges[] = {{42, 71}, {1, 41}, {72, kPatternIdLimit - 1}};

void runPatterns(Game& game, int id) {
    for (const PatternRange& r : kRanges) {
        if (id < r.lo || id > r.hi) continue;
        RunPattern(game, id);
    }
}

// While a conversation runs no pattern code does; a few bosses still make
// their entrance.
void dialogueEntrance(Game& game, int id) {
    GameState& s = game.state;
    Enemy& b = s.enemies.slot[kBossSlot];
    if (id == 9) {
        s.bossVar[0] = 180;
        if (b.y < 128) b.y += 8;
    } else if (id == 14) {
        SpeedRamp(game, 5, 60, 1, kBossSlot);
    } else if (id == 15) {
        if (b.alpha < 255) b.alpha += 5;
    }
}

void move(Enemy& b) {
    b.x += DirX(b.angle) * b.speed;
    b.y += DirY(b.angle) * b.speed;
}

bool tiltLocked(const Enemy& b, int id) {
    return b.texW == 128 || (id >= 15 && id <= 21) || (id >= 25 && id <= 40) ||
           ((id == 23 || id == 24) && b.maxHp <= 5000);
}

void bank(Enemy& b, int id) {
    const float side = DirX(b.angle);
    if (b.speed > 0 && side > 0 && b.tilt < 16) b.tilt += 1;
    if (b.speed > 0 && side < 0 && b.tilt > -16) b.tilt -= 1;
    if (side == 0 || b.speed == 0 || b.angle == 180) b.tilt = 0;
    if (tiltLocked(b, id)) b.tilt = 0;
}

int nonNegativeMod(int v, int m) { return ((v % m) + m) % m; }

// The cell: the animation row while level, the tilt row (the sheet's second
// row, from x 0) while banking, a fixed pose whenever texY is above 0.
void chooseCell(Game& game, Enemy& b, int id) {
    const int frame = game.state.stageFrame;
    int x = b.texX, y = b.texY;
    if (b.tilt == 0) {
        const int column = id <= 24 ? (frame % 32) / 8 : (frame % 64) / 16;
        x = b.texX + column * b.texW;
    }
    if (id >= 40 && id <= 96) b.tilt = 0;
    if (b.tilt != 0) {
        const int lean = std::abs(static_cast<int>(b.tilt));
        const int column = lean == 16 ? 3 : lean / 4;
        x = column * b.texW;
        y = b.texH;
    }
    if (b.texY > 0) {
        x = b.texX;
        y = b.texY;
    }
    sprite::SetTextureRect(b.sprite, static_cast<float>(x), static_cast<float>(y), static_cast<float>(b.texW),
                           static_cast<float>(b.texH));
}

void draw(Game& game, Enemy& b) {
    const GameState& s = game.state;
    float scaleX = b.scaleX;
    if (b.angle > 180 && b.texW != 128 && b.texW != 225) scaleX = -scaleX;
    sprite::SetColor(b.sprite, BossColour(b.alpha, b.hp, b.maxHp, b.noHit, b.timer));
    sprite::RenderEx(game.engine, b.sprite, b.x, b.y, static_cast<float>(s.bossRotation / 57.3), scaleX, b.scaleY);
}

}  // namespace

unsigned BossColour(int alpha, float hp, float maxHp, bool noHit, int timer) {
    // The boss timer runs negative between patterns: the pulses use a
    // remainder that never is.
    int r = 255, g = 255, bl = 255;
    if (hp < maxHp / 8.0) {
        r = 255;
        g = bl = nonNegativeMod(timer, 8) * 32;
    }
    if (noHit) r = g = bl = 155 + nonNegativeMod(timer, 10) * 10;
    if (hp <= 0) r = g = bl = static_cast<int>(nonNegativeMod(timer, 10) * 25.5);
    const auto channel = [](int v) { return static_cast<std::uint32_t>(v) & 0xFFu; };
    return channel(alpha) << 24 | channel(r) << 16 | channel(g) << 8 | channel(bl);
}

void BossDriver(Game& game) {
    GameState& s = game.state;
    Enemy& b = s.enemies.slot[kBossSlot];
    const int id = b.type;

    b.angle = NormaliseAngle(b.angle);
    SpawnBossAura(game, id);
    if (s.dialogueActive == 1) {
        dialogueEntrance(game, id);
    } else {
        runPatterns(game, id);
    }
    // A defeat may have freed the slot; the boss is drawn one last time.
    b.timer += 1;
    move(b);
    bank(b, id);
    chooseCell(game, b, id);
    draw(game, b);
}

void RunPattern(Game& game, int id) {
    const FightTable::Found found = Fights(game).find(id);
    if (found.row) RunPatternRow(game, *found.fight, *found.row);
}

}  // namespace korvid
