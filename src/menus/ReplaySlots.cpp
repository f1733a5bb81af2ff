#include "menus/ReplaySlots.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "game/Game.h"

namespace korvid {

namespace {

std::string slotPath(const Game& game, int slot) {
    return (std::filesystem::path(game.gameDir) / ReplaySlotPath(slot)).string();
}

}  // namespace

ReplaySlotSummary ReadReplaySlot(const std::string& path) {
    ReplaySlotSummary out;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return out;
    std::string why;
    const std::optional<ReplayRecord> r = LoadReplayFile(path, why);
    if (!r) {
        out.status = ReplaySlotSummary::Broken;
        return out;
    }
    out.status = ReplaySlotSummary::Present;
    out.name = r->name;
    out.player = r->player;
    out.date = r->date;
    out.description = r->description;
    out.startStage = r->startStage;
    out.endStage = r->endStage();
    return out;
}

void ReadReplaySlots(Game& game) {
    for (int i = 0; i < kReplaySlots; ++i) game.replaySlots.slots[i] = ReadReplaySlot(slotPath(game, i + 1));
    game.replaySlots.read = true;
}

std::optional<ReplayRecord> LoadReplaySlot(Game& game, int slot) {
    std::string why;
    return LoadReplayFile(slotPath(game, slot), why);
}

std::string ReplaySlotRow(const ReplaySlotSummary& slot, int number, bool english) {
    char prefix[8];
    std::snprintf(prefix, sizeof prefix, "%02d.", number);
    switch (slot.status) {
        case ReplaySlotSummary::Missing: return std::string(prefix) + (english ? "<empty>" : "<空>");
        case ReplaySlotSummary::Broken: return std::string(prefix) + (english ? "<damaged>" : "<损坏>");
        case ReplaySlotSummary::Present: break;
    }
    return std::string(prefix) + slot.name;
}

}  // namespace korvid
