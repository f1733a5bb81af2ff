#include "menus/ReplaySave.h"

#include <ctime>
#include <filesystem>

#include "game/Game.h"

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
        saved = SaveReplayFile(path, RecordFromState(s, texts, local));
    }
    // Played at once at a fixed volume, not through the frame's requests.
    game.engine.Stream_Play(s.sounds[saved ? kSavedSound : kRefusedSound], false, saved ? 50 : s.seVolume);
    s.screen = 12;
    return saved;
}

}  // namespace korvid
