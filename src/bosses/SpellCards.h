// Spell cards: the declaration, the end with its time bonus and captions.
// The card's name and banner are drawn by the HUD while spellActive is set;
// its backdrop by the spell-background layer (DrawBossBackdrops).
#pragma once

#include <cstdint>

namespace korvid {

struct Game;

// Start of a card (the caller sets spellActive): the bonus is at stake
// again, the time limit is remembered, sound 18.
void SpellDeclare(Game& game);

// End of a card: sound 19, spellActive cleared; a card spoiled by a bomb or
// a death shows "Bonus Failed"; otherwise "Spell Card Bonus" with its value
// (0 for a card that timed out), which is added to the score (units digit
// untouched).
void SpellEnd(Game& game);

// The bonus base of card `id` for difficulty d (0 for ids that are no card
// or pay a flat amount), and the flat amounts of the extra stage's cards.
std::int64_t SpellBonusBase(int id, int difficulty);
std::int64_t SpellFlatBonus(int id);

// The bonus paid for card `id` ended with `left` frames of its `limit` to
// go: base / limit * left in double, truncated (the division first, so the
// largest cards never overflow); flat cards pay their amount. Nothing for
// a timed-out card or one without a limit; `left` is clamped to 0..limit.
std::int64_t SpellBonus(int id, int difficulty, int limit, int left, bool timedOut = false);

}  // namespace korvid
