// The stage registry: one line per stage. A stage not built yet has a line
// without a script (nothing runs) so the time-out rules stay in one place.
#include "stages/StageRegistry.h"

#include "game/Game.h"
#include "stages/Stage1.h"
#include "stages/Stage2.h"
#include "stages/Stage3.h"
#include "stages/Stage4.h"
#include "stages/Stage5.h"
#include "stages/Stage6.h"
#include "stages/Stage6Finale.h"
#include "stages/Stage6Train.h"
#include "stages/ExtraBossTypes.h"
#include "stages/Stage7.h"

namespace korvid {

namespace {

constexpr TimeOutRule kDrainAndRaise{TimeOutHp::Drain, true, 0};   // drained within 20 frames
constexpr TimeOutRule kZeroAndRaise{TimeOutHp::Zero, true, 9999};
constexpr TimeOutRule kZero{TimeOutHp::Zero, false, 9999};
constexpr TimeOutRule kZeroEveryFrame{TimeOutHp::Zero, false, -1};  // while the count stays out
constexpr TimeOutRule kDrain{TimeOutHp::Drain, false, 0};

}  // namespace

std::span<const StageLine> BuiltInStageLines() {
    static const StageLine kLines[] = {
        // stage, script, enemy types, time-out, spell backdrop, start part-way, panel moves from,
        // fight brought in directly
        {1, RunStage1, Stage1EnemyTypes(), kDrainAndRaise, DrawStage1SpellBackdrop},
        {2, RunStage2, Stage2EnemyTypes(), kZeroAndRaise, DrawStage2SpellBackdrop},
        {3, RunStage3, Stage3EnemyTypes(), kZero, DrawStage3SpellBackdrop, JumpIntoStage3},
        {4, RunStage4, Stage4EnemyTypes(), kZeroAndRaise, DrawStage4SpellBackdrop, nullptr, -1, DirectFightInStage4},
        {5, RunStage5, Stage5EnemyTypes(), kZeroEveryFrame, DrawStage5SpellBackdrop},
        {6, RunStage6, Stage6EnemyTypes(), kDrain, DrawStage6SpellBackdrop, JumpIntoStage6, kStage6FinaleFrame,
         DirectFightInStage6},
        // The extra boss's companions join stage 7's types; the line after
        // this one is the stage's own (it replaces this line, the types stay).
        {7, nullptr, ExtraBossEnemyTypes(), kDrain, nullptr, nullptr, 0},
        {7, RunStage7, Stage7EnemyTypes(), kDrain, nullptr, JumpIntoStage7, 0, DirectFightInStage7},
    };
    return kLines;
}

StageTable::StageTable(std::initializer_list<std::span<const StageLine>> parts) {
    for (std::span<const StageLine> part : parts) {
        for (const StageLine& l : part) {
            if (l.stage < 1 || l.stage > kMaxStage) continue;
            lines_[l.stage] = l;
            for (const EnemyTypeEntry& t : l.enemyTypes)
                if (t.type >= 0 && t.type < kEnemyTypeLimit) types_[t.type] = t.step;
        }
    }
}

const StageLine* StageTable::line(int stage) const {
    if (stage < 1 || stage > kMaxStage || lines_[stage].stage != stage) return nullptr;
    return &lines_[stage];
}

const StageTable& BuiltInStages() {
    static const StageTable table{BuiltInStageLines()};
    return table;
}

const StageTable& Stages(const Game& game) {
    return game.rules && game.rules->stages ? *game.rules->stages : BuiltInStages();
}

}  // namespace korvid
