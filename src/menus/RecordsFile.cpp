#include "menus/RecordsFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <system_error>

#include "engine/FileReplace.h"
#include "engine/Utf8.h"
#include "game/Game.h"

namespace korvid {

namespace {

constexpr std::string_view kHeader = "korvid records 1";
constexpr std::int64_t kMaxScore = 999999999999999;  // far past any game
constexpr std::int64_t kMaxCount = 1000000000;

struct Cursor {
    std::string_view rest;
    // The next blank-separated word, or empty at the end of the line.
    std::string_view word() {
        const std::size_t start = rest.find_first_not_of(' ');
        if (start == std::string_view::npos) {
            rest = {};
            return {};
        }
        rest.remove_prefix(start);
        const std::size_t end = std::min(rest.find(' '), rest.size());
        const std::string_view w = rest.substr(0, end);
        rest.remove_prefix(end);
        return w;
    }
    bool number(std::int64_t lo, std::int64_t hi, std::int64_t& out) {
        const std::string_view w = word();
        if (w.empty()) return false;
        std::int64_t v = 0;
        const auto [end, err] = std::from_chars(w.data(), w.data() + w.size(), v);
        if (err != std::errc{} || end != w.data() + w.size() || v < lo || v > hi) return false;
        out = v;
        return true;
    }
};

bool plausibleDate(std::string_view d) {
    if (d == "-") return true;
    if (d.size() != 10 || d[4] != '/' || d[7] != '/') return false;
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (d[i] < '0' || d[i] > '9') return false;
    return true;
}

bool plausibleName(std::string_view n) {
    if (n.size() > kRecordNameBytes || EncodeUtf8(DecodeUtf8(n)) != n) return false;
    for (char c : n)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    return true;
}

std::string parseScore(Cursor& c, RecordBook& book) {
    std::int64_t d = 0, ch = 0, score = 0, stage = 0, clear = 0, cont = 0;
    if (!c.number(0, kRecordDifficulties - 1, d)) return "no difficulty 0..3";
    if (!c.number(1, kRecordCharacters, ch)) return "no character 1..3";
    if (!c.number(1, kMaxScore, score)) return "no score";
    if (!c.number(1, 7, stage)) return "no stage 1..7";
    if (!c.number(0, 1, clear) || !c.number(0, 1, cont)) return "no clear and continue marks";
    ScoreRecord r;
    r.score = score;
    r.stage = static_cast<int>(stage);
    r.allClear = clear != 0;
    r.continued = cont != 0;
    const std::string_view date = c.word();
    if (!plausibleDate(date)) return "no date";
    if (date != "-") r.date = std::string(date);
    std::string_view name = c.rest;
    if (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    if (!plausibleName(name)) return "a name the game cannot have written";
    r.name = std::string(name);
    auto& table = book.tables[static_cast<std::size_t>(d)][static_cast<std::size_t>(ch - 1)];
    if (table.size() >= kRecordPlaces) return "more than ten games in one table";
    if (!table.empty() && table.back().score < r.score) return "a table out of order";
    table.push_back(std::move(r));
    return {};
}

std::string parseCard(Cursor& c, RecordBook& book, std::array<std::array<bool, kRecordDifficulties>, kRecordCardIds>& seen) {
    std::int64_t id = 0, d = 0, stage = 0, v[4] = {};
    if (!c.number(1, kRecordCardIds - 1, id)) return "no card id";
    if (!c.number(0, kRecordDifficulties - 1, d)) return "no difficulty 0..3";
    if (!c.number(1, 7, stage)) return "no stage 1..7";
    for (std::int64_t& x : v)
        if (!c.number(0, kMaxCount, x)) return "no count";
    if (!c.rest.empty()) return "more than six numbers";
    if (v[1] > v[0] || v[3] > v[2]) return "more captures than times reached";
    bool& was = seen[static_cast<std::size_t>(id)][static_cast<std::size_t>(d)];
    if (was) return "a card listed twice";
    was = true;
    book.cards[static_cast<std::size_t>(id)][static_cast<std::size_t>(d)] =
        CardCounts{static_cast<int>(stage), static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]), static_cast<int>(v[3])};
    return {};
}

bool readFile(const std::string& path, std::string& bytes, std::string& why) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && (!S_ISREG(st.st_mode) || static_cast<std::uint64_t>(st.st_size) > kRecordsMaxFileBytes)) {
        why = "not a records file (too large, or not a file)";
        return true;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) why = "cannot be read";
    return true;
}

}  // namespace

