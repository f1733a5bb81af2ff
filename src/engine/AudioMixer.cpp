#include "engine/AudioMixer.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>

#include "engine/AudioDecode.h"

namespace korvid {

namespace {

// Handle layout: bit 31 tells channels from streams, bits 16..30 carry the
// slot's generation (never 0, so no handle is 0) and bits 0..15 the slot.
// A slot's generation moves on each time it is reused, so a handle kept past
// its sound's end or free names nothing instead of someone else's sound.
constexpr std::uint32_t kChannelBit = 0x80000000u;
constexpr int kGenerationShift = 16;
constexpr std::uint32_t kGenerationMask = 0x7FFFu;
constexpr std::uint32_t kSlotMask = 0xFFFFu;
constexpr std::size_t kMaxSlots = kSlotMask + 1;
// Enough for the music and a busy frame's sound effects without growing.
constexpr std::size_t kInitialChannels = 256;

std::uint32_t nextGeneration(std::uint32_t g) {
    g = (g + 1) & kGenerationMask;
    return g == 0 ? 1 : g;
}

std::uint32_t makeHandle(bool channel, std::uint32_t generation, std::size_t slot) {
    return (channel ? kChannelBit : 0u) | (generation << kGenerationShift) | static_cast<std::uint32_t>(slot);
}

bool isChannelHandle(std::uint32_t h) {
    return (h & kChannelBit) != 0;
}

std::size_t slotOf(std::uint32_t h) {
    return h & kSlotMask;
}

std::uint32_t generationOf(std::uint32_t h) {
    return (h >> kGenerationShift) & kGenerationMask;
}

float gainOf(int volume) {
    return static_cast<float>(std::clamp(volume, 0, 100)) / 100.0f;  // linear
}

struct Stream {
    std::vector<float> samples;  // interleaved stereo at the mixer rate
    std::int64_t frames = 0;
    std::uint32_t generation = 0;
    bool live = false;
};

// Active channels play or sit paused; ended ones (run out or stopped) still
// answer queries until play() recycles the slot; free ones answer nothing.
enum class ChannelState : std::uint8_t { Free, Active, Ended };

struct Channel {
    std::size_t stream = 0;
    std::int64_t pos = 0;  // frames
    float gain = 1.0f;
    bool loop = false;
    bool paused = false;
    ChannelState state = ChannelState::Free;
    std::uint32_t generation = 0;
};

}  // namespace

struct AudioMixer::Impl {
    explicit Impl(int r) : rate(r > 0 ? r : 44100) { channels.resize(kInitialChannels); }

    const int rate;
    mutable std::mutex lock;
    std::vector<Stream> streams;
    std::vector<Channel> channels;
    // Slots are handed out round-robin so a just-ended channel keeps its
    // handle meaningful for as long as possible.
    std::size_t nextStreamSlot = 0;
    std::size_t nextChannelSlot = 0;

    Stream* findStream(std::uint32_t h) {
        if (h == 0 || isChannelHandle(h)) return nullptr;
        std::size_t slot = slotOf(h);
        if (slot >= streams.size()) return nullptr;
        Stream& s = streams[slot];
        return s.live && s.generation == generationOf(h) ? &s : nullptr;
    }

    // Active or ended channel named by `h`.
    Channel* findChannel(std::uint32_t h) {
        if (!isChannelHandle(h)) return nullptr;
        std::size_t slot = slotOf(h);
        if (slot >= channels.size()) return nullptr;
        Channel& c = channels[slot];
        return c.state != ChannelState::Free && c.generation == generationOf(h) ? &c : nullptr;
    }

    Channel* findActive(std::uint32_t h) {
        Channel* c = findChannel(h);
        return c && c->state == ChannelState::Active ? c : nullptr;
    }

    const Stream& streamOf(const Channel& c) const { return streams[c.stream]; }

