// Sound effects from layer recipes in the manifest. A layer is a tone, a
// noise burst or an FM bell; any layer may repeat (ticks, arpeggios):
//
//   {"type": "tone", "wave": "square", "from": 1800, "to": 600, "at": 0,
//    "hold": 0.05, "attack": 0.002, "decay": 0.05, "sustain": 0.3,
//    "release": 0.04, "gain": 0.5, "repeat": 3, "every": 0.06, "climb": 4}
//   {"type": "noise", "cutoff": 6000, "cutoffEnd": 800, "highpass": false, ...}
//   {"type": "bell", "from": 880, "ratio": 3.5, "index": 2.5, ...}
#pragma once

#include <cstdint>

#include "Json.h"
#include "Synth.h"

namespace korvid::packgen {

Samples SynthesiseEffect(const Json& entry, std::uint64_t seed);

}  // namespace korvid::packgen
