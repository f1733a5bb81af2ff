#include "app/GameFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

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

std::string FindPack(const std::string& explicitPack, const std::string& gameDir) {
    if (!explicitPack.empty()) return explicitPack;
    std::error_code ec;
    const fs::path own = fs::path(gameDir) / "gamedat.zip";
    if (fs::exists(own, ec)) return own.string();
    return (fs::path(ExecutableDir()) / "gamedat.zip").string();
}

}  // namespace korvid
