// The stages' tunes: each stage's own, played from its cue until its boss
// brings another, and the boss tunes a fight started part-way plays.
#pragma once

namespace korvid {

struct Game;

inline constexpr const char* kStage1BossTune = "Music/music1boss.ogg";
inline constexpr const char* kStage2BossTune = "Music/music2boss.mp3";
inline constexpr const char* kStage3BossTune = "Music/music3boss.mp3";
inline constexpr const char* kStage4BossTune = "Music/music4boss.ogg";
inline constexpr const char* kStage5BossTune = "Music/music5boss.mp3";
inline constexpr const char* kStage5SecondTune = "Music/music5bossb.mp3";
inline constexpr const char* kStage6BossTune = "Music/music6boss.mp3";

// The stage's own tune, started at its cue.
void StartStageTune(Game& game);
// A stage entered part-way at `frame` (its cue skipped): its tune starts if
// the stage would be playing it then.
void StartStageTuneAt(Game& game, int frame);

}  // namespace korvid
