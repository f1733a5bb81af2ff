// The boss driver's own pieces: the aura table and the pattern library.
#pragma once

namespace korvid {

struct Game;

// The aura particles of pattern `id` for this frame.
void SpawnBossAura(Game& game, int id);

// One frame of pattern `id` as its fight's row says (nothing for an id no
// fight registers).
void RunPattern(Game& game, int id);

// The driver's colour of the boss body for this frame: white at its alpha,
// a red pulse below an eighth of the bar, grey while it cannot be hit, a
// dark flicker once the bar is empty. Channels are masked to 8 bits.
unsigned BossColour(int alpha, float hp, float maxHp, bool noHit, int timer);

}  // namespace korvid
