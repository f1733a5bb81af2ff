// The player's records kept between runs: the ten best games of each
// difficulty and character (the extra stage is difficulty 3), and for every
// spell card how often it was reached and captured per difficulty, with the
// spell-practice runs counted apart. Plain data and the rules that fill it;
// the file is menus/RecordsFile. Play never reads any of it: the records
// watch a game, they do not take part in it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace korvid {

struct Game;

inline constexpr int kRecordDifficulties = 4;  // 0..2, 3 the extra stage
inline constexpr int kRecordCharacters = 3;    // characters 1..3
inline constexpr int kRecordPlaces = 10;
inline constexpr int kRecordCardIds = 100;     // pattern ids 1..99
inline constexpr std::size_t kRecordNameBytes = 32;  // UTF-8

struct ScoreRecord {
    std::string name;      // UTF-8, at most kRecordNameBytes
    std::int64_t score = 0;
    int stage = 1;         // the stage the game ended in (1..7)
    bool allClear = false;  // the game reached its ending
    bool continued = false;
    std::string date;      // "2026/12/11"
    bool operator==(const ScoreRecord&) const = default;
};

struct CardCounts {
    int stage = 0;                                  // the stage it was last reached in (1..7)
    int reached = 0, captured = 0;                  // games and stage practice
    int practiceReached = 0, practiceCaptured = 0;  // spell practice
    bool operator==(const CardCounts&) const = default;
};

struct RecordBook {
    // tables[difficulty][character - 1], best first, at most kRecordPlaces.
    std::array<std::array<std::vector<ScoreRecord>, kRecordCharacters>, kRecordDifficulties> tables;
    // cards[id][difficulty]
    std::array<std::array<CardCounts, kRecordDifficulties>, kRecordCardIds> cards{};
    bool operator==(const RecordBook& o) const { return tables == o.tables && cards == o.cards; }

    // --- how the book came from disk (not part of its content) ---
    bool damaged = false;   // the file was refused; the book started empty
    std::string problem;    // why, one line
    bool damagedKeptAside = false;  // the refused file was moved aside before the first save
    bool changed = false;  // something to save since the last save

    // --- the game being watched (not saved) ---
    int cardPattern = 0;  // the card running now, 0 for none
};

// The table of a difficulty and character, or null when either is out of range.
const std::vector<ScoreRecord>* RecordTable(const RecordBook& book, int difficulty, int character);
// Where `score` would enter that table (0 is the top), or -1 when it would not.
int RecordPlace(const RecordBook& book, int difficulty, int character, std::int64_t score);
// Enters a game; returns its place, or -1 (the table unchanged) when it is
// not among the best ten. A score equal to one already there goes below it.
int EnterRecord(RecordBook& book, int difficulty, int character, const ScoreRecord& entry);
// The best score of a table, 0 when it is empty.
std::int64_t BestRecordedScore(const RecordBook& book, int difficulty, int character);
// A card's counts, or null for an id or difficulty out of range.
const CardCounts* CardRecord(const RecordBook& book, int pattern, int difficulty);

// The spell-card history steps, called by the card's declaration and end.
// They count only a game being played (not a replay) and do nothing when
// the game keeps no records.
void NoteCardReached(Game& game);
void NoteCardEnded(Game& game);    // captured unless spoiled or timed out

// The game as it would enter the table now: its best score, the stage, and
// whether a continue was used (the units digit of the score counts them).
ScoreRecord GameOutcome(const Game& game, bool allClear);

}  // namespace korvid
