// What the replay writer, reader and checker share, private to them: the
// numbers of a replay file in file order, the values a saved game can hold
// in each, and the wording of the messages that name them.
#pragma once

#include <array>
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>

#include "menus/ReplayFile.h"

namespace korvid::replay_format {

// A number of the file, its name in messages and the values a saved game
// can hold.
struct NumberRule {
    std::string_view label;
    std::int64_t lo;
    std::int64_t hi;
};

inline constexpr std::int64_t kIntLo = INT_MIN, kIntHi = INT_MAX;

// The six numbers after the texts, in file order.
enum HeaderField { kDifficulty, kCharacter, kPracticeMode, kAutoBomb, kStartStage, kEndStage, kHeaderFieldCount };
inline constexpr std::array<NumberRule, kHeaderFieldCount> kHeaderRules{{
    {"difficulty", 0, 3},
    {"character", 1, 3},
    {"practice mode", 0, kSpellPracticeMode + 99},
    {"auto bomb", 0, 1},
    {"start stage", 1, kReplayLastStage},
    {"end stage", 1, kReplayLastStage},
}};

// The numbers that open each stage, in file order; the masks follow.
enum StageField { kFrameCount, kBombGauge, kLives, kGrazeCount, kScore, kMaxPowerFrames, kStageFieldCount };
inline constexpr std::array<NumberRule, kStageFieldCount> kStageRules{{
    {"frame count", 0, kReplayMaxFrames},
    {"bomb gauge", kIntLo, kIntHi},
    {"lives", kIntLo, kIntHi},
    {"graze count", kIntLo, kIntHi},
    {"score", INT64_MIN, INT64_MAX},
    {"full-power frames", kIntLo, kIntHi},
}};

inline constexpr NumberRule kMaskRule{"mask", 0, 255};
inline constexpr NumberRule kDescriptionCountRule{"description line count", 0, kReplayMaxDescriptionLines};

inline bool inRange(const NumberRule& rule, std::int64_t v) { return v >= rule.lo && v <= rule.hi; }

inline std::string outOfRange(const NumberRule& rule, std::string_view value) {
    return std::string(rule.label) + " " + std::string(value) + " is out of range (" + std::to_string(rule.lo) +
           ".." + std::to_string(rule.hi) + ")";
}

// 0 a game, 1 a practice stage, kSpellPracticeMode + card a spell practice.
inline bool validPracticeMode(std::int64_t v) { return v == 0 || v == 1 || (v > kSpellPracticeMode && v < kSpellPracticeMode + 100); }
inline std::string badPracticeMode(std::int64_t v) {
    return "practice mode " + std::to_string(v) + " is out of range (0..1, or " + std::to_string(kSpellPracticeMode + 1) +
           ".." + std::to_string(kSpellPracticeMode + 99) + " for a spell practice)";
}

inline std::string stagePrefix(int stage) { return "stage " + std::to_string(stage) + ": "; }

inline std::string endBeforeStart(std::int64_t end, std::int64_t start) {
    return "end stage " + std::to_string(end) + " is before start stage " + std::to_string(start);
}

}  // namespace korvid::replay_format
