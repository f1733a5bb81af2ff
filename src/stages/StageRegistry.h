// The stages, one line each: the script the frame driver runs, the enemy
// behaviour types the stage brings, what its boss gate does when a time
// limit runs out, the spell-card backdrop drawn under its bosses, and what
// a start part-way or a fight brought in directly needs set up.
// Adding a stage is its own files plus its line in StageRegistry.cpp.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>

namespace korvid {

struct Game;

using StageStep = void (*)(Game& game);
// Sets the stage up as its skipped cues would have left it for a start
// part-way, the next frame being `frame` (the clock is already set).
using StageJump = void (*)(Game& game, int frame);
using EnemyStep = void (*)(Game& game, int slot);

struct EnemyTypeEntry {
    int type;
    EnemyStep step;
};

// What the boss gate does once a boss's time limit has run out.
enum class TimeOutHp : std::uint8_t {
    Drain,  // hp -= maxHp / 20 every frame (not while the bar refills)
    Zero,   // hp = 0
};
struct TimeOutRule {
    TimeOutHp hp = TimeOutHp::Zero;
    bool raiseToPattern3 = false;  // a pattern below 3 jumps to 3
    int timeLeftAfter = -1;        // bossTimeLeft afterwards; -1 leaves it
};

struct StageLine {
    int stage = 0;
    StageStep script = nullptr;                  // null: nothing runs (not built yet)
    std::span<const EnemyTypeEntry> enemyTypes{};// types this stage introduces
    TimeOutRule timeOut{};
    StageStep spellBackdrop = nullptr;           // drawn under the field during a card
    StageJump jumpInto = nullptr;                // null: a start part-way needs nothing set up
    // The stage clock from which the stage fades, scales or shakes the side
    // panel away (-1: never), so the panel no longer hides the field's edges.
    int panelMovesFrom = -1;
    // A fight brought in at the stage's start (--boss, a spell practice):
    // the scene and the clock the fight has in play, set up as it arrives
    // (the clock names the frame before the next one). Null: none.
    StageStep directFight = nullptr;
};

inline constexpr int kMaxStage = 9;          // stages 1..7 are the game's; 8, 9 free for tests
inline constexpr int kEnemyTypeLimit = 100;  // enemy behaviour types 0..99

// The lines gathered into lookups: by stage number, and by enemy type in one
// step (the enemy update asks for every enemy every frame).
class StageTable {
public:
    // Lines of later parts replace lines of the same stage from earlier
    // ones, and so do their enemy types; lines outside 1..kMaxStage and
    // types outside 0..kEnemyTypeLimit-1 are left out.
    explicit StageTable(std::initializer_list<std::span<const StageLine>> parts);

    // The line of `stage`, or null when it has none.
    const StageLine* line(int stage) const;
    // The behaviour of enemy type `type`, or null.
    EnemyStep enemyStep(int type) const {
        return type >= 0 && type < kEnemyTypeLimit ? types_[type] : nullptr;
    }

private:
    std::array<StageLine, kMaxStage + 1> lines_{};
    std::array<EnemyStep, kEnemyTypeLimit> types_{};
};

// The game's own lines, and the table built from them once.
std::span<const StageLine> BuiltInStageLines();
const StageTable& BuiltInStages();

// The stage lookups of a game (its own table; see game/Rules.h).
const StageTable& Stages(const Game& game);

}  // namespace korvid
