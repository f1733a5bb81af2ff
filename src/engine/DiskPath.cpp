#include "engine/DiskPath.h"

#include <fstream>
#include <system_error>

namespace korvid {

namespace fs = std::filesystem;

namespace {

// ASCII-only folding: names may hold GBK or UTF-8 bytes, which must pass
// through untouched rather than being changed by a locale.
bool equalNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

bool isRegularFile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

// The entry of `dir` whose name equals `part` ignoring case; an exact match wins.
std::optional<fs::path> findEntryNoCase(const fs::path& dir, const std::string& part) {
    std::error_code ec;
    fs::path exact = dir / part;
    if (fs::exists(exact, ec)) return exact;
    std::optional<fs::path> found;
    for (fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (equalNoCase(entry, part)) {
            fs::path candidate = dir / entry;
            // Directory order is arbitrary; take the smallest spelling so the
            // choice between "A.png" and "a.png" never depends on it.
            if (!found || candidate < *found) found = candidate;
        }
    }
    return found;
}

}  // namespace

std::optional<fs::path> findFileNoCase(const std::string& baseDir, const std::string& name) {
    std::string rel = name;
    for (char& c : rel) {
        if (c == '\\') c = '/';
    }
    if (rel.empty()) return std::nullopt;
    fs::path relPath(rel);
    fs::path base = relPath.is_absolute() ? relPath.root_path() : fs::path(baseDir);
    fs::path direct = relPath.is_absolute() ? relPath : base / relPath;
    if (isRegularFile(direct)) return direct;

    fs::path current = base;
    for (const fs::path& component : relPath.relative_path()) {
        std::string part = component.string();
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            current /= part;
            continue;
        }
        std::optional<fs::path> next = findEntryNoCase(current, part);
        if (!next) return std::nullopt;
        current = *next;
    }
    if (!isRegularFile(current)) return std::nullopt;
    return current;
}

bool readWholeFile(const fs::path& path, std::vector<std::uint8_t>& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0) return false;
    in.seekg(0, std::ios::beg);
    std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
    if (size > 0 && !in.read(reinterpret_cast<char*>(data.data()), size)) return false;
    out = std::move(data);
    return true;
}

}  // namespace korvid
