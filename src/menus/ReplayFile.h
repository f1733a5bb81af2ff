// Replay files ("Replay/rvx01.rpy" .. "rvx20.rpy"): a text file holding a
// few lines of GBK text (key, names, description, date) and then the numbers
// that reproduce a game: its settings, and per stage the counters the stage
// began from and the held-key mask of every frame.
//
// Reading refuses any file that could not have come from a saved game (a
// number out of its range, a missing number, a count too large to hold) with
// a one-line reason; nothing from such a file reaches the game state.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/GameState.h"

namespace korvid {

inline constexpr int kReplaySlotCount = 20;
// The practice-mode number of a spell practice: this plus the card's id.
// Files of earlier versions hold only 0 and 1; they refuse these.
inline constexpr int kSpellPracticeMode = 1000;
inline constexpr int kReplayLastStage = 7;
// Frame 0 of a stage is never recorded and each stage row has
// kReplayFramesPerStage cells, so frames 1..99999 fit.
inline constexpr int kReplayMaxFrames = kReplayFramesPerStage - 1;
inline constexpr int kReplayMaxDescriptionLines = 1000;
inline constexpr std::size_t kReplayMaxTextBytes = 4096;  // per text line, in UTF-8
// Far above any real replay (seven full stages of masks are under 3 MB), low
// enough that a wrong file is not read into memory whole.
inline constexpr std::size_t kReplayMaxFileBytes = 32u << 20;

struct ReplayStageRecord {
    StageSnapshot snapshot;             // counters at the end of the stage
    std::vector<std::int32_t> masks;    // frames 1..count; masks[0] is frame 1

    bool operator==(const ReplayStageRecord& o) const {
        const StageSnapshot& a = snapshot;
        const StageSnapshot& b = o.snapshot;
        return a.bombGauge == b.bombGauge && a.lives == b.lives && a.grazeCount == b.grazeCount &&
               a.score == b.score && a.maxPowerFrames == b.maxPowerFrames && masks == o.masks;
    }
};

struct ReplayRecord {
    // Texts in UTF-8. As read from a file, an empty box shows as "0" (key)
    // or "无" (names, description), which is what the file holds.
    std::string key;
    std::string name;
    std::string player;
    std::vector<std::string> description;  // one entry per line
    std::string date;                      // "2024/05/01 21:07:33"

    int difficulty = 0;   // 0..3
    int character = 1;    // 1..3
    int practiceMode = 0;  // 0 a game, 1 a practice stage, kSpellPracticeMode + card a spell practice
    int autoBomb = 0;
    int startStage = 1;
    std::vector<ReplayStageRecord> stages;  // stages startStage..endStage()

    int endStage() const { return startStage + static_cast<int>(stages.size()) - 1; }
    bool operator==(const ReplayRecord&) const = default;
};

// What the player typed in the save screen, UTF-8. The description is the
// box's whole text; its line ends separate the lines.
struct ReplayTexts {
    std::string key;
    std::string name;
    std::string player;
    std::string description;
};

// "Replay/rvx07.rpy" for slot 7; an empty string for a slot outside 1..20.
std::string ReplaySlotPath(int slot);

// The date line of a replay saved at `localTime`: "%Y/%m/%d %H:%M:%S", as
// the C locale's "%Y/%m/%d %X" gives it.
std::string ReplayDateLine(const std::tm& localTime);

// A text box's text as description lines: split at "\r\n", "\n" or "\r";
// an empty text gives no lines.
std::vector<std::string> SplitDescriptionLines(std::string_view text);

// True when every number is in the range the reader accepts and the texts
// fit; otherwise false with the reason in `why`.
bool ValidateReplayRecord(const ReplayRecord& record, std::string& why);

// The exact bytes of the file. Line ends inside a text become spaces so the
// line structure holds.
std::string WriteReplayText(const ReplayRecord& record);

// Reads a whole file. On failure returns false, sets `why` and leaves `out`
// as it was. Never throws.
bool ParseReplayText(std::string_view bytes, ReplayRecord& out, std::string& why);

// Puts a loaded replay into the game state for playback: settings, per stage
// the frame count, snapshot and masks, with every cell of a stage's row past
// its count zeroed. Refuses (false, state untouched) a record that does not
// validate.
bool ApplyReplayToState(const ReplayRecord& record, GameState& state);

// The current game as a record for saving: stages startStage..stage, each
// with its recorded frames (at most kReplayMaxFrames) and snapshot. The
// caller first updates the current stage's frame count and snapshot.
ReplayRecord RecordFromState(const GameState& state, const ReplayTexts& texts, const std::tm& savedAt);

// Writes the file through a temporary file in the same folder and a rename,
// creating the folder when missing. False when the record does not validate
// or anything on disk fails; an existing file is then left as it was.
bool SaveReplayFile(const std::string& path, const ReplayRecord& record);

// Reads and parses a file; nullopt with the reason in `why` on failure.
std::optional<ReplayRecord> LoadReplayFile(const std::string& path, std::string& why);

}  // namespace korvid
