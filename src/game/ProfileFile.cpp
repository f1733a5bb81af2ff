#include "game/ProfileFile.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <optional>

#include "engine/FileReplace.h"

namespace korvid {

namespace {

// A settings file is a few hundred bytes; anything past this is not one and
// is refused rather than parsed into millions of lines.
constexpr std::size_t kMaxFileBytes = 256 * 1024;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// What the Windows reader treats as blank around names and values (including
// the DOS end-of-file mark).
constexpr std::string_view kBlanks = " \t\r\n\v\f\x1A";

std::string_view trim(std::string_view s) {
    const auto first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

// A value written as "12" or '12' reads as 12, like the Windows reader does.
std::string_view unquote(std::string_view s) {
    if (s.size() >= 2 && s.front() == s.back() && (s.front() == '"' || s.front() == '\''))
        return s.substr(1, s.size() - 2);
    return s;
}

std::optional<std::string> utf8ToGbk(std::string_view utf8) {
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in(utf8);
    std::string out(in.size() + 4, '\0');
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    // UTF-8 never grows when re-encoded as GBK, so one call either converts
    // everything or hits a character GBK cannot hold.
    const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// UTF-8 keeps every byte of a non-ASCII character above 0x7F, so folding
// ASCII letters byte by byte is safe.
bool equalsUtf8NoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    return true;
}

// In GBK the second byte of a character may be an ASCII letter, so a lead
// byte (0x81..0xFE) and its partner are compared exactly and only single
// bytes are folded.
bool equalsGbkNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto byte = static_cast<unsigned char>(a[i]);
        if (byte >= 0x81 && byte <= 0xFE && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// A name as asked for by the game, in both spellings a file may hold.
struct NameQuery {
    explicit NameQuery(std::string_view name) : utf8(name), gbk(utf8ToGbk(name)) {}
    bool matches(std::string_view stored) const {
        return equalsUtf8NoCase(stored, utf8) || (gbk && equalsGbkNoCase(stored, *gbk));
    }
    std::string_view utf8;
    std::optional<std::string> gbk;
};

// GetPrivateProfileInt: blanks, optional sign, decimal digits up to the first
// other character. Overlong numbers wrap like the 32-bit original instead of
// being undefined.
int parseProfileInt(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && kBlanks.find(s[i]) != std::string_view::npos) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    std::uint32_t value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
        value = value * 10u + static_cast<std::uint32_t>(s[i] - '0');
    if (negative) value = 0u - value;
    return static_cast<int>(value);
}

std::string withoutLineBreaks(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s)
        if (c != '\r' && c != '\n') out += c;
    return out;
}

}  // namespace

ProfileFile::Line ProfileFile::parseLine(std::string text) {
    Line line;
    const std::string_view t = trim(text);
    if (!t.empty() && t.front() == '[') {
        const auto close = t.rfind(']');
        if (close != std::string_view::npos && close > 0) {
            line.kind = Kind::Section;
            line.name = trim(t.substr(1, close - 1));
        }
    } else if (!t.empty() && t.front() != ';') {
        const auto eq = t.find('=');
        if (eq != std::string_view::npos) {
            line.kind = Kind::Entry;
            line.name = trim(t.substr(0, eq));
            line.value = unquote(trim(t.substr(eq + 1)));
        }
    }
    line.text = std::move(text);
    return line;
}

bool ProfileFile::load(const std::string& path) {
    lines_.clear();
    utf8Bom_ = false;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    std::string bytes;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    char buffer[4096];
    while (ok) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
        ok = bytes.size() <= kMaxFileBytes;
    }
    ::close(fd);
    if (!ok) return false;
    loadFromMemory(bytes);
    return true;
}

void ProfileFile::loadFromMemory(std::string_view bytes) {
    lines_.clear();
    utf8Bom_ = bytes.starts_with(kUtf8Bom);
    if (utf8Bom_) bytes.remove_prefix(kUtf8Bom.size());
    while (!bytes.empty()) {
        const auto end = bytes.find('\n');
        std::string_view raw = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        while (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        lines_.push_back(parseLine(std::string(raw)));
    }
}

int ProfileFile::findSection(std::string_view section) const {
    const NameQuery query(section);
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Kind::Section && query.matches(lines_[i].name)) return static_cast<int>(i);
    return -1;
}

