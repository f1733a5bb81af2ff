#include "app/GameFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "engine/ResourceStore.h"
#include "engine/ZipPack.h"
#include "game/KeySettings.h"

namespace fs = std::filesystem;

namespace korvid {

std::string DefaultGameDir() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) return (fs::path(xdg) / "korvid").string();
    if (const char* home = std::getenv("HOME"); home && *home)
        return (fs::path(home) / ".local" / "share" / "korvid").string();
    return "korvid-data";
}

bool PrepareGameDir(const std::string& dir, const std::string& dataDir) {
    std::error_code ec;
    fs::create_directories(fs::path(dir) / "Replay", ec);
    if (!fs::is_directory(dir, ec)) return false;
    const fs::path settings = fs::path(dir) / kKeySettingsFileName;
    const fs::path shipped = fs::path(dataDir) / kKeySettingsFileName;
    if (!fs::exists(settings, ec) && fs::exists(shipped, ec)) fs::copy_file(shipped, settings, ec);
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
    if (!explicitPack.empty()) return explicitPack;
    std::error_code ec;
    const fs::path own = fs::path(gameDir) / "gamedat.zip";
    if (fs::exists(own, ec)) return own.string();
    return (fs::path(ShippedDir()) / "gamedat.zip").string();
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
