// Software mixer for the game's audio: any number of decoded streams, each
// playable on many channels at once (two music tracks in the music room,
// dozens of sound effects). Decoding is done by libsndfile (WAV, OGG, MP3).
// The mixer itself knows nothing about the sound device: SdlEngine calls
// mix() from the SDL audio callback (under its lock), HeadlessEngine calls
// advance() once per frame so positions move deterministically. Every
// public member is thread-safe (one internal lock), so the device thread may
// call mix() while the game thread plays and frees sounds.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace korvid {

class AudioMixer {
public:
    explicit AudioMixer(int sampleRate = 44100);
    ~AudioMixer();
    AudioMixer(const AudioMixer&) = delete;
    AudioMixer& operator=(const AudioMixer&) = delete;

    int sampleRate() const;

    // Decodes a whole file held in memory (resampled to the mixer rate, stereo).
    // Returns a non-zero stream handle, or 0 if the data cannot be decoded.
    std::uint32_t loadStream(const std::uint8_t* data, std::size_t size);
    // A stream of no sound at all (plays as if it had ended), 0 when every
    // stream slot is taken.
    std::uint32_t loadSilent();
    // Starts the stream on a new channel; volume 0..100 is a linear gain
    // (volume / 100). 0 for a bad stream.
    std::uint32_t play(std::uint32_t stream, bool loop, int volume);
    // Frees a stream (and stops its channels) or stops and frees one channel.
    void free(std::uint32_t streamOrChannel);

    void pause(std::uint32_t channel);
    void resume(std::uint32_t channel);
    // Ends the channel as if it had run out: it stays silent (resume does not
    // restart it) and its slot is reused by a later play().
    void stop(std::uint32_t channel);
    void setVolume(std::uint32_t channel, int volume);
    bool isPlaying(std::uint32_t channel) const;
    float position(std::uint32_t channel) const;  // seconds
    void setPosition(std::uint32_t channel, float seconds);
    float length(std::uint32_t channel) const;  // seconds; channel or stream handle

    // Mixes `frames` stereo frames of float samples into out (overwrites).
    void mix(float* out, int frames);
    // Moves every playing channel on by `seconds` without producing sound.
    void advance(double seconds);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace korvid
