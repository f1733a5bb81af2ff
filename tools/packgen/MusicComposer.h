// Short looping tunes for the stages, the bosses, the title and the ending.
// A track is a key, a mode, a tempo, a chord progression and a band:
//
//   {"bpm": 132, "bars": 16, "key": 57, "mode": "minor",
//    "progression": [1, 6, 7, 5], "progressionB": [4, 5, 1, 1],
//    "lead": "square", "bass": "triangle", "pad": "saw", "arp": true,
//    "drums": "rock", "leadOctave": 5, "density": 0.6}
//
// The length is bars x 4 beats at the tempo, so every track's length is set
// by its entry; the tail of the last notes wraps onto the start so the loop
// has no seam.
#pragma once

#include <cstdint>

#include "Json.h"
#include "Synth.h"

namespace korvid::packgen {

// Length in seconds that ComposeMusic will produce for this entry.
double MusicSeconds(const Json& entry);

Samples ComposeMusic(const Json& entry, std::uint64_t seed);

}  // namespace korvid::packgen
