#include "PackBuilder.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <chrono>
#include <exception>
#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "AudioFile.h"
#include "FontAtlas.h"
#include "ImageFile.h"
#include "MusicComposer.h"
#include "NameEncoding.h"
#include "Rng.h"
#include "SoundEffects.h"
#include "Styles.h"
#include "ZipWriter.h"

namespace korvid::packgen {

namespace {

std::vector<std::uint8_t> Bytes(const std::string& s) {
    return std::vector<std::uint8_t>(s.begin(), s.end());
}

std::vector<PackMember> BuildImage(const FileEntry& f) {
    Canvas canvas = PaintPicture(f);
    std::uint32_t clear = 0;
    if (f.entry->has("clearColour")) {
        Rgba c = ParseColour(f.entry->str("clearColour", ""));
        clear = (std::uint32_t(std::lround(c.r * 255)) << 16) | (std::uint32_t(std::lround(c.g * 255)) << 8) |
                std::uint32_t(std::lround(c.b * 255));
    }
    return {{f.name, EncodeImage(canvas, f.name, f.entry->integer("quality", 90), clear)}};
}

std::vector<PackMember> BuildFont(const FileEntry& f) {
    const Json& s = *f.entry;
    std::string bitmap = s.str("bitmap", "font0.png");
    AtlasLayout layout = AsciiAtlasLayout(s.str("face", "sans"), float(s.num("size", 14)),
                                          int(s.get("cell")[0].number()), int(s.get("cell")[1].number()),
                                          s.integer("columns", 16));
    Canvas canvas(layout.width, layout.height);
    TextStyle style = ReadTextStyle(s);
    style.size = float(s.num("size", 14));
    PaintAtlas(canvas, layout, style);
    std::size_t slash = f.name.rfind('/');
    std::string folder = slash == std::string::npos ? "" : f.name.substr(0, slash + 1);
    return {{f.name, Bytes(FntText(bitmap, layout))}, {folder + bitmap, EncodePng(canvas)}};
}

AudioQuality QualityOf(const FileEntry& f) {
    AudioQuality q;
    q.vorbis = f.entry->num("vorbisQuality", q.vorbis);
    q.mp3 = f.entry->num("mp3Compression", q.mp3);
    return q;
}

std::vector<PackMember> BuildSound(const FileEntry& f) {
    return {{f.name, EncodeAudio(SynthesiseEffect(*f.entry, HashName(f.name)), f.name, QualityOf(f))}};
}

std::vector<PackMember> BuildMusic(const FileEntry& f) {
    return {{f.name, EncodeAudio(ComposeMusic(*f.entry, HashName(f.name)), f.name, QualityOf(f))}};
}

using Builder = std::vector<PackMember> (*)(const FileEntry&);

const std::map<std::string, Builder>& Builders() {
    static const std::map<std::string, Builder> table = {
        {"image", BuildImage}, {"font", BuildFont}, {"sound", BuildSound}, {"music", BuildMusic}};
    return table;
}

}  // namespace

std::vector<PackMember> BuildEntry(const FileEntry& file) {
    auto it = Builders().find(file.kind);
    if (it == Builders().end()) throw std::runtime_error(file.name + ": nothing builds kind " + file.kind);
    try {
        return it->second(file);
    } catch (const std::exception& e) {
        throw std::runtime_error(file.name + ": " + e.what());
    }
}

std::vector<PackMember> BuildMembers(const Manifest& manifest, const BuildOptions& options) {
    const auto& files = manifest.files();
    std::vector<std::vector<PackMember>> built(files.size());
    std::atomic<std::size_t> next{0};
    std::mutex lock;
    std::exception_ptr failure;
    auto work = [&] {
        for (std::size_t i = next++; i < files.size(); i = next++) {
            auto start = std::chrono::steady_clock::now();
            try {
                built[i] = BuildEntry(files[i]);
            } catch (...) {
                std::lock_guard<std::mutex> g(lock);
                if (!failure) failure = std::current_exception();
                return;
            }
            double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            std::lock_guard<std::mutex> g(lock);
            if (options.progress) options.progress(files[i].name, secs);
        }
    };
    std::vector<std::thread> workers;
    for (int t = 1; t < options.threads; ++t) workers.emplace_back(work);
    work();
    for (auto& w : workers) w.join();
    if (failure) std::rethrow_exception(failure);

    std::vector<PackMember> members;
    for (auto& group : built)
        for (auto& m : group) members.push_back(std::move(m));
    // The English pictures come last in the manifest but "English/" sorts
    // first: the archive lists its members in name order.
    std::stable_sort(members.begin(), members.end(),
                     [](const PackMember& a, const PackMember& b) { return a.name < b.name; });
    return members;
}

std::vector<std::uint8_t> BuildPack(const Manifest& manifest, const BuildOptions& options) {
    ZipWriter zip(kPackPassword);
    for (PackMember& m : BuildMembers(manifest, options)) zip.add(ToGbk(m.name), std::move(m.data));
    return zip.finish();
}

}  // namespace korvid::packgen
