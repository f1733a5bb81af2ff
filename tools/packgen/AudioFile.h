// Encodes mono samples into the bytes of a WAV (16-bit PCM), OGG Vorbis or
// MP3 file through libsndfile, choosing the format by the file name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Synth.h"

namespace korvid::packgen {

struct AudioQuality {
    double vorbis = 0.2;       // libsndfile VBR quality 0..1 (higher is better)
    double mp3 = 0.75;         // libsndfile compression level 0..1 (higher is smaller)
};

std::vector<std::uint8_t> EncodeAudio(const Samples& samples, const std::string& fileName,
                                      const AudioQuality& quality = {});

// Decodes any file libsndfile reads into mono float samples (tests and checks).
Samples DecodeAudio(const std::vector<std::uint8_t>& bytes, int* sampleRate = nullptr);

}  // namespace korvid::packgen
