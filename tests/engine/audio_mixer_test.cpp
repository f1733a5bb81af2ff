#include "engine/AudioMixer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "SoundFileWriter.h"
#include "TempDir.h"
#include "engine/AudioDecode.h"

namespace korvid {
namespace {

using testing::readBytes;
using testing::stereoSine;
using testing::TempDir;
using testing::writeSoundFile;

constexpr int kWav16 = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
constexpr int kOgg = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
constexpr int kMp3 = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;

// A mixer at a low rate keeps sample positions small and readable: with
// 1000 frames per second, frame n is at n milliseconds.
constexpr int kRate = 1000;
constexpr float kFrame = 1.0f / kRate;

class AudioMixerTest : public ::testing::Test {
protected:
    // Writes and loads a sound file; returns the stream handle.
    std::uint32_t load(AudioMixer& m, int format, int rate, int channels, const std::vector<float>& samples) {
        std::string path = dir.file("s" + std::to_string(counter++) + ".snd");
        if (!writeSoundFile(path, format, rate, channels, samples)) return 0;
        std::vector<std::uint8_t> bytes = readBytes(path);
        return m.loadStream(bytes.data(), bytes.size());
    }
    // Mono file of `frames` frames all equal to `value`.
    std::uint32_t loadConstant(AudioMixer& m, float value, int frames) {
        return load(m, kWav16, m.sampleRate(), 1, std::vector<float>(frames, value));
    }
    // Mono ramp: frame i holds i / 2000 (16-bit steps are far finer than 1/2000).
    std::uint32_t loadRamp(AudioMixer& m, int frames) {
        std::vector<float> ramp(frames);
        for (int i = 0; i < frames; ++i) ramp[i] = static_cast<float>(i) / 2000.0f;
        return load(m, kWav16, m.sampleRate(), 1, ramp);
    }
    std::vector<float> mixFrames(AudioMixer& m, int frames) {
        std::vector<float> out(static_cast<std::size_t>(frames) * 2, 99.0f);
        m.mix(out.data(), frames);
        return out;
    }

