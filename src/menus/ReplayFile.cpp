#include "menus/ReplayFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <new>

#include "menus/GbkText.h"

namespace korvid {

namespace {

constexpr std::string_view kLineEnd = "\n";       // the platform's line end
constexpr std::string_view kEmptyTextGbk = "\xCE\xDE";  // "无", what an empty box is saved as
constexpr std::string_view kEmptyKey = "0";
// Far above any real replay (seven full stages of masks are under 3 MB), low
// enough that a wrong file is not read into memory whole.
constexpr std::size_t kMaxFileBytes = 32u << 20;

// A number of the file, its name in messages and the values a saved game
// can hold.
struct NumberRule {
    std::string_view label;
    std::int64_t lo;
    std::int64_t hi;
};

constexpr std::int64_t kIntLo = INT_MIN, kIntHi = INT_MAX;

// The six numbers after the texts, in file order.
enum HeaderField { kDifficulty, kCharacter, kPracticeMode, kAutoBomb, kStartStage, kEndStage, kHeaderFieldCount };
constexpr std::array<NumberRule, kHeaderFieldCount> kHeaderRules{{
    {"difficulty", 0, 3},
    {"character", 1, 3},
    {"practice mode", 0, 1},
    {"auto bomb", 0, 1},
    {"start stage", 1, kReplayLastStage},
    {"end stage", 1, kReplayLastStage},
}};

// The numbers that open each stage, in file order; the masks follow.
enum StageField { kFrameCount, kBombGauge, kLives, kGrazeCount, kScore, kMaxPowerFrames, kStageFieldCount };
constexpr std::array<NumberRule, kStageFieldCount> kStageRules{{
    {"frame count", 0, kReplayMaxFrames},
    {"bomb gauge", kIntLo, kIntHi},
    {"lives", kIntLo, kIntHi},
    {"graze count", kIntLo, kIntHi},
    {"score", INT64_MIN, INT64_MAX},
    {"full-power frames", kIntLo, kIntHi},
}};

constexpr NumberRule kMaskRule{"mask", 0, 255};
constexpr NumberRule kDescriptionCountRule{"description line count", 0, kReplayMaxDescriptionLines};

bool inRange(const NumberRule& rule, std::int64_t v) { return v >= rule.lo && v <= rule.hi; }

// A piece of the file quoted in a message: short, and printable.
std::string shown(std::string_view token) {
    constexpr std::size_t kMaxShown = 24;
    std::string s(token.substr(0, kMaxShown));
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) c = '?';
    if (token.size() > kMaxShown) s += "...";
    return s;
}

std::string outOfRange(const NumberRule& rule, std::string_view value) {
    return std::string(rule.label) + " " + std::string(value) + " is out of range (" + std::to_string(rule.lo) +
           ".." + std::to_string(rule.hi) + ")";
}

std::string stagePrefix(int stage) { return "stage " + std::to_string(stage) + ": "; }

std::string endBeforeStart(std::int64_t end, std::int64_t start) {
    return "end stage " + std::to_string(end) + " is before start stage " + std::to_string(start);
}

// ---- writing ----

// A text on one line of the file: its own line ends would shift every line
// after it, so they become spaces.
std::string oneLineGbk(std::string_view utf8) {
    std::string s = GbkFromUtf8(utf8);
    std::replace_if(s.begin(), s.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return s;
}

void appendNumber(std::string& out, std::int64_t v) {
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, res.ptr);
    out += ' ';
}

// Names are followed by one space; an empty one is saved as "无".
void appendSpacedText(std::string& out, std::string_view utf8) {
    out += utf8.empty() ? std::string(kEmptyTextGbk) : oneLineGbk(utf8);
    out += ' ';
    out += kLineEnd;
}

// ---- reading ----

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

enum class Scan { Ok, Missing, NotNumber, TooBig };

// The next blank-separated token as a decimal integer, the way "%d" reads
// one but whole: "12ab" is not a number.
Scan scanNumber(std::string_view& rest, std::int64_t& value, std::string_view& token) {
    std::size_t begin = 0;
    while (begin < rest.size() && isBlank(rest[begin])) ++begin;
    std::size_t end = begin;
    while (end < rest.size() && !isBlank(rest[end])) ++end;
    token = rest.substr(begin, end - begin);
    rest.remove_prefix(end);
    if (token.empty()) return Scan::Missing;

    std::size_t p = 0;
    const bool negative = token[0] == '-';
    if (token[0] == '-' || token[0] == '+') p = 1;
    if (p == token.size()) return Scan::NotNumber;
    const std::uint64_t limit = negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1;
    std::uint64_t magnitude = 0;
    bool tooBig = false;
    for (; p < token.size(); ++p) {
        const char c = token[p];
        if (c < '0' || c > '9') return Scan::NotNumber;
        const unsigned digit = static_cast<unsigned>(c - '0');
        if (tooBig || magnitude > (limit - digit) / 10)
            tooBig = true;
        else
            magnitude = magnitude * 10 + digit;
    }
    if (tooBig) return Scan::TooBig;
    value = static_cast<std::int64_t>(negative ? ~magnitude + 1 : magnitude);
    return Scan::Ok;
}

// Reads one number and checks it against its rule; on failure `problem`
// says why (without the stage or frame it belongs to).
bool takeNumber(std::string_view& rest, const NumberRule& rule, std::int64_t& value, std::string& problem) {
    std::string_view token;
    switch (scanNumber(rest, value, token)) {
        case Scan::Ok:
            if (inRange(rule, value)) return true;
            problem = outOfRange(rule, std::to_string(value));
            return false;
        case Scan::Missing:
            problem = std::string(rule.label) + " is missing: the file ends early";
            return false;
        case Scan::NotNumber:
            problem = std::string(rule.label) + " \"" + shown(token) + "\" is not a number";
            return false;
        case Scan::TooBig:
            problem = outOfRange(rule, shown(token));
            return false;
    }
    return false;
}

enum class LineScan { Ok, Missing, TooLong };

// One line without its line end ("\n", or "\r\n"); the last line of the file
// may lack one. Never looks further than a text line may be long.
LineScan takeLine(std::string_view& rest, std::string_view& line) {
    if (rest.empty()) return LineScan::Missing;
    const std::size_t window = std::min(rest.size(), kReplayMaxTextBytes + 2);
    std::size_t end = rest.substr(0, window).find('\n');
    std::size_t next = end + 1;
    if (end == std::string_view::npos) {
        if (rest.size() > window) return LineScan::TooLong;
        end = next = rest.size();
    }
    line = rest.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > kReplayMaxTextBytes) return LineScan::TooLong;
    rest.remove_prefix(next);
    return LineScan::Ok;
}

