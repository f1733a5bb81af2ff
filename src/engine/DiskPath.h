// Finds files on disk the way the game names them: '\' and '/' alike, and
// letter case ignored when the exact spelling does not exist (the game's file
// names were written for a case-insensitive file system).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace korvid {

// The existing regular file `name` names relative to `baseDir` ("" = current
// directory; an absolute `name` ignores it), trying the exact spelling first
// and then matching each path component case-insensitively.
std::optional<std::filesystem::path> findFileNoCase(const std::string& baseDir, const std::string& name);

// Whole file into `out`; false if it cannot be opened or read.
bool readWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& out);

}  // namespace korvid
