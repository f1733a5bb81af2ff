// What each enemy type leaves behind when it is shot down: one table of drop
// lists. A list is up to three runs; a run spawns `count` times one piece,
// or a pair of pieces one after the other, each at its own random offset
// (the y offset drawn before the x offset).
#include <array>

#include "game/Game.h"
#include "play/Drops.h"
#include "play/Spawn.h"

namespace korvid {

namespace {

enum class Piece : std::uint8_t {
    None,
    Point,           // kind 1
    BigPoint,        // kind 3
    Gauge,           // kind 2
    PointInBigCell,  // kind 1 drawn with the kind 3 picture
    Refill,          // kind 10
    Popcorn,         // colour-coded by the enemy's sheet row
    Decoy,           // a bullet that looks and falls like an item
    DriftingDecoy,   // a decoy that drifts sideways
};

// Offsets rand() % w - w/2; a range of 0 means exactly at the enemy.
struct Spread {
    int x, y;
};
constexpr Spread kExact{0, 0};
constexpr Spread kClose{64, 64};     // +-32
constexpr Spread kNear{128, 128};    // +-64
constexpr Spread kWide{448, 128};    // +-224, +-64
constexpr Spread kNarrow{96, 64};    // +-48, +-32
constexpr Spread kBroad{180, 64};    // +-90, +-32
constexpr Spread kSquare{96, 96};    // +-48, +-48

struct Run {
    int count = 0;
    Piece first = Piece::None, second = Piece::None;
    Spread spread = kClose;
    bool late = false;  // only from stage frame kLateDecoys on
};

struct DropList {
    std::array<int, 16> types{};  // the enemy types sharing this list (0 ends it)
    std::array<Run, 3> runs{};
};

using P = Piece;
constexpr int kLateDecoys = 3500;

constexpr DropList kDrops[] = {
    {{1}, {{{10, P::Point, P::BigPoint}}}},
    {{2, 5}, {{{1, P::Popcorn, P::None, kExact}}}},
    {{3, 13, 36, 58}, {{{5, P::Point, P::BigPoint}}}},
    {{4}, {{{20, P::Point, P::BigPoint}}}},
    {{6, 10, 11, 14, 16, 17, 18, 22, 23, 25, 26, 46, 48, 61, 62}, {{{1, P::Point, P::BigPoint}}}},
    {{7, 12}, {{{10, P::Point}, {1, P::Gauge}}}},
    {{8, 9}, {{{2, P::Popcorn, P::None, kExact}}}},
    {{15}, {{{10, P::PointInBigCell}, {10, P::Point}, {1, P::Gauge}}}},
    {{20}, {{{5, P::BigPoint}, {2, P::Gauge, P::None, kExact}}}},
    {{21}, {{{10, P::BigPoint}, {2, P::Gauge, P::None, kExact}}}},
    {{24}, {{{25, P::Point}}}},
    {{27, 31, 39, 40}, {{{10, P::BigPoint}, {2, P::Gauge}}}},
    {{28, 29}, {{{3, P::Point, P::BigPoint}}}},
    {{30}, {{{30, P::BigPoint}, {2, P::Gauge}}}},
    {{32, 59}, {{{10, P::BigPoint}, {1, P::Gauge}}}},
    {{33, 34, 51, 60}, {{{30, P::BigPoint}, {10, P::Gauge}}}},
    {{37}, {{{100, P::BigPoint}, {10, P::Gauge}}}},
    {{38, 55, 56}, {{{2, P::Point, P::BigPoint}}}},
    {{41, 52}, {{{20, P::BigPoint}, {4, P::Gauge}}}},
    {{53}, {{{5, P::BigPoint}, {1, P::Gauge}}}},
    {{57}, {{{30, P::BigPoint}, {5, P::Gauge}}}},
    {{63}, {{{1, P::Refill, P::None, kExact}}}},
    {{64}, {{{10, P::Decoy, P::BigPoint, kNear}, {10, P::Decoy, P::None, kNear, true}}}},
    {{65, 67}, {{{80, P::Decoy, P::None, kWide}, {30, P::BigPoint, P::None, kWide}}}},
    {{66, 68}, {{{20, P::Decoy, P::None, kNarrow}}}},
    {{69}, {{{30, P::Decoy, P::None, kNarrow}, {20, P::BigPoint, P::None, kWide}}}},
    {{70}, {{{7, P::DriftingDecoy, P::None, kBroad}, {2, P::BigPoint, P::None, kWide}}}},
    {{71}, {{{8, P::Decoy, P::None, kSquare}, {2, P::BigPoint, P::None, kSquare}}}},
};

const DropList* listFor(int type) {
    if (type <= 0) return nullptr;
    for (const DropList& list : kDrops)
        for (int t : list.types)
            if (t == type) return &list;
    return nullptr;
}

// The popcorn rows 192..288 of the enemy sheet give kinds 7, 5, 3 and 1.
bool popcorn(int texY, TexRect& rect, int& kind) {
    if (texY < 192 || texY > 288) return false;
    kind = (288 - texY) / 32 * 2 + 1;
    rect = {3, (288 - texY) / 2, 96, 16, 16};
    return true;
}

void spawnDecoy(Game& game, float x, float y, float angle, float speed) {
    GameState& s = game.state;
    const int slot = SpawnEnemyBullet(game, {3, 0, 96, 16, 16}, x, y, 1, 1, angle, 0.71f, speed, 117, 255);
    if (slot >= 0) s.enemyBullets.slot[slot].marked = 1;
}

void place(Game& game, const Enemy& e, Piece piece, Spread spread) {
    // The offsets are drawn whether or not a slot is free.
    const int dy = spread.y ? game.rand() % spread.y - spread.y / 2 : 0;
    const int dx = spread.x ? game.rand() % spread.x - spread.x / 2 : 0;
    const float x = e.x + dx, y = e.y + dy;
    switch (piece) {
        case Piece::Point: SpawnItem(game, {3, 0, 96, 16, 16}, x, y, 0, 1); break;
        case Piece::BigPoint: SpawnItem(game, {3, 16, 96, 16, 16}, x, y, 0, 3); break;
        case Piece::Gauge: SpawnItem(game, {3, 32, 96, 16, 16}, x, y, 0, 2); break;
        case Piece::PointInBigCell: SpawnItem(game, {3, 16, 96, 16, 16}, x, y, 0, 1); break;
        case Piece::Refill: SpawnItem(game, {1, 80, 208, 16, 16}, x, y, 0, 10); break;
        case Piece::Popcorn: {
            TexRect rect{};
            int kind = 0;
            if (popcorn(e.texY, rect, kind)) SpawnItem(game, rect, x, y, 0, kind);
            break;
        }
        case Piece::Decoy: spawnDecoy(game, x, y, 0, 0); break;
        case Piece::DriftingDecoy: spawnDecoy(game, x, y, e.alpha == 255 ? 270.0f : 90.0f, 0.4f); break;
        case Piece::None: break;
    }
}

}  // namespace

void DropEnemyItems(Game& game, int slot) {
    const Enemy& e = game.state.enemies.slot[slot];
    const DropList* list = listFor(e.type);
    if (!list) return;
    for (const Run& run : list->runs) {
        if (run.count == 0) break;
        if (run.late && game.state.stageFrame < kLateDecoys) continue;
        for (int n = 0; n < run.count; ++n) {
            place(game, e, run.first, run.spread);
            if (run.second != Piece::None) place(game, e, run.second, run.spread);
        }
    }
}

}  // namespace korvid
