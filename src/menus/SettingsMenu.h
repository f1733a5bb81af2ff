// The settings screen (volumes, automatic bomb, window mode) and the
// key-configuration screen behind it. The two lists share one slide offset:
// the settings list slides in from the left, and moving on to the key list
// pushes it out to the right while the key list follows it in.
#pragma once

namespace korvid {

struct Game;

// Screen 4. Leaving it saves the settings file and applies the window mode.
void RunSettingsScreen(Game& game);
// Screen 8. Confirm on a key waits for the confirm keys to be let go, then
// binds the first key held.
void RunKeyConfigScreen(Game& game);

}  // namespace korvid
