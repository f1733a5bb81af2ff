#include "engine/FileReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace korvid {

namespace {

constexpr std::size_t kUniqueChars = 6;  // mkstemp's "XXXXXX"

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool isUniqueSuffix(std::string_view s) {
    if (s.size() != kUniqueChars) return false;
    for (char c : s)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    return true;
}

// Whether `name` is a temporary file of a save of `target`.
bool isTemporaryOf(const std::string& name, const std::string& target) {
    const std::string hidden = "." + target + ".";
    if (name.size() == hidden.size() + kUniqueChars && name.starts_with(hidden))
        return isUniqueSuffix(std::string_view(name).substr(hidden.size()));
    const std::string plain = target + ".";
    if (name == plain + "tmp") return true;
    return name.size() == plain.size() + kUniqueChars && name.starts_with(plain) &&
           isUniqueSuffix(std::string_view(name).substr(plain.size()));
}

void syncFolder(const fs::path& folder) {
    const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return;
    ::fsync(dir);  // the rename itself made durable; failure does not undo the save
    ::close(dir);
}

}  // namespace

bool ReplaceFile(const fs::path& target, std::string_view bytes, mode_t mode) {
    const fs::path folder = target.parent_path();
    std::string tmp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = ::rename(tmp.c_str(), target.c_str()) == 0;
    if (!ok) {
        const int why = errno;  // what the caller reports, not the clean-up's
        ::unlink(tmp.c_str());
        errno = why;
        return false;
    }
    syncFolder(folder);
    return true;
}

mode_t KeptFileMode(const fs::path& target, mode_t fallback) {
    struct stat old {};
    if (::stat(target.c_str(), &old) != 0) return fallback;
    return (old.st_mode & 07777) | S_IRUSR | S_IWUSR;
}

int RemoveStaleTemporaries(const fs::path& target) {
    std::error_code ec;
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    const std::string name = target.filename().string();
    int removed = 0;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec) || !isTemporaryOf(it->path().filename().string(), name)) continue;
        if (fs::remove(it->path(), ec)) ++removed;
    }
    return removed;
}

}  // namespace korvid