    // Index of a reusable slot in `slots`, growing it when all are taken;
    // kMaxSlots when the handle space is exhausted.
    template <typename Slot, typename Reusable>
    static std::size_t claim(std::vector<Slot>& slots, std::size_t& cursor, Reusable reusable) {
        for (std::size_t n = 0; n < slots.size(); ++n) {
            std::size_t i = (cursor + n) % slots.size();
            if (reusable(slots[i])) {
                cursor = (i + 1) % slots.size();
                return i;
            }
        }
        if (slots.size() >= kMaxSlots) return kMaxSlots;
        slots.emplace_back();
        cursor = 0;
        return slots.size() - 1;
    }

    // End of the stream reached (or passed): wrap a looping channel, end the others.
    void settleAtEnd(Channel& c) {
        std::int64_t frames = streamOf(c).frames;
        if (c.pos < frames) return;
        if (c.loop) {
            c.pos %= frames;
        } else {
            c.pos = frames;
            c.state = ChannelState::Ended;
        }
    }

    void mixChannel(Channel& c, float* out, int frames) {
        const Stream& s = streamOf(c);
        int left = frames;
        while (left > 0 && c.state == ChannelState::Active) {
            std::int64_t n = std::min<std::int64_t>(left, s.frames - c.pos);
            const float* src = s.samples.data() + c.pos * 2;
            for (std::int64_t i = 0; i < n * 2; ++i) out[i] += src[i] * c.gain;
            out += n * 2;
            left -= static_cast<int>(n);
            c.pos += n;
            settleAtEnd(c);
        }
    }
};

AudioMixer::AudioMixer(int sampleRate) : impl_(std::make_unique<Impl>(sampleRate)) {}
AudioMixer::~AudioMixer() = default;

int AudioMixer::sampleRate() const {
    return impl_->rate;
}

std::uint32_t AudioMixer::loadStream(const std::uint8_t* data, std::size_t size) {
    // Decoding takes a while: do it before taking the lock the sound device waits on.
    std::vector<float> samples;
    if (!decodeToStereo(data, size, impl_->rate, samples)) return 0;

    std::lock_guard<std::mutex> guard(impl_->lock);
    std::size_t slot = Impl::claim(impl_->streams, impl_->nextStreamSlot, [](const Stream& s) { return !s.live; });
    if (slot == kMaxSlots) return 0;
    Stream& s = impl_->streams[slot];
    s.frames = static_cast<std::int64_t>(samples.size() / 2);
    s.samples = std::move(samples);
    s.generation = nextGeneration(s.generation);
    s.live = true;
    return makeHandle(false, s.generation, slot);
}

std::uint32_t AudioMixer::loadSilent() {
    std::lock_guard<std::mutex> guard(impl_->lock);
    std::size_t slot = Impl::claim(impl_->streams, impl_->nextStreamSlot, [](const Stream& s) { return !s.live; });
    if (slot == kMaxSlots) return 0;
    Stream& s = impl_->streams[slot];
    s.frames = 0;
    s.samples.clear();
    s.generation = nextGeneration(s.generation);
    s.live = true;
    return makeHandle(false, s.generation, slot);
}

std::uint32_t AudioMixer::play(std::uint32_t stream, bool loop, int volume) {
    std::lock_guard<std::mutex> guard(impl_->lock);
    if (!impl_->findStream(stream)) return 0;
    std::size_t slot = Impl::claim(impl_->channels, impl_->nextChannelSlot,
                                   [](const Channel& c) { return c.state != ChannelState::Active; });
    if (slot == kMaxSlots) return 0;
    Channel& c = impl_->channels[slot];
    c.stream = slotOf(stream);
    c.pos = 0;
    c.gain = gainOf(volume);
    c.loop = loop;
    c.paused = false;
    c.state = ChannelState::Active;
    c.generation = nextGeneration(c.generation);
    return makeHandle(true, c.generation, slot);
}

void AudioMixer::free(std::uint32_t streamOrChannel) {
    std::vector<float> released;  // dropped after the lock is let go
    std::lock_guard<std::mutex> guard(impl_->lock);
    if (Channel* c = impl_->findChannel(streamOrChannel)) {
        c->state = ChannelState::Free;
        return;
    }
    Stream* s = impl_->findStream(streamOrChannel);
    if (!s) return;
    std::size_t slot = slotOf(streamOrChannel);
    for (Channel& c : impl_->channels) {
        if (c.state != ChannelState::Free && c.stream == slot) c.state = ChannelState::Free;
    }
    released.swap(s->samples);
    s->frames = 0;
    s->live = false;
}

void AudioMixer::pause(std::uint32_t channel) {
    std::lock_guard<std::mutex> guard(impl_->lock);
    if (Channel* c = impl_->findActive(channel)) c->paused = true;
}

void AudioMixer::resume(std::uint32_t channel) {
    std::lock_guard<std::mutex> guard(impl_->lock);
    if (Channel* c = impl_->findActive(channel)) c->paused = false;
}

void AudioMixer::stop(std::uint32_t channel) {
    std::lock_guard<std::mutex> guard(impl_->lock);
    if (Channel* c = impl_->findActive(channel)) c->state = ChannelState::Ended;
}

void AudioMixer::setVolume(std::uint32_t channel, int volume) {
    std::lock_guard<std::mutex> guard(impl_->lock);
    if (Channel* c = impl_->findActive(channel)) c->gain = gainOf(volume);
}

bool AudioMixer::isPlaying(std::uint32_t channel) const {
    std::lock_guard<std::mutex> guard(impl_->lock);
    Channel* c = impl_->findActive(channel);
    return c && !c->paused;
}

float AudioMixer::position(std::uint32_t channel) const {
    std::lock_guard<std::mutex> guard(impl_->lock);
    Channel* c = impl_->findChannel(channel);
    return c ? static_cast<float>(static_cast<double>(c->pos) / impl_->rate) : 0.0f;
}

void AudioMixer::setPosition(std::uint32_t channel, float seconds) {
    std::lock_guard<std::mutex> guard(impl_->lock);
    Channel* c = impl_->findActive(channel);
    if (!c) return;
    double frames = static_cast<double>(impl_->streamOf(*c).frames);
    double wanted = std::isnan(seconds) ? 0.0 : static_cast<double>(seconds) * impl_->rate;
    c->pos = std::llround(std::clamp(wanted, 0.0, frames));
}

float AudioMixer::length(std::uint32_t handle) const {
    std::lock_guard<std::mutex> guard(impl_->lock);
    const Stream* s = nullptr;
    if (Channel* c = impl_->findChannel(handle)) s = &impl_->streamOf(*c);
    else s = impl_->findStream(handle);
    return s ? static_cast<float>(static_cast<double>(s->frames) / impl_->rate) : 0.0f;
}

void AudioMixer::mix(float* out, int frames) {
    if (!out || frames <= 0) return;
    std::fill(out, out + static_cast<std::size_t>(frames) * 2, 0.0f);
    std::lock_guard<std::mutex> guard(impl_->lock);
    for (Channel& c : impl_->channels) {
        if (c.state == ChannelState::Active && !c.paused) impl_->mixChannel(c, out, frames);
    }
    for (int i = 0; i < frames * 2; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

void AudioMixer::advance(double seconds) {
    if (!(seconds > 0.0)) return;
    std::lock_guard<std::mutex> guard(impl_->lock);
    double frames = std::min(seconds * impl_->rate, static_cast<double>(std::numeric_limits<std::int32_t>::max()));
    std::int64_t step = std::llround(frames);
    for (Channel& c : impl_->channels) {
        if (c.state != ChannelState::Active || c.paused) continue;
        c.pos += step;
        impl_->settleAtEnd(c);
    }
}

}  // namespace korvid
