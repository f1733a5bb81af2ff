// The key-settings file of the game folder, applied to the game state.
#pragma once

namespace korvid {

struct Game;

// Reads the settings file into the bindings and settings. At boot a missing
// file means every binding 0, both volumes 0, no automatic bomb, full screen;
// on a later reload an unreadable file keeps the current values.
void LoadSettings(Game& game, bool atBoot);
// Writes them back (keeping anything else in the file). False on failure.
bool SaveSettings(const Game& game);

}  // namespace korvid
