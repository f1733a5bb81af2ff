// The player's ship: movement and focus, shot bursts, bombs, death and
// respawn, its drawing, and the frame's sound requests.
#pragma once

namespace korvid {

struct Game;

// One frame of the player, run once per play frame (and by the character
// screen's live preview).
void UpdatePlayer(Game& game);

// Starts a bomb at the ship: pays for it, makes the player invincible and
// spawns the character's bomb object.
void StartBomb(Game& game, bool automatic);

// Emits the shots of the character for the burst value `shotTimer` just took.
void EmitShots(Game& game, bool slowHeld, bool unfocused);

// The death and respawn sequence (runs while the control block is skipped).
void UpdateDeathAndRespawn(Game& game);

// Plays every sound requested this frame once, then clears the requests.
void PlayRequestedSounds(Game& game);

// Makes the ship, option and focus sprites, and re-cuts them for a character.
void CreatePlayerSprites(Game& game);
void AttachCharacterSprites(Game& game, int character);

}  // namespace korvid
