// The pack manifest (tools/packgen/manifest.json): one entry per file of the
// pack, each with its kind, its size and, for pictures, the painted regions.
#pragma once

#include <cstdint>
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
    const Json* spec = nullptr;
    std::uint64_t seed = 0;  // from the file name and the region's index

    double num(const std::string& key, double fallback) const { return spec->num(key, fallback); }
    int integer(const std::string& key, int fallback) const { return spec->integer(key, fallback); }
    std::string str(const std::string& key, const std::string& fallback = "") const { return spec->str(key, fallback); }
    bool flag(const std::string& key, bool fallback) const { return spec->flag(key, fallback); }
    bool has(const std::string& key) const { return spec->has(key); }
    const Json& get(const std::string& key) const { return spec->get(key); }
    // Entry i of the region's "colors" list, or the fallback.
    Rgba colour(std::size_t i, Rgba fallback) const;
    std::size_t colourCount() const { return spec->get("colors").size(); }
};

struct FileSpec {
    std::string name;                  // member name, e.g. "Graphics/logo.png"
    std::string kind;                  // "image", "font", "sound" or "music"
    int width = 0, height = 0;         // pictures
    const Json* spec = nullptr;        // the whole entry
    std::vector<Region> regions;       // pictures, in painting order
};

class Manifest {
public:
    Manifest() = default;
    // The file specs point into the parsed document, so a manifest moves but never copies.
    Manifest(const Manifest&) = delete;
    Manifest& operator=(const Manifest&) = delete;
    Manifest(Manifest&&) = default;
    Manifest& operator=(Manifest&&) = default;

    // Reads and checks the manifest: known kinds, regions inside their picture.
    static Manifest load(const std::string& path);
    static Manifest parse(const std::string& text);

    const std::vector<FileSpec>& files() const { return files_; }
    const FileSpec* find(const std::string& name) const;

private:
    Json root_;
    std::vector<FileSpec> files_;
};

}  // namespace korvid::packgen
