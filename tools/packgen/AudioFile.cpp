#include "AudioFile.h"

#include <sndfile.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <stdexcept>

#include "OggPages.h"
#include "Rng.h"

namespace korvid::packgen {

namespace {

// A growable in-memory file for libsndfile's virtual I/O.
struct MemoryFile {
    std::vector<std::uint8_t> bytes;
    sf_count_t pos = 0;
};

sf_count_t VLength(void* user) {
    return sf_count_t(static_cast<MemoryFile*>(user)->bytes.size());
}

sf_count_t VSeek(sf_count_t offset, int whence, void* user) {
    auto* f = static_cast<MemoryFile*>(user);
    sf_count_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? f->pos : sf_count_t(f->bytes.size());
    f->pos = std::max<sf_count_t>(0, base + offset);
    return f->pos;
}

sf_count_t VRead(void* ptr, sf_count_t count, void* user) {
    auto* f = static_cast<MemoryFile*>(user);
    sf_count_t left = std::max<sf_count_t>(0, sf_count_t(f->bytes.size()) - f->pos);
    sf_count_t n = std::min(count, left);
    if (n > 0) std::memcpy(ptr, f->bytes.data() + f->pos, std::size_t(n));
    f->pos += n;
    return n;
}

sf_count_t VWrite(const void* ptr, sf_count_t count, void* user) {
    auto* f = static_cast<MemoryFile*>(user);
    if (sf_count_t(f->bytes.size()) < f->pos + count) f->bytes.resize(std::size_t(f->pos + count));
    std::memcpy(f->bytes.data() + f->pos, ptr, std::size_t(count));
    f->pos += count;
    return count;
}

sf_count_t VTell(void* user) {
    return static_cast<MemoryFile*>(user)->pos;
}

SF_VIRTUAL_IO& VirtualIo() {
    static SF_VIRTUAL_IO io{VLength, VSeek, VRead, VWrite, VTell};
    return io;
}

int FormatFor(const std::string& name) {
    static const std::map<std::string, int> formats = {
        {".wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16},
        {".ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS},
        {".mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III},
    };
    std::size_t dot = name.rfind('.');
    auto it = dot == std::string::npos ? formats.end() : formats.find(name.substr(dot));
    if (it == formats.end()) throw std::runtime_error("no audio encoder for " + name);
    return it->second;
}

}  // namespace

std::vector<std::uint8_t> EncodeAudio(const Samples& samples, const std::string& fileName,
                                      const AudioQuality& quality) {
    SF_INFO info{};
    info.samplerate = kSampleRate;
    info.channels = 1;
    info.format = FormatFor(fileName);
    MemoryFile file;
    SNDFILE* sf = sf_open_virtual(&VirtualIo(), SFM_WRITE, &info, &file);
    if (!sf) throw std::runtime_error(fileName + ": " + sf_strerror(nullptr));
    int major = info.format & SF_FORMAT_TYPEMASK;
    if (major == SF_FORMAT_OGG) {
        double q = quality.vorbis;
        sf_command(sf, SFC_SET_VBR_ENCODING_QUALITY, &q, sizeof q);
    } else if (major == SF_FORMAT_MPEG) {
        int mode = SF_BITRATE_MODE_CONSTANT;
        sf_command(sf, SFC_SET_BITRATE_MODE, &mode, sizeof mode);
        double level = quality.mp3;
        sf_command(sf, SFC_SET_COMPRESSION_LEVEL, &level, sizeof level);
    }
    std::vector<float> clipped(samples.size());
    std::transform(samples.begin(), samples.end(), clipped.begin(),
                   [](float v) { return std::clamp(v, -1.0f, 1.0f); });
    // In pieces: libsndfile hands a whole write to the Vorbis encoder's
    // buffer at once, which crashes for tunes of a few minutes.
    constexpr std::size_t kPiece = 1 << 16;
    sf_count_t written = 0;
    for (std::size_t at = 0; at < clipped.size(); at += kPiece) {
        const std::size_t n = std::min(kPiece, clipped.size() - at);
        const sf_count_t done = sf_writef_float(sf, clipped.data() + at, sf_count_t(n));
        written += done;
        if (done != sf_count_t(n)) break;
    }
    sf_close(sf);
    if (written != sf_count_t(clipped.size())) throw std::runtime_error(fileName + ": short write");
    if (major == SF_FORMAT_OGG && SetOggSerial(file.bytes, std::uint32_t(HashName(fileName))) == 0)
        throw std::runtime_error(fileName + ": encoder wrote no Ogg pages");
    return file.bytes;
}

Samples DecodeAudio(const std::vector<std::uint8_t>& bytes, int* sampleRate) {
    MemoryFile file;
    file.bytes = bytes;
    SF_INFO info{};
    SNDFILE* sf = sf_open_virtual(&VirtualIo(), SFM_READ, &info, &file);
    if (!sf) return {};
    std::vector<float> interleaved(std::size_t(info.frames) * std::size_t(info.channels));
    sf_count_t got = sf_readf_float(sf, interleaved.data(), info.frames);
    sf_close(sf);
    Samples mono(std::size_t(std::max<sf_count_t>(got, 0)));
    for (std::size_t i = 0; i < mono.size(); ++i) mono[i] = interleaved[i * std::size_t(info.channels)];
    if (sampleRate) *sampleRate = info.samplerate;
    return mono;
}

}  // namespace korvid::packgen
