// The steps of a frame, declared here for every rule layer and defined by the
// module that owns each; steps whose module is not built yet live in
// app/FrameHooks.cpp and do nothing, so the frame driver's order is complete.
#pragma once

namespace korvid {

struct Game;

// Play frame steps.
void DeathHandOff(Game& game);         // the player dies when hitPending reaches 1
void RunStageScript(Game& game);       // the timeline of the current stage
void DrawBossBackdrops(Game& game);    // extra boss backdrop, spell-card backgrounds
void UpdateAndDrawPlay(Game& game);    // every pool, the boss and the player, by z band
// The step of the in-play order that draws an effect or bullet at this z
// (0 for none): effects 3, 5, 12, 16, 18; bullets 6, 14, 15, 17.
int EffectBandStep(float z);
int BulletBandStep(float z);
// The z of the enemy bullet in `slot` was set: the walk of its band this
// frame must run and visit the slot.
void NoteBulletZ(Game& game, int slot, float z);
// An effect was spawned in `slot` at z: the same for the effect walks.
void NoteEffectZ(Game& game, int slot, float z);
void DrawHud(Game& game);              // side panel numbers, boss timer, gauge rules
void RunDialogue(Game& game);          // conversations before boss fights
void StageClearDriver(Game& game);     // fade out and go on to the next stage

// Other screens.
void PauseFrame(Game& game);           // pause, continue and end-of-replay menu
void StaffRollFrame(Game& game);       // screen 11
void ReplaySaveFrame(Game& game);      // screens 12 and 13
void NameEntryFrame(Game& game);       // screen 14: a finished game's name for the high scores
inline constexpr int kNameEntryScreen = 14;
inline constexpr int kRecordsScreen = 15;  // the records screen, over the title picture
// Spell practice (menus/): brings the chosen card in once the stage has
// set up, and ends the run a while after the card. Last step of a play frame.
void SpellPracticeStep(Game& game);

// Opens the pause menu over a snapshot of the picture drawn so far (app/).
void OpenPauseMenu(Game& game);

// The replay save screen (menus/): creates its four text boxes and shows it
// (screen 12, slot cursor 0). Called by the pause menu's save entry, the
// end of a practice stage and the end of the staff roll.
void OpenReplaySaveScreen(Game& game);
// Back to the title as the pause menu's quit does (menus/); the pause menu's
// own textures are freed only when asked.
void QuitToTitle(Game& game, bool freePauseTextures);

}  // namespace korvid
