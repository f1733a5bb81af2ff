// Test helper: writes interleaved float samples as a sound file with
// libsndfile and reads files back as bytes, so tests can feed the mixer
// real WAV, OGG and MP3 data made on the spot.
#pragma once

#include <sndfile.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace korvid::testing {

inline bool writeSoundFile(const std::string& path, int format, int rate, int channels,
                           const std::vector<float>& interleaved) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f) return false;
    sf_count_t frames = static_cast<sf_count_t>(interleaved.size()) / channels;
    sf_count_t written = sf_writef_float(f, interleaved.data(), frames);
    sf_close(f);
    return written == frames;
}

inline std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Stereo sine, the same on both sides.
inline std::vector<float> stereoSine(int rate, int frames, double hz, float amplitude) {
    std::vector<float> s(static_cast<std::size_t>(frames) * 2);
    for (int i = 0; i < frames; ++i) {
        float v = amplitude * static_cast<float>(std::sin(2.0 * 3.141592653589793 * hz * i / rate));
        s[2 * i] = v;
        s[2 * i + 1] = v;
    }
    return s;
}

}  // namespace korvid::testing
