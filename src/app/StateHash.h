// A 64-bit fingerprint of the whole gameplay state: the counters, the
// player, the bosses and every live pool slot. Two runs that hash alike
// played alike; replays are checked with it.
#pragma once

#include <cstdint>
#include <string>

namespace korvid {

struct GameState;

std::uint64_t HashGameState(const GameState& s);

// "screen=N stage=S frame=F score=N lives=N bomb=N graze=N power=P x=X y=Y"
// and, when asked, " hash=H" (H in hexadecimal). With `probe` the line goes
// on with the boss and the pools: " pattern=ID bosshp=HP timeleft=N card=0|1
// cleared=0|1 timestop=0|1 enemies=N bullets=N items=N scenery=N" (pattern
// and bosshp 0 while no boss is present; enemies counts the ordinary slots).
std::string DescribeState(const GameState& s, bool withHash, bool probe = false);

}  // namespace korvid
