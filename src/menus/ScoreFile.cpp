#include "menus/ScoreFile.h"

#include <charconv>
#include <string_view>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "engine/FileReplace.h"

namespace korvid {

namespace {

// The 1260 trailing numbers come from five nested loops of 3 x 5 x 3 x 4 x 7.
constexpr int kLoopCounts[] = {3, 5, 3, 4, 7};

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
        if (!ReplaceFile(path, ScoreFileDefaultContent(), 0644)) return 0;
    }
    // Only the start of the file matters; a number that does not fit an int
    // (or is no number) makes the counter 0, as an unreadable file does.
    std::ifstream in(path, std::ios::binary);
    if (!in) return 0;
    char head[256] = {};
    in.read(head, sizeof head - 1);
    const std::string_view text(head, static_cast<std::size_t>(in.gcount()));
    std::size_t at = 0;
    int value = 0;
    for (int n = 0; n < 4; ++n) {
        at = text.find_first_not_of(" \t\r\n", at);
        if (at == std::string_view::npos) return 0;
        const auto [end, err] = std::from_chars(text.data() + at, text.data() + text.size(), value);
        if (err != std::errc{}) return 0;
        at = static_cast<std::size_t>(end - text.data());
    }
    return value ^ 11;
}

}  // namespace korvid
