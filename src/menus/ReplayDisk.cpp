// Replay files on disk: the slot paths, saving through a temporary file and
// a rename, and loading with a bound on the size read.
#include "menus/ReplayFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "engine/FileReplace.h"

namespace korvid {

namespace {

// The new file is complete on disk before it takes the old one's name, so a
// failure at any point leaves the old replay whole.
bool replaceFile(const std::filesystem::path& target, std::string_view bytes) {
    std::error_code ec;
    const std::filesystem::path folder = target.parent_path();
    if (!folder.empty()) {
        std::filesystem::create_directories(folder, ec);
        if (ec) {
            errno = ec.value();  // the reason the caller reports
            return false;
        }
    }
    return ReplaceFile(target, bytes, 0644);
}

bool readFile(const std::string& path, std::string& bytes, std::string& why) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        why = "cannot open " + path;
        return false;
    }
    // A file whose size already says it is too large is not read at all;
    // the bound on reading still holds for one that grows meanwhile.
    struct stat st {};
    bool tooBig = ::fstat(::fileno(f), &st) == 0 && S_ISREG(st.st_mode) &&
                  static_cast<std::uint64_t>(st.st_size) > kReplayMaxFileBytes;
    char buf[1 << 16];
    std::size_t n = 0;
    while (!tooBig && (n = std::fread(buf, 1, sizeof buf, f)) > 0) {
        if (bytes.size() + n > kReplayMaxFileBytes) {
            tooBig = true;
            break;
        }
        bytes.append(buf, n);
    }
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (tooBig) why = path + " is larger than any replay (" + std::to_string(kReplayMaxFileBytes >> 20) + " MB)";
    if (failed) why = "cannot read " + path;
    return !tooBig && !failed;
}

}  // namespace

std::string ReplaySlotPath(int slot) {
    if (slot < 1 || slot > kReplaySlotCount) return {};
    char buf[32];
    std::snprintf(buf, sizeof buf, "Replay/rvx%02d.rpy", slot);
    return buf;
}

bool SaveReplayFile(const std::string& path, const ReplayRecord& record) {
    try {
        std::string why;
        if (!ValidateReplayRecord(record, why)) return false;
        return replaceFile(path, WriteReplayText(record));
    } catch (...) {
        return false;
    }
}

std::optional<ReplayRecord> LoadReplayFile(const std::string& path, std::string& why) {
    try {
        std::string bytes;
        if (!readFile(path, bytes, why)) return std::nullopt;
        ReplayRecord r;
        if (!ParseReplayText(bytes, r, why)) return std::nullopt;
        return r;
    } catch (...) {
        why = "cannot read " + path;
        return std::nullopt;
    }
}

}  // namespace korvid
