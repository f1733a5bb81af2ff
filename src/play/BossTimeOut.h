// What a stage's boss gate does once the boss's time limit has run out.
// Both actions mark the pattern as timed out, so a spell card that ends this
// way pays no bonus whatever the count shows afterwards.
#pragma once

namespace korvid {

struct GameState;

// Stages 1, 6 and 7: the boss loses a twentieth of its bar every frame and
// the count stays at 0. Nothing is drained while the boss is between
// patterns (negative timer): a bar that refills there must be able to fill,
// or the fight would never move on.
void DrainTimedOutBoss(GameState& s);

// Stages 2 to 5: the bar is emptied at once.
void EmptyTimedOutBoss(GameState& s);

}  // namespace korvid