bool takeTextLine(std::string_view& rest, std::string_view label, std::string_view& line, std::string& why) {
    switch (takeLine(rest, line)) {
        case LineScan::Ok:
            return true;
        case LineScan::Missing:
            why = std::string(label) + " is missing: the file ends early";
            return false;
        case LineScan::TooLong:
            why = std::string(label) + " is longer than " + std::to_string(kReplayMaxTextBytes) + " bytes";
            return false;
    }
    return false;
}

void dropOneTrailingSpace(std::string_view& line) {
    if (!line.empty() && line.back() == ' ') line.remove_suffix(1);
}

// A text line as UTF-8; the bound holds after conversion too, so whatever
// is read can be saved again.
bool takeText(std::string_view& rest, std::string_view label, bool spaced, std::string& text, std::string& why) {
    std::string_view line;
    if (!takeTextLine(rest, label, line, why)) return false;
    if (spaced) dropOneTrailingSpace(line);
    text = Utf8FromGbk(line);
    if (text.size() <= kReplayMaxTextBytes) return true;
    why = std::string(label) + " is longer than " + std::to_string(kReplayMaxTextBytes) + " bytes";
    return false;
}

bool takeDescriptionCount(std::string_view& rest, int& count, std::string& why) {
    const NumberRule& rule = kDescriptionCountRule;
    std::string_view line;
    if (!takeTextLine(rest, rule.label, line, why)) return false;
    std::int64_t value = 0;
    std::string_view token;
    std::string_view after = line;
    const Scan scan = scanNumber(after, value, token);
    const bool onlyBlanksAfter = std::all_of(after.begin(), after.end(), isBlank);
    if (scan == Scan::Ok && onlyBlanksAfter && inRange(rule, value)) {
        count = static_cast<int>(value);
        return true;
    }
    if (scan == Scan::Ok && onlyBlanksAfter)
        why = outOfRange(rule, std::to_string(value));
    else if (scan == Scan::TooBig && onlyBlanksAfter)
        why = outOfRange(rule, shown(token));
    else
        why = std::string(rule.label) + " \"" + shown(line) + "\" is not a number";
    return false;
}

