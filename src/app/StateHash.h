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
// and, when asked, " hash=H" (H in hexadecimal).
std::string DescribeState(const GameState& s, bool withHash);

}  // namespace korvid
