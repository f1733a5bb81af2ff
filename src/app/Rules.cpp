// The game's own rule tables: the stage and fight registries, and the boss
// bullet hooks the fights register (the bullet update finds them here).
#include "game/Rules.h"

#include "bosses/FightRegistry.h"
#include "stages/StageRegistry.h"

namespace korvid {

const Rules& BuiltInRules() {
    static const Rules rules{&BuiltInStages(), &BuiltInFights(), &BuiltInFights().bulletHooks()};
    return rules;
}

}  // namespace korvid
