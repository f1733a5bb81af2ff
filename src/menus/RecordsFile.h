// "records.dat" in the game folder: the high-score tables and the spell-card
// history (game/RecordBook.h), as UTF-8 text, one record a line:
//   korvid records 1
//   score DIFFICULTY CHARACTER SCORE STAGE CLEAR CONTINUED DATE NAME
//   card ID DIFFICULTY STAGE REACHED CAPTURED PRACTICE_REACHED PRACTICE_CAPTURED
// NAME is the rest of the line; DATE is "-" when unknown. A file with any
// line the game could not have written is refused whole, with the reason.
#pragma once

#include <string>
#include <string_view>

#include "game/RecordBook.h"

namespace korvid {

struct Game;

inline constexpr const char* kRecordsFileName = "records.dat";
inline constexpr std::size_t kRecordsMaxFileBytes = 1u << 20;

std::string WriteRecordsText(const RecordBook& book);
// Reads a whole file; false with a one-line reason (and `out` untouched)
// when it is refused.
bool ParseRecordsText(std::string_view bytes, RecordBook& out, std::string& why);

// The book of the game folder: empty when the file is missing; empty and
// marked damaged (with the reason, also printed on stderr) when it is
// refused. Never fails.
RecordBook LoadRecordsFile(const std::string& path);
// Writes the book through a temporary file and a rename. A damaged file
// the book replaces is first kept aside as "records.dat.damaged". False
// (the old file whole) on any failure.
bool SaveRecordsFile(const std::string& path, RecordBook& book);

// The game folder's records: loaded into game.records, and saved from it.
// Saving writes only a book changed since it was read or last saved.
void LoadGameRecords(Game& game);
bool SaveGameRecords(Game& game);

}  // namespace korvid
