// Decode time of a whole music track, as the game pays it when the stage
// music changes: a 30-second stereo OGG Vorbis and MP3 file at 44.1 kHz.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "../engine/SoundFileWriter.h"
#include "../engine/TempDir.h"
#include "engine/AudioMixer.h"

namespace korvid {
namespace {

// Music-like test signal: a few detuned tones plus a little noise, so the
// encoders have real work to do rather than one pure sine.
std::vector<float> musicLike(int rate, int seconds) {
    int frames = rate * seconds;
    std::vector<float> a = testing::stereoSine(rate, frames, 220.0, 0.2f);
    std::vector<float> b = testing::stereoSine(rate, frames, 331.0, 0.15f);
    std::vector<float> c = testing::stereoSine(rate, frames, 1250.0, 0.1f);
    std::uint32_t seed = 1;
    for (std::size_t i = 0; i < a.size(); ++i) {
        seed = seed * 1664525u + 1013904223u;
        float noise = (static_cast<float>(seed >> 8) / 16777216.0f - 0.5f) * 0.05f;
        a[i] += b[i] + (i % 2 ? -c[i] : c[i]) + noise;
    }
    return a;
}

std::vector<std::uint8_t> encodedTrack(int format) {
    testing::TempDir dir;
    std::string path = dir.file("track.snd");
    testing::writeSoundFile(path, format, 44100, 2, musicLike(44100, 30));
    return testing::readBytes(path);
}

void decodeTrack(benchmark::State& state, int format) {
    std::vector<std::uint8_t> bytes = encodedTrack(format);
    AudioMixer mixer(44100);
    for (auto _ : state) {
        std::uint32_t stream = mixer.loadStream(bytes.data(), bytes.size());
        if (stream == 0) state.SkipWithError("track did not decode");
        mixer.free(stream);
    }
    state.counters["file_kB"] = static_cast<double>(bytes.size()) / 1024.0;
}

void BM_Decode30sOgg(benchmark::State& state) {
    decodeTrack(state, SF_FORMAT_OGG | SF_FORMAT_VORBIS);
}
void BM_Decode30sMp3(benchmark::State& state) {
    decodeTrack(state, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III);
}
BENCHMARK(BM_Decode30sOgg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Decode30sMp3)->Unit(benchmark::kMillisecond);

// The sound device's side: 64 channels mixed into one 1024-frame buffer.
void BM_Mix64Channels(benchmark::State& state) {
    AudioMixer mixer(44100);
    std::vector<float> tone = testing::stereoSine(44100, 44100, 440.0, 0.01f);
    testing::TempDir dir;
    std::string path = dir.file("tone.wav");
    testing::writeSoundFile(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 2, tone);
    std::vector<std::uint8_t> bytes = testing::readBytes(path);
    std::uint32_t stream = mixer.loadStream(bytes.data(), bytes.size());
    for (int i = 0; i < 64; ++i) mixer.play(stream, true, 50);
    std::vector<float> out(1024 * 2);
    for (auto _ : state) {
        mixer.mix(out.data(), 1024);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_Mix64Channels)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvid
