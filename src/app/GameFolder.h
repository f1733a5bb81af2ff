// The folder a player's game lives in: the settings file, "score.dat",
// "Replay/" and optionally their own "gamedat.zip".
#pragma once

#include <string>

namespace korvid {

// $XDG_DATA_HOME/korvid, else ~/.local/share/korvid, else "./korvid-data".
std::string DefaultGameDir();

// Creates the folder and its "Replay/" subfolder when missing, removes what
// interrupted saves left behind, and copies the shipped default key settings
// from `dataDir` when the folder has none (or only the empty file an
// interrupted first start left). Returns false when the folder cannot be
// created.
bool PrepareGameDir(const std::string& dir, const std::string& dataDir);

// Folder holding the running executable (the build folder during development).
std::string ExecutableDir();

// Where the shipped files are: beside the executable in a build folder
// (gamedat.zip, data/), or PREFIX/share/korvid for an installed game
// (the executable in PREFIX/bin).
std::string ShippedDir();

// The resource pack to use, as an absolute path: an explicit path (relative
// to the current folder), else the game folder's "gamedat.zip", else the
// shipped one (the stand-in pack).
std::string FindPack(const std::string& explicitPack, const std::string& gameDir);

// Why the pack at `path` cannot be used with `password` (missing, damaged,
// another password), or empty when it opens and reads.
std::string PackProblem(const std::string& path, const std::string& password);

}  // namespace korvid
