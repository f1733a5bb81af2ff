// The save routine of the replay save screen: the record up to this frame
// goes into a slot file.
#pragma once

#include "menus/ReplayFile.h"

namespace korvid {

struct Game;

// Writes the current game's record into slot 1..20 with the texts typed in
// the save screen. The current stage is kept up to the current frame. The
// success sound (29) plays only once the file is written; a failure plays
// the refusal sound (34), a line on stderr and the failure note on the
// screen. Returns whether the file was written.
bool SaveReplayToSlot(Game& game, int slot, const ReplayTexts& texts);

}  // namespace korvid
