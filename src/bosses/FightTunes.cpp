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

// Pattern 40 switches to the second tune itself.
constexpr FightTune kFightTunes[] = {
    {22, 25, nullptr},          // stage 4: the mid-boss, the boss's opening
    {26, 29, kStage4BossTune},
    {30, 37, nullptr},          // stage 5: the sections, the boss's opening
    {38, 39, kStage5BossTune},
    {41, 44, kStage5SecondTune},
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
