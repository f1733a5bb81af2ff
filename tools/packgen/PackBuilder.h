// Turns every manifest entry into pack members and the members into the
// encrypted archive. Entries are built on worker threads but always land in
// the archive in name order, so the pack does not depend on the timing.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Manifest.h"

namespace korvid::packgen {

inline constexpr const char* kPackPassword = "qorvantelmisbe";

struct PackMember {
    std::string name;
    std::vector<std::uint8_t> data;
};

// The member(s) of one entry: pictures, sounds and music give one, a bitmap
// font gives its ".fnt" and its glyph picture.
std::vector<PackMember> BuildEntry(const FileEntry& file);

struct BuildOptions {
    int threads = 2;
    // Called after each entry with its name and the seconds it took (from a worker thread, serialised).
    std::function<void(const std::string&, double)> progress;
};

std::vector<PackMember> BuildMembers(const Manifest& manifest, const BuildOptions& options);

std::vector<std::uint8_t> BuildPack(const Manifest& manifest, const BuildOptions& options);

}  // namespace korvid::packgen
