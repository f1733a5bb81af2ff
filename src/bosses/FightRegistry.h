// The boss fights, one line each: the entry its stage script brings the
// boss in with, its pattern rows, its numbers, and the bullet behaviour
// codes its patterns own. Adding a fight is its file (a table of rows and
// the attacks) plus its line in FightRegistry.cpp.
#pragma once

#include <array>
#include <initializer_list>
#include <span>

#include "bosses/BossSkeleton.h"
#include "game/Rules.h"
#include "stages/StageScript.h"

namespace korvid {

struct BossBulletEntry {
    int code;
    BossBulletStep step;
};

struct FightLine {
    const BossEntry* entry = nullptr;  // how the first pattern arrives
    std::span<const PatternRow> rows{};
    FightParams params{};
    std::span<const BossBulletEntry> bullets{};  // behaviour codes this fight's bullets use
};

inline constexpr int kPatternIdLimit = 100;  // pattern ids 1..88 (89..99 free for tests)

// The row of pattern `id` in `fight`, or null.
const PatternRow* FindRow(const FightLine& fight, int id);

// The fights gathered into lookups by pattern id (one step each, the driver
// asks every frame) and the boss bullet hooks by code.
class FightTable {
public:
    // Later parts replace the rows of earlier ones for the same ids, and
    // their bullet codes; ids and codes outside the tables are left out.
    explicit FightTable(std::initializer_list<std::span<const FightLine>> parts);

    struct Found {
        const FightLine* fight = nullptr;
        const PatternRow* row = nullptr;
    };
    Found find(int id) const {
        return id > 0 && id < kPatternIdLimit ? byId_[id] : Found{};
    }
    const BossBulletHooks& bulletHooks() const { return bullets_; }

private:
    std::array<Found, kPatternIdLimit> byId_{};
    BossBulletHooks bullets_{};
};

// The game's own fights, and the table built from them once.
std::span<const FightLine> BuiltInFightLines();
const FightTable& BuiltInFights();

// The fight lookups of a game (its own table; see game/Rules.h).
const FightTable& Fights(const Game& game);

// How pattern `id` is entered when a fight starts there directly: the
// fight's entry with that pattern's hit points and time limit (from the row
// that hands over to it, or the entry itself for the first pattern). False
// for an unknown id.
bool EntryForPattern(const FightTable& fights, int id, BossEntry& entry);

// Brings the fight of pattern `id` in at once, at that pattern, without its
// conversation (a card is declared). False for an unknown id.
bool BringInFightAt(Game& game, int id);
// The same at the stage's start, before its script brought anything in (a
// --boss start, a spell practice): the stage's line sets the fight's scene
// and clock up at once (StageLine::directFight), and the state keeps that
// the fight came in directly (directFight) for a stage whose rule holds
// through the whole fight.
bool BringInFightDirectly(Game& game, int id);

}  // namespace korvid
