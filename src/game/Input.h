// Logical keys for play (recorded for replays, answered from the record
// during playback) and the menu keys with their latches.
#pragma once

#include "game/GameState.h"
#include "engine/KeyCodes.h"

namespace korvid {

struct Game;

// The only query gameplay uses for the eight logical keys. During the
// reversed-controls pattern (boss pattern 59 on the easiest difficulty) Up
// and Down, Left and Right swap before anything is recorded or read back.
bool IsKeyHeld(Game& game, GameKey key);

// Menus read the keyboard directly: the bound key or a fixed key.
bool BoundKeyDown(Game& game, GameKey key);
bool MenuCancelHeld(Game& game);   // Escape or bound Bomb
bool MenuConfirmHeld(Game& game);  // bound Shoot or Enter
bool MenuUpHeld(Game& game);
bool MenuDownHeld(Game& game);
bool MenuLeftHeld(Game& game);
bool MenuRightHeld(Game& game);

// Start of every frame: a latch returns to 0 when none of its keys is held.
void ReleaseMenuLatches(Game& game);
// Sets all six latches, so keys already down do not act on the next screen.
void SetAllMenuLatches(GameState& s);

// A menu acts on a key once per press: true (and latched) when the key is
// held while its latch is 0.
bool TakeLatched(float& latch, bool held);

}  // namespace korvid
