#include "game/RecordBook.h"

#include <algorithm>

#include "game/Game.h"

namespace korvid {

namespace {

bool inRange(int difficulty, int character) {
    return difficulty >= 0 && difficulty < kRecordDifficulties && character >= 1 && character <= kRecordCharacters;
}

std::vector<ScoreRecord>* tableOf(RecordBook& book, int difficulty, int character) {
    if (!inRange(difficulty, character)) return nullptr;
    return &book.tables[static_cast<std::size_t>(difficulty)][static_cast<std::size_t>(character - 1)];
}

CardCounts* countsOf(RecordBook& book, int pattern, int difficulty) {
    if (pattern < 1 || pattern >= kRecordCardIds || difficulty < 0 || difficulty >= kRecordDifficulties) return nullptr;
    return &book.cards[static_cast<std::size_t>(pattern)][static_cast<std::size_t>(difficulty)];
}

// A game played now: not a replay being watched, and with records to keep.
RecordBook* watching(Game& game) {
    if (!game.records || game.state.replayPlaying) return nullptr;
    return game.records.get();
}

}  // namespace

const std::vector<ScoreRecord>* RecordTable(const RecordBook& book, int difficulty, int character) {
    return tableOf(const_cast<RecordBook&>(book), difficulty, character);
}

int RecordPlace(const RecordBook& book, int difficulty, int character, std::int64_t score) {
    const std::vector<ScoreRecord>* table = RecordTable(book, difficulty, character);
    if (!table || score <= 0) return -1;
    const auto below = std::find_if(table->begin(), table->end(), [&](const ScoreRecord& r) { return r.score < score; });
    const int place = static_cast<int>(below - table->begin());
    return place < kRecordPlaces ? place : -1;
}

int EnterRecord(RecordBook& book, int difficulty, int character, const ScoreRecord& entry) {
    const int place = RecordPlace(book, difficulty, character, entry.score);
    if (place < 0) return -1;
    std::vector<ScoreRecord>& table = *tableOf(book, difficulty, character);
    table.insert(table.begin() + place, entry);
    book.changed = true;
    if (table.size() > kRecordPlaces) table.resize(kRecordPlaces);
    return place;
}

std::int64_t BestRecordedScore(const RecordBook& book, int difficulty, int character) {
    const std::vector<ScoreRecord>* table = RecordTable(book, difficulty, character);
    return table && !table->empty() ? table->front().score : 0;
}

const CardCounts* CardRecord(const RecordBook& book, int pattern, int difficulty) {
    return countsOf(const_cast<RecordBook&>(book), pattern, difficulty);
}

void NoteCardReached(Game& game) {
    RecordBook* book = watching(game);
    if (!book) return;
    const GameState& s = game.state;
    book->cardPattern = 0;
    CardCounts* c = countsOf(*book, s.bossPattern(), s.difficulty);
    if (!c) return;
    book->cardPattern = s.bossPattern();
    c->stage = s.stage;
    book->changed = true;
    (s.spellPracticeCard ? c->practiceReached : c->reached) += 1;
}

void NoteCardEnded(Game& game) {
    RecordBook* book = watching(game);
    if (!book) return;
    const GameState& s = game.state;
    // Only a card whose start was seen: one ended twice counts once.
    const int pattern = book->cardPattern;
    book->cardPattern = 0;
    CardCounts* c = countsOf(*book, pattern, s.difficulty);
    if (!c || pattern != s.bossPattern()) return;
    if (s.spellBonusLost || s.bossTimedOut) return;
    (s.spellPracticeCard ? c->practiceCaptured : c->captured) += 1;
    book->changed = true;
}

ScoreRecord GameOutcome(const Game& game, bool allClear) {
    const GameState& s = game.state;
    ScoreRecord r;
    r.score = std::max(s.bestScore, s.score);
    r.stage = std::clamp(s.stage, 1, 7);
    r.allClear = allClear;
    r.continued = s.score % 10 > 0;
    return r;
}

}  // namespace korvid
