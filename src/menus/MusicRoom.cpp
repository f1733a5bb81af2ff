// The music room (screen 9 with musicRoomSelected): ten track titles around
// the cursor, the cursor track's note, and the chosen track as the music.
#include <algorithm>

#include "game/Game.h"
#include "game/Input.h"
#include "menus/MenuText.h"
#include "menus/MusicRoom.h"
#include "menus/MusicTracks.h"
#include "menus/TitleMenus.h"

namespace korvid {

namespace {

constexpr int kMusicRoomEntry = 5;  // the main menu's Music room entry
constexpr int kVisibleTitles = 10;
constexpr const char* kTitleMusic = "Music/title.mp3";

// What plays now: the music room's own choice while its stream still plays,
// else the title theme (the only music the title menu plays).
std::string playingFile(const Game& game) {
    if (game.musicRoomStream && game.musicRoomStream == game.state.bgmStream) return game.musicRoomFile;
    return game.state.bgmStream ? kTitleMusic : "";
}

}  // namespace

void PlayMusicRoomTrack(Game& game, int track) {
    if (track < 0 || track >= kMusicTrackCount) return;
    const char* file = kMusicTracks[static_cast<std::size_t>(track)].file;
    if (playingFile(game) == file) return;  // the track already playing goes on
    GameState& s = game.state;
    Engine& e = game.engine;
    const HSTREAM next = e.Stream_Load(file);
    if (!next) return;  // a file that does not load leaves the music as it was
    e.Stream_Free(s.bgmStream);
    s.bgmStream = next;
    s.bgmChannel = e.Stream_Play(next, true, s.bgmVolume);
    game.musicRoomStream = next;
    game.musicRoomFile = file;
}

int FirstVisibleTrack(int cursor) { return std::max(0, cursor - (kVisibleTitles - 1)); }

void RunMusicRoom(Game& game) {
    GameState& s = game.state;
    Engine& e = game.engine;
    s.menuCursor = std::clamp(s.menuCursor, 0, kMusicTrackCount - 1);
    if (e.System_IsForeground()) {
        if (TakeLatched(s.latchDown, e.Input_GetKeyState(VK_DOWN))) s.menuCursor = (s.menuCursor + 1) % kMusicTrackCount;
        if (TakeLatched(s.latchUp, e.Input_GetKeyState(VK_UP)))
            s.menuCursor = (s.menuCursor + kMusicTrackCount - 1) % kMusicTrackCount;
        if (TakeLatched(s.latchCancel, MenuCancelHeld(game))) {
            s.screen = 0;
            s.menuCursor = kMusicRoomEntry;
            return;
        }
    }
    const int first = FirstVisibleTrack(s.menuCursor);
    for (int i = 0; i < kVisibleTitles && first + i < kMusicTrackCount; ++i) {
        const int track = first + i;
        const MusicTrack& t = kMusicTracks[static_cast<std::size_t>(track)];
        DrawOutlinedText(game, MenuFont::Outline18, 60, static_cast<float>(60 + 25 * i),
                         Say(game, t.title, t.englishTitle), track == s.menuCursor ? 0xFFFFFF00 : 0xFFFFFFFF);
    }
    const MusicTrack& chosen = kMusicTracks[static_cast<std::size_t>(s.menuCursor)];
    DrawOutlinedText(game, MenuFont::Outline18, 60, 320, Say(game, chosen.note, chosen.englishNote), 0xFFFFFFFF);
    if (e.System_IsForeground() && TakeLatched(s.latchConfirm, MenuConfirmHeld(game)))
        PlayMusicRoomTrack(game, s.menuCursor);
}

}  // namespace korvid