bool takeTexts(std::string_view& rest, ReplayRecord& r, std::string& why) {
    if (!takeText(rest, "key line", false, r.key, why)) return false;
    if (!takeText(rest, "replay name", true, r.name, why)) return false;
    if (!takeText(rest, "player name", true, r.player, why)) return false;
    int lines = 0;
    if (!takeDescriptionCount(rest, lines, why)) return false;
    r.description.resize(static_cast<std::size_t>(lines));
    for (int i = 0; i < lines; ++i) {
        const std::string label =
            "description line " + std::to_string(i + 1) + " of " + std::to_string(lines);
        if (!takeText(rest, label, i + 1 == lines, r.description[static_cast<std::size_t>(i)], why)) return false;
    }
    return takeText(rest, "date line", false, r.date, why);
}

bool takeHeaderNumbers(std::string_view& rest, ReplayRecord& r, std::string& why) {
    std::array<std::int64_t, kHeaderFieldCount> v{};
    for (int i = 0; i < kHeaderFieldCount; ++i)
        if (!takeNumber(rest, kHeaderRules[i], v[i], why)) return false;
    if (v[kEndStage] < v[kStartStage]) {
        why = endBeforeStart(v[kEndStage], v[kStartStage]);
        return false;
    }
    r.difficulty = static_cast<int>(v[kDifficulty]);
    r.character = static_cast<int>(v[kCharacter]);
    r.practiceMode = static_cast<int>(v[kPracticeMode]);
    r.autoBomb = static_cast<int>(v[kAutoBomb]);
    r.startStage = static_cast<int>(v[kStartStage]);
    r.stages.resize(static_cast<std::size_t>(v[kEndStage] - v[kStartStage] + 1));
    return true;
}

bool takeStage(std::string_view& rest, int stage, ReplayStageRecord& out, std::string& why) {
    std::array<std::int64_t, kStageFieldCount> v{};
    for (int i = 0; i < kStageFieldCount; ++i) {
        if (!takeNumber(rest, kStageRules[i], v[i], why)) {
            why = stagePrefix(stage) + why;
            return false;
        }
    }
    out.snapshot = StageSnapshot{static_cast<int>(v[kBombGauge]), static_cast<int>(v[kLives]),
                                 static_cast<int>(v[kGrazeCount]), v[kScore], static_cast<int>(v[kMaxPowerFrames])};
    // Every mask takes at least two bytes, so a count the rest of the file
    // cannot hold does not reserve memory for it.
    const std::size_t count = static_cast<std::size_t>(v[kFrameCount]);
    out.masks.reserve(std::min(count, rest.size() / 2));
    for (std::size_t frame = 1; frame <= count; ++frame) {
        std::int64_t mask = 0;
        if (!takeNumber(rest, kMaskRule, mask, why)) {
            why = stagePrefix(stage) + "frame " + std::to_string(frame) + ": " + why;
            return false;
        }
        out.masks.push_back(static_cast<std::int32_t>(mask));
    }
    return true;
}

bool parse(std::string_view rest, ReplayRecord& r, std::string& why) {
    if (rest.empty()) {
        why = "the file is empty";
        return false;
    }
    if (!takeTexts(rest, r, why) || !takeHeaderNumbers(rest, r, why)) return false;
    for (std::size_t i = 0; i < r.stages.size(); ++i)
        if (!takeStage(rest, r.startStage + static_cast<int>(i), r.stages[i], why)) return false;
    const auto junk = std::find_if_not(rest.begin(), rest.end(), isBlank);
    if (junk != rest.end()) {
        std::string_view tail = rest.substr(static_cast<std::size_t>(junk - rest.begin()));
        tail = tail.substr(0, static_cast<std::size_t>(std::find_if(tail.begin(), tail.end(), isBlank) - tail.begin()));
        why = "unexpected \"" + shown(tail) + "\" after the last stage";
        return false;
    }
    return true;
}

