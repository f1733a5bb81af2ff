// What every stage script shares: the boss gate and its time-out, the
// stage music, the title card, the boss entry with its flash. Each stage's
// own script (Stage1.cpp, ...) is one function registered in
// StageScript.cpp, called once per play frame after the clock advanced.
#pragma once

#include "play/Spawn.h"

namespace korvid {

struct Game;

// The stage scripts, by stage number.
void RunStage1(Game& game);

// While a boss is present: counts its time limit down (not during a
// conversation) and runs the stage's time-out action when it has run out.
// Returns true while a boss is present: the timeline must then stand still.
bool BossGate(Game& game);
// The stage's action for a boss whose time ran out (also run on every
// further frame while the count stays at or below 0).
void BossTimeOut(Game& game);

// Frees the stream playing so far and starts `file` at the music volume;
// the stream is kept with its channel so it can be freed in turn.
void StartStageMusic(Game& game, const char* file, bool loop);
// Sends the music back to `to` seconds once it has played `at` seconds.
void MusicLoopPoint(Game& game, float at, float to);

// The stage's title card (texture 24), which fades in and out by itself.
void SpawnTitleCard(Game& game, float z);
// The three effects of a boss entering.
void SpawnEntryFlash(Game& game, float z);

struct BossEntry {
    TexRect cell;
    float x, y;
    int pattern;    // the first pattern id, stored as the boss slot's type
    float hp;
    int timeLimit;  // frames for the first pattern
    int talkPages;  // last page of the opening conversation, 0 for none
    bool talkStampsStart;  // the conversation records its start frame
    float flashZ;
};
// bossActive, the time limit, the opening conversation, then the spawn
// (which fills the boss slot, the boss driver's from the next frame) and
// the entry flash.
void BringInBoss(Game& game, const BossEntry& entry);

}  // namespace korvid
