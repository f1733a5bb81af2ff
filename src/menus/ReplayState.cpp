// A replay and the game state: putting a loaded replay into the state for
// playback, and taking the game just played out of it for saving.
#include "menus/ReplayFile.h"

#include <algorithm>

namespace korvid {

bool ApplyReplayToState(const ReplayRecord& r, GameState& state) {
    std::string why;
    if (!ValidateReplayRecord(r, why)) return false;
    state.difficulty = r.difficulty;
    state.character = r.character;
    state.practiceMode = r.practiceMode != 0 ? 1 : 0;
    state.spellPracticeCard = r.practiceMode > kSpellPracticeMode ? r.practiceMode - kSpellPracticeMode : 0;
    state.spellPracticePhase = 0;
    state.autoBomb = r.autoBomb;
    state.startStage = r.startStage;
    state.replayEndStage = r.endStage();
    for (std::size_t i = 0; i < r.stages.size(); ++i) {
        const int stage = r.startStage + static_cast<int>(i);
        const ReplayStageRecord& st = r.stages[i];
        state.replayStageFrames[stage] = static_cast<int>(st.masks.size());
        state.snapshots[stage] = st.snapshot;
        // Frame 0 is never played; cells past the count are zeroed so
        // playback cannot meet keys of an earlier game.
        auto& row = state.replayInputs[stage];
        row[0] = 0;
        const auto end = std::copy(st.masks.begin(), st.masks.end(), row.begin() + 1);
        std::fill(end, row.end(), 0);
    }
    return true;
}

ReplayRecord RecordFromState(const GameState& state, const ReplayTexts& texts, const std::tm& savedAt) {
    ReplayRecord r;
    r.key = texts.key;
    r.name = texts.name;
    r.player = texts.player;
    r.description = SplitDescriptionLines(texts.description);
    r.date = ReplayDateLine(savedAt);
    r.difficulty = state.difficulty;
    r.character = state.character;
    r.practiceMode = state.spellPracticeCard ? kSpellPracticeMode + state.spellPracticeCard : state.practiceMode;
    r.autoBomb = state.autoBomb;
    r.startStage = state.startStage;
    // Outside these bounds the record stays without stages, which does not
    // validate, so nothing unplayable is saved.
    if (state.startStage < 1 || state.stage < state.startStage || state.stage > kReplayLastStage) return r;
    for (int stage = state.startStage; stage <= state.stage; ++stage) {
        ReplayStageRecord st;
        st.snapshot = state.snapshots[stage];
        const int count = std::clamp(state.replayStageFrames[stage], 0, kReplayMaxFrames);
        const auto& row = state.replayInputs[stage];
        st.masks.assign(row.begin() + 1, row.begin() + 1 + count);
        r.stages.push_back(std::move(st));
    }
    return r;
}

}  // namespace korvid
