// Reading a replay: the file's bytes as a record, refusing with a one-line
// reason anything a saved game could not have written. Every read is
// bounded: a line by the longest text, a count by what the file can hold.
#include "menus/ReplayFile.h"

#include <algorithm>
#include <array>
#include <new>

#include "menus/GbkText.h"
#include "menus/ReplayFormat.h"

namespace korvid {

using namespace replay_format;

namespace {

// A piece of the file quoted in a message: short, and printable.
std::string shown(std::string_view token) {
    constexpr std::size_t kMaxShown = 24;
    std::string s(token.substr(0, kMaxShown));
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) c = '?';
    if (token.size() > kMaxShown) s += "...";
    return s;
}

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
// A text line is written with one space after its text, so a line may be
// one byte longer than the longest text.
constexpr std::size_t kMaxLineBytes = kReplayMaxTextBytes + 1;

LineScan takeLine(std::string_view& rest, std::string_view& line) {
    if (rest.empty()) return LineScan::Missing;
    const std::size_t window = std::min(rest.size(), kMaxLineBytes + 2);
    std::size_t end = rest.substr(0, window).find('\n');
    std::size_t next = end + 1;
    if (end == std::string_view::npos) {
        if (rest.size() > window) return LineScan::TooLong;
        end = next = rest.size();
    }
    line = rest.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > kMaxLineBytes) return LineScan::TooLong;
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

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// "2024/05/01 21:07:33": every date line a game writes starts with the date.
bool looksLikeDate(std::string_view line) {
    std::size_t i = 0;
    auto digits = [&](std::size_t lo, std::size_t hi) {
        std::size_t n = 0;
        while (i < line.size() && isDigit(line[i]) && n < hi) ++i, ++n;
        return n >= lo;
    };
    return digits(4, 4) && i < line.size() && line[i++] == '/' && digits(1, 2) && i < line.size() &&
           line[i++] == '/' && digits(1, 2);
}

// The description count says which line holds the date; the date is the
// last line before the numbers that looks like one (a description line may
// too). When they differ, the count disagrees with the description (a file
// edited by hand): say so, rather than read the date or the numbers from the
// wrong line. Empty when nothing disagrees, or no line looks like a date.
std::string countMismatch(std::string_view rest, int count) {
    int dateAt = -1;
    std::string_view line;
    for (int i = 0; i <= kReplayMaxDescriptionLines + 1 && takeLine(rest, line) == LineScan::Ok; ++i)
        if (looksLikeDate(line)) dateAt = i;
    if (dateAt < 0 || dateAt == count) return {};
    constexpr int kFirstDescriptionLine = 5;  // after key, name, player and count
    return std::string(kDescriptionCountRule.label) + " " + std::to_string(count) +
           " disagrees with the description: the date line is line " + std::to_string(kFirstDescriptionLine + dateAt) +
           ", after " + std::to_string(dateAt) + " description line" + (dateAt == 1 ? "" : "s");
}

bool takeTexts(std::string_view& rest, ReplayRecord& r, std::string& why) {
    if (!takeText(rest, "key line", false, r.key, why)) return false;
    if (!takeText(rest, "replay name", true, r.name, why)) return false;
    if (!takeText(rest, "player name", true, r.player, why)) return false;
    int lines = 0;
    if (!takeDescriptionCount(rest, lines, why)) return false;
    if (why = countMismatch(rest, lines); !why.empty()) return false;
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
    if (!validPracticeMode(v[kPracticeMode])) {
        why = badPracticeMode(v[kPracticeMode]);
        return false;
    }
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

}  // namespace

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

}  // namespace korvid
