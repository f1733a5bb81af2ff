#include "menus/ScoreFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace korvid {

namespace {

// The 1260 trailing numbers come from five nested loops of 3 x 5 x 3 x 4 x 7.
constexpr int kLoopCounts[] = {3, 5, 3, 4, 7};

bool writeAtomically(const std::string& path, const std::string& content) {
    const std::string tmp = path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.flush();
        if (!out) {
            std::error_code ec;
            std::filesystem::remove(tmp, ec);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(tmp, path, ec);
    if (ec) {
        std::filesystem::remove(tmp, ec);
        return false;
    }
    return true;
}

}  // namespace

std::string ScoreFileDefaultContent() {
    int repeats = 1;
    for (int n : kLoopCounts) repeats *= n;
    std::string s = "10 11 11 ";
    s.reserve(s.size() + static_cast<std::size_t>(repeats) * 3);
    for (int i = 0; i < repeats; ++i) s += "11 ";
    return s;
}

int BootstrapScoreFile(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        if (!writeAtomically(path, ScoreFileDefaultContent())) return 0;
    }
    std::FILE* f = std::fopen(path.c_str(), "r");
    if (!f) return 0;
    int values[4] = {0, 0, 0, 0};
    int read = 0;
    while (read < 4 && std::fscanf(f, "%d", &values[read]) == 1) ++read;
    std::fclose(f);
    return read == 4 ? (values[3] ^ 11) : 0;
}

}  // namespace korvid