// ---- disk ----

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The new file is complete on disk before it takes the old one's name, so a
// failure at any point leaves the old replay whole.
bool replaceFile(const std::filesystem::path& target, std::string_view bytes) {
    std::error_code ec;
    const std::filesystem::path folder = target.parent_path();
    if (!folder.empty()) {
        std::filesystem::create_directories(folder, ec);
        if (ec) return false;
    }
    std::string tmp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) return false;
    bool ok = ::fchmod(fd, 0644) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = std::rename(tmp.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(tmp.c_str());
    return ok;
}

bool readFile(const std::string& path, std::string& bytes, std::string& why) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        why = "cannot open " + path;
        return false;
    }
    char buf[1 << 16];
    std::size_t n = 0;
    bool tooBig = false;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
        if (bytes.size() + n > kMaxFileBytes) {
            tooBig = true;
            break;
        }
        bytes.append(buf, n);
    }
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (tooBig) why = path + " is larger than any replay (" + std::to_string(kMaxFileBytes >> 20) + " MB)";
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

std::string ReplayDateLine(const std::tm& t) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d/%02d/%02d %02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                  t.tm_hour, t.tm_min, t.tm_sec);
    return buf;
}

std::vector<std::string> SplitDescriptionLines(std::string_view text) {
    std::vector<std::string> lines;
    if (text.empty()) return lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    lines.emplace_back(text.substr(start));
    return lines;
}

bool ValidateReplayRecord(const ReplayRecord& r, std::string& why) {
    const std::array<std::int64_t, kHeaderFieldCount> header{r.difficulty, r.character, r.practiceMode,
                                                             r.autoBomb,   r.startStage, r.endStage()};
    for (int i = 0; i < kHeaderFieldCount; ++i) {
        if (inRange(kHeaderRules[i], header[i])) continue;
        why = outOfRange(kHeaderRules[i], std::to_string(header[i]));
        return false;
    }
    if (r.stages.empty()) {
        why = endBeforeStart(r.endStage(), r.startStage);
        return false;
    }
    for (std::size_t i = 0; i < r.stages.size(); ++i) {
        const int stage = r.startStage + static_cast<int>(i);
        const std::vector<std::int32_t>& masks = r.stages[i].masks;
        if (!inRange(kStageRules[kFrameCount], static_cast<std::int64_t>(masks.size()))) {
            why = stagePrefix(stage) + outOfRange(kStageRules[kFrameCount], std::to_string(masks.size()));
            return false;
        }
        const auto bad = std::find_if(masks.begin(), masks.end(), [](std::int32_t m) { return !inRange(kMaskRule, m); });
        if (bad != masks.end()) {
            why = stagePrefix(stage) + "frame " + std::to_string(bad - masks.begin() + 1) + ": " +
                  outOfRange(kMaskRule, std::to_string(*bad));
            return false;
        }
    }
    if (r.description.size() > static_cast<std::size_t>(kReplayMaxDescriptionLines)) {
        why = outOfRange(kDescriptionCountRule, std::to_string(r.description.size()));
        return false;
    }
    const std::string* texts[] = {&r.key, &r.name, &r.player, &r.date};
    const bool textTooLong =
        std::any_of(std::begin(texts), std::end(texts), [](const std::string* t) { return t->size() > kReplayMaxTextBytes; }) ||
        std::any_of(r.description.begin(), r.description.end(),
                    [](const std::string& t) { return t.size() > kReplayMaxTextBytes; });
    if (textTooLong) {
        why = "a text is longer than " + std::to_string(kReplayMaxTextBytes) + " bytes";
        return false;
    }
    return true;
}

