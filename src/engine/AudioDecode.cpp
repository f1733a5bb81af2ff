#include "engine/AudioDecode.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace korvid {

namespace {

// libsndfile's virtual I/O over a read-only block of memory.
struct MemoryFile {
    const std::uint8_t* data;
    sf_count_t size;
    sf_count_t pos;
};

sf_count_t memLength(void* user) {
    return static_cast<MemoryFile*>(user)->size;
}

sf_count_t memSeek(sf_count_t offset, int whence, void* user) {
    auto* f = static_cast<MemoryFile*>(user);
    sf_count_t base = whence == SEEK_CUR ? f->pos : whence == SEEK_END ? f->size : 0;
    sf_count_t target = base + offset;
    if (target < 0 || target > f->size) return -1;
    f->pos = target;
    return f->pos;
}

sf_count_t memRead(void* dst, sf_count_t count, void* user) {
    auto* f = static_cast<MemoryFile*>(user);
    sf_count_t n = std::clamp<sf_count_t>(f->size - f->pos, 0, std::max<sf_count_t>(count, 0));
    if (n > 0) std::memcpy(dst, f->data + f->pos, static_cast<std::size_t>(n));
    f->pos += n;
    return n;
}

sf_count_t memWrite(const void*, sf_count_t, void*) {
    return 0;
}

sf_count_t memTell(void* user) {
    return static_cast<MemoryFile*>(user)->pos;
}

struct SndfileCloser {
    void operator()(SNDFILE* f) const { sf_close(f); }
};

// Sounds are decoded whole, so how much one may become is bounded: no track
// of a game runs past ten minutes (longer ones are cut there), and rates
// outside what sound files use are refused. A small file claiming or
// unpacking to hours, or a rate of 1 Hz resampled to the mixer's, would
// otherwise take all memory.
constexpr sf_count_t kMaxSeconds = 600;
constexpr sf_count_t kMaxFrames = sf_count_t{24} << 20;  // 192 MB as stereo float
constexpr int kMinRate = 1000, kMaxRate = 384000;

// Reads every frame up to `maxFrames` (MP3 and Vorbis lengths in the header
// are not always exact, so read until the decoder runs dry) and folds the
// channels to stereo. Stereo files are read straight into the result; the
// buffer is sized from the header once, so a 30-second track is not zeroed
// and copied chunk by chunk.
std::vector<float> readAllAsStereo(SNDFILE* file, int channels, sf_count_t expectedFrames, sf_count_t maxFrames,
                                   std::size_t fileBytes) {
    constexpr sf_count_t kChunkFrames = 8192;
    // The header's length only guides the first allocation, and only as far
    // as a file of this size could plausibly hold.
    const sf_count_t plausible = std::min(maxFrames, static_cast<sf_count_t>(fileBytes) * 16);
    std::vector<float> chunk(channels == 2 ? 0 : static_cast<std::size_t>(kChunkFrames * channels));
    std::vector<float> stereo;
    sf_count_t capacity = expectedFrames > 0 ? std::min(expectedFrames, plausible) : 0;
    sf_count_t used = 0;
    while (used < maxFrames) {
        if (capacity - used < kChunkFrames) capacity = std::max(capacity * 2, used + kChunkFrames);
        if (static_cast<sf_count_t>(stereo.size()) < capacity * 2) stereo.resize(static_cast<std::size_t>(capacity) * 2);
        float* dst = stereo.data() + used * 2;
        const sf_count_t want = std::min(kChunkFrames, maxFrames - used);
        sf_count_t got = sf_readf_float(file, channels == 2 ? dst : chunk.data(), want);
        if (got <= 0) break;
        if (channels != 2) {
            for (sf_count_t i = 0; i < got; ++i) {
                const float* frame = chunk.data() + i * channels;
                dst[2 * i] = frame[0];
                dst[2 * i + 1] = channels > 1 ? frame[1] : frame[0];
            }
        }
        used += got;
    }
    stereo.resize(static_cast<std::size_t>(used) * 2);
    // A header that promised far more than the file held leaves a large
    // unused tail; give it back.
    if (stereo.capacity() > stereo.size() + stereo.size() / 4 + 65536) stereo.shrink_to_fit();
    return stereo;
}

}  // namespace

std::vector<float> resampleStereo(const std::vector<float>& in, int inRate, int outRate) {
    std::size_t inFrames = in.size() / 2;
    if (inFrames == 0 || inRate <= 0 || outRate <= 0 || inRate == outRate) return in;
    std::size_t outFrames = static_cast<std::size_t>(
        std::llround(static_cast<double>(inFrames) * outRate / inRate));
    outFrames = std::max<std::size_t>(outFrames, 1);
    std::vector<float> out(outFrames * 2);
    const double step = static_cast<double>(inRate) / outRate;
    for (std::size_t i = 0; i < outFrames; ++i) {
        double src = static_cast<double>(i) * step;
        std::size_t i0 = std::min(static_cast<std::size_t>(src), inFrames - 1);
        std::size_t i1 = std::min(i0 + 1, inFrames - 1);
        float t = static_cast<float>(src - static_cast<double>(i0));
        for (int side = 0; side < 2; ++side) {
            float a = in[2 * i0 + side];
            float b = in[2 * i1 + side];
            out[2 * i + side] = a + (b - a) * t;
        }
    }
    return out;
}

bool decodeToStereo(const std::uint8_t* data, std::size_t size, int rate, std::vector<float>& stereo) {
    if (!data || size == 0) return false;
    MemoryFile mem{data, static_cast<sf_count_t>(size), 0};
    SF_VIRTUAL_IO io{memLength, memSeek, memRead, memWrite, memTell};
    SF_INFO info;
    std::memset(&info, 0, sizeof info);
    std::unique_ptr<SNDFILE, SndfileCloser> file(sf_open_virtual(&io, SFM_READ, &info, &mem));
    if (!file || info.channels <= 0 || info.samplerate < kMinRate || info.samplerate > kMaxRate) return false;

    const sf_count_t maxFrames = std::min(kMaxFrames, kMaxSeconds * info.samplerate);
    std::vector<float> decoded = readAllAsStereo(file.get(), info.channels, info.frames, maxFrames, size);
    if (decoded.empty()) return false;
    stereo = resampleStereo(decoded, info.samplerate, rate);
    return true;
}

}  // namespace korvid