    TempDir dir;
    int counter = 0;
};

constexpr float kPcmTolerance = 1.0f / 16384;

TEST_F(AudioMixerTest, WavLengthAndMonoGoesToBothSides) {
    AudioMixer m(kRate);
    std::uint32_t s = loadConstant(m, 0.25f, 500);
    ASSERT_NE(s, 0u);
    EXPECT_NEAR(m.length(s), 0.5f, kFrame / 2);
    std::uint32_t c = m.play(s, false, 100);
    ASSERT_NE(c, 0u);
    EXPECT_NE(c, s);
    EXPECT_FLOAT_EQ(m.length(c), m.length(s));
    std::vector<float> out = mixFrames(m, 10);
    for (float v : out) EXPECT_NEAR(v, 0.25f, kPcmTolerance);
}

TEST_F(AudioMixerTest, ResamplesToMixerRate) {
    AudioMixer m(44100);
    std::uint32_t s = load(m, kWav16, 22050, 2, stereoSine(22050, 11025, 100.0, 0.5f));
    ASSERT_NE(s, 0u);
    EXPECT_NEAR(m.length(s), 0.5f, 1.0f / 44100);

    // Linear interpolation: frames between source frames lie halfway.
    std::vector<float> in{0.0f, 1.0f, 1.0f, -1.0f};
    std::vector<float> up = resampleStereo(in, 1, 2);
    EXPECT_EQ(up, (std::vector<float>{0.0f, 1.0f, 0.5f, 0.0f, 1.0f, -1.0f, 1.0f, -1.0f}));
    std::vector<float> down = resampleStereo(std::vector<float>(200, 0.5f), 4, 1);
    EXPECT_EQ(down.size(), 50u);
}

// Vorbis and MP3 are lossy: check the length and that the sine comes out
// at about the loudness that went in.
void expectSineBack(AudioMixer& m, std::uint32_t s, float seconds, float lengthTolerance) {
    ASSERT_NE(s, 0u);
    EXPECT_NEAR(m.length(s), seconds, lengthTolerance);
    std::uint32_t c = m.play(s, false, 100);
    std::vector<float> out(static_cast<std::size_t>(m.sampleRate() / 2) * 2);
    m.advance(0.2);  // past any encoder delay at the start
    m.mix(out.data(), m.sampleRate() / 2);
    double sum = 0;
    for (float v : out) sum += static_cast<double>(v) * v;
    double rms = std::sqrt(sum / static_cast<double>(out.size()));
    EXPECT_NEAR(rms, 0.5 / std::sqrt(2.0), 0.03);
    EXPECT_TRUE(m.isPlaying(c));
}

TEST_F(AudioMixerTest, OggVorbisDecodes) {
    AudioMixer m(44100);
    std::uint32_t s = load(m, kOgg, 44100, 2, stereoSine(44100, 44100, 440.0, 0.5f));
    expectSineBack(m, s, 1.0f, 2.0f / 44100);
}

TEST_F(AudioMixerTest, Mp3Decodes) {
    AudioMixer m(44100);
    std::uint32_t s = load(m, kMp3, 44100, 2, stereoSine(44100, 44100, 440.0, 0.5f));
    // The encoder pads the last MPEG frame (1152 samples) and may add its
    // start-up delay, so the decoded length can run a few frames long.
    expectSineBack(m, s, 1.0f, 0.06f);
}

TEST_F(AudioMixerTest, MixSumsChannelsScaledByVolumeAndClamps) {
    AudioMixer m(kRate);
    std::uint32_t a = loadConstant(m, 0.25f, 100);
    std::uint32_t b = loadConstant(m, 0.125f, 100);
    std::uint32_t ca = m.play(a, false, 100);
    std::uint32_t cb = m.play(b, false, 100);
    for (float v : mixFrames(m, 4)) EXPECT_NEAR(v, 0.375f, kPcmTolerance);

    m.setVolume(cb, 50);
    for (float v : mixFrames(m, 4)) EXPECT_NEAR(v, 0.3125f, kPcmTolerance);
    m.setVolume(ca, 0);
    for (float v : mixFrames(m, 4)) EXPECT_NEAR(v, 0.0625f, kPcmTolerance);
    m.setVolume(cb, 250);  // out of range: clamped to full volume
    for (float v : mixFrames(m, 4)) EXPECT_NEAR(v, 0.125f, kPcmTolerance);

    // The same stream on three channels at once, summed past full scale.
    std::uint32_t loud = loadConstant(m, 0.5f, 100);
    for (int i = 0; i < 3; ++i) m.play(loud, false, 100);
    for (float v : mixFrames(m, 4)) EXPECT_FLOAT_EQ(v, 1.0f);
}

TEST_F(AudioMixerTest, PauseHoldsPositionAndResumeContinues) {
    AudioMixer m(kRate);
    std::uint32_t c = m.play(loadRamp(m, 1000), false, 100);
    mixFrames(m, 100);
    m.pause(c);
    EXPECT_FALSE(m.isPlaying(c));
    for (float v : mixFrames(m, 50)) EXPECT_EQ(v, 0.0f);
    m.advance(0.5);
    EXPECT_NEAR(m.position(c), 0.1f, kFrame / 4);
    m.resume(c);
    EXPECT_TRUE(m.isPlaying(c));
    EXPECT_NEAR(mixFrames(m, 1)[0], 100 / 2000.0f, kPcmTolerance);
}

TEST_F(AudioMixerTest, SetPositionIsSampleAccurateAndClamped) {
    AudioMixer m(kRate);
    std::uint32_t c = m.play(loadRamp(m, 1000), false, 100);
    m.setPosition(c, 0.25f);
    EXPECT_NEAR(m.position(c), 0.25f, kFrame / 4);
    std::vector<float> out = mixFrames(m, 2);
    EXPECT_NEAR(out[0], 250 / 2000.0f, kPcmTolerance);
    EXPECT_NEAR(out[2], 251 / 2000.0f, kPcmTolerance);
    EXPECT_NEAR(m.position(c), 0.252f, kFrame / 4);

    m.setPosition(c, 0.4567f);  // between frames: nearest frame
    EXPECT_NEAR(m.position(c), 0.457f, kFrame / 4);
    m.setPosition(c, -3.0f);
    EXPECT_EQ(m.position(c), 0.0f);
    m.setPosition(c, 60.0f);
    EXPECT_NEAR(m.position(c), m.length(c), kFrame / 4);
    mixFrames(m, 1);
    EXPECT_FALSE(m.isPlaying(c));
}

TEST_F(AudioMixerTest, LoopWrapsAndOneShotStops) {
    AudioMixer m(kRate);
    std::uint32_t s = loadRamp(m, 1000);
    std::uint32_t looped = m.play(s, true, 100);
    std::uint32_t once = m.play(s, false, 100);
    m.setPosition(looped, 0.99f);
    m.setPosition(once, 0.99f);
    std::vector<float> out = mixFrames(m, 20);
    // Frame 9: both at 999; frame 10: only the looping one, back at 0; frame 15 at 5.
    EXPECT_NEAR(out[18], 2 * 999 / 2000.0f, 2 * kPcmTolerance);
    EXPECT_NEAR(out[20], 0.0f, kPcmTolerance);
    EXPECT_NEAR(out[30], 5 / 2000.0f, kPcmTolerance);
    EXPECT_TRUE(m.isPlaying(looped));
    EXPECT_NEAR(m.position(looped), 0.01f, kFrame / 4);
    EXPECT_FALSE(m.isPlaying(once));
    // A sound that ended is silent from then on, even when resumed.
    m.resume(once);
    EXPECT_FALSE(m.isPlaying(once));
    m.pause(looped);
    for (float v : mixFrames(m, 5)) EXPECT_EQ(v, 0.0f);
}

TEST_F(AudioMixerTest, AdvanceMovesByRoundedFramesWithLoopAndStop) {
    AudioMixer m(kRate);
    std::uint32_t s = loadRamp(m, 1000);
    std::uint32_t looped = m.play(s, true, 100);
    std::uint32_t once = m.play(s, false, 100);
    m.advance(1.0 / 60);  // 16.67 frames -> 17
    EXPECT_NEAR(m.position(looped), 0.017f, kFrame / 4);
    for (int i = 0; i < 60; ++i) m.advance(1.0 / 60);
    EXPECT_NEAR(m.position(looped), (61 * 17 % 1000) * kFrame, kFrame / 4);
    EXPECT_FALSE(m.isPlaying(once));
    EXPECT_TRUE(m.isPlaying(looped));
    m.advance(2.5);
    EXPECT_NEAR(m.position(looped), ((61 * 17 + 2500) % 1000) * kFrame, kFrame / 4);
    m.advance(-1.0);  // ignored
    EXPECT_NEAR(m.position(looped), ((61 * 17 + 2500) % 1000) * kFrame, kFrame / 4);
}

TEST_F(AudioMixerTest, StaleAndForeignHandlesAreHarmless) {
    AudioMixer m(kRate);
    std::uint32_t s = loadConstant(m, 0.25f, 100);
    std::uint32_t c = m.play(s, true, 100);
    std::uint32_t other = m.play(loadConstant(m, 0.125f, 100), true, 100);

    m.free(c);
    EXPECT_FALSE(m.isPlaying(c));
    EXPECT_EQ(m.length(c), 0.0f);
    m.setVolume(c, 100);
    for (float v : mixFrames(m, 4)) EXPECT_NEAR(v, 0.125f, kPcmTolerance);
    EXPECT_NE(m.play(s, false, 100), c);  // a just-freed handle is not given out again

    // Freeing the stream stops every channel playing it; the handle goes dead.
    std::uint32_t c1 = m.play(s, true, 100);
    std::uint32_t c2 = m.play(s, true, 100);
    m.free(s);
    EXPECT_FALSE(m.isPlaying(c1));
    EXPECT_FALSE(m.isPlaying(c2));
    EXPECT_EQ(m.play(s, false, 100), 0u);
    EXPECT_EQ(m.length(s), 0.0f);
    EXPECT_TRUE(m.isPlaying(other));
    EXPECT_NE(loadConstant(m, 0.5f, 100), s);

    // A channel is not a stream; zero and made-up numbers name nothing.
    EXPECT_EQ(m.play(other, false, 100), 0u);
    for (std::uint32_t h : {0u, 0x12345678u, 0xFFFFFFFFu, 0x80000000u, 0x80010000u}) {
        EXPECT_EQ(m.play(h, false, 100), 0u);
        m.free(h);
        m.pause(h);
        m.stop(h);
        m.setPosition(h, 0.5f);
        EXPECT_FALSE(m.isPlaying(h));
        EXPECT_EQ(m.position(h), 0.0f);
        EXPECT_EQ(m.length(h), 0.0f);
    }
    EXPECT_TRUE(m.isPlaying(other));
}

// Also the many-channels case: 600 sounds at once, all audible.
TEST_F(AudioMixerTest, StaleChannelHandleNeverReachesTheSlotsNextSound) {
    AudioMixer m(kRate);
    std::uint32_t s = loadConstant(m, 0.001f, 100);
    std::uint32_t ended = m.play(s, false, 100);
    std::uint32_t freed = m.play(s, false, 100);
    m.advance(1.0);
    ASSERT_FALSE(m.isPlaying(ended));
    m.free(freed);
    // Enough new sounds that every slot, the two old ones included, is busy.
    std::vector<std::uint32_t> busy;
    for (int i = 0; i < 600; ++i) busy.push_back(m.play(s, true, 100));
    for (std::uint32_t old : {ended, freed}) {
        m.pause(old);
        m.setVolume(old, 0);
        m.setPosition(old, 0.05f);
        m.stop(old);
        m.free(old);
        EXPECT_FALSE(m.isPlaying(old));
    }
    for (std::uint32_t b : busy) {
        ASSERT_TRUE(m.isPlaying(b));
        ASSERT_EQ(m.position(b), 0.0f);
    }
    for (float v : mixFrames(m, 4)) EXPECT_NEAR(v, 0.6f, 0.02f);
}

TEST_F(AudioMixerTest, GarbageAndEmptyDataGiveZero) {
    AudioMixer m(kRate);
    std::string text = "this is certainly not a sound file, just some words";
    EXPECT_EQ(m.loadStream(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), 0u);
    std::vector<std::uint8_t> noise(4096);
    std::uint32_t x = 12345;
    for (auto& b : noise) b = static_cast<std::uint8_t>((x = x * 1103515245u + 12345u) >> 24);
    noise[0] = 'J';  // no accidental RIFF/OggS/ID3 magic
    EXPECT_EQ(m.loadStream(noise.data(), noise.size()), 0u);
    EXPECT_EQ(m.loadStream(nullptr, 0), 0u);
    EXPECT_EQ(load(m, kWav16, kRate, 1, {}), 0u);  // a valid file with no frames

    // The first half of a WAV still plays what it holds.
    std::string path = dir.file("cut.wav");
    ASSERT_TRUE(writeSoundFile(path, kWav16, kRate, 1, std::vector<float>(1000, 0.25f)));
    std::vector<std::uint8_t> bytes = readBytes(path);
    std::uint32_t cut = m.loadStream(bytes.data(), bytes.size() / 2);
    ASSERT_NE(cut, 0u);
    EXPECT_LT(m.length(cut), 0.5f);
}

// Sounds are decoded whole: a file that would become more than ten minutes
// is cut there, and a rate no sound file uses (resampled to the mixer's it
// would multiply the samples) is refused.
TEST_F(AudioMixerTest, DecodingStopsAtTenMinutesAndRefusesRatesNoFileUses) {
    AudioMixer m(kRate);
    const std::uint32_t longTrack = loadConstant(m, 0.25f, 610 * kRate);
    ASSERT_NE(longTrack, 0u);
    EXPECT_NEAR(m.length(longTrack), 600.0f, 0.01f);
    EXPECT_EQ(load(m, kWav16, 500, 1, std::vector<float>(100, 0.25f)), 0u);
    EXPECT_NE(load(m, kWav16, 1000, 1, std::vector<float>(100, 0.25f)), 0u);
}

TEST_F(AudioMixerTest, MixFromAnotherThreadWhileGameThreadPlaysAndFrees) {
    AudioMixer m(kRate);
    std::uint32_t s = loadConstant(m, 0.01f, 20);
    std::atomic<bool> done{false};
    std::thread device([&] {
        std::vector<float> out(64 * 2);
        while (!done) {
            m.mix(out.data(), 64);
            std::this_thread::yield();
        }
    });
    // Up to eight sounds at a time, each freed eight plays later.
    std::uint32_t recent[8] = {};
    for (int i = 0; i < 5000; ++i) {
        m.free(recent[i % 8]);
        recent[i % 8] = m.play(s, i % 3 == 0, 50);
        if (i % 100 == 0) m.advance(0.01);
    }
    done = true;
    device.join();
    m.free(s);
    for (float v : mixFrames(m, 8)) EXPECT_EQ(v, 0.0f);
}

}  // namespace
}  // namespace korvid