std::string WriteRecordsText(const RecordBook& book) {
    std::string out(kHeader);
    out += '\n';
    char buf[160];
    for (int d = 0; d < kRecordDifficulties; ++d) {
        for (int ch = 1; ch <= kRecordCharacters; ++ch) {
            for (const ScoreRecord& r : *RecordTable(book, d, ch)) {
                std::snprintf(buf, sizeof buf, "score %d %d %lld %d %d %d %s ", d, ch, static_cast<long long>(r.score),
                              r.stage, r.allClear ? 1 : 0, r.continued ? 1 : 0, r.date.empty() ? "-" : r.date.c_str());
                out += buf;
                out += r.name;
                out += '\n';
            }
        }
    }
    for (int id = 1; id < kRecordCardIds; ++id) {
        for (int d = 0; d < kRecordDifficulties; ++d) {
            const CardCounts& c = *CardRecord(book, id, d);
            if (c == CardCounts{}) continue;
            std::snprintf(buf, sizeof buf, "card %d %d %d %d %d %d %d\n", id, d, std::clamp(c.stage, 1, 7), c.reached, c.captured, c.practiceReached,
                          c.practiceCaptured);
            out += buf;
        }
    }
    return out;
}

bool ParseRecordsText(std::string_view bytes, RecordBook& out, std::string& why) {
    try {
        RecordBook book;
        std::array<std::array<bool, kRecordDifficulties>, kRecordCardIds> seen{};
        if (bytes.size() > kRecordsMaxFileBytes) {
            why = "larger than any records file";
            return false;
        }
        int number = 0;
        while (!bytes.empty()) {
            ++number;
            const std::size_t end = std::min(bytes.find('\n'), bytes.size());
            std::string_view line = bytes.substr(0, end);
            bytes.remove_prefix(std::min(end + 1, bytes.size()));
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            std::string problem;
            if (number == 1) {
                if (line != kHeader) problem = "not a records file";
            } else {
                Cursor c{line};
                const std::string_view kind = c.word();
                if (kind == "score") problem = parseScore(c, book);
                else if (kind == "card") problem = parseCard(c, book, seen);
                else if (!kind.empty()) problem = "unknown line";
            }
            if (!problem.empty()) {
                why = "line " + std::to_string(number) + ": " + problem;
                return false;
            }
        }
        if (number == 0) {
            why = "the file is empty";
            return false;
        }
        out = std::move(book);
        why.clear();
        return true;
    } catch (...) {
        why = "could not be read";
        return false;
    }
}

RecordBook LoadRecordsFile(const std::string& path) {
    RecordBook book;
    std::string bytes, why;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return book;
    if (!readFile(path, bytes, why)) why = "cannot be opened";
    if (why.empty() && ParseRecordsText(bytes, book, why)) return book;
    book = RecordBook{};
    book.damaged = true;
    book.problem = why;
    std::fprintf(stderr, "korvid: %s is damaged (%s); the records start empty and it is kept aside at the first save\n",
                 path.c_str(), why.c_str());
    return book;
}

bool SaveRecordsFile(const std::string& path, RecordBook& book) {
    if (book.damaged && !book.damagedKeptAside) {
        std::error_code ec;
        std::filesystem::rename(path, path + ".damaged", ec);
        if (ec && std::filesystem::exists(path, ec)) return false;  // never write over what could not be kept
        book.damagedKeptAside = true;
    }
    if (!ReplaceFile(path, WriteRecordsText(book), KeptFileMode(path, 0644))) return false;
    book.changed = false;
    return true;
}

void LoadGameRecords(Game& game) {
    game.records = std::make_unique<RecordBook>(
        LoadRecordsFile((std::filesystem::path(game.gameDir) / kRecordsFileName).string()));
}

bool SaveGameRecords(Game& game) {
    if (!game.records || !game.records->changed) return true;
    return SaveRecordsFile((std::filesystem::path(game.gameDir) / kRecordsFileName).string(), *game.records);
}

}  // namespace korvid
