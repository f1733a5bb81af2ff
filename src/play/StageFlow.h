// Starting a game or stage, the per-stage reset, and the end of a stage.
#pragma once

namespace korvid {

struct Game;
struct GameState;

// Starts a game or a stage after the caller has set `screen` 10 and `stage`
// (0 = first stage). Outside play it only begins and clears a scene.
void StartRoutine(Game& game);

// Per-stage reset (seeding the generator with grazeCount first), then the
// stage's own sheets.
void StageLoad(Game& game);
void StageLoadReset(GameState& s);

// The one reset of each play record: StagePlay (every stage load) and
// GamePlay (every new game) become value-initialised records again, the
// stage's then with its start values (ship at (224, 412), clock at -64,
// options spread, empty pools).
void ResetStagePlay(GameState& s);
void ResetGamePlay(GameState& s);
// Both records as new, without the stage's start values: nothing of a game
// played is left (the title after its demo).
void ResetPlayRecords(GameState& s);

// The snapshot of the counters for replays, then the stage sheets and the
// sky mesh are freed.
// While a replay plays the loaded record is left alone.
void EndOfStage(Game& game);

// Every pool free again, scenery emptied.
void ClearAllPools(GameState& s);

}  // namespace korvid
