// Saving a file so that a crash, a full disk or a kill at any moment leaves
// either the old file or the new one whole, never half of one: the bytes go
// to a temporary file beside the target (".NAME.XXXXXX"), are flushed to
// disk, and the temporary file then takes the target's name.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string_view>

namespace korvid {

// Writes `bytes` as `target` with permissions `mode`. False (the target
// untouched, no temporary file left, errno telling why) on any failure.
bool ReplaceFile(const std::filesystem::path& target, std::string_view bytes, mode_t mode);

// The permissions a save of `target` should give the new file: the old
// file's own, but always readable and writable by its owner (a file the
// game cannot read back is a save lost), or `fallback` for a new file.
mode_t KeptFileMode(const std::filesystem::path& target, mode_t fallback);

// Removes what an interrupted save of `target` can leave beside it: the
// temporary files of ReplaceFile, and those of older versions of the game
// ("NAME.XXXXXX", "NAME.tmp"). Returns how many were removed.
int RemoveStaleTemporaries(const std::filesystem::path& target);

}  // namespace korvid
