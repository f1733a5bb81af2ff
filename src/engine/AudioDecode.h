// Turns a sound file held in memory (anything libsndfile reads: WAV, OGG
// Vorbis, MP3, FLAC...) into the one sample layout the mixer plays:
// interleaved stereo float at the mixer's rate.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvid {

// Whole file into `stereo` (L, R, L, R...), at most its first ten minutes.
// Mono is copied to both sides; files with more channels keep their first
// two. False, leaving `stereo` untouched, when the data is not a sound file,
// holds no frames, or has a rate outside 1 kHz..384 kHz.
bool decodeToStereo(const std::uint8_t* data, std::size_t size, int rate, std::vector<float>& stereo);

// Linear-interpolating rate conversion of interleaved stereo. The output has
// round(frames * outRate / inRate) frames (at least one for non-empty input).
std::vector<float> resampleStereo(const std::vector<float>& in, int inRate, int outRate);

}  // namespace korvid
