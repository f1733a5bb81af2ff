#include "bosses/FightTunes.h"

#include "game/Game.h"
#include "stages/StageScript.h"
#include "stages/StageTunes.h"

namespace korvid {

namespace {

struct FightTune {
    int first, last;   // pattern ids
    const char* file;  // null: the stage's own tune
};

// A pattern not named here starts its tune itself (a boss's first pattern,
// pattern 40) or has its stage set it up (the stage-6 finale, 61 on).
constexpr FightTune kFightTunes[] = {
    {2, 3, kStage1BossTune},    // stage 1: the mid-boss plays the boss's tune
    {5, 7, kStage1BossTune},
    {8, 8, nullptr},            // stage 2: the mid-boss
    {10, 13, kStage2BossTune},
    {14, 14, nullptr},          // stage 3: the mid-boss
    {16, 21, kStage3BossTune},
    {22, 25, nullptr},          // stage 4: the mid-boss, the boss's opening
    {26, 29, kStage4BossTune},
    {30, 37, nullptr},          // stage 5: the sections, the boss's opening
    {38, 39, kStage5BossTune},
    {41, 44, kStage5SecondTune},
    {45, 45, nullptr},          // stage 6: the mid-boss
    {47, 60, kStage6BossTune},
};

}  // namespace

void StartFightTune(Game& game, int id) {
    for (const FightTune& t : kFightTunes) {
        if (id < t.first || id > t.last) continue;
        if (t.file) StartStageMusic(game, t.file, true);
        else StartStageTune(game);
        return;
    }
}

}  // namespace korvid
