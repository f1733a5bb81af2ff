// The music room's 19 tracks: title line, note and file.
#pragma once

#include <array>

namespace korvid {

struct MusicTrack {
    const char* title;  // "NN." and the name; boss themes with "vs"
    const char* note;   // one to four lines
    const char* file;
    const char* englishTitle;  // the same in English
    const char* englishNote;
};

inline constexpr int kMusicTrackCount = 19;
extern const std::array<MusicTrack, kMusicTrackCount> kMusicTracks;

}  // namespace korvid
