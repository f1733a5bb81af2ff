// The key-settings file of the game folder, applied to the game state.
#pragma once

namespace korvid {

struct Game;

// Reads the settings file into the bindings and settings. Entries that are
// missing or unusable take the shipped values (named on stderr at boot); on
// a later re-read an unreadable file keeps the current values.
void LoadSettings(Game& game, bool atBoot);
// Tells the engine what the controller's buttons stand for: the keys bound to
// Shoot, Bomb, Slow and FastForward, Escape (pause) and the screenshot key;
// the D-pad and stick stand for the bound arrows.
void ApplyControllerBindings(Game& game);
// Shows the pictures of the game's language from now on: the pack's
// English pictures stand in for the Chinese ones while it is English.
void ApplyLanguage(Game& game);
// Writes them back (keeping anything else in the file). False on failure.
bool SaveSettings(const Game& game);

}  // namespace korvid
