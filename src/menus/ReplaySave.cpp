#include "menus/ReplaySave.h"

#include <cerrno>
#include <ctime>
#include <filesystem>

#include "game/Game.h"
#include "menus/SaveFailure.h"

namespace korvid {

namespace {

constexpr int kSavedSound = 29;
constexpr int kRefusedSound = 34;

}  // namespace

bool SaveReplayToSlot(Game& game, int slot, const ReplayTexts& texts) {
    GameState& s = game.state;
    if (!s.replayPlaying && s.stage >= 1 && s.stage < kStageSlots) {
        s.replayStageFrames[s.stage] = s.replayFrame;
        s.snapshots[s.stage] = StageSnapshot{s.bombGauge, s.lives, s.grazeCount, s.score, s.maxPowerFrames};
    }
    const std::string relative = ReplaySlotPath(slot);
    bool saved = false;
    if (!relative.empty()) {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        const std::string path = (std::filesystem::path(game.gameDir) / relative).string();
        errno = 0;  // a refusal before any write leaves no reason of its own
        saved = SaveReplayFile(path, RecordFromState(s, texts, local));
        if (!saved) ReportSaveFailure(game, 12, relative);
    }
    if (saved) ClearSaveFailure(game, 12);
    // Played at once at a fixed volume, not through the frame's requests.
    game.engine.Stream_Play(s.sounds[saved ? kSavedSound : kRefusedSound], false, saved ? 50 : s.seVolume);
    s.screen = 12;
    return saved;
}

}  // namespace korvid
