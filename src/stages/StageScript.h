// What every stage script shares: the boss gate and its time-out, the
// stage music, the title card, the boss entry with its flash. Each stage's
// own script (Stage1.cpp, ...) is one function with its line in
// StageRegistry.cpp, called once per play frame after the clock advanced.
#pragma once

#include <cstdint>

#include "play/Spawn.h"
#include "stages/Dialogue.h"

namespace korvid {

struct Game;

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

// A direct start part-way through a stage: the next frame is `frame`. The
// stage sets up what its skipped cues would have left (its line's
// jumpInto), and its tune starts if the stage would be playing it then.
void JumpStageClock(Game& game, int frame);

// The stage's title card (texture 24), which fades in and out by itself.
void SpawnTitleCard(Game& game, float z);
// How a boss arrives: the two rings and the line of the entry flash.
enum class EntryFlash : std::uint8_t {
    None,
    Standard,  // rings from (256, 0, 128, 128)
    Trimmed,   // rings from (256, 1, 128, 127)
};
// The entry flash at z (nothing for EntryFlash::None).
void SpawnEntryFlash(Game& game, float z, EntryFlash kind = EntryFlash::Standard);

// A boss or mid-boss as its stage script brings it in. The first pattern's
// hit points and time limit are here; the fight's later patterns carry
// theirs in their rows (bosses/FightRegistry.h). An invisible body is
// texture 0 with an empty cell.
struct BossEntry {
    TexRect cell{};
    float x = 224, y = 0;
    int pattern = 0;    // the first pattern id, stored as the boss slot's type
    float hp = 0;
    int timeLimit = 0;  // frames for the first pattern
    OpeningTalk talk{};  // the conversation before the fight (none by default)
    float scale = 1;    // both draw scales
    float heading = 180;
    float speed = 0;
    int alpha = 255;
    float z = 0.7f;
    EntryFlash flash = EntryFlash::Standard;
    float flashZ = 0.8f;
    // A sheet of its own, loaded into cell.tex as it arrives (the stage's
    // own sheet when null), so a fight started directly wears it too.
    const char* sheet = nullptr;
};
// bossActive, the time limit, the opening conversation, the sheet, then the spawn
// (which fills the boss slot, the boss driver's from the next frame) and
// the entry flash.
void BringInBoss(Game& game, const BossEntry& entry);
// The same without the conversation (a fight started directly).
void BringInBossQuietly(Game& game, const BossEntry& entry);

}  // namespace korvid
