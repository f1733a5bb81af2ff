#include "app/GameFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "engine/DiskPath.h"
#include "engine/FileReplace.h"
#include "engine/ResourceStore.h"
#include "engine/ZipPack.h"
#include "game/KeySettings.h"
#include "menus/RecordsFile.h"
#include "menus/ReplayFile.h"

namespace fs = std::filesystem;

namespace korvid {

std::string DefaultGameDir() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) return (fs::path(xdg) / "korvid").string();
    if (const char* home = std::getenv("HOME"); home && *home)
        return (fs::path(home) / ".local" / "share" / "korvid").string();
    return "korvid-data";
}

namespace {

// What a save killed half-way leaves beside the game's files: the
// temporary files of the settings, the score file and every replay slot.
void removeStaleTemporaries(const fs::path& dir) {
    RemoveStaleTemporaries(dir / kKeySettingsFileName);
    RemoveStaleTemporaries(dir / "score.dat");
    RemoveStaleTemporaries(dir / kRecordsFileName);
    for (int slot = 1; slot <= kReplaySlotCount; ++slot) RemoveStaleTemporaries(dir / ReplaySlotPath(slot));
}

// The shipped settings become the player's through a temporary file and a
// rename, so a first start killed at any moment leaves either no settings
// file (the next start copies again) or a whole one.
void installShippedSettings(const fs::path& settings, const fs::path& shipped) {
    std::error_code ec;
    if (!fs::is_regular_file(shipped, ec)) return;
    // An empty file is what an earlier version left when killed inside this
    // copy; it holds nothing the shipped file does not.
    const bool missing = !fs::exists(settings, ec);
    if (!missing && !(fs::is_regular_file(settings, ec) && fs::file_size(settings, ec) == 0 && !ec)) {
        // A file the owner cannot read (the same copy left mode 0200) would
        // never load again: give the owner read and write back.
        const fs::perms p = fs::status(settings, ec).permissions();
        if (!ec && (p & fs::perms::owner_read) == fs::perms::none)
            fs::permissions(settings, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
        return;
    }
    std::vector<std::uint8_t> bytes;
    if (!readWholeFile(shipped, bytes)) return;
    ReplaceFile(settings, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), 0644);
}

}  // namespace

bool PrepareGameDir(const std::string& dir, const std::string& dataDir) {
    std::error_code ec;
    fs::create_directories(fs::path(dir) / "Replay", ec);
    if (!fs::is_directory(dir, ec)) return false;
    removeStaleTemporaries(dir);
    installShippedSettings(fs::path(dir) / kKeySettingsFileName, fs::path(dataDir) / kKeySettingsFileName);
    return true;
}

std::string ExecutableDir() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return ".";
    return exe.parent_path().string();
}

std::string ShippedDir() {
    std::error_code ec;
    const fs::path exe = ExecutableDir();
    if (fs::exists(exe / "gamedat.zip", ec) || fs::is_directory(exe / "data", ec)) return exe.string();
    const fs::path installed = exe.parent_path() / "share" / "korvid";
    if (fs::is_directory(installed, ec)) return installed.string();
    return exe.string();
}

std::string FindPack(const std::string& explicitPack, const std::string& gameDir) {
    std::error_code ec;
    fs::path pack = fs::path(ShippedDir()) / "gamedat.zip";
    if (!explicitPack.empty()) pack = explicitPack;
    else if (fs::exists(fs::path(gameDir) / "gamedat.zip", ec)) pack = fs::path(gameDir) / "gamedat.zip";
    // Resolved here, once: the engine looks relative names up in the game
    // folder, not in the folder the player started the game from.
    const fs::path absolute = fs::absolute(pack, ec);
    return ec ? pack.string() : absolute.lexically_normal().string();
}

std::string PackProblem(const std::string& path, const std::string& password) {
    std::error_code ec;
    if (!fs::exists(path, ec)) return "it is missing";
    if (!fs::is_regular_file(path, ec)) return "it is not a file";
    const auto pack = ZipPack::open(path, password);
    if (!pack) return "it is damaged or not a zip archive";
    // Every pack carries the menu font: reading it proves the password.
    const std::string probe = ResourceStore::normalise("Graphics/font0.fnt");
    if (!pack->contains(probe)) return "it lacks Graphics/font0.fnt (not a Korvid pack)";
    std::vector<std::uint8_t> bytes;
    if (!pack->read(probe, bytes)) return "it cannot be read with the game's password (another password, or damaged)";
    return {};
}

}  // namespace korvid
