// What plays under a fight brought in directly at one of its patterns.
#pragma once

namespace korvid {

struct Game;

// Starts the tune the game would be playing when pattern `id` begins: the
// stage's under a mid-boss and a boss's first pattern (its opening hands
// over as in play), the boss's own under its later patterns. Patterns that
// start their own tune, and fights whose stage sets their music up, start
// nothing here.
void StartFightTune(Game& game, int id);

}  // namespace korvid
