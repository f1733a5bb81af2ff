// The folder a player's game lives in: the settings file, "score.dat",
// "Replay/" and optionally their own "gamedat.zip".
#pragma once

#include <string>

namespace korvid {

// $XDG_DATA_HOME/korvid, else ~/.local/share/korvid, else "./korvid-data".
std::string DefaultGameDir();

// Creates the folder and its "Replay/" subfolder when missing, and copies the
// shipped default key settings from `dataDir` when the folder has none.
// Returns false when the folder cannot be created.
bool PrepareGameDir(const std::string& dir, const std::string& dataDir);

// Folder holding the running executable (the build folder during development).
std::string ExecutableDir();

// The resource pack to use: an explicit path, else the game folder's
// "gamedat.zip", else the one beside the executable (the stand-in pack).
std::string FindPack(const std::string& explicitPack, const std::string& gameDir);

}  // namespace korvid
