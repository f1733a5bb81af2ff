// The pack manifest (tools/packgen/manifest.json): one entry per file of the
// pack, each with its kind, its size and, for pictures, the painted regions.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Canvas.h"
#include "Json.h"

namespace korvid::packgen {

// One painted rectangle of a picture: which style paints it, with the
// region's own manifest object for the style's parameters.
struct Region {
    Rect rect;
    std::string style;
    const Json* entry = nullptr;
    std::uint64_t seed = 0;  // from the file name and the region's index

    double num(const std::string& key, double fallback) const { return entry->num(key, fallback); }
    int integer(const std::string& key, int fallback) const { return entry->integer(key, fallback); }
    std::string str(const std::string& key, const std::string& fallback = "") const { return entry->str(key, fallback); }
    bool flag(const std::string& key, bool fallback) const { return entry->flag(key, fallback); }
    bool has(const std::string& key) const { return entry->has(key); }
    const Json& get(const std::string& key) const { return entry->get(key); }
    // Entry i of the region's "colors" list, or the fallback.
    Rgba colour(std::size_t i, Rgba fallback) const;
    std::size_t colourCount() const { return entry->get("colors").size(); }
    // The seed folded to 32 bits, for the noise functions.
    std::uint32_t seed32() const { return std::uint32_t(seed ^ (seed >> 32)); }
};

// The folder of the pack that holds the English pictures, each under the
// name of the picture it stands in for.
inline constexpr const char* kEnglishFolder = "English/";

struct FileEntry {
    std::string name;                  // member name, e.g. "Graphics/logo.png"
    std::string kind;                  // "image", "font", "sound" or "music"
    int width = 0, height = 0;         // pictures
    const Json* entry = nullptr;        // the whole entry
    std::vector<Region> regions;       // pictures, in painting order
};

class Manifest {
public:
    Manifest() = default;
    // The file entries point into the parsed document, so a manifest moves but never copies.
    Manifest(const Manifest&) = delete;
    Manifest& operator=(const Manifest&) = delete;
    Manifest(Manifest&&) = default;
    Manifest& operator=(Manifest&&) = default;

    // Reads and checks the manifest: known kinds, regions inside their picture.
    static Manifest load(const std::string& path);
    static Manifest parse(const std::string& text);

    const std::vector<FileEntry>& files() const { return files_; }
    const FileEntry* find(const std::string& name) const;

private:
    Json root_;
    std::vector<std::unique_ptr<Json>> variants_;  // the English pictures' entries
    std::vector<FileEntry> files_;
};

}  // namespace korvid::packgen
