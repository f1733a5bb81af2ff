// libFuzzer target for the replay reader: any bytes must be read or refused
// without crashing, hanging or allocating far beyond the file's size. What
// is read must save and read back to the same file, and putting it into a
// game state must leave nothing of an earlier game past each stage's count.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "menus/ReplayFile.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

void checkApplied(const korvid::ReplayRecord& record, korvid::GameState& state) {
    // Whatever an earlier input left in the rows must be overwritten.
    for (auto& row : state.replayInputs) row.fill(0x5A);
    check(korvid::ApplyReplayToState(record, state));
    check(state.replayEndStage == record.endStage());
    for (std::size_t i = 0; i < record.stages.size(); ++i) {
        const int stage = record.startStage + static_cast<int>(i);
        const auto& masks = record.stages[i].masks;
        const auto& row = state.replayInputs[stage];
        check(state.replayStageFrames[stage] == static_cast<int>(masks.size()));
        check(std::equal(masks.begin(), masks.end(), row.begin() + 1));
        check(std::all_of(row.begin() + 1 + masks.size(), row.end(), [](std::int32_t m) { return m == 0; }));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvid::ReplayRecord record;
    std::string why;
    if (!korvid::ParseReplayText(std::string_view(reinterpret_cast<const char*>(data), size), record, why)) {
        check(!why.empty() && why.find('\n') == std::string::npos);
        return 0;
    }

    // A record read once is in the written form: writing it, reading that
    // and writing again gives the same bytes.
    const std::string written = korvid::WriteReplayText(record);
    korvid::ReplayRecord reread;
    check(korvid::ParseReplayText(written, reread, why));
    check(korvid::WriteReplayText(reread) == written);

    // The game state is large (about 5 MB); one is kept for all inputs.
    static const auto state = std::make_unique<korvid::GameState>();
    checkApplied(record, *state);
    return 0;
}
