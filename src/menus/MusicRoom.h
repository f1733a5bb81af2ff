// Screen 9 of the title: the music room and the manual.
#pragma once

namespace korvid {

struct Game;

void RunMusicRoom(Game& game);
// Plays track 0..18 as the music, unless its file is the one playing.
void PlayMusicRoomTrack(Game& game, int track);
// The first of the ten titles shown with the cursor on `cursor`.
int FirstVisibleTrack(int cursor);

void RunManual(Game& game);

}  // namespace korvid
