// The fight registry: one line per fight.
#include "bosses/FightRegistry.h"
#include "bosses/FightTunes.h"

#include "bosses/ExtraBoss.h"
#include "bosses/SpellCards.h"
#include "bosses/Stage1Boss.h"
#include "bosses/Stage2Airship.h"
#include "bosses/Stage3Boss.h"
#include "bosses/Stage4Boss.h"
#include "bosses/Stage5Fights.h"
#include "bosses/Stage6Boss.h"
#include "bosses/Stage6Hidden.h"
#include "bosses/Stage7MidBoss.h"
#include "game/Game.h"
#include "stages/Stage1.h"
#include "stages/Stage2.h"
#include "stages/Stage3.h"
#include "stages/Stage4.h"
#include "stages/Stage5.h"
#include "stages/Stage6.h"
#include "stages/Stage6Finale.h"
#include "stages/Stage7.h"
#include "stages/StageRegistry.h"

namespace korvid {

std::span<const FightLine> BuiltInFightLines() {
    static const FightLine kLines[] = {
        // entry, rows, numbers, bullet codes
        {&kStage1MidBoss, Stage1MidBossRows(), {}, {}},
        {&kStage1Boss, Stage1BossRows(), {}, {}},
        {&kStage2MidBoss, Stage2MidBossRows(), {}, {}},
        {&kStage2Boss, Stage2BossRows(), {}, {}},
        {&kStage3MidBoss, Stage3MidBossRows(), {}, {}},
        {&kStage3Boss, Stage3BossRows(), {}, {}},
        {&kStage4MidBoss, Stage4MidBossRows(), {}, {}},
        {&kStage4Boss, Stage4BossRows(), {}, {}},
        {&kStage5Section1, Stage5SectionRows(30, 31), {}, {}},
        {&kStage5Section2, Stage5SectionRows(32, 32), {}, {}},
        {&kStage5Section3, Stage5SectionRows(33, 33), {}, {}},
        {&kStage5Section3b, Stage5SectionRows(34, 35), {}, {}},
        {&kStage5Section4, Stage5SectionRows(36, 36), {}, {}},
        {&kStage5Boss, Stage5BossRows(), {}, {}},
        {&kStage6MidBoss, Stage6MidBossRows(), {}, {}},
        {&kStage6Boss, Stage6BossRows(), {}, Stage6BossBullets()},
        {&kStage6FirstForm, Stage6FirstFormRows(), {}, Stage6FirstFormBullets()},
        {&kStage6HiddenBoss, Stage6HiddenBossRows(), kStage6HiddenParams, Stage6HiddenBossBullets()},
        {&kStage7MidBoss1, Stage7MidBoss1Rows(), {}, {}},
        {&kStage7MidBoss2, Stage7MidBoss2Rows(), {}, Stage7MidBoss2Bullets()},
        {&kExtraBoss, ExtraBossRows(), kExtraBossParams, ExtraBossBullets()},
    };
    return kLines;
}

const PatternRow* FindRow(const FightLine& fight, int id) {
    for (const PatternRow& r : fight.rows)
        if (r.id == id) return &r;
    return nullptr;
}

FightTable::FightTable(std::initializer_list<std::span<const FightLine>> parts) {
    for (std::span<const FightLine> part : parts) {
        for (const FightLine& f : part) {
            for (const PatternRow& r : f.rows)
                if (r.id > 0 && r.id < kPatternIdLimit) byId_[r.id] = Found{&f, &r};
            for (const BossBulletEntry& b : f.bullets)
                if (b.code >= 0 && b.code < kBossBulletCodeLimit) bullets_[b.code] = b.step;
        }
    }
}

const FightTable& BuiltInFights() {
    static const FightTable table{BuiltInFightLines()};
    return table;
}

const FightTable& Fights(const Game& game) {
    return game.rules && game.rules->fights ? *game.rules->fights : BuiltInFights();
}

bool EntryForPattern(const FightTable& fights, int id, BossEntry& entry) {
    const FightTable::Found found = fights.find(id);
    if (!found.fight || !found.fight->entry) return false;
    const FightLine& f = *found.fight;
    entry = *f.entry;
    entry.talk = {};
    if (id == f.entry->pattern) return true;
    // Walk the hand-overs from the first pattern: each row writes the next
    // pattern's hit points and limit (or keeps the running limit).
    int limit = f.entry->timeLimit;
    float hp = f.entry->hp;
    int at = f.entry->pattern;
    for (std::size_t guard = 0; guard <= f.rows.size(); ++guard) {
        const PatternRow* r = FindRow(f, at);
        if (!r || r->next == 0) return false;
        if (r->limit >= 0) limit = r->limit;
        if (r->endMaxHp >= 0) hp = r->endMaxHp;
        at = r->next;
        if (at == id) {
            entry.pattern = id;
            entry.hp = hp;
            entry.timeLimit = limit;
            return true;
        }
    }
    return false;
}

bool BringInFightAt(Game& game, int id) {
    const FightTable& fights = Fights(game);
    BossEntry entry;
    if (!EntryForPattern(fights, id, entry)) return false;
    BringInBossQuietly(game, entry);
    const FightTable::Found found = fights.find(id);
    if (found.row->spell) {
        game.state.spellActive = 1;
        SpellDeclare(game);
    }
    return true;
}

bool BringInFightDirectly(Game& game, int id) {
    if (!BringInFightAt(game, id)) return false;
    game.state.directFight = 1;
    StartFightTune(game, id);
    const StageLine* line = Stages(game).line(game.state.stage);
    if (line && line->directFight) line->directFight(game);
    return true;
}

}  // namespace korvid
