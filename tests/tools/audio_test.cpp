// The pack's sound: tunes come out at the length their entry sets and the
// same every time, effects are normalised, and the encoders write files that
// libsndfile reads back, Ogg ones byte for byte the same on every run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "AudioFile.h"
#include "MusicComposer.h"
#include "OggPages.h"
#include "SoundEffects.h"
#include "Synth.h"

namespace korvid {
namespace {

using namespace packgen;

float Peak(const Samples& s) {
    float p = 0;
    for (float v : s) p = std::max(p, std::fabs(v));
    return p;
}

Json Tune(int bars, double bpm, const std::string& drums) {
    return Json::parse(R"({"bpm": )" + std::to_string(bpm) + R"(, "bars": )" + std::to_string(bars) +
                       R"(, "key": 57, "mode": "minor", "progression": [1, 6, 4, 5], "drums": ")" + drums + "\"}");
}

TEST(MusicTest, LengthIsBarsTimesBeatsAtTheTempoAndLoopsCleanly) {
    Json entry = Tune(4, 120, "rock");
    Samples s = ComposeMusic(entry, 1);
    EXPECT_DOUBLE_EQ(MusicSeconds(entry), 8.0);
    EXPECT_EQ(s.size(), std::size_t(8.0 * kSampleRate));
    EXPECT_NEAR(Peak(s), 0.85f, 1e-4f);
    // The ring of the last notes is folded onto the start, so the loop point
    // has no jump: the last and first samples are close.
    EXPECT_LT(std::fabs(s.back() - s.front()), 0.25f);
}

TEST(MusicTest, SameSeedSameTuneOtherSeedOtherTune) {
    Json entry = Tune(2, 140, "drive");
    Samples a = ComposeMusic(entry, 5), b = ComposeMusic(entry, 5), c = ComposeMusic(entry, 6);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
}

TEST(MusicTest, UnknownModeIsAnError) {
    Json entry = Json::parse(R"({"bpm": 120, "bars": 1, "mode": "locrian-ish"})");
    EXPECT_THROW(ComposeMusic(entry, 1), std::runtime_error);
}

TEST(SoundEffectTest, LayersRepeatAndTheResultIsNormalised) {
    Json one = Json::parse(R"({"layers": [{"type": "tone", "wave": "square", "from": 880, "hold": 0.05,
                                            "release": 0.02, "gain": 3.0}]})");
    Json three = Json::parse(R"({"layers": [{"type": "tone", "wave": "square", "from": 880, "hold": 0.05,
                                              "release": 0.02, "repeat": 3, "every": 0.1}]})");
    Samples a = SynthesiseEffect(one, 1), b = SynthesiseEffect(three, 1);
    EXPECT_NEAR(Peak(a), 0.8f, 1e-4f) << "loud layers are scaled down to the peak";
    EXPECT_NEAR(Peak(b), 0.8f, 1e-4f);
    EXPECT_NEAR(double(a.size()) / kSampleRate, 0.07, 0.005);
    EXPECT_NEAR(double(b.size()) / kSampleRate, 0.27, 0.005);
    EXPECT_THROW(SynthesiseEffect(Json::parse(R"({"layers": [{"type": "kazoo"}]})"), 1), std::runtime_error);
}

TEST(EnvelopeTest, RisesHoldsAndReleasesToSilence) {
    Envelope e{0.1f, 0.1f, 0.5f, 0.2f};
    EXPECT_NEAR(e.level(0.05f, 1), 0.5f, 1e-5);
    EXPECT_NEAR(e.level(0.1f, 1), 1.0f, 1e-5);
    EXPECT_NEAR(e.level(0.5f, 1), 0.5f, 1e-5);
    EXPECT_NEAR(e.level(1.1f, 1), 0.25f, 1e-5);
    EXPECT_FLOAT_EQ(e.level(1.3f, 1), 0.0f);
}

TEST(AudioFileTest, EveryFormatDecodesBackAtTheRightLength) {
    Samples tone;
    AddTone(tone, 0, NoteTone{Wave::Sine, 440, 0, 0.5f, 1.0f, {0.01f, 0.1f, 0.8f, 0.0f}});
    for (const char* name : {"a.wav", "a.ogg", "a.mp3"}) {
        int rate = 0;
        Samples back = DecodeAudio(EncodeAudio(tone, name), &rate);
        EXPECT_EQ(rate, kSampleRate) << name;
        EXPECT_NEAR(double(back.size()) / rate, double(tone.size()) / kSampleRate, 0.12) << name;
        EXPECT_NEAR(Peak(back), 0.5f, 0.08f) << name;
    }
    EXPECT_THROW(EncodeAudio(tone, "a.flac"), std::runtime_error);
}

TEST(AudioFileTest, OggFilesAreTheSameBytesOnEveryRun) {
    Samples noiseBurst;
    Rng rng(3);
    AddNoise(noiseBurst, 0, 0.3f, 0.5f, 4000, 500, {}, rng);
    std::vector<std::uint8_t> a = EncodeAudio(noiseBurst, "SE/x.ogg"), b = EncodeAudio(noiseBurst, "SE/x.ogg");
    EXPECT_EQ(a, b);
    // The serial number comes from the name, and each page's checksum still holds.
    std::vector<std::uint8_t> other = EncodeAudio(noiseBurst, "SE/y.ogg");
    EXPECT_NE(a, other);
    EXPECT_FALSE(DecodeAudio(other).empty());
}

TEST(OggPagesTest, RewritesEveryPageAndItsChecksum) {
    Samples s(kSampleRate / 2, 0.1f);
    std::vector<std::uint8_t> bytes = EncodeAudio(s, "z.ogg");
    int pages = SetOggSerial(bytes, 0x12345678u);
    EXPECT_GE(pages, 3);  // two header pages and at least one of audio
    std::size_t pos = 0;
    for (int i = 0; i < pages; ++i) {
        std::uint8_t* page = bytes.data() + pos;
        std::uint32_t serial = page[14] | (page[15] << 8) | (page[16] << 16) | (std::uint32_t(page[17]) << 24);
        EXPECT_EQ(serial, 0x12345678u);
        std::size_t size = 27 + page[26];
        for (int k = 0; k < page[26]; ++k) size += page[27 + k];
        std::vector<std::uint8_t> copy(page, page + size);
        std::uint32_t stored = copy[22] | (copy[23] << 8) | (copy[24] << 16) | (std::uint32_t(copy[25]) << 24);
        std::fill(copy.begin() + 22, copy.begin() + 26, 0);
        EXPECT_EQ(OggCrc(copy.data(), copy.size()), stored);
        pos += size;
    }
    EXPECT_EQ(pos, bytes.size());
    std::vector<std::uint8_t> notOgg = {'R', 'I', 'F', 'F', 0, 0, 0, 0};
    EXPECT_EQ(SetOggSerial(notOgg, 1), 0);
}

}  // namespace
}  // namespace korvid