std::string WriteReplayText(const ReplayRecord& r) {
    std::size_t frames = 0;
    for (const ReplayStageRecord& st : r.stages) frames += st.masks.size();
    std::string out;
    out.reserve(256 + frames * 4);

    out += r.key.empty() ? std::string(kEmptyKey) : oneLineGbk(r.key);
    out += kLineEnd;
    appendSpacedText(out, r.name);
    appendSpacedText(out, r.player);
    out += std::to_string(r.description.empty() ? 1 : r.description.size());
    out += kLineEnd;
    if (r.description.empty()) appendSpacedText(out, "");
    for (std::size_t i = 0; i < r.description.size(); ++i) {
        out += oneLineGbk(r.description[i]);
        if (i + 1 == r.description.size()) out += ' ';
        out += kLineEnd;
    }
    out += oneLineGbk(r.date);
    out += kLineEnd;

    for (std::int64_t v : {r.difficulty, r.character, r.practiceMode, r.autoBomb, r.startStage, r.endStage()})
        appendNumber(out, v);
    for (const ReplayStageRecord& st : r.stages) {
        const StageSnapshot& snap = st.snapshot;
        for (std::int64_t v : {static_cast<std::int64_t>(st.masks.size()), std::int64_t{snap.bombGauge},
                               std::int64_t{snap.lives}, std::int64_t{snap.grazeCount}, snap.score,
                               std::int64_t{snap.maxPowerFrames}})
            appendNumber(out, v);
        for (std::int32_t m : st.masks) appendNumber(out, m);
    }
    return out;
}

bool ParseReplayText(std::string_view bytes, ReplayRecord& out, std::string& why) {
    try {
        ReplayRecord r;
        std::string reason;
        if (!parse(bytes, r, reason)) {
            why = std::move(reason);
            return false;
        }
        out = std::move(r);
        why.clear();
        return true;
    } catch (const std::bad_alloc&) {
        why = "not enough memory to read the replay";
    } catch (...) {
        why = "the replay could not be read";
    }
    return false;
}

bool ApplyReplayToState(const ReplayRecord& r, GameState& state) {
    std::string why;
    if (!ValidateReplayRecord(r, why)) return false;
    state.difficulty = r.difficulty;
    state.character = r.character;
    state.practiceMode = static_cast<std::uint8_t>(r.practiceMode);
    state.autoBomb = r.autoBomb;
    state.startStage = r.startStage;
    state.replayEndStage = r.endStage();
    for (std::size_t i = 0; i < r.stages.size(); ++i) {
        const int stage = r.startStage + static_cast<int>(i);
        const ReplayStageRecord& st = r.stages[i];
        state.replayStageFrames[stage] = static_cast<int>(st.masks.size());
        state.snapshots[stage] = st.snapshot;
        // Frame 0 is never played; cells past the count are zeroed so
        // playback cannot meet keys of an earlier game.
        auto& row = state.replayInputs[stage];
        row[0] = 0;
        const auto end = std::copy(st.masks.begin(), st.masks.end(), row.begin() + 1);
        std::fill(end, row.end(), 0);
    }
    return true;
}

ReplayRecord RecordFromState(const GameState& state, const ReplayTexts& texts, const std::tm& savedAt) {
    ReplayRecord r;
    r.key = texts.key;
    r.name = texts.name;
    r.player = texts.player;
    r.description = SplitDescriptionLines(texts.description);
    r.date = ReplayDateLine(savedAt);
    r.difficulty = state.difficulty;
    r.character = state.character;
    r.practiceMode = state.practiceMode;
    r.autoBomb = state.autoBomb;
    r.startStage = state.startStage;
    // Outside these bounds the record stays without stages, which does not
    // validate, so nothing unplayable is saved.
    if (state.startStage < 1 || state.stage < state.startStage || state.stage > kReplayLastStage) return r;
    for (int stage = state.startStage; stage <= state.stage; ++stage) {
        ReplayStageRecord st;
        st.snapshot = state.snapshots[stage];
        const int count = std::clamp(state.replayStageFrames[stage], 0, kReplayMaxFrames);
        const auto& row = state.replayInputs[stage];
        st.masks.assign(row.begin() + 1, row.begin() + 1 + count);
        r.stages.push_back(std::move(st));
    }
    return r;
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
