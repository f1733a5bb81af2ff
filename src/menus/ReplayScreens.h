// The replay screens: the slot list for loading (screen 5) with its stage
// choice (7), and the save screen (12) with its overwrite confirmation (13).
#pragma once

#include <cstdint>

namespace korvid {

struct Game;

void RunReplayList(Game& game);  // screens 5 and 7, called by the title

// Shared by both: the 20 rows at x (+ 20) and the labels of the four texts.
void DrawReplaySlotRows(Game& game, float x, std::uint32_t alpha);
void DrawReplayLabels(Game& game);

// Frees the title's textures and music and starts the loaded replay at
// `stage` (which must lie within the record).
struct ReplayRecord;
void StartReplayPlayback(Game& game, const ReplayRecord& record, int stage);

}  // namespace korvid