int ProfileFile::findEntry(int header, std::string_view key) const {
    const NameQuery query(key);
    for (std::size_t i = static_cast<std::size_t>(header) + 1; i < lines_.size(); ++i) {
        if (lines_[i].kind == Kind::Section) break;
        if (lines_[i].kind == Kind::Entry && query.matches(lines_[i].name)) return static_cast<int>(i);
    }
    return -1;
}

int ProfileFile::getInt(std::string_view section, std::string_view key) const {
    const int header = findSection(section);
    if (header < 0) return 0;
    const int entry = findEntry(header, key);
    return entry < 0 ? 0 : parseProfileInt(lines_[static_cast<std::size_t>(entry)].value);
}

std::optional<int> ProfileFile::findInt(std::string_view section, std::string_view key) const {
    const int header = findSection(section);
    if (header < 0) return std::nullopt;
    const int entry = findEntry(header, key);
    if (entry < 0) return std::nullopt;
    const std::string& v = lines_[static_cast<std::size_t>(entry)].value;
    std::size_t i = 0;
    while (i < v.size() && (v[i] == ' ' || v[i] == '\t')) ++i;
    const bool negative = i < v.size() && v[i] == '-';
    if (i < v.size() && (v[i] == '-' || v[i] == '+')) ++i;
    if (i >= v.size() || v[i] < '0' || v[i] > '9') return std::nullopt;
    // The Windows reader wraps a number past int around ("4294967297" is 1);
    // such a value is no setting anyone wrote, so it is unusable instead.
    const std::int64_t limit = negative ? -std::int64_t{INT_MIN} : INT_MAX;
    std::int64_t magnitude = 0;
    for (; i < v.size() && v[i] >= '0' && v[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (v[i] - '0');
        if (magnitude > limit) return std::nullopt;
    }
    return parseProfileInt(v);
}

std::optional<std::string> ProfileFile::findString(std::string_view section, std::string_view key) const {
    const int header = findSection(section);
    if (header < 0) return std::nullopt;
    const int entry = findEntry(header, key);
    if (entry < 0) return std::nullopt;
    return lines_[static_cast<std::size_t>(entry)].value;
}

// New text goes to disk in the file's own encoding: GBK like the Windows
// writer, or UTF-8 when the file announces itself with a BOM. Text GBK cannot
// hold is kept as UTF-8 rather than lost.
std::string ProfileFile::encodeForFile(std::string_view utf8) const {
    if (!utf8Bom_)
        if (auto gbk = utf8ToGbk(utf8)) return *std::move(gbk);
    return std::string(utf8);
}

void ProfileFile::setString(std::string_view section, std::string_view key, std::string_view value) {
    const std::string cleanSection = withoutLineBreaks(section);
    const std::string cleanKey = withoutLineBreaks(key);
    const std::string storedValue = encodeForFile(withoutLineBreaks(value));

    const int header = findSection(cleanSection);
    if (header >= 0) {
        if (const int entry = findEntry(header, cleanKey); entry >= 0) {
            // Keep the key as it is spelled in the file; only the value changes.
            Line& line = lines_[static_cast<std::size_t>(entry)];
            line = parseLine(line.name + "=" + storedValue);
            return;
        }
        // Append after the last entry of the section, so comments and blank
        // lines that lead into the next section stay with it.
        std::size_t at = static_cast<std::size_t>(header) + 1;
        for (std::size_t i = at; i < lines_.size() && lines_[i].kind != Kind::Section; ++i)
            if (lines_[i].kind == Kind::Entry) at = i + 1;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                      parseLine(encodeForFile(cleanKey) + "=" + storedValue));
        return;
    }
    if (!lines_.empty() && !trim(lines_.back().text).empty()) lines_.push_back(parseLine({}));
    lines_.push_back(parseLine("[" + encodeForFile(cleanSection) + "]"));
    lines_.push_back(parseLine(encodeForFile(cleanKey) + "=" + storedValue));
}

std::string ProfileFile::serialize() const {
    std::string out(utf8Bom_ ? kUtf8Bom : std::string_view{});
    for (const Line& line : lines_) {
        out += line.text;
        out += "\r\n";
    }
    return out;
}

bool ProfileFile::save(const std::string& path) const {
    // The new file keeps the permissions of the one it replaces, as long as
    // the game can still read it back.
    return ReplaceFile(path, serialize(), KeptFileMode(path, 0644));
}

}  // namespace korvid
