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
    out.difficulty = r->difficulty;
    out.character = r->character;
    out.practiceMode = r->practiceMode;
    out.finalScore = r->stages.back().snapshot.score;
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

std::string ReplayWhoLine(const ReplaySlotSummary& slot, bool english) {
    static constexpr const char* kDifficulties[] = {"Easy", "Normal", "Hard", "Extra"};
    const char* difficulty = slot.difficulty >= 0 && slot.difficulty <= 3 ? kDifficulties[slot.difficulty] : "?";
    char buf[64];
    std::snprintf(buf, sizeof buf, english ? "Pilot %d  %s" : "角色 %d  %s", slot.character, difficulty);
    return buf;
}

std::string ReplayStagesLine(const ReplaySlotSummary& slot, bool english) {
    char buf[64];
    if (slot.practiceMode > kSpellPracticeMode)
        std::snprintf(buf, sizeof buf, english ? "Spell practice No.%02d" : "符卡练习 No.%02d", slot.practiceMode - kSpellPracticeMode);
    else if (slot.startStage == slot.endStage)
        std::snprintf(buf, sizeof buf, "%sstage %d", slot.practiceMode ? (english ? "Practice " : "练习 ") : "", slot.startStage);
    else
        std::snprintf(buf, sizeof buf, "stage %d-%d", slot.startStage, slot.endStage);
    return buf;
}

std::string ReplayScoreLine(const ReplaySlotSummary& slot, bool english) {
    char buf[64];
    std::snprintf(buf, sizeof buf, english ? "Final score %lld" : "最终得分 %lld", slot.finalScore);
    return buf;
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
