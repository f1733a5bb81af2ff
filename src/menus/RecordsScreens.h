// The records the player sees: the name entry at the end of a game that
// made the high scores (screen 14), and the records screen (screen 15),
// reached from the replay list, with the high scores, the spell-card
// history and the spell practice chosen from it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/RecordBook.h"

namespace korvid {

struct Game;

// A finished game (a game, not a practice or a replay) that makes its
// table opens the name entry; `thenSaveScreen` goes on to the replay save
// screen afterwards, otherwise to the title. False when nothing opened.
bool OfferRecordEntry(Game& game, bool allClear, bool thenSaveScreen);

// A table at (x, y), row `highlight` (-1 none) in yellow.
void DrawRecordTable(Game& game, const std::vector<ScoreRecord>& table, int highlight, float x, float y);
// "Easy", ... and the character's name, as the records show them.
const char* RecordDifficultyName(int difficulty);
// "Normal  角色 2" ("Normal  Pilot 2" in English).
std::string RecordTableTitle(int difficulty, int character, bool english = false);

// Plays card `card` alone on `stage` (spell practice).
void StartSpellPractice(Game& game, int card, int stage, int difficulty, int character);

void RunRecordsScreen(Game& game);  // screen 15, called by the title
// The replay list's way in: opens the records screen.
void OpenRecordsScreen(Game& game);

}  // namespace korvid
