// The replay screens' view of the 20 slot files: what each holds, read once
// when the list opens, and loading one slot for playback.
#pragma once

#include <optional>

#include "game/MenuRecords.h"
#include "menus/ReplayFile.h"

namespace korvid {

struct Game;

// The header of one slot file: missing, broken (anything a saved game could
// not have written), or present with its texts and stages.
ReplaySlotSummary ReadReplaySlot(const std::string& path);
// Reads all 20 slots of the game folder into game.replaySlots.
void ReadReplaySlots(Game& game);
// Slot 1..20 of the game folder as a record; nullopt for a missing or
// broken file.
std::optional<ReplayRecord> LoadReplaySlot(Game& game, int slot);
// The row the list shows for a slot: "07.<空>", "07.<损坏>" or "07." and its name.
// In English the marks read "<empty>" and "<damaged>".
std::string ReplaySlotRow(const ReplaySlotSummary& slot, int number, bool english = false);
// The details the list shows for a slot: "角色 2  Normal", the stages
// ("stage 1-3"; a practice or a spell practice says so), its final score;
// in English "Pilot 2  Normal" and so on.
std::string ReplayWhoLine(const ReplaySlotSummary& slot, bool english = false);
std::string ReplayStagesLine(const ReplaySlotSummary& slot, bool english = false);
std::string ReplayScoreLine(const ReplaySlotSummary& slot, bool english = false);

}  // namespace korvid
