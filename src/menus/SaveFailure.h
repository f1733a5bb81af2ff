// A save the player asked for that did not reach the disk (a read-only
// folder, a full disk, a name taken by something that is not a file): one
// line on stderr, and a red note on the screen the save was made from. The
// old file stays as it was and the game goes on.
#pragma once

#include <string>

namespace korvid {

struct Game;

// Records the failure of saving `file` (relative to the game folder) from
// `screen`, with errno as the reason, and prints the stderr line.
void ReportSaveFailure(Game& game, int screen, const std::string& file);

// Forgets a failure shown on `screen` (a save there succeeded, or the
// player left it).
void ClearSaveFailure(Game& game, int screen);

// Whether a failure is shown on `screen`.
bool SaveFailureShown(const Game& game, int screen);

// Draws the note of a failure shown on `screen` at (x, y): two lines, the
// second naming the file, then `hint` (what the player can do) if any.
void DrawSaveFailure(Game& game, int screen, float x, float y, const char* hint = nullptr);

}  // namespace korvid
